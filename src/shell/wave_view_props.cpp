#include "shell/wave_view_props.h"

namespace kalvora {

void TWaveViewProps::BlendToward(platform::Color background, double s) {
    for (platform::Color* colour :
         {&BackgroundColor, &SingleColor, &LeftColor, &RightColor, &CursorColor, &GridColor}) {
        *colour = platform::BlendColor(background, *colour, s);
    }
}

bool operator==(const TWaveViewProps& a, const TWaveViewProps& b) {
    return a.DrawStyle == b.DrawStyle && a.Distribution == b.Distribution &&
           a.ValuesPerPixel == b.ValuesPerPixel && a.UseGrid == b.UseGrid &&
           a.GridColor == b.GridColor && a.CursorColor == b.CursorColor &&
           a.Strength == b.Strength && a.BackgroundColor == b.BackgroundColor &&
           a.SingleColor == b.SingleColor && a.DrawSingle == b.DrawSingle &&
           a.LeftColor == b.LeftColor && a.RightColor == b.RightColor && a.Front == b.Front &&
           a.DrawEnvelope == b.DrawEnvelope && a.EnvelopeStrength == b.EnvelopeStrength &&
           a.EnvelopeName == b.EnvelopeName;
}

}  // namespace kalvora
