// The three samplers: the simple one, the roll-out sampler and the resonant sampler.
#include <cmath>

#include "music/one_player_plan.h"
#include "music/player_sound_support.h"
#include "music/rolled_out_sample.h"
#include "sound/operation_arguments.h"
#include "sound/sample_memory.h"

namespace kalvora {
namespace {

// Positions along a longer rolled-out sound would no longer be exact in a double.
constexpr double kLongestRolledOut = 4503599627370496.0;  // 2^52

// The period the resonance filter is tuned to: the note's, but never shorter than one
// sample, below which its oscillator diverges. A note above what the sample's rate can
// carry then rings at the highest pitch the rate allows.
double ResonatorPeriod(double period, std::int32_t rate) {
    if (ResonatorPeriodFits(rate, period)) return period;
    double clamped = 1.0 / rate;
    while (!ResonatorPeriodFits(rate, clamped))
        clamped = std::nextafter(clamped, 1.0);
    return clamped;
}

std::unique_ptr<Sound> RolledOut(const TOnePlayerPlan& plan, ErrorFlag* error) {
    const TSampleWave& sample = plan.Sample;
    return SoundFromChannels(*sample.SampleSound, error, [&](const Wave& channel) {
        return RolledOutSample(channel, sample.Begin, sample.End,
                               static_cast<std::int64_t>(plan.Repeats))
            .Build(error);
    });
}

}  // namespace

std::unique_ptr<Sound> MakeSimpleSamplerSound(const TOnePlayerPlan& plan, ErrorFlag* error) {
    if (!SampleCountFits(error, plan.OutputSamples)) return nullptr;
    return plan.Sample.SampleSound->Resample(error, plan.Ratio);
}

std::unique_ptr<Sound> MakeRollOutSamplerSound(const TOnePlayerPlan& plan, ErrorFlag* error) {
    const TSampleWave& sample = plan.Sample;
    const double rolled = sample.Begin + plan.Repeats * (sample.End - sample.Begin) +
                          (sample.SampleSound->GetValues() - sample.End);
    // The rolled-out sound is only read, never held, but its positions must stay exact.
    if (!(rolled <= kLongestRolledOut)) {
        ReportAllocationFailure(error);
        return nullptr;
    }
    if (!SampleCountFits(error, plan.OutputSamples)) return nullptr;
    const auto n = static_cast<std::int32_t>(plan.OutputSamples);
    return SoundFromChannels(*sample.SampleSound, error, [&](const Wave& channel) {
        return RolledOutSample(channel, sample.Begin, sample.End,
                               static_cast<std::int64_t>(plan.Repeats))
            .Resampled(error, n);
    });
}

std::unique_ptr<Sound> MakeResonantSamplerSound(const TOnePlayerPlan& plan, ErrorFlag* error) {
    if (!SampleCountFits(error, plan.OutputSamples)) return nullptr;
    const std::unique_ptr<Sound> rolled = RolledOut(plan, error);
    if (rolled == nullptr) return nullptr;
    const std::int32_t rate = rolled->Freq;
    return rolled->ResNotch(error, ResNotchKind::resonant, ResonatorPeriod(plan.Period, rate),
                            plan.ResFactor, nullptr, nullptr, 0, rolled->GetValues());
}

}  // namespace kalvora
