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
    TopText = unitTimePosMore(Settings.TimeTop, Settings.TimeTopUnit).GetText();
    BottomText = unitTimePosMore(Settings.TimeBottom, Settings.TimeBottomUnit).GetText();
    WidthText = unitFactorPosMore(Settings.YWidth, Settings.YWidthUnit).GetText();
    StrengthText = unitFactorPosMore(Settings.Strength, Settings.StrengthUnit).GetText();
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
    unitTimePosMore top(Settings.TimeTop, Settings.TimeTopUnit);
    top.Check(ok, TopText, "Top Frequency");
    if (ok && top.GetValue() < 1.0 / freq_) {
        Refuse(ok, "Top Frequency may not be higher than the sample Frequency.");
    }
    unitTimePosMore bottom(Settings.TimeBottom, Settings.TimeBottomUnit);
    bottom.Check(ok, BottomText, "Bottom Frequency");
    if (ok && top.GetValue() == bottom.GetValue()) {
        Refuse(ok, "Top Frequency and Bottom Frequency must be different.");
    }
    if (ok && bottom.GetValue() < 1.0 / freq_) {
        Refuse(ok, "Bottom Frequency may not be higher than the sample Frequency.");
    }
    unitFactorPosMore strength(Settings.Strength, Settings.StrengthUnit);
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
    unitFactorPosMore width(Settings.YWidth, Settings.YWidthUnit);
    width.Check(ok, WidthText, "Frequency Width");
    if (!ok) return false;
    Settings.TimeTop = top.GetValue();
    Settings.TimeTopUnit = top.GetDisplayUnit();
    Settings.TimeBottom = bottom.GetValue();
    Settings.TimeBottomUnit = bottom.GetDisplayUnit();
    Settings.Strength = strength.GetValue();
    Settings.StrengthUnit = strength.GetDisplayUnit();
    Settings.XResolution = xResolution.GetValue();
    Settings.YResolution = yResolution.GetValue();
    Settings.YWidth = width.GetValue();
    Settings.YWidthUnit = width.GetDisplayUnit();
    if (UseAsDefault) defaults = Settings;
    return true;
}

}  // namespace kalvora
