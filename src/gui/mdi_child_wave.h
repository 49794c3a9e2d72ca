// TMDIChildWave: the document window of a wave document: the two views in their group, the
// tool mode of the mouse, the icon by channel count, and the window the document reports its
// changes to (WaveWindow). It owns the document through the frame's adapter.
#pragma once

#include <QCursor>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "documents/wave_document.h"
#include "documents/wave_window.h"
#include "gui/mdi_child.h"
#include "shell/wave_frame_document.h"
#include "shell/wave_view_input.h"
#include "shell/wave_view_props.h"
#include "shell/wave_view_state.h"

namespace kalvora::gui {

class TViewWaveGroup;

class TMDIChildWave : public TMDIChildKalvora, public WaveWindow {
    Q_OBJECT
  public:
    // A window for document with copies of the view settings to start from.
    TMDIChildWave(TMainForm& frame, std::unique_ptr<TUnitWave> document,
                  const TWaveViewProps& settings);
    ~TMDIChildWave() override;

    TUnitWave& Wave() const { return static_cast<WaveFrameDocument&>(Document()).Wave(); }
    TViewWaveGroup& Group() const { return *group_; }

    // The mouse tool: 0 normal, 1 zoom in, 2 no zoom. The views show the arrow, "ZOOM" or
    // "ZOOMOUT" cursor, and "DRAW" while the document is drawn by hand.
    TWaveToolMode ToolMode() const { return toolMode_; }
    void SetToolMode(TWaveToolMode mode);
    // The commands Zoom In and No Zoom: each toggles between its mode and normal.
    void ToggleToolMode(TWaveToolMode mode);

    void Describe(FrameSnapshot& snapshot) const override;

    // --- recording (the player): while set, the player records into this document, the
    // commands that would change it are disabled, and closing the window first ends the
    // recording through stop.
    void SetRecording(std::function<void()> stop);
    void ClearRecording() { stopRecording_ = nullptr; }
    bool RecordedInto() const { return stopRecording_ != nullptr; }

    // --- WaveWindow: what the document asks of its window
    void CaptionChanged() override;
    void NameChanged(std::string_view oldName) override;
    void BeforeChange(std::int32_t begin, std::int32_t end) override;
    void AfterChange(std::int32_t begin, std::int32_t end) override;
    void StopSoundReaders() override;
    void Refresh() override;
    void SelectionChanged(std::int32_t oldFirst, std::int32_t oldSecond) override;
    void ChannelsChanged() override;
    void DrawingModeChanged() override;
    std::unique_ptr<TWindowViewState> ViewState() const override;
    void ViewStateRead() override { ApplyShadowViews(); }

    // --- the view state of the shadow file
    // Takes what the shadow file reader left in the document: the display and both settings
    // at once; the split position and the zooms at once too, unless the file was read while a
    // project loads (then they wait for ApplyPendingLayout). What the file holds does not
    // count as a change of the document.
    void ApplyShadowViews();
    // The split position and zooms a project's shadow file gave, once the project has sized
    // the window.
    void ApplyPendingLayout();
    bool HasPendingLayout() const { return pendingLayout_.has_value(); }

  protected:
    void WindowClosing() override;

  private:
    void UpdateIcon();
    void UpdateViewCursor();
    void EndRecording();

    TViewWaveGroup* group_ = nullptr;
    TWaveToolMode toolMode_ = TWaveToolMode::normal;
    std::function<void()> stopRecording_;
    struct TPendingLayout {
        double splitPosition = 0.0;
        std::array<std::optional<TViewZoom>, 2> zooms;
    };
    std::optional<TPendingLayout> pendingLayout_;
};

}  // namespace kalvora::gui
