// The two wave-form players: the repeat wave form and the roll-out wave form.
#include <algorithm>
#include <cmath>

#include "music/one_player_plan.h"
#include "music/player_sound_support.h"

namespace kalvora {
namespace {

// The copies of a stretched cycle laid end to end: copy k starts at trunc(k·T·R) and runs
// up to the start of the next one, so the cycles follow each other without gaps or
// overlaps although a period is rarely a whole number of samples.
class CycleLayout {
  public:
    explicit CycleLayout(double periodSamples) : period_(periodSamples) {}

    std::int64_t StartOf(std::int64_t k) const {
        return static_cast<std::int64_t>(static_cast<double>(k) * period_);
    }
    // The copy that output sample j belongs to.
    std::int64_t CopyAt(std::int64_t j, std::int64_t guess) const {
        std::int64_t k = guess;
        while (StartOf(k + 1) <= j)
            ++k;
        while (k > 0 && StartOf(k) > j)
            --k;
        return k;
    }

  private:
    double period_;
};

std::unique_ptr<Wave> LayCycles(ErrorFlag* error, const Wave& channel, std::int32_t cycleLength,
                                double periodSamples, std::int32_t n) {
    std::int32_t begin = 0;
    std::int32_t end = channel.values;
    const std::unique_ptr<Wave> cycle = channel.stretchPart(error, cycleLength, false, begin, end);
    if (cycle == nullptr) return nullptr;
    auto result = std::make_unique<Wave>(error, n);
    if (ErrorIsSet(error)) return nullptr;
    // A period shorter than a sample starts a copy at every sample: each holds only the
    // cycle's first sample.
    if (periodSamples < 1) {
        std::fill(result->wave, result->wave + n, cycle->wave[0]);
        return result;
    }
    const CycleLayout layout(periodSamples);
    std::int64_t k = 0;
    ForEachRun(error, 0, n, [&](std::int64_t first, std::int64_t stop) {
        for (std::int64_t j = first; j < stop; ++j) {
            k = layout.CopyAt(j, k);
            const std::int64_t offset =
                std::min<std::int64_t>(j - layout.StartOf(k), cycleLength - 1);
            result->wave[j] = cycle->wave[offset];
        }
    });
    return ErrorIsSet(error) ? nullptr : std::move(result);
}

}  // namespace

std::unique_ptr<Sound> MakeRepeatWaveFormSound(const TOnePlayerPlan& plan, ErrorFlag* error) {
    // The echo count and the grown wave both fit when the planned length does.
    if (!SampleCountFits(error, plan.OutputSamples)) return nullptr;
    const Sound& sample = *plan.Sample.SampleSound;
    const std::unique_ptr<Sound> scaled = sample.Scale(error, plan.Gain, 0, sample.GetValues());
    if (scaled == nullptr) return nullptr;
    std::int32_t begin = 0;
    std::int32_t end = scaled->GetValues();
    return scaled->PeriodEcho(error, plan.Period, 1.0, static_cast<std::int32_t>(plan.Repeats),
                              begin, end);
}

std::unique_ptr<Sound> MakeRollOutWaveFormSound(const TOnePlayerPlan& plan, ErrorFlag* error) {
    if (!SampleCountFits(error, plan.OutputSamples)) return nullptr;
    const Sound& sample = *plan.Sample.SampleSound;
    const double periodSamples = plan.Period * sample.Freq;
    // One period, rounded up to whole samples so that no copy runs short.
    const double cycleLength = std::trunc(periodSamples + 1);
    if (!SampleCountFits(error, cycleLength)) return nullptr;
    const auto n = static_cast<std::int32_t>(plan.OutputSamples);
    return SoundFromChannels(sample, error, [&](const Wave& channel) {
        return LayCycles(error, channel, static_cast<std::int32_t>(cycleLength), periodSamples, n);
    });
}

}  // namespace kalvora
