// What the mouse and the keyboard do in a wave view: selecting with Shift and Ctrl, the
// right-drag zoom, the zoom tools, hand drawing with the mouse (nodes added, moved, hidden
// and deleted), the key table, and the position text of status panel 1. The rules work on
// the document and on the geometry of the view the event happened in; the window only
// translates its events and carries out the reaction (repaint, scroll bar, pointer, cursor).
// Core code: standard C++, the document model and the view geometry.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "documents/wave_document.h"
#include "platform/canvas.h"
#include "shell/wave_view_geometry.h"

namespace kalvora {

// The tool of a wave window: what a left-button release in a view does.
enum class TWaveToolMode : std::uint8_t {
    normal = 0,  // nothing
    zoomIn = 1,  // zoom to the selection
    noZoom = 2,  // show the whole wave
};

struct TInputModifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

// What the view has to do after an input event.
struct TViewReaction {
    bool fullRepaint = false;      // paint the whole view again
    bool zoomChanged = false;      // the zoom or scroll state changed: scroll bar and the view's
                                   // stored state follow
    bool toolModeChanged = false;  // the window's tool mode went back to normal
    std::optional<platform::Point> movePointer;  // put the mouse pointer here
    std::optional<std::string> positionText;     // status panel 1
};

// The mouse of one view. It keeps what it needs between events: the selection at the last
// left-button press, the height of the last right-button press, the last pointer position
// and the node being dragged.
class TWaveViewMouse {
  public:
    TWaveViewMouse(TUnitWave& document, TWaveViewGeometry& geometry);

    TViewReaction LeftButtonDown(int x, int y, TInputModifiers modifiers);
    TViewReaction RightButtonDown(int x, int y);
    TViewReaction PointerMove(int x, int y, bool leftHeld, bool rightHeld);
    // The tool mode is the window's: a release with a zoom tool uses it and resets it.
    TViewReaction LeftButtonUp(int x, int y, TWaveToolMode& toolMode);

    // Zooms shown samples a .. b: ignored (false) for a wave without samples or when b is
    // not beyond a, as zooms read from a dialog or a file may be.
    bool ZoomTo(double a, double b);

    const TDrawNode* GrabbedNode() const { return grabbed_; }

  private:
    std::int32_t Count() const { return static_cast<std::int32_t>(document_.GetValues()); }
    void Sync() { geometry_.SetSampleCount(Count()); }
    std::int32_t SampleAt(int x) const { return geometry_.SampleIndexAtPixel(x); }
    TViewReaction DrawingDown(int x, int y);
    TViewReaction DrawingMove(int x, int y);
    TViewReaction DrawingUp(int y);
    bool GrabbedStillThere();
    void ForgetPreviousSelection() { previousSelection_ = false; }

    TUnitWave& document_;
    TWaveViewGeometry& geometry_;
    // The selection at the last left-button press, when it was one (not a cursor).
    bool previousSelection_ = false;
    std::int32_t previousMin_ = 0;
    std::int32_t previousMax_ = 0;
    int zoomAnchor_ = 0;
    int pointerX_ = -1;
    int pointerY_ = -1;
    TDrawNode* grabbed_ = nullptr;
    int grabOffsetX_ = 0;
    int grabOffsetY_ = 0;
};

// A navigation key in a wave window: the arrows step the selection ends by 1 (Left, Right) or
// 10 (Up, Down) pixels of the view, Home and End go to the wave's ends, Page Up and Page Down
// (with Ctrl) move the selection by its own length. Shift moves the first end, Ctrl the
// second, both keys both ends; without them the cursor moves. Returns false for other keys;
// a wave without samples ignores them.
bool WaveViewKey(TUnitWave& document, const TWaveViewGeometry& geometry, std::uint8_t key,
                 TInputModifiers modifiers);

// Status panel 1 for the pointer at (x, y) over the waveform: "(" duration ", " value " %)",
// the value running from +100 at the top to -100 at the bottom of each channel's band.
std::string WavePositionText(const TWaveViewGeometry& geometry, int freq, int channels, int x,
                             int y);

}  // namespace kalvora
