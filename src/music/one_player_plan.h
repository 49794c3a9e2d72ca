// What a one-player will make of one note, worked out before any sample is touched: the
// sample wave it plays, the period after the frequency raise, the resampling ratio, the
// repeat count and the offsets. The offsets come from the plan alone, so the extent pass
// costs no sound; the sound makers follow the same plan. Standard C++ only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "music/music_kinds.h"
#include "music/note_synthesis.h"

namespace kalvora {

struct TOnePlayerPlan {
    TNotePlayerKind Kind = notePlayerNone;
    bool Sounds = false;  // false: the player makes no sound for this note
    TSampleWave Sample;
    double Period = 0;    // seconds, after the frequency raise
    double Duration = 0;  // the note's sounding time D, seconds
    double Ratio = 1;     // resampling ratio r (simple and roll-out sampler)
    // Repetitions of the middle piece (samplers), echoes (repeat wave form) or cycles
    // (roll-out wave form). Held as a real number: it is checked against what a wave can
    // hold before it is used as a count.
    double Repeats = 0;
    double Volume = 1;  // the factor the caller mixes the sound with
    double Gain = 1;    // applied to the sample before it is repeated (repeat wave form)
    double ResFactor = 0;
    // The length in samples (at the sample's rate) of the sound the player returns.
    double OutputSamples = 0;
    TPlayerOffsets Offsets;
};

// False when the sample wave cannot be found ("Cannot find window "<name>"." appended).
bool PlanOnePlayer(const TOnePlayer& player, const TNoteRequest& note,
                   const TSynthesisContext& context, TOnePlayerPlan& plan, std::string& errorText);

// The sound of a plan that sounds; null when the flag is set (a sound too long for a wave is
// reported as exhausted memory and sets it).
std::unique_ptr<Sound> MakeSimpleSamplerSound(const TOnePlayerPlan& plan, ErrorFlag* error);
std::unique_ptr<Sound> MakeRollOutSamplerSound(const TOnePlayerPlan& plan, ErrorFlag* error);
std::unique_ptr<Sound> MakeResonantSamplerSound(const TOnePlayerPlan& plan, ErrorFlag* error);
std::unique_ptr<Sound> MakeRepeatWaveFormSound(const TOnePlayerPlan& plan, ErrorFlag* error);
std::unique_ptr<Sound> MakeRollOutWaveFormSound(const TOnePlayerPlan& plan, ErrorFlag* error);

// The number of samples resampling count samples by ratio gives: trunc(|ratio|·(count - 1)
// + 1), 0 for an empty input (the rule of the wave's resampling).
double ResampledCount(double count, double ratio);

// Whether a count of samples fits in one wave; when not, the failure is reported as
// exhausted memory and the flag set.
bool SampleCountFits(ErrorFlag* error, double count);

}  // namespace kalvora
