#include "shell/wave_frame_document.h"

#include "documents/workspace.h"
#include "platform/assertion.h"

namespace kalvora {

WaveFrameDocument::WaveFrameDocument(std::unique_ptr<TUnitWave> wave) : wave_(std::move(wave)) {
    KALVORA_ASSERT(wave_ != nullptr);
}

void WaveFrameDocument::Describe(FrameSnapshot& snapshot) const {
    snapshot.wave = DescribeWave(*wave_);
}

bool WaveFrameDocument::Rename(const std::string& name) {
    return wave_->Workspace().Registry().Rename(*wave_, name);
}

void WaveFrameDocument::Closed() {
    TWorkspace& workspace = wave_->Workspace();
    workspace.Undo().DropUndoFor(*wave_);
    workspace.Registry().Remove(*wave_);
}

std::optional<PlayRange> WaveFrameDocument::SoundToPlay() {
    if (wave_->GetValues() == 0) return std::nullopt;
    return PlayRange{wave_->SharedSound(), wave_->SelStart(), wave_->SelEnd()};
}

void WaveFrameDocument::TakeRecording(std::unique_ptr<Sound> sound) {
    wave_->TakeRecording(std::move(sound));
}

WaveFacts DescribeWave(const TUnitWave& wave) {
    WaveFacts facts;
    facts.sampleCount = wave.GetValues();
    facts.rate = wave.GetFreq();
    facts.channels = wave.GetMoSt();
    facts.bytesPerSample = wave.GetBytesPSample();
    facts.selectionFirst = wave.FirstEnd();
    facts.selectionSecond = wave.SecondEnd();
    facts.userDrawing = wave.UserDrawing();
    facts.drawKind = static_cast<int>(wave.DrawKind());
    facts.drawNodeCount = wave.DrawNodes().Count();
    facts.drawLength = wave.DrawLength();
    facts.hasFile = !wave.HasNoFile();
    facts.needsSave = wave.NeedsSave();
    return facts;
}

void DescribeWorkspace(const TWorkspace& workspace, FrameSnapshot& snapshot) {
    snapshot.clipboard = workspace.Clipboard().HasSound();
    const TUndoUnit* record = workspace.Undo().Record();
    snapshot.undoRecord = record != nullptr;
    snapshot.undoDocumentDrawing = record != nullptr && record->Document().UserDrawing();
}

}  // namespace kalvora
