#include "shell/music_frame_document.h"

#include "music/music_file.h"
#include "music/music_generation.h"
#include "platform/assertion.h"
#include "platform/busy_cursor.h"
#include "shell/music_command_states.h"
#include "shell/music_status_texts.h"

namespace kalvora {

MusicFrameDocument::MusicFrameDocument(std::unique_ptr<TUnitMuz> music, TUnitRegistry& registry)
    : music_(std::move(music)), registry_(registry) {
    KALVORA_ASSERT(music_ != nullptr);
}

void MusicFrameDocument::Describe(FrameSnapshot& snapshot) const {
    snapshot.music = DescribeMusic(*music_);
    snapshot.music.panels = MusicStatusTexts(*music_);
}

bool MusicFrameDocument::Rename(const std::string& name) {
    return registry_.Rename(*music_, name);
}

bool MusicFrameDocument::Save() {
    KALVORA_ASSERT(!music_->HasNoFile());
    platform::BusyScope busy;
    if (!SaveMusicFile(*music_, music_->FileName())) return false;
    music_->MarkSaved();
    return true;
}

bool MusicFrameDocument::SaveAs(const std::string& fileName) {
    platform::BusyScope busy;
    if (!SaveMusicFile(*music_, fileName)) return false;
    music_->SetFileName(fileName);
    music_->MarkSaved();
    return true;
}

void MusicFrameDocument::Closed() {
    registry_.Remove(*music_);
}

std::optional<PlayRange> MusicFrameDocument::SoundToPlay() {
    platform::BusyScope busy;
    ErrorFlag error = 0;
    std::shared_ptr<const Sound> sound =
        GenerateWave(*music_, TRegistrySampleWaves(registry_), {}, &error);
    if (!sound || sound->GetValues() == 0) return std::nullopt;
    const std::int32_t samples = sound->GetValues();
    return PlayRange{std::move(sound), 0, samples};
}

std::unique_ptr<TUnitMuz> MusicFrameDocument::Replace(std::unique_ptr<TUnitMuz> music) {
    KALVORA_ASSERT(music != nullptr);
    const bool registered = registry_.Contains(*music_);
    if (registered) registry_.Remove(*music_);
    std::unique_ptr<TUnitMuz> old = std::exchange(music_, std::move(music));
    if (registered) registry_.Activate(*music_);
    return old;
}

}  // namespace kalvora
