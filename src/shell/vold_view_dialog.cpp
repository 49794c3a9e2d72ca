// The model of the dialog "Volume Diagram".
#include "shell/vold_view_dialog.h"

#include <algorithm>

#include "documents/unit_factor.h"
#include "documents/unit_integer.h"
#include "documents/unit_time.h"
#include "platform/messages.h"
#include "volume/volume_array.h"

namespace kalvora {
namespace {

void Refuse(bool& ok, const std::string& message) {
    platform::ShowMessage(message, platform::caption::inputError,
                          platform::MessageIcon::information);
    ok = false;
}

}  // namespace

TVoldViewDialog::TVoldViewDialog(const TVoldViewProps& props, int channels, double freq,
                                 int viewHeight, int viewWidthSum)
    : Settings(props),
      channels_(channels),
      freq_(freq),
      viewHeight_(viewHeight),
      viewWidthSum_(viewWidthSum) {
    const double shortest = 2.0 / freq;
    Settings.TimeTop = std::max(Settings.TimeTop, shortest);
    Settings.TimeBottom = std::max(Settings.TimeBottom, shortest);
    HorizontalText = unitIntegerPosMore(Settings.XResolution).GetText();
    VerticalText = unitIntegerPosMore(Settings.YResolution).GetText();
    TopText = unitTimePosMore(Settings.TimeTop, DisplayUnit::kilohertz).GetText();
    BottomText = unitTimePosMore(Settings.TimeBottom, DisplayUnit::hertz).GetText();
    WidthText = unitFactorPosMore(Settings.YWidth, DisplayUnit::none).GetText();
    StrengthText = unitFactorPosMore(Settings.Strength, DisplayUnit::none).GetText();
}

void TVoldViewDialog::HorizontalFromWindow() {
    HorizontalText = std::to_string(viewWidthSum_);
}

void TVoldViewDialog::VerticalFromWindow() {
    const bool twoDiagrams = Settings.DrawSingle != 0 && channels_ == 2;
    VerticalText = std::to_string(twoDiagrams ? (viewHeight_ + 1) / 2 : viewHeight_);
}

void TVoldViewDialog::TakePalette(const TColorPalette1DItem& palette) {
    Settings.ColorPalette1D = palette;
    Settings.UseColorPalette1D = 1;
}

bool TVoldViewDialog::Accept(TVoldViewProps& defaults) {
    bool ok = true;
    unitTimePosMore top(Settings.TimeTop, DisplayUnit::kilohertz);
    top.Check(ok, TopText, "Top Frequency");
    if (ok && top.GetValue() < 1.0 / freq_) {
        Refuse(ok, "Top Frequency may not be higher than the sample Frequency.");
    }
    unitTimePosMore bottom(Settings.TimeBottom, DisplayUnit::hertz);
    bottom.Check(ok, BottomText, "Bottom Frequency");
    if (ok && top.GetValue() == bottom.GetValue()) {
        Refuse(ok, "Top Frequency and Bottom Frequency must be different.");
    }
    if (ok && bottom.GetValue() < 1.0 / freq_) {
        Refuse(ok, "Bottom Frequency may not be higher than the sample Frequency.");
    }
    unitFactorPosMore strength(Settings.Strength, DisplayUnit::none);
    strength.Check(ok, StrengthText, "Strength");
    unitIntegerPosMore xResolution(Settings.XResolution);
    xResolution.Check(ok, HorizontalText, "Horizontal Resolution");
    unitIntegerPosMore yResolution(Settings.YResolution);
    yResolution.Check(ok, VerticalText, "Vertical Resolution");
    if (ok) {
        if (auto problem =
                VolumeResolutionProblem(xResolution.GetValue(), yResolution.GetValue())) {
            Refuse(ok, *problem);
        }
    }
    unitFactorPosMore width(Settings.YWidth, DisplayUnit::none);
    width.Check(ok, WidthText, "Frequency Width");
    if (!ok) return false;
    Settings.TimeTop = top.GetValue();
    Settings.TimeBottom = bottom.GetValue();
    Settings.Strength = strength.GetValue();
    Settings.XResolution = xResolution.GetValue();
    Settings.YResolution = yResolution.GetValue();
    Settings.YWidth = width.GetValue();
    if (UseAsDefault) defaults = Settings;
    return true;
}

}  // namespace kalvora
