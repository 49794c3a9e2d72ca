// TGeneratedMusicPlayback: the music dialogs' "Play Stave", "Play Note Group" and "Play
// Subtree" in the program: the music generation renders the stave, the group or the subtree
// with the sample waves of the open wave documents, reports a failure ("Cannot create music:
// ..."), and a sound that holds samples goes to the frame's player; the sound is freed after.
// Standard C++ only.
#pragma once

#include <functional>

#include "music/music_generation.h"
#include "shell/music_playback.h"

namespace kalvora {

class TUnitRegistry;

class TGeneratedMusicPlayback final : public TMusicPlayback {
  public:
    // play hands a sound to the frame's player; false when it could not be played.
    TGeneratedMusicPlayback(const TUnitRegistry& registry, std::function<bool(const Sound&)> play)
        : registry_(registry), play_(std::move(play)) {}

    bool PlayStave(TUnitMuz& unit, const TNoteStave& stave) override;
    bool PlayNoteGroup(TUnitMuz& unit, const TNoteGroup& group) override;
    bool PlaySubtree(TUnitMuz& unit, TPartMuz& part) override;

  private:
    bool Play(TUnitMuz& unit, const TGenerationRequest& request);

    const TUnitRegistry& registry_;
    std::function<bool(const Sound&)> play_;
};

}  // namespace kalvora
