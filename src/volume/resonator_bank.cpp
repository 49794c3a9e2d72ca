#include "volume/resonator_bank.h"

#include <algorithm>
#include <cmath>

#include "platform/assertion.h"
#include "volume/vold_view_props.h"

namespace kalvora {

TResonatorTuning TResonatorTuning::From(const TVoldViewProps& settings, double freq) {
    TResonatorTuning tuning;
    tuning.bands = settings.YResolution;
    tuning.freq = freq;
    const double shortest = 2.0 / freq;
    tuning.timeTop = std::max(settings.TimeTop, shortest);
    tuning.timeBottom = std::max(settings.TimeBottom, shortest);
    tuning.width = settings.YWidth;
    tuning.scale = settings.YScale;
    return tuning;
}

TResonatorBank::TResonatorBank(const TResonatorTuning& tuning)
    : bands_(tuning.bands), blocks_((tuning.bands + kLanes - 1) / kLanes) {
    KALVORA_ASSERT(bands_ >= 1);
    const std::size_t lanes = static_cast<std::size_t>(blocks_) * kLanes;
    value_.assign(lanes, 0.0f);
    speed_.assign(lanes, 0.0f);
    volume_.assign(lanes, 0.0f);
    tr_.assign(lanes, 0.0f);    // idle lanes: no oscillation ...
    free_.assign(lanes, 1.0f);  // ... and no input

    // Every named quantity is kept in single precision; each expression is evaluated in
    // double before it is stored.
    const double n = bands_;
    const double f = tuning.freq;
    const double top = tuning.timeTop;
    const double bottom = tuning.timeBottom;
    // Period of the current band in samples. Rounding drift over many bands must not take
    // it below the floor of 2 samples either (or through 0 into negative periods).
    const auto floored = [](float period) { return period >= 2.0f ? period : 2.0f; };
    float g = floored(static_cast<float>(f * top));
    const float ratio = static_cast<float>(std::pow(bottom / top, 1.0 / n));
    const float q = ratio > 1.0f ? ratio : static_cast<float>(1.0 / ratio);
    const float dTime = static_cast<float>(f * (bottom - top) / n);
    float h = static_cast<float>(1.0 / top);
    const float dFreq = static_cast<float>((1.0 / top - 1.0 / bottom) / n);
    for (std::int32_t i = 0; i < bands_; ++i) {
        const std::size_t lane = static_cast<std::size_t>(i);
        tr_[lane] = static_cast<float>(2.466 / g / g);
        float r;  // width factor of this band
        switch (tuning.scale) {
            case TVoldViewProps::YLog:
                g = static_cast<float>(static_cast<double>(g) * ratio);
                r = 1.0f;
                break;
            case TVoldViewProps::YLinTime:
                g = static_cast<float>(static_cast<double>(g) + dTime);
                r = static_cast<float>(n / (3.0 * (i + 1)));
                break;
            default:
                h = static_cast<float>(static_cast<double>(h) - dFreq);
                g = static_cast<float>(f / h);
                r = static_cast<float>(n / (3.0 * (n - i + 1)));
                break;
        }
        g = floored(g);
        const float d = static_cast<float>(1.0 - 1.0 / std::pow(q, tuning.width * r));
        free_[lane] = static_cast<float>(std::pow(1.0 - d, 1.0 / g));
    }
}

void TResonatorBank::SetState(std::int32_t i, float value, float speed, float volume) {
    KALVORA_ASSERT(i >= 0 && i < bands_);
    const std::size_t lane = static_cast<std::size_t>(i);
    value_[lane] = value;
    speed_[lane] = speed;
    volume_[lane] = volume;
}

}  // namespace kalvora
