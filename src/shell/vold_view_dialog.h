// TVoldViewDialog: the model of the dialog "Volume Diagram" for one wave window. The Qt
// dialog copies check boxes, colour boxes and radio groups straight into Settings and the
// texts of its edits into the text fields; Accept makes the dialog's checks in its order and
// words. Core code: value types, messages and TVoldViewProps only.
#pragma once

#include <string>

#include "volume/vold_view_props.h"

namespace kalvora {

class TVoldViewDialog {
  public:
    // Copies props (the palette into Settings as the working copy) for a sound of `channels`
    // channels and freq samples per second, shown in views viewHeight pixels high and
    // viewWidthSum pixels wide together. Top and bottom periods shorter than 2/freq are raised
    // to it, so no frequency above half the sample rate is offered.
    TVoldViewDialog(const TVoldViewProps& props, int channels, double freq, int viewHeight,
                    int viewWidthSum);

    TVoldViewProps Settings;
    std::string HorizontalText;  // "Horizontal"
    std::string VerticalText;    // "Vertical"
    std::string TopText;         // "Top", in its unit (kilohertz at first)
    std::string BottomText;      // "Bottom", in its unit (hertz at first)
    std::string WidthText;       // "Width"
    std::string StrengthText;    // "Strength"
    bool UseAsDefault = false;

    // "< Window" beside Horizontal: the views' widths together.
    void HorizontalFromWindow();
    // "< Window" beside Vertical: the view height, halved (rounded up) for two single
    // diagrams of a stereo sound.
    void VerticalFromWindow();
    // The palette dialog closed with OK: its palette becomes the working one and
    // "Use Palette for Single Diagrams" is ticked.
    void TakePalette(const TColorPalette1DItem& palette);

    // OK: the checks with one shared flag, the first problem shown under "Input Error". On
    // success Settings holds the result and, with "Use As Default", defaults becomes a copy;
    // on failure defaults is untouched and the dialog stays open.
    bool Accept(TVoldViewProps& defaults);

  private:
    int channels_;
    double freq_;
    int viewHeight_;
    int viewWidthSum_;
};

}  // namespace kalvora
