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

std::unique_ptr<TWindowViewState> TMDIChildWave::ViewState() const {
    auto state = std::make_unique<TWaveViewState>();
    if (pendingLayout_) {
        state->splitPosition = pendingLayout_->splitPosition;
        state->zooms = pendingLayout_->zooms;
    } else {
        state->splitPosition = group_->SplitPosition();
        for (int number = 1; number <= 2; ++number) {
            TViewWave& view = group_->View(number);
            if (!view.Zoomed()) continue;
            const TWaveViewGeometry& geometry = view.Geometry();
            state->zooms[static_cast<std::size_t>(number - 1)] =
                ZoomOfVisibleRange(geometry.FirstVisible(), geometry.LastVisible());
        }
    }
    state->showVolume = group_->Kind() == TWaveWindKind::waveWindVolume;
    state->waveSettings = group_->WaveSettings();
    state->volumeSettings = group_->VolumeSettings();
    return state;
}

void TMDIChildWave::ApplyShadowViews() {
    const std::unique_ptr<TWindowViewState> taken = Wave().TakeViewState();
    const auto* state = dynamic_cast<const TWaveViewState*>(taken.get());
    if (state == nullptr) return;
    TUnitWave& wave = Wave();
    const bool tracking = wave.TrackChanges();
    wave.SetTrackChanges(false);
    group_->KeepVolumeSettings(state->volumeSettings);
    group_->SetWaveSettings(state->waveSettings);
    if (state->showVolume) group_->SetVolumeSettings(state->volumeSettings);
    pendingLayout_ = TPendingLayout{state->splitPosition, state->zooms};
    if (!state->loading) ApplyPendingLayout();
    wave.SetTrackChanges(tracking);
    Frame().ScheduleUpdate();
}

void TMDIChildWave::ApplyPendingLayout() {
    if (!pendingLayout_) return;
    const TPendingLayout layout = *pendingLayout_;
    pendingLayout_.reset();
    TUnitWave& wave = Wave();
    const bool tracking = wave.TrackChanges();
    wave.SetTrackChanges(false);
    group_->SetSplitPosition(layout.splitPosition);
    for (int number = 1; number <= 2; ++number) {
        TViewWave& view = group_->View(number);
        const std::optional<TViewZoom>& zoom = layout.zooms[static_cast<std::size_t>(number - 1)];
        if (zoom) {
            view.ZoomTo(zoom->first, zoom->last, true);
        } else {
            view.Unzoom();
        }
        // The range just set is the one the file holds, not a change to store again.
        view.ForgetPaintedRange();
    }
    wave.SetTrackChanges(tracking);
}

}  // namespace kalvora::gui
