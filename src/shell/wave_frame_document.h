// A wave document as the frame sees it: the adapter that gives a TUnitWave the FrameDocument
// face (names, facts for the command update, renaming through the registry, saving for the
// close question), and the facts the update reads of the frame's shared workspace (clipboard
// and undo record). Core code: standard C++ and the document model only.
#pragma once

#include <memory>
#include <string>

#include "documents/wave_document.h"
#include "shell/frame_document.h"
#include "shell/record_target.h"

namespace kalvora {

class TWorkspace;

class WaveFrameDocument final : public FrameDocument, public RecordTarget {
  public:
    explicit WaveFrameDocument(std::unique_ptr<TUnitWave> wave);

    TUnitWave& Wave() const { return *wave_; }

    WindowKind Kind() const override { return WindowKind::wave; }
    std::string Name() const override { return wave_->Name(); }
    std::string FileName() const override { return wave_->FileName(); }
    void Describe(FrameSnapshot& snapshot) const override;
    // Through the registry: a name another open document has is refused with its message.
    bool Rename(const std::string& name) override;
    bool NeedsSave() const override { return wave_->NeedsSave(); }
    bool Save() override { return wave_->SaveFile(); }
    bool SaveAs(const std::string& fileName) override { return wave_->SaveFileAs(fileName); }
    TUnit* Unit() override { return wave_.get(); }
    void Closed() override;

    // Play plays the selection, or the whole wave without one.
    std::optional<PlayRange> SoundToPlay() override;
    // Record fills the wave while it is empty.
    RecordTarget* AsRecordTarget() override { return this; }
    waveFileProps RecordFormat() const override { return wave_->GetWaveFileProps(); }
    std::int64_t RecordSampleCount() const override { return wave_->GetValues(); }
    void TakeRecording(std::unique_ptr<Sound> sound) override;

  private:
    std::unique_ptr<TUnitWave> wave_;
};

// The facts of the command update that belong to the document itself (the window adds what
// it shows: waveform or volume diagram, tool mode).
WaveFacts DescribeWave(const TUnitWave& wave);

// The clipboard and undo facts of the snapshot.
void DescribeWorkspace(const TWorkspace& workspace, FrameSnapshot& snapshot);

}  // namespace kalvora
