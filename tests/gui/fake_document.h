// A document for the frame's tests: its facts are set by the test.
#pragma once

#include <algorithm>
#include <memory>
#include <string>

#include "shell/frame_document.h"
#include "shell/record_target.h"

namespace kalvora::gui {

class FakeDocument final : public FrameDocument, public RecordTarget {
  public:
    WindowKind kind = WindowKind::wave;
    std::string name;
    std::string fileName;
    WaveFacts wave;
    bool needsSave = false;
    bool saveSucceeds = true;
    int saves = 0;
    std::string savedAs;
    bool renameAccepted = true;

    WindowKind Kind() const override { return kind; }
    std::string Name() const override { return name; }
    std::string FileName() const override { return fileName; }
    void Describe(FrameSnapshot& snapshot) const override {
        snapshot.wave = wave;
        snapshot.wave.hasFile = !fileName.empty();
        snapshot.wave.needsSave = needsSave;
    }
    bool Rename(const std::string& newName) override {
        if (renameAccepted) name = newName;
        return renameAccepted;
    }
    bool NeedsSave() const override { return needsSave; }
    bool Save() override {
        ++saves;
        if (saveSucceeds) needsSave = false;
        return saveSucceeds;
    }
    // Playing and recording: the sound Play plays (its selection in wave), what was recorded.
    std::shared_ptr<const Sound> sound;
    std::unique_ptr<Sound> recorded;
    std::optional<PlayRange> SoundToPlay() override {
        if (!sound) return std::nullopt;
        if (wave.HasSelection()) {
            return PlayRange{
                sound,
                static_cast<std::int32_t>(std::min(wave.selectionFirst, wave.selectionSecond)),
                static_cast<std::int32_t>(std::max(wave.selectionFirst, wave.selectionSecond))};
        }
        return PlayRange{sound, 0, sound->GetValues()};
    }
    RecordTarget* AsRecordTarget() override { return kind == WindowKind::wave ? this : nullptr; }
    waveFileProps RecordFormat() const override {
        return {wave.rate, static_cast<std::int16_t>(wave.channels),
                static_cast<std::int16_t>(wave.bytesPerSample)};
    }
    std::int64_t RecordSampleCount() const override { return wave.sampleCount; }
    void TakeRecording(std::unique_ptr<Sound> taken) override {
        recorded = std::move(taken);
        wave.sampleCount = recorded->GetValues();
    }

    bool SaveAs(const std::string& newFileName) override {
        savedAs = newFileName;
        if (!saveSucceeds) return false;
        fileName = newFileName;
        needsSave = false;
        return true;
    }
};

}  // namespace kalvora::gui
