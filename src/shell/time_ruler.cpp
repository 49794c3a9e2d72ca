#include "shell/time_ruler.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "shell/wave_painter.h"

namespace kalvora {
namespace {

// Decimals that show a multiple of step exactly: 0 for steps of a second and more.
int DecimalsOf(double step) {
    if (step >= 1.0) return 0;
    return std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)), 0, 9);
}

// Steps of labels: multiples of the tick step of 1, 2, 5, 10, 20, 50 ... ticks.
long long LabelEvery(double step, double pixelsPerSecond, int labelSpacing) {
    const double pixelsPerTick = step * pixelsPerSecond;
    if (pixelsPerTick <= 0.0) return 1;
    long long every = 1;
    const long long factors[] = {2, 5, 10};
    long long decade = 1;
    while (static_cast<double>(every) * pixelsPerTick < labelSpacing && every < (1LL << 40)) {
        for (long long factor : factors) {
            every = decade * factor;
            if (static_cast<double>(every) * pixelsPerTick >= labelSpacing) break;
        }
        decade *= 10;
    }
    return every;
}

}  // namespace

std::string RulerLabel(double seconds, double step) {
    const int decimals = DecimalsOf(step);
    // Rounded once to the shown precision, so that 59.96 with one decimal reads "1:00.0".
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(std::max(0.0, seconds) * scale) / scale;
    char text[64];
    if (rounded < 60.0) {
        std::snprintf(text, sizeof text, "%.*f", decimals, rounded);
    } else {
        const auto minutes = static_cast<long long>(rounded / 60.0);
        const double rest = rounded - static_cast<double>(minutes) * 60.0;
        std::snprintf(text, sizeof text, "%lld:%0*.*f", minutes, decimals > 0 ? decimals + 3 : 2,
                      decimals, rest);
    }
    return text;
}

TRulerScale RulerScale(const TSampleMapping& mapping, double freq, int labelSpacing) {
    TRulerScale scale;
    const int width = mapping.right - mapping.left;
    if (width <= 1 || freq <= 0.0 || mapping.last <= mapping.first) return scale;
    // The grid's step: the round time that 20 columns cover.
    scale.step = NiceStep(((mapping.last - mapping.first) / freq) / (0.05 * width));
    if (scale.step <= 0.0) return scale;
    const double pixelsPerSecond = width / ((mapping.last - mapping.first) / freq);
    const long long every = LabelEvery(scale.step, pixelsPerSecond, labelSpacing);
    const double firstTime = mapping.TimeAtPixel(mapping.left, freq);
    const double lastTime = mapping.TimeAtPixel(mapping.right, freq);
    for (auto k = static_cast<long long>(std::ceil(firstTime / scale.step - 1e-9));
         static_cast<double>(k) * scale.step < lastTime; ++k) {
        const double time = static_cast<double>(k) * scale.step;
        TRulerTick tick;
        tick.x = mapping.left + static_cast<int>(std::lround((time - firstTime) * pixelsPerSecond));
        if (tick.x >= mapping.right) break;
        tick.labelled = k % every == 0;
        if (tick.labelled) tick.label = RulerLabel(time, scale.step * static_cast<double>(every));
        scale.ticks.push_back(std::move(tick));
    }
    return scale;
}

}  // namespace kalvora
