#include "sound/operation_arguments.h"

#include <algorithm>
#include <cmath>

#include "platform/assertion.h"

namespace kalvora {

double BlockTimeOf(BlockHorizontalKind kind, std::int32_t count, double time, double S) {
    switch (kind) {
        case BlockHorizontalKind::count:
            return S / count;
        case BlockHorizontalKind::time:
            return time;
        case BlockHorizontalKind::noChange:
            break;
    }
    return 0;
}

std::int32_t BlockLevelsOf(BlockVerticalKind kind, std::int32_t count, std::int32_t height) {
    switch (kind) {
        case BlockVerticalKind::count:
            return count;
        case BlockVerticalKind::height:
            KALVORA_ASSERT(height > 0);
            return 32768 / height;
        case BlockVerticalKind::noChange:
            break;
    }
    return 0;
}

double RotateSecondsOf(bool toRight, bool byFactor, double factor, double time, double S) {
    if (!(S > 0)) return 0;
    double x = byFactor ? factor * S : time;
    if (toRight) x = S - x;
    x = std::fmod(x, S);
    if (x < 0) x += S;
    return x;
}

double RollInSamples(std::int32_t freq, double length) {
    return std::trunc(freq * length);
}

std::int32_t RollInTarget(bool endAt, double startAt, double endAtSeconds, std::int32_t freq,
                          double n, std::int32_t begin, std::int32_t end) {
    KALVORA_ASSERT(n >= 1);
    const double target =
        endAt ? std::trunc(freq * endAtSeconds + begin - end) : std::trunc(freq * startAt);
    double wrapped = std::fmod(target, n);
    if (wrapped < 0) wrapped += n;
    return static_cast<std::int32_t>(wrapped);
}

RollOutArguments RollOutArgumentsOf(RollOutLengthKind kind, double lengthFactor, double newLength,
                                    double sameAsSeconds, double count, double speed,
                                    double startPosition, double S) {
    KALVORA_ASSERT(S > 0 && speed != 0);
    RollOutArguments arguments;
    switch (kind) {
        case RollOutLengthKind::factor:
            arguments.lengthFactor = lengthFactor;
            break;
        case RollOutLengthKind::newLength:
            arguments.lengthFactor = newLength / S;
            break;
        case RollOutLengthKind::sameAs:
            arguments.lengthFactor = sameAsSeconds / S;
            break;
        case RollOutLengthKind::count:
            arguments.lengthFactor = count / std::fabs(speed);
            break;
    }
    arguments.start = startPosition / S;
    arguments.per = S / speed;
    arguments.lengthScale = std::fabs(speed) * arguments.lengthFactor;
    return arguments;
}

double LengthFactorOf(LengthKind kind, double factor, double newLength, double sameAsSeconds,
                      double S) {
    switch (kind) {
        case LengthKind::newLength:
            return newLength / S;
        case LengthKind::sameAs:
            return sameAsSeconds / S;
        case LengthKind::factor:
            break;
    }
    return factor;
}

namespace {

std::unique_ptr<Sound> FilterOnce(const Sound& sound, ErrorFlag* error, const LowHighRun& run,
                                  std::int32_t countBer, std::int32_t countCmd, std::int32_t begin,
                                  std::int32_t end) {
    if (run.envelope != nullptr) {
        return sound.FilterChannelsEnvelope(error, run.kind, *run.envelope, run.factor, countBer,
                                            countCmd, begin, end);
    }
    return sound.FilterChannels(error, run.kind, run.period, run.factor, countBer, countCmd, begin,
                                end);
}

bool SameRange(const Wave& a, const Wave& b, std::int32_t begin, std::int32_t end) {
    return std::equal(a.wave + begin, a.wave + end, b.wave + begin);
}

bool SameRange(const Sound& a, const Sound& b, std::int32_t begin, std::int32_t end) {
    return SameRange(a.GetLeftWave(), b.GetLeftWave(), begin, end) &&
           SameRange(a.GetRightWave(), b.GetRightWave(), begin, end);
}

}  // namespace

std::unique_ptr<Sound> RunLowHigh(const Sound& sound, ErrorFlag* error, const LowHighRun& run,
                                  std::int32_t begin, std::int32_t end) {
    if (!run.maximizeVolume) return FilterOnce(sound, error, run, run.count, run.count, begin, end);
    std::unique_ptr<Sound> current = sound.MaxVolume70(error, begin, end);
    for (std::int32_t pass = 0; pass < run.count && current && !ErrorIsSet(error); ++pass) {
        auto next = FilterOnce(*current, error, run, run.count, 1, begin, end);
        if (!next || ErrorIsSet(error)) return nullptr;
        next->MaxVolume70InPlace(error, begin, end);
        // A step that changes nothing would change nothing again: the rest can be skipped
        // (a large count with a short period makes every step pass its input through).
        const bool settled = !ErrorIsSet(error) && SameRange(*next, *current, begin, end);
        current = std::move(next);
        if (settled) break;
    }
    return ErrorIsSet(error) ? nullptr : std::move(current);
}

bool ResonatorPeriodFits(std::int32_t freq, double period) {
    return freq * period >= 1;
}

bool ResonatorEnvelopeFits(ErrorFlag* error, const Sound& target, const Sound& envelope) {
    return HighestEnvelopeFrequency(error, target.MoSt, envelope) <= target.Freq;
}

}  // namespace kalvora
