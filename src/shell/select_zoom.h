// TSelectZoom: the model of the tool window "Select and Zoom": the cursor or the selected
// part and the zoom of both views of the active wave window, in seconds. The Qt window keeps
// the texts of its edits here; Apply checks them in the window's order and words and says
// what to do with the window. Each time field keeps the display unit of the last text it
// read. Core code: value types and messages only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "documents/unit_time.h"
#include "platform/canvas.h"

namespace kalvora {

class TSelectZoom {
  public:
    struct ViewZoom {
        bool Zoomed = false;
        std::string BeginText;
        std::string EndText;
        unitTimePos Begin{0.0, DisplayUnit::second};
        unitTimePosMore End{1.0, DisplayUnit::second};
    };

    bool CursorChosen = true;  // "Cursor", else "Part"
    std::string AtText;
    std::string PartBeginText;
    std::string PartEndText;
    ViewZoom Views[2];  // "Zoom First View", "Zoom Second View"

    // What Apply asks of the wave window. Sample ends are trunc(rate·seconds + 0.5).
    struct Actions {
        std::optional<std::int64_t> Cursor;
        std::optional<std::int64_t> SelectionBegin, SelectionEnd;
        enum class Zoom { keep, unzoom, zoomTo };
        Zoom ViewZoomAction[2] = {Zoom::keep, Zoom::keep};
        std::int64_t ZoomBegin[2] = {0, 0};
        std::int64_t ZoomEnd[2] = {0, 0};  // always beyond ZoomBegin
    };

    // Fills the texts for a wave of `rate` samples per second: the cursor at sample `cursor`
    // without a selection, else the part between the selection's ends.
    void FillSelection(double rate, std::int64_t cursor, std::optional<std::int64_t> otherEnd);
    // Fills one view: zoomed showing the samples first .. last, or not zoomed.
    void FillView(int view, double rate, std::optional<double> first, double last);

    // Apply for a wave of sampleCount samples at `rate` samples per second. A failed value
    // check skips every later check and setting except unzooming the views whose "Zoomed" is
    // clear; a range message does not. Two zoom ends that fall on one sample are widened to
    // one sample.
    Actions Apply(double rate, std::int64_t sampleCount);

  private:
    unitTimePos at_{0.0, DisplayUnit::second};
    unitTimePos partBegin_{0.0, DisplayUnit::second};
    unitTimePosMore partEnd_{1.0, DisplayUnit::second};
};

// Where the tool window goes when it is shown: at the frame's bottom-right corner, moved in
// as far as it takes to keep it on the screen. frame is the frame's outer rectangle, screen
// the screen's size, window the tool window's size; the result is its top-left corner.
platform::Point SelectZoomPlace(const platform::Rect& frame, platform::Size screen,
                                platform::Size window);

}  // namespace kalvora
