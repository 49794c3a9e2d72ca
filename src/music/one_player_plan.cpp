#include "music/one_player_plan.h"

#include <cmath>
#include <limits>

#include "music/one_player.h"
#include "sound/sample_memory.h"

namespace kalvora {
namespace {

// The period after adding FreqUp to the note's frequency; 0 when that frequency is not
// positive (the player is then silent).
double RaisedPeriod(double period, double freqUp) {
    const double frequency = 1.0 / period + freqUp;
    if (!(frequency > 0) || !std::isfinite(frequency)) return 0;
    const double raised = 1.0 / frequency;
    return std::isfinite(raised) && raised > 0 ? raised : 0;
}

double SampleRate(const TOnePlayerPlan& plan) {
    return plan.Sample.SampleSound->Freq;
}

double SampleLength(const TOnePlayerPlan& plan) {
    return plan.Sample.SampleSound->GetValues();
}

// One playback of the whole sample at the note's pitch.
void PlanSimpleSampler(const TOnePlayerProps& props, TOnePlayerPlan& plan) {
    plan.Ratio = plan.Period / props.SimpleSamplerProps.BasicFreq.GetValue();
    plan.OutputSamples = ResampledCount(SampleLength(plan), plan.Ratio);
    plan.Sounds = plan.OutputSamples > 0 && std::isfinite(plan.OutputSamples);
    plan.Offsets = {0, plan.OutputSamples / SampleRate(plan)};
}

// The number of middle pieces of pieceSeconds that fill the note: floor(D / p + 0.5).
double PieceRepeats(double duration, double pieceSeconds) {
    return std::floor(duration / pieceSeconds + 0.5);
}

// Attack, N middle pieces and tail, resampled by r (held in single precision).
void PlanRollOutSampler(const TOnePlayerProps& props, TOnePlayerPlan& plan) {
    const float ratio =
        static_cast<float>(plan.Period / props.RollOutSamplerProps.BasicFreq.GetValue());
    const double rate = SampleRate(plan);
    const double piece = plan.Sample.End - plan.Sample.Begin;
    if (!(ratio > 0) || !std::isfinite(ratio) || piece <= 0) return;
    plan.Ratio = ratio;
    const double pieceSeconds = piece * plan.Ratio / rate;
    plan.Repeats = PieceRepeats(plan.Duration, pieceSeconds);
    const double tail = SampleLength(plan) - plan.Sample.End;
    const double rolled = plan.Sample.Begin + plan.Repeats * piece + tail;
    plan.OutputSamples = ResampledCount(rolled, plan.Ratio);
    plan.Sounds = plan.OutputSamples > 0 && std::isfinite(plan.OutputSamples);
    const double start = plan.Sample.Begin * plan.Ratio / rate;
    // The resampled sound can be up to one sample longer than r times the rolled-out one.
    const double end = std::max(pieceSeconds * plan.Repeats + plan.Ratio * tail / rate,
                                plan.OutputSamples / rate - start);
    plan.Offsets = {start, end};
}

// Attack, N middle pieces and tail at the sample's own speed, filtered at the note's pitch.
void PlanResonantSampler(const TOnePlayerProps& props, TOnePlayerPlan& plan) {
    const double rate = SampleRate(plan);
    const double piece = plan.Sample.End - plan.Sample.Begin;
    if (piece <= 0) return;
    const double pieceSeconds = piece / rate;
    plan.ResFactor = props.ResonantSamplerProps.ResFactor.GetValue();
    plan.Repeats = PieceRepeats(plan.Duration, pieceSeconds);
    const double tail = SampleLength(plan) - plan.Sample.End;
    plan.OutputSamples = plan.Sample.Begin + plan.Repeats * piece + tail;
    plan.Sounds = plan.OutputSamples > 0 && std::isfinite(plan.OutputSamples);
    plan.Offsets = {plan.Sample.Begin / rate, pieceSeconds * plan.Repeats + tail / rate};
}

// The wave form at 0, T, 2T, ... nT (the period echo of the whole sample), sounding from
// the note's start.
void PlanRepeatWaveForm(TOnePlayerPlan& plan) {
    const double rate = SampleRate(plan);
    plan.Repeats = std::floor(plan.Duration / plan.Period + 1.5);
    // The period echo's delay in samples and the region it fills: the sample plus
    // trunc(delay + 1) per echo.
    const double delay = rate * plan.Period;
    plan.OutputSamples = SampleLength(plan) + plan.Repeats * std::trunc(delay + 1);
    plan.Sounds = plan.Repeats >= 1 && std::isfinite(plan.OutputSamples);
    // The volume is applied before repeating; the sound is mixed as it comes.
    plan.Gain = plan.Volume;
    plan.Volume = 1.0;
    plan.Offsets = {0, plan.OutputSamples / rate};
}

// n whole cycles of the sample stretched to one period, end to end.
void PlanRollOutWaveForm(TOnePlayerPlan& plan) {
    const double rate = SampleRate(plan);
    plan.Repeats = std::floor(plan.Duration / plan.Period);
    plan.OutputSamples = std::trunc(plan.Repeats * plan.Period * rate);
    plan.Sounds = plan.OutputSamples > 0 && std::isfinite(plan.OutputSamples);
    plan.Offsets = {0, plan.Duration};
}

}  // namespace

double ResampledCount(double count, double ratio) {
    if (count <= 0) return 0;
    const double length = std::fabs(ratio) * (count - 1) + 1;
    return length >= 1 ? std::trunc(length) : 0;
}

bool SampleCountFits(ErrorFlag* error, double count) {
    if (count >= 0 && count <= std::numeric_limits<std::int32_t>::max()) return true;
    ReportAllocationFailure(error);
    return false;
}

bool PlanOnePlayer(const TOnePlayer& player, const TNoteRequest& note,
                   const TSynthesisContext& context, TOnePlayerPlan& plan, std::string& errorText) {
    plan = TOnePlayerPlan{};
    const TOnePlayerProps& props = player.OnePlayerProps;
    const unitUnitWave* reference = props.ActiveSampleWave();
    if (reference == nullptr) return true;  // no kind chosen: silent
    if (!context.Waves.Find(reference->GetName(), plan.Sample)) {
        errorText.append("Cannot find window \"").append(reference->GetName()).append("\".");
        return false;
    }
    plan.Kind = player.GetNotePlayerKind();
    plan.Volume = props.VolumeFactor.GetValue();
    plan.Period = RaisedPeriod(note.Period, props.FreqUp.GetValue());
    plan.Duration = std::max(0.0, note.Duration());
    if (plan.Period <= 0 || !std::isfinite(plan.Duration) || SampleLength(plan) == 0) return true;
    switch (plan.Kind) {
        case notePlayerSimpleSampler:
            PlanSimpleSampler(props, plan);
            break;
        case notePlayerRollOutSampler:
            PlanRollOutSampler(props, plan);
            break;
        case notePlayerResonantSampler:
            PlanResonantSampler(props, plan);
            break;
        case notePlayerRepeatWaveForm:
            PlanRepeatWaveForm(plan);
            break;
        case notePlayerRollOutWaveForm:
            PlanRollOutWaveForm(plan);
            break;
        default:
            break;
    }
    if (!plan.Sounds || !std::isfinite(plan.Offsets.Start) || !std::isfinite(plan.Offsets.End)) {
        plan.Sounds = false;
        plan.Offsets = {};
    }
    return true;
}

}  // namespace kalvora
