// Tempo and pitch by blocks (see tempo_pitch.h) and its Sound operations.
#include "sound/tempo_pitch.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "platform/assertion.h"
#include "sound/bounded_reader.h"
#include "sound/channel_map.h"
#include "sound/operation_support.h"
#include "sound/sample.h"
#include "sound/sound.h"

namespace kalvora {
namespace {

// An envelope read at a position that advances by a fixed step, held at its last sample
// (repeated addition can overshoot it by a rounding error). Default: no envelope.
class SteppedEnvelope {
  public:
    SteppedEnvelope() = default;
    SteppedEnvelope(const Wave& envelope, double step)
        : envelope_(&envelope), last_(envelope.values - 1), step_(step) {}

    bool Active() const { return envelope_ != nullptr; }
    double Value() const { return BoundedWaveReader(*envelope_).At(std::min(position_, last_)); }
    void Advance() { position_ += step_; }

  private:
    const Wave* envelope_ = nullptr;
    double last_ = 0;
    double step_ = 0;
    double position_ = 0;
};

// step·(values - 1)/(n - 1): the envelope spread over n output samples; 0 for one sample.
double SpreadStep(const Wave& envelope, std::int64_t n, double samplesPerStep) {
    if (n <= 1) return 0;
    return samplesPerStep * (envelope.values - 1) / static_cast<double>(n - 1);
}

// The source and where the heads start again.
class BlockReader {
  public:
    BlockReader(const Wave& wave, const TempoPitchSettings& settings, std::int32_t begin,
                std::int32_t end, std::int64_t n)
        : source_(wave),
          settings_(settings),
          begin_(begin),
          length_(static_cast<double>(end) - begin),
          origin_(begin + settings.start * length_),
          restart_(origin_) {
        if (settings.freqEnvelope != nullptr) {
            freq_ =
                SteppedEnvelope(*settings.freqEnvelope, SpreadStep(*settings.freqEnvelope, n, 1));
        }
        if (settings.speedEnvelope != nullptr) {
            const double perRestart = settings.highQuality ? settings.block / 2.0 : settings.block;
            speed_ = SteppedEnvelope(*settings.speedEnvelope,
                                     SpreadStep(*settings.speedEnvelope, n, perRestart));
            advance_ = perRestart * settings.speed;
        }
    }

    double At(double x) const { return source_.At(x); }
    double Origin() const { return origin_; }

    // The in-block step of the current output sample; the frequency envelope moves on.
    double Step() {
        if (!freq_.Active()) return settings_.freqFactor;
        const double step = settings_.freqFactor * freq_.Value() / 32767;
        freq_.Advance();
        return step;
    }

    // The in-block step of the first output sample, without moving on.
    double FirstStep() const {
        if (!freq_.Active()) return settings_.freqFactor;
        return settings_.freqFactor * freq_.Value() / 32767;
    }

    // Where a head starts again after done output samples: offset + speed·done from the
    // origin, or, with a speed envelope, one more envelope-scaled advance of the restart
    // position (offset is not added there).
    double Restart(std::int64_t done, double offset) {
        if (!speed_.Active()) {
            return Wrap(offset + settings_.speed * static_cast<double>(done) + origin_);
        }
        restart_ += advance_ * speed_.Value() / 32767;
        speed_.Advance();
        return Wrap(restart_);
    }

  private:
    // Reduced into begin .. end by whole multiples of the range's length.
    double Wrap(double x) const {
        double r = std::fmod(x - begin_, length_);
        if (r < 0) r += length_;
        if (!(r < length_)) r = 0;  // NaN, or a negative remainder that rounded up to length_
        return begin_ + r;
    }

    BoundedWaveReader source_;
    const TempoPitchSettings& settings_;
    double begin_;
    double length_;
    double origin_;
    double restart_;
    double advance_ = 0;
    SteppedEnvelope freq_;
    SteppedEnvelope speed_;
};

void LowQuality(ErrorFlag* error, BlockReader& reader, std::int64_t block, std::int16_t* out,
                std::int64_t n) {
    double x = reader.Origin();
    std::int64_t inBlock = 0;
    ForEachRun(error, 0, n, [&](std::int64_t first, std::int64_t last) {
        for (std::int64_t j = first; j < last; ++j) {
            out[j] = ToSample(reader.At(x));
            const double step = reader.Step();
            if (++inBlock == block) {
                inBlock = 0;
                x = reader.Restart(j + 1, 0);
            } else {
                x += step;
            }
        }
    });
}

void HighQuality(ErrorFlag* error, BlockReader& reader, std::int64_t block, std::int16_t* out,
                 std::int64_t n) {
    const double blockSize = static_cast<double>(block);
    const double offset = (1 - reader.FirstStep()) * blockSize / 2;
    const std::int64_t half = block / 2;
    double x1 = reader.Origin();
    double x2 = x1 + offset;
    std::int64_t i = 0;
    ForEachRun(error, 0, n, [&](std::int64_t first, std::int64_t last) {
        for (std::int64_t j = first; j < last; ++j) {
            const double t = std::fabs(2 * static_cast<double>(i) / blockSize - 1);
            out[j] = ToSample(std::trunc(reader.At(x1) * t) + reader.At(x2) * (1 - t));
            const double step = reader.Step();
            ++i;
            x1 = i == half ? reader.Restart(j + 1, offset) : x1 + step;
            if (i == block) {
                i = 0;
                x2 = reader.Restart(j + 1, offset);
            } else {
                x2 += step;
            }
        }
    });
}

}  // namespace

std::unique_ptr<Wave> TempoPitchWave(ErrorFlag* error, const Wave& wave,
                                     const TempoPitchSettings& settings, std::int32_t begin,
                                     std::int32_t& end) {
    KALVORA_ASSERT(0 <= begin && begin < end && end <= wave.values);
    KALVORA_ASSERT(settings.speed != 0 && settings.lengthFactor > 0 &&
                   settings.block >= (settings.highQuality ? 2 : 1));
    KALVORA_ASSERT(settings.freqEnvelope == nullptr || settings.freqEnvelope->values > 0);
    KALVORA_ASSERT(settings.speedEnvelope == nullptr || settings.speedEnvelope->values > 0);
    if (ErrorIsSet(error)) return nullptr;
    const double length = settings.lengthFactor * (static_cast<double>(end) - begin);
    // Beyond what a wave can hold: fails like exhausted memory.
    if (!(length < static_cast<double>(std::numeric_limits<std::int32_t>::max()))) {
        SetError(error);
        return nullptr;
    }
    const auto n = static_cast<std::int64_t>(length);
    auto result = operations::Framed(error, wave, begin, end, n);
    if (!result) return nullptr;
    BlockReader reader(wave, settings, begin, end, n);
    if (settings.highQuality) {
        HighQuality(error, reader, settings.block, result->wave + begin, n);
    } else {
        LowQuality(error, reader, settings.block, result->wave + begin, n);
    }
    if (ErrorIsSet(error)) return nullptr;
    end = static_cast<std::int32_t>(begin + n);
    return result;
}

std::unique_ptr<Sound> Sound::TempoPitch(ErrorFlag* error, double speed, double start,
                                         double lengthFactor, double freqFactor, double blockSize,
                                         int quality, const Sound* freqEnvelope,
                                         const Sound* speedEnvelope, std::int32_t& begin,
                                         std::int32_t& end) const {
    if (ErrorIsSet(error)) return nullptr;
    std::optional<channels::Matched> freqs;
    std::optional<channels::Matched> speeds;
    if (freqEnvelope != nullptr) {
        freqs.emplace(error, *this, *freqEnvelope);
        if (!*freqs) return nullptr;
    }
    if (speedEnvelope != nullptr) {
        speeds.emplace(error, *this, *speedEnvelope);
        if (!*speeds) return nullptr;
    }
    TempoPitchSettings settings;
    settings.speed = speed;
    settings.start = start;
    settings.lengthFactor = lengthFactor;
    settings.freqFactor = freqFactor;
    settings.block = static_cast<std::int64_t>(Freq * blockSize);
    settings.highQuality = quality == 1;
    return channels::MapRange(
        error, *this, begin, end,
        [&](const Wave& wave, int c, std::int32_t& channelBegin, std::int32_t& channelEnd) {
            TempoPitchSettings channel = settings;
            channel.freqEnvelope = freqs ? &(*freqs)[c] : nullptr;
            channel.speedEnvelope = speeds ? &(*speeds)[c] : nullptr;
            return TempoPitchWave(error, wave, channel, channelBegin, channelEnd);
        });
}

std::unique_ptr<Sound> Sound::TempoPitch(ErrorFlag* error, double speed, double start,
                                         double lengthFactor, double freqFactor, double blockSize,
                                         int quality) const {
    std::int32_t begin = 0;
    std::int32_t end = GetValues();
    return TempoPitch(error, speed, start, lengthFactor, freqFactor, blockSize, quality, nullptr,
                      nullptr, begin, end);
}

}  // namespace kalvora
