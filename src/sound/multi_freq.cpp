// Sums of decaying partials read from the sinus table or from a wave form.
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/assertion.h"
#include "sound/generated_part.h"
#include "sound/sample.h"
#include "sound/sound.h"
#include "sound/wave.h"

namespace kalvora {
namespace {

// One partial while it is being generated: where it reads the source and how loud it is.
struct PartialState {
    double position;
    double step;
    double volume;
    double decay;
};

// Reads a source wave of n >= 2 samples whose first n - 1 samples are one period.
class PeriodReader {
  public:
    explicit PeriodReader(const Wave& source)
        : samples_(source.wave), last_(source.values - 1), wrap_(source.values - 1) {}

    // The interpolated value at x, or 0 outside 0 .. n - 1. At x = n - 1 the sample before
    // the last is weighted 0, so that both neighbours always lie inside the wave.
    double At(double x) const {
        if (!(x >= 0 && x <= wrap_)) return 0;
        const auto i = std::min(static_cast<std::int32_t>(x), last_ - 1);
        const double f = x - i;
        return (1 - f) * samples_[i] + f * samples_[i + 1];
    }

    // Advances a position by step and wraps it into 0 .. n - 1 (a period of n - 1).
    double Advance(double x, double step) const {
        x += step;
        if (x >= wrap_) {
            x -= wrap_;
            if (x >= wrap_) x = std::fmod(x, wrap_);  // steps of more than a period
        }
        return x;
    }

  private:
    const std::int16_t* samples_;
    std::int32_t last_;
    double wrap_;
};

std::vector<SamplePartial> InSamples(std::span<const FreqPartial> partials, std::int32_t freq) {
    std::vector<SamplePartial> result;
    result.reserve(partials.size());
    for (const FreqPartial& partial : partials) {
        KALVORA_ASSERT(partial.period > 0 && partial.volumeFactorTime > 0);
        result.push_back({partial.startVolume, freq * partial.period, partial.startAngle,
                          std::pow(partial.volumeFactor, 1 / (freq * partial.volumeFactorTime))});
    }
    return result;
}

}  // namespace

std::unique_ptr<Wave> Wave::multiFreq(ErrorFlag* error, const Wave& source,
                                      std::span<const SamplePartial> partials, std::int32_t n,
                                      std::int32_t& begin, std::int32_t& end) const {
    KALVORA_ASSERT(source.values >= 2 && n >= 0 && !partials.empty());
    const double values = source.values;
    std::vector<PartialState> states;
    states.reserve(partials.size());
    for (const SamplePartial& partial : partials) {
        KALVORA_ASSERT(partial.period > 0 && partial.startAngle >= 0 && partial.startAngle < 1);
        states.push_back({values * partial.startAngle, values / partial.period, partial.startVolume,
                          partial.decay});
    }
    const PeriodReader reader(source);
    // Partial by partial over each run: every partial's volume and position follow their
    // own chain, and a sample sums the partials in their order, as sample by sample.
    return generated::Generate(error, *this, begin, end, n,
                               [&](std::int16_t* target, std::int64_t first, std::int64_t last) {
                                   std::fill(target + first, target + last, std::int16_t{0});
                                   for (PartialState& state : states) {
                                       double position = state.position;
                                       double volume = state.volume;
                                       for (std::int64_t k = first; k < last; ++k) {
                                           target[k] =
                                               ToSample(reader.At(position) * volume + target[k]);
                                           volume *= state.decay;
                                           position = reader.Advance(position, state.step);
                                       }
                                       state.position = position;
                                       state.volume = volume;
                                   }
                               });
}

std::unique_ptr<Sound> Sound::MultiFreq(ErrorFlag* error, double length,
                                        std::span<const FreqPartial> partials, std::int32_t& begin,
                                        std::int32_t& end) const {
    KALVORA_ASSERT(sinus.values == kSinusValues);
    if (ErrorIsSet(error)) return nullptr;
    const std::int32_t n = generated::SampleCount(error, Freq * length);
    if (n < 0) return nullptr;
    const auto inSamples = InSamples(partials, Freq);
    return generated::SameInEveryChannel(
        error, *this, begin, end, [&](const Wave& wave, std::int32_t& b, std::int32_t& e) {
            return wave.multiFreq(error, sinus, inSamples, n, b, e);
        });
}

std::unique_ptr<Sound> Sound::MultiFreqEnvelope(ErrorFlag* error, double length,
                                                std::span<const FreqPartial> partials,
                                                const Sound& waveForm, std::int32_t& begin,
                                                std::int32_t& end) const {
    KALVORA_ASSERT(waveForm.GetValues() >= 2);
    if (ErrorIsSet(error)) return nullptr;
    const std::int32_t n = generated::SampleCount(error, Freq * length);
    if (n < 0) return nullptr;
    const ChannelWave source = waveForm.GetMonoWave(error);
    if (!source) return nullptr;
    const auto inSamples = InSamples(partials, Freq);
    return generated::SameInEveryChannel(
        error, *this, begin, end, [&](const Wave& wave, std::int32_t& b, std::int32_t& e) {
            return wave.multiFreq(error, *source, inSamples, n, b, e);
        });
}

}  // namespace kalvora
