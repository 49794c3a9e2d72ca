#include "volume/vold_view_props.h"

#include <cmath>

#include "volume/volume_array.h"

namespace kalvora {

bool TVoldViewProps::Equals(const TVoldViewProps& other) const {
    return Sensitivity == other.Sensitivity && YScale == other.YScale &&
           DrawSingle == other.DrawSingle && BackgroundColor == other.BackgroundColor &&
           SingleColor == other.SingleColor && LeftColor == other.LeftColor &&
           RightColor == other.RightColor && CursorColor == other.CursorColor &&
           Strength == other.Strength && TimeTop == other.TimeTop &&
           TimeBottom == other.TimeBottom && XResolution == other.XResolution &&
           YResolution == other.YResolution && YWidth == other.YWidth &&
           UseColorPalette1D == other.UseColorPalette1D &&
           ColorPalette1D.SameStops(other.ColorPalette1D);
}

bool TVoldViewProps::NeedsRecompute(const TVoldViewProps& other) const {
    return YScale != other.YScale || TimeTop != other.TimeTop || TimeBottom != other.TimeBottom ||
           XResolution != other.XResolution || YResolution != other.YResolution ||
           YWidth != other.YWidth;
}

void TVoldViewProps::BlendToward(Color a, double s) {
    for (Color* color : {&BackgroundColor, &SingleColor, &LeftColor, &RightColor, &CursorColor}) {
        *color = platform::BlendColor(a, *color, s);
    }
    ColorPalette1D.BlendToward(a, s);
}

double TVoldViewProps::PeriodAt(double t) const {
    const double top = TimeTop;
    const double bottom = TimeBottom;
    switch (YScale) {
        case YLog:
            return bottom * std::pow(top / bottom, t);
        case YLinTime:
            return bottom + t * (top - bottom);
        default:
            return 1.0 / (1.0 / bottom + t * (1.0 / top - 1.0 / bottom));
    }
}

std::optional<std::string> TVoldViewProps::Problem(double freq) const {
    const std::string positive = "Value must be positive and more than 0.";
    if (!(TimeTop > 0.0)) return "In Top Frequency: " + positive;
    if (TimeTop < 1.0 / freq) return "Top Frequency may not be higher than the sample Frequency.";
    if (!(TimeBottom > 0.0)) return "In Bottom Frequency: " + positive;
    if (TimeTop == TimeBottom) return "Top Frequency and Bottom Frequency must be different.";
    if (TimeBottom < 1.0 / freq) {
        return "Bottom Frequency may not be higher than the sample Frequency.";
    }
    if (!(Strength > 0.0)) return "In Strength: " + positive;
    if (auto problem = VolumeResolutionProblem(XResolution, YResolution)) return problem;
    if (!(YWidth > 0.0)) return "In Frequency Width: " + positive;
    return std::nullopt;
}

}  // namespace kalvora
