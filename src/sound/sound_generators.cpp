// The Sound generators: seconds become sample counts here, the samples come from the Wave
// generators, one channel after another.
#include <cmath>
#include <limits>

#include "platform/assertion.h"
#include "sound/random_source.h"
#include "sound/sample_memory.h"
#include "sound/sound.h"

namespace kalvora {
namespace {

// trunc(count) as a sample count; beyond what a wave can hold it reports exhausted memory
// and gives false.
bool SampleCount(ErrorFlag* error, double count, std::int32_t& n) {
    KALVORA_ASSERT(count >= 0);
    if (ErrorIsSet(error)) return false;
    if (count >= static_cast<double>(std::numeric_limits<std::int32_t>::max()) + 1) {
        ReportAllocationFailure(error);
        return false;
    }
    n = static_cast<std::int32_t>(count);
    return true;
}

}  // namespace

std::unique_ptr<Sound> Sound::InsertSilence(ErrorFlag* error, double length, std::int32_t& begin,
                                            std::int32_t& end) const {
    std::int32_t n = 0;
    if (!SampleCount(error, Freq * length + 1, n)) return nullptr;
    std::int32_t madeEnd = end;
    auto result = MakeFromChannels(error, [&](const Wave& wave, int) {
        madeEnd = end;
        return wave.insertSilence(error, n, begin, madeEnd);
    });
    if (result) end = madeEnd;
    return result;
}

std::unique_ptr<Sound> Sound::Line(ErrorFlag* error, double a, double b, double length,
                                   bool exponential, std::int32_t& begin, std::int32_t& end) const {
    std::int32_t n = 0;
    if (!SampleCount(error, Freq * length + 1, n)) return nullptr;
    std::int32_t madeEnd = end;
    auto result = MakeFromChannels(error, [&](const Wave& wave, int) {
        madeEnd = end;
        return wave.line(error, a, b, n, exponential, begin, madeEnd);
    });
    if (result) end = madeEnd;
    return result;
}

std::unique_ptr<Sound> Sound::Noise(ErrorFlag* error, double volume, double length,
                                    std::int32_t& begin, std::int32_t& end) const {
    std::int32_t n = 0;
    if (!SampleCount(error, Freq * length, n)) return nullptr;
    RandomSource& random = SharedRandomSource();
    std::int32_t madeEnd = end;
    auto result = MakeFromChannels(error, [&](const Wave& wave, int) {
        madeEnd = end;
        return wave.noise(error, volume, n, random, begin, madeEnd);
    });
    if (result) end = madeEnd;
    return result;
}

}  // namespace kalvora
