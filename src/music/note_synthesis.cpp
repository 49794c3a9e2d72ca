#include "music/note_synthesis.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "music/compound_player.h"
#include "music/one_player.h"
#include "music/one_player_plan.h"

namespace kalvora {
namespace {

std::unique_ptr<Sound> MakePlannedSound(const TOnePlayerPlan& plan, ErrorFlag* error) {
    switch (plan.Kind) {
        case notePlayerSimpleSampler:
            return MakeSimpleSamplerSound(plan, error);
        case notePlayerRollOutSampler:
            return MakeRollOutSamplerSound(plan, error);
        case notePlayerResonantSampler:
            return MakeResonantSamplerSound(plan, error);
        case notePlayerRepeatWaveForm:
            return MakeRepeatWaveFormSound(plan, error);
        case notePlayerRollOutWaveForm:
            return MakeRollOutWaveFormSound(plan, error);
        default:
            return nullptr;
    }
}

// A sound with samples, or nothing: silent players and empty results are left out.
bool HasSamples(const std::unique_ptr<Sound>& sound) {
    return sound != nullptr && sound->GetValues() > 0;
}

}  // namespace

std::int64_t SamplePosition(double rate, double seconds) {
    const double position = rate * seconds;
    if (!(position > 0)) return 0;
    if (position >= static_cast<double>(std::numeric_limits<std::int64_t>::max())) {
        return std::numeric_limits<std::int64_t>::max();
    }
    return static_cast<std::int64_t>(position);
}

std::int64_t BufferSamples(double rate, double seconds) {
    if (!std::isfinite(seconds)) return -1;
    const double count = rate * std::max(0.0, seconds) + 1;
    if (!(count <= std::numeric_limits<std::int32_t>::max())) return -1;
    return static_cast<std::int64_t>(count);
}

bool GetOnePlayerOffsets(const TOnePlayer& player, const TNoteRequest& note,
                         const TSynthesisContext& context, TPlayerOffsets& offsets,
                         std::string& errorText) {
    TOnePlayerPlan plan;
    if (!PlanOnePlayer(player, note, context, plan, errorText)) return false;
    offsets = plan.Offsets;
    return true;
}

bool GetOnePlayerSound(const TOnePlayer& player, const TNoteRequest& note,
                       const TSynthesisContext& context, TPlayerSound& sound,
                       std::string& errorText) {
    sound = TPlayerSound{};
    TOnePlayerPlan plan;
    if (!PlanOnePlayer(player, note, context, plan, errorText)) return false;
    sound.Volume = plan.Volume;
    if (!plan.Sounds) return !ErrorIsSet(context.Error);
    sound.NoteSound = MakePlannedSound(plan, context.Error);
    if (ErrorIsSet(context.Error)) {
        sound.NoteSound.reset();
        return false;
    }
    if (!HasSamples(sound.NoteSound)) sound.NoteSound.reset();
    return true;
}

bool GetCompoundOffsets(const TCompoundPlayer& player, const TNoteRequest& note,
                        const TSynthesisContext& context, TPlayerOffsets& offsets,
                        std::string& errorText) {
    offsets = TPlayerOffsets{};
    for (const TOnePlayer* one = player.GetStartOnePlayer(); one != nullptr; one = one->Next) {
        TPlayerOffsets own;
        if (!GetOnePlayerOffsets(*one, note, context, own, errorText)) return false;
        offsets.Start = std::max(offsets.Start, own.Start);
        offsets.End = std::max(offsets.End, own.End);
    }
    return true;
}

bool GetCompoundSound(const TCompoundPlayer& player, const TNoteRequest& note,
                      const TSynthesisContext& context, TPlayerSound& sound,
                      std::string& errorText) {
    sound = TPlayerSound{};
    const TOnePlayer* first = player.GetStartOnePlayer();
    if (first != nullptr && first->Next == nullptr) {
        return GetOnePlayerSound(*first, note, context, sound, errorText);
    }
    TPlayerOffsets offsets;
    if (!GetCompoundOffsets(player, note, context, offsets, errorText)) return false;
    const double rate = context.Format.Freq;
    const std::int64_t length = BufferSamples(rate, offsets.Start + offsets.End);
    if (length < 0) {
        SampleCountFits(context.Error, -1);
        return false;
    }
    std::unique_ptr<Sound> buffer = StereoSound(context.Format.Freq, context.Format.BytesPSample)
                                        .MakeSilence(context.Error, static_cast<double>(length));
    if (ErrorIsSet(context.Error)) return false;
    for (const TOnePlayer* one = first; one != nullptr; one = one->Next) {
        TOnePlayerPlan plan;
        if (!PlanOnePlayer(*one, note, context, plan, errorText)) return false;
        if (!plan.Sounds) continue;
        const std::unique_ptr<Sound> own = MakePlannedSound(plan, context.Error);
        if (ErrorIsSet(context.Error)) return false;
        if (!HasSamples(own)) continue;
        const std::int64_t at = SamplePosition(rate, offsets.Start - plan.Offsets.Start);
        if (at >= length) continue;
        buffer->MixAfter(context.Error, *own, static_cast<std::int32_t>(at), plan.Volume);
        if (ErrorIsSet(context.Error)) return false;
    }
    sound.NoteSound = std::move(buffer);
    sound.Volume = 1.0;
    return true;
}

}  // namespace kalvora
