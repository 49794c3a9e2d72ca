#include "platform/color.h"

namespace kalvora::platform {

int BlendChannel(int from, int to, double s) {
    const double mixed = (1.0 - s) * from + s * to;
    // Clamp before converting: a huge strength (or NaN) must not reach an out-of-range
    // conversion.
    if (!(mixed > 0.0)) return 0;
    if (mixed >= 255.0) return 255;
    return static_cast<int>(mixed);
}

Color BlendColor(Color from, Color to, double s) {
    return MakeColor(BlendChannel(RedOf(from), RedOf(to), s),
                     BlendChannel(GreenOf(from), GreenOf(to), s),
                     BlendChannel(BlueOf(from), BlueOf(to), s));
}

}  // namespace kalvora::platform
