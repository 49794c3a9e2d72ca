#include "sound/merge_split.h"

#include <algorithm>
#include <utility>

#include "platform/assertion.h"

namespace kalvora {
namespace {

// A new wave of n zeros.
std::unique_ptr<Wave> Silence(ErrorFlag* error, std::int32_t n) {
    auto silence = std::make_unique<Wave>(error, n);
    if (ErrorIsSet(error)) return nullptr;
    silence->clearPart(error, 0, n);
    return silence;
}

// The mono wave of source at freq, owned by the caller. An empty source gives an empty
// wave without resampling: there is nothing to map to the new rate.
std::unique_ptr<Wave> MonoChannelAt(ErrorFlag* error, const Sound& source, std::int32_t freq) {
    if (ErrorIsSet(error)) return nullptr;
    if (source.GetValues() == 0) return std::make_unique<Wave>();
    return std::move(source.GetMiddleWaveAt(error, freq)).TakeCopy(error);
}

// shorter (or longer) made as long as n by rule; the other wave stays as it is.
std::unique_ptr<Wave> EqualizeShorter(ErrorFlag* error, const Wave& shorter, std::int32_t n,
                                      TMakeLengthsEqual rule) {
    const std::int32_t missing = n - shorter.values;
    std::int32_t begin = 0;
    std::int32_t end = 0;
    switch (rule) {
        case TMakeLengthsEqual::silenceAtBegin:
            return shorter.insertSilence(error, missing, 0, end);
        case TMakeLengthsEqual::silenceAtEnd:
            begin = end = shorter.values;
            return shorter.insertSilence(error, missing, begin, end);
        case TMakeLengthsEqual::stretchShortest:
            if (shorter.values == 0) return Silence(error, n);
            end = shorter.values;
            return shorter.stretchPart(error, n, false, begin, end);
        case TMakeLengthsEqual::stretchLongest:
            break;
    }
    KALVORA_ASSERT(false);
    return nullptr;
}

std::unique_ptr<Wave> ShrinkLonger(ErrorFlag* error, const Wave& longer, std::int32_t n) {
    // The other channel is empty: the longer one becomes empty too.
    if (n == 0) return std::make_unique<Wave>();
    std::int32_t begin = 0;
    std::int32_t end = longer.values;
    return longer.stretchPart(error, n, false, begin, end);
}

// Both waves of equal length by rule; false when the flag is set.
bool MakeLengthsEqual(ErrorFlag* error, std::unique_ptr<Wave>& a, std::unique_ptr<Wave>& b,
                      TMakeLengthsEqual rule) {
    if (a->values == b->values) return !ErrorIsSet(error);
    std::unique_ptr<Wave>& shorter = a->values < b->values ? a : b;
    std::unique_ptr<Wave>& longer = a->values < b->values ? b : a;
    if (rule == TMakeLengthsEqual::stretchLongest) {
        longer = ShrinkLonger(error, *longer, shorter->values);
    } else {
        shorter = EqualizeShorter(error, *shorter, longer->values, rule);
    }
    return a && b && !ErrorIsSet(error);
}

// source converted to the channel kind moSt (a new sound), or null when it has it already.
std::unique_ptr<Sound> ConvertedKind(ErrorFlag* error, const Sound& source, std::int16_t moSt) {
    if (source.MoSt == moSt) return nullptr;
    if (moSt == 1) return std::make_unique<MonoSound>(error, source);
    return std::make_unique<StereoSound>(error, source);
}

}  // namespace

TSplitVerticalSounds SplitVertically(ErrorFlag* error, const Sound& source) {
    KALVORA_ASSERT(source.MoSt == 2);
    if (ErrorIsSet(error)) return {};
    Wave left(error, source.GetLeftWave());
    Wave right(error, source.GetRightWave());
    if (ErrorIsSet(error)) return {};
    return {std::make_unique<MonoSound>(std::move(left), source.Freq, source.BytesPSample),
            std::make_unique<MonoSound>(std::move(right), source.Freq, source.BytesPSample)};
}

std::vector<TSplitRange> SplitHorizontalRanges(std::int32_t n, std::int32_t begin, std::int32_t end,
                                               TSplitHorResult result) {
    KALVORA_ASSERT(0 <= begin && begin <= end && end <= n);
    if (begin == end) return {{0, begin}, {begin, n}};
    switch (result) {
        case TSplitHorResult::threeParts:
            return {{0, begin}, {begin, end}, {end, n}};
        case TSplitHorResult::bothInclusive:
            return {{0, end}, {begin, n}};
        case TSplitHorResult::bothExclusive:
            return {{0, begin}, {end, n}};
    }
    KALVORA_ASSERT(false);
    return {};
}

TSplitCuts SplitCutsOf(const std::vector<TSplitRange>& parts) {
    KALVORA_ASSERT(parts.size() >= 2);
    return {parts.front().end, parts.back().begin};
}

std::vector<std::unique_ptr<Sound>> SplitHorizontally(ErrorFlag* error, const Sound& source,
                                                      const std::vector<TSplitRange>& parts) {
    std::vector<std::unique_ptr<Sound>> sounds;
    for (const TSplitRange& part : parts) {
        std::unique_ptr<Sound> sound = source.Extract(error, part.begin, part.end);
        if (!sound || ErrorIsSet(error)) return {};
        sounds.push_back(std::move(sound));
    }
    return sounds;
}

std::unique_ptr<Sound> MergeHorizontally(ErrorFlag* error, const Sound& first, const Sound& last,
                                         const waveFileProps& format) {
    KALVORA_ASSERT(format.MoSt == 1 || format.MoSt == 2);
    KALVORA_ASSERT(format.Freq > 0);
    if (ErrorIsSet(error)) return nullptr;
    // Kind first, then rate: converting the kind of the sound at its own rate keeps the
    // averaging of a stereo source exact before the resampling.
    auto toFormat = [&](const Sound& source, std::unique_ptr<Sound>& made) -> const Sound* {
        made = ConvertedKind(error, source, format.MoSt);
        const Sound* sound = made ? made.get() : &source;
        if (ErrorIsSet(error)) return nullptr;
        if (sound->Freq != format.Freq) {
            std::unique_ptr<Sound> resampled = sound->ChangeFreq(error, format.Freq);
            made = std::move(resampled);
            sound = made.get();
        }
        return ErrorIsSet(error) ? nullptr : sound;
    };
    std::unique_ptr<Sound> firstMade;
    std::unique_ptr<Sound> lastMade;
    const Sound* f = toFormat(first, firstMade);
    const Sound* l = f ? toFormat(last, lastMade) : nullptr;
    if (!f || !l) return nullptr;
    const std::int32_t n = f->GetValues();
    std::unique_ptr<Sound> merged = f->Replace(error, *l, n, n);
    if (!merged || ErrorIsSet(error)) return nullptr;
    merged->BytesPSample = format.BytesPSample;
    return merged;
}

std::unique_ptr<Sound> MergeVertically(ErrorFlag* error, const Sound& left, const Sound& right,
                                       std::int32_t freq, std::int16_t bytesPSample,
                                       TMakeLengthsEqual rule) {
    KALVORA_ASSERT(freq > 0);
    KALVORA_ASSERT(bytesPSample == 1 || bytesPSample == 2);
    std::unique_ptr<Wave> a = MonoChannelAt(error, left, freq);
    std::unique_ptr<Wave> b = MonoChannelAt(error, right, freq);
    if (!a || !b || ErrorIsSet(error)) return nullptr;
    // The counts at the new rate decide, not the durations: resampling maps n samples to
    // trunc(f·(n - 1) + 1), so equal durations at different rates may differ by one.
    if (!MakeLengthsEqual(error, a, b, rule)) return nullptr;
    return std::make_unique<StereoSound>(std::move(*a), std::move(*b), freq, bytesPSample);
}

}  // namespace kalvora
