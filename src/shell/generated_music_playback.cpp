#include "shell/generated_music_playback.h"

#include "platform/busy_cursor.h"

namespace kalvora {

bool TGeneratedMusicPlayback::PlayStave(TUnitMuz& unit, const TNoteStave& stave) {
    TGenerationRequest request;
    request.Filter.Stave = &stave;
    return Play(unit, request);
}

bool TGeneratedMusicPlayback::PlayNoteGroup(TUnitMuz& unit, const TNoteGroup& group) {
    TGenerationRequest request;
    request.Filter.Group = &group;
    return Play(unit, request);
}

bool TGeneratedMusicPlayback::PlaySubtree(TUnitMuz& unit, TPartMuz& part) {
    TGenerationRequest request;
    request.From = &part;
    return Play(unit, request);
}

bool TGeneratedMusicPlayback::Play(TUnitMuz& unit, const TGenerationRequest& request) {
    std::unique_ptr<Sound> sound;
    {
        platform::BusyScope busy;
        ErrorFlag error = 0;
        sound = GenerateWave(unit, TRegistrySampleWaves(registry_), request, &error);
    }
    return sound != nullptr && sound->GetValues() > 0 && play_(*sound);
}

}  // namespace kalvora
