// TViewWaveGroup: the two views of a wave window side by side in a splitter, with the
// window's wave view and volume diagram settings and what both views show (the waveform or
// the volume diagram, which it computes in the background). ViewFirst is the left view, 1
// pixel wide in a new window, ViewSecond fills the rest.
#pragma once

#include <QSplitter>
#include <cstdint>
#include <memory>
#include <vector>

#include "documents/wave_document.h"
#include "shell/wave_painter.h"
#include "shell/wave_view_input.h"
#include "shell/wave_view_props.h"
#include "volume/vold_view_props.h"
#include "volume/volume_computation.h"

class QKeyEvent;

namespace kalvora::platform {
class QtMainThread;
}

namespace kalvora::gui {

class TMDIChildWave;
class TViewWave;

// What both views show.
enum class TWaveWindKind : std::uint8_t {
    waveWindWave = 0,    // the waveform
    waveWindVolume = 1,  // the volume diagram
};

// What a view paints from, with the storage the scene points into.
struct TViewScene {
    TWaveViewScene scene;
    std::vector<TDrawNodeMark> nodes;
    TEnvelopeScene envelope;
};

class TViewWaveGroup : public QSplitter {
    Q_OBJECT
  public:
    TViewWaveGroup(TMDIChildWave& window, const TWaveViewProps& settings);
    ~TViewWaveGroup() override;

    TMDIChildWave& Window() const { return window_; }
    TUnitWave& Document() const;

    TViewWave& ViewFirst() const { return *first_; }
    TViewWave& ViewSecond() const { return *second_; }
    // By number: 1 the first (left) view, 2 the second.
    TViewWave& View(int number) const;

    const TWaveViewProps& WaveSettings() const { return settings_; }
    // The waveform with these settings in both views.
    void SetWaveSettings(const TWaveViewProps& settings);
    TWaveWindKind Kind() const { return kind_; }
    const TVoldViewProps& VolumeSettings() const { return volumeSettings_; }
    // The volume diagram with these settings in both views: computed anew when it was not
    // shown or a setting of the computation changed, else only repainted.
    void SetVolumeSettings(const TVoldViewProps& settings);
    // Keeps settings for when the volume diagram is shown, without showing it.
    void KeepVolumeSettings(const TVoldViewProps& settings) { volumeSettings_ = settings; }
    // The computation of the volume diagram (its arrays and worker).
    TVolumeComputation& Volume() const { return *volume_; }
    // The diagram as the views (and windows using this wave as envelope) paint it.
    const TVolumeDiagramPainter& VolumePainter() const;

    // A duplicate's window starts as its source shows: the waveform settings, the volume
    // diagram settings and which of the two is shown (computed anew when it is the diagram).
    void TakeSettingsOf(const TViewWaveGroup& source);

    // The first view's share of the width; setting it gives the first view
    // clamp(trunc(total·x + 0.5), 1, total - 1) pixels.
    double SplitPosition() const;
    void SetSplitPosition(double position);
    // The splitter in the active or inactive caption colour.
    void ShowActive(bool active);

    // Forwarded to both views.
    void BeforeChange(std::int32_t begin, std::int32_t end);
    void AfterChange(std::int32_t begin, std::int32_t end);
    void RepaintSelection(std::int32_t oldFirst, std::int32_t oldSecond);
    void RepaintAll();
    void SetViewCursor(const QCursor& cursor);

    // The volume diagram (computed in the background while shown): stopped before the
    // sound changes or goes, restarted after a change. Nothing runs while the waveform is
    // shown. A resolution that cannot be computed is reported in a message box.
    void StopVolume();
    void RestartVolume();

    // --- for the views
    void FillScene(TViewScene& out) const;
    TWaveToolMode ToolMode() const;
    void SetToolMode(TWaveToolMode mode);
    bool KeyPressed(const QKeyEvent& event);
    // Status panel 1 for the pointer at (x, y) of view; waveText is its text over the
    // waveform.
    void ShowPosition(TViewWave& view, const std::string& waveText, int x, int y);
    void ViewChanged(TViewWave& view);

  protected:
    QSplitterHandle* createHandle() override;

  private:
    class THandle;
    class TGroupVolumePainter;
    void VolumeColumnsDone(int channel, std::int32_t from, std::int32_t to);
    QColor HandleColour() const;
    void UpdateHandleColour();

    TMDIChildWave& window_;
    TViewWave* first_ = nullptr;
    TViewWave* second_ = nullptr;
    TWaveViewProps settings_;
    TWaveWindKind kind_ = TWaveWindKind::waveWindWave;
    TVoldViewProps volumeSettings_;
    // The main thread outlives the computation, whose worker posts to it.
    std::unique_ptr<platform::QtMainThread> mainThread_;
    std::unique_ptr<TVolumeComputation> volume_;
    std::unique_ptr<TGroupVolumePainter> volumePainter_;
    bool active_ = false;
};

}  // namespace kalvora::gui
