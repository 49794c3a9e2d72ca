#include "volume/volume_analysis.h"

#include <algorithm>
#include <cmath>

#include "platform/assertion.h"

namespace kalvora {

namespace {
// 1 / 32768: a peak of a full-scale sample becomes 1.
constexpr float kFullScale = 3.0517578125e-05f;
}  // namespace

TVolumeAnalysis::TVolumeAnalysis(const TResonatorTuning& tuning, const std::int16_t* samples,
                                 std::int32_t count, TVolumeArray& array)
    : bank_(tuning),
      samples_(samples),
      count_(count),
      array_(array),
      step_((static_cast<double>(array.GetWidth()) + 1.0) / static_cast<double>(count)) {
    KALVORA_ASSERT(count >= 1 && samples != nullptr);
    KALVORA_ASSERT(array.GetHeight() == tuning.bands);
}

double TVolumeAnalysis::Position() const {
    return -1.0 + static_cast<double>(cursor_) * step_;
}

void TVolumeAnalysis::ProcessChunk() {
    const std::int32_t end = std::min(count_, cursor_ + kChunkSamples);
    // The bank runs over stretches of samples that complete no column, then the sample
    // that completes one.
    std::int32_t stretch = cursor_;
    for (std::int32_t k = cursor_; k < end; ++k) {
        const double position = -1.0 + static_cast<double>(k + 1) * step_;
        const auto column = static_cast<std::int64_t>(position);  // toward zero
        if (column > lastColumn_) {
            bank_.Resonate(samples_ + stretch, k + 1 - stretch);
            stretch = k + 1;
            CompleteColumn(column);
        }
    }
    bank_.Resonate(samples_ + stretch, end - stretch);
    cursor_ = end;
}

void TVolumeAnalysis::Run() {
    while (!Finished())
        ProcessChunk();
}

void TVolumeAnalysis::CompleteColumn(std::int64_t column) {
    const auto x = static_cast<std::int32_t>(std::min<std::int64_t>(column, array_.GetWidth()));
    bank_.TakePeaks(
        [&](std::int32_t band, float peak) { array_.SetVolume(x, band, peak * kFullScale); });
    // Columns up to this one are complete. (Not trunc(position + 1): for column 0 the
    // position may be negative, which would leave it unpublished, and position + 1 may
    // round up past a column that is not written yet.)
    array_.SetFilled(static_cast<std::int32_t>(column + 1));
    lastColumn_ = column;
}

}  // namespace kalvora
