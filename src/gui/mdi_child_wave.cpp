#include "gui/mdi_child_wave.h"

#include "gui/artwork.h"
#include "gui/main_form.h"
#include "gui/view_wave.h"
#include "gui/view_wave_group.h"

namespace kalvora::gui {

TMDIChildWave::TMDIChildWave(TMainForm& frame, std::unique_ptr<TUnitWave> document,
                             const TWaveViewProps& settings)
    : TMDIChildKalvora(frame, std::make_unique<WaveFrameDocument>(std::move(document))) {
    setObjectName(QStringLiteral("MDIChildWave"));
    Wave().LinkWindow(this);
    group_ = new TViewWaveGroup(*this, settings);
    SetViewArea(group_);
    connect(this, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates, Qt::WindowStates now) {
                group_->ShowActive((now & Qt::WindowActive) != 0);
            });
    UpdateIcon();
    UpdateViewCursor();
}

TMDIChildWave::~TMDIChildWave() {
    // The sub-window reports state changes while it is torn down, when this part is gone.
    disconnect(this, &QMdiSubWindow::windowStateChanged, this, nullptr);
    EndRecording();
    StopSoundReaders();
    Wave().LinkWindow(nullptr);
}

void TMDIChildWave::Describe(FrameSnapshot& snapshot) const {
    Document().Describe(snapshot);
    snapshot.wave.waveformShown = group_->Kind() == TWaveWindKind::waveWindWave;
    snapshot.wave.toolMode = static_cast<int>(toolMode_);
    snapshot.wave.recording = RecordedInto();
}

void TMDIChildWave::SetToolMode(TWaveToolMode mode) {
    toolMode_ = mode;
    UpdateViewCursor();
}

void TMDIChildWave::ToggleToolMode(TWaveToolMode mode) {
    SetToolMode(toolMode_ == mode ? TWaveToolMode::normal : mode);
}

void TMDIChildWave::UpdateViewCursor() {
    if (Wave().UserDrawing()) {
        group_->SetViewCursor(Frame().ScreenCursorOf(ScreenCursor::draw));
        return;
    }
    switch (toolMode_) {
        case TWaveToolMode::normal:
            group_->SetViewCursor(QCursor(Qt::ArrowCursor));
            break;
        case TWaveToolMode::zoomIn:
            group_->SetViewCursor(Frame().ScreenCursorOf(ScreenCursor::zoom));
            break;
        case TWaveToolMode::noZoom:
            group_->SetViewCursor(Frame().ScreenCursorOf(ScreenCursor::zoomOut));
            break;
    }
}

void TMDIChildWave::UpdateIcon() {
    if (group_ != nullptr && group_->Kind() == TWaveWindKind::waveWindVolume) {
        setWindowIcon(CommandIcon("kv-view-volume"));
    } else {
        setWindowIcon(CommandIcon(Wave().GetMoSt() == 1 ? "kv-wave-mono" : "kv-wave-stereo"));
    }
}

void TMDIChildWave::SetRecording(std::function<void()> stop) {
    stopRecording_ = std::move(stop);
}

void TMDIChildWave::EndRecording() {
    if (!stopRecording_) return;
    std::function<void()> stop = std::move(stopRecording_);
    stopRecording_ = nullptr;
    stop();
}

// Whatever still works on the document ends before it goes: the recording into it, the
// volume diagram's worker.
void TMDIChildWave::WindowClosing() {
    EndRecording();
    StopSoundReaders();
    Frame().RepaintEnvelopeUsers(Wave().Name());
}

void TMDIChildWave::CaptionChanged() {
    RebuildCaption();
}

void TMDIChildWave::NameChanged(std::string_view oldName) {
    Frame().RepaintEnvelopeUsers(oldName);
    Frame().RepaintEnvelopeUsers(Wave().Name());
}

void TMDIChildWave::BeforeChange(std::int32_t begin, std::int32_t end) {
    group_->BeforeChange(begin, end);
}

void TMDIChildWave::AfterChange(std::int32_t begin, std::int32_t end) {
    group_->AfterChange(begin, end);
}

void TMDIChildWave::StopSoundReaders() {
    if (group_ != nullptr) group_->StopVolume();
}

void TMDIChildWave::Refresh() {
    if (group_->Kind() == TWaveWindKind::waveWindVolume) {
        group_->RestartVolume();
    } else {
        group_->RepaintAll();
    }
    Frame().RepaintEnvelopeUsers(Wave().Name());
}

// Only the strips whose selection state changed are repainted; the waves that use this one
// as their envelope follow its work range.
void TMDIChildWave::SelectionChanged(std::int32_t oldFirst, std::int32_t oldSecond) {
    group_->RepaintSelection(oldFirst, oldSecond);
    Frame().RepaintEnvelopeUsers(Wave().Name());
    Frame().WaveSelectionChanged(*this);
}

void TMDIChildWave::ChannelsChanged() {
    UpdateIcon();
}

void TMDIChildWave::DrawingModeChanged() {
    UpdateViewCursor();
    group_->RepaintAll();
}

}  // namespace kalvora::gui
