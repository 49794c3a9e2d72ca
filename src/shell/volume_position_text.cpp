#include "shell/volume_position_text.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "documents/unit_factor.h"
#include "documents/writers.h"

namespace kalvora {
namespace {

// The cell of array under column position s (0 .. 1 across the wave) and height t (0 at
// the bottom, 1 at the top), when its column is complete.
std::optional<float> CellUnder(const TVolumeArray* array, double s, double t) {
    if (array == nullptr || array->GetWidth() <= 0 || array->GetHeight() <= 0) return {};
    const double column = std::clamp(s * array->GetWidth(), 0.0, array->GetWidth() - 1.0);
    const double row = std::clamp((1.0 - t) * array->GetHeight(), 0.0, array->GetHeight() - 1.0);
    const auto x = static_cast<std::int32_t>(column);
    if (x >= array->GetFilled()) return {};
    return array->GetVolume(x, static_cast<std::int32_t>(row));
}

std::string ValueText(float v) {
    if (v == 0.0f) return "0";
    return unitFactorPos(v, DisplayUnit::decibel).GetText();
}

}  // namespace

std::string VolumePositionText(const TWaveViewGeometry& geometry, int freq,
                               const TVolumeArrays& arrays, const TVoldViewProps& settings,
                               std::int32_t n, int x, int y) {
    const platform::Rect& client = geometry.Client();
    const double seconds = freq > 0 ? geometry.TimeAtPixel(x, freq) : 0.0;
    const double h = (client.bottom - 1) - client.top;
    double t = h > 0 ? std::clamp(((client.bottom - 1) - y) / h, 0.0, 1.0) : 0.0;
    const bool stereo = arrays.MoSt == 2;
    const bool split = stereo && settings.DrawSingle != 0;
    bool upper = false;
    if (split) {
        t *= 2;
        upper = t > 1;
        if (upper) t -= 1;
    }
    std::string text =
        "(" + WriteDuration(seconds) + ", " + WriteFrequency(1.0 / settings.PeriodAt(t), 4) + " )";
    if (n <= 0) return text;
    const double s = static_cast<double>(geometry.SampleIndexAtPixel(x)) / n;
    if (!stereo) {
        if (auto v = CellUnder(arrays.Single, s, t)) text += ": " + ValueText(*v);
    } else if (split) {
        if (auto v = CellUnder(upper ? arrays.Left : arrays.Right, s, t))
            text += ": " + ValueText(*v);
    } else {
        auto left = CellUnder(arrays.Left, s, t);
        auto right = CellUnder(arrays.Right, s, t);
        if (left && right) text += ": (" + ValueText(*left) + " ," + ValueText(*right) + ")";
    }
    return text;
}

}  // namespace kalvora
