#include "sound/sound.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <utility>

#include "platform/assertion.h"

namespace kalvora {

ChannelWave ChannelWave::Borrowed(const Wave& wave) {
    ChannelWave result;
    result.wave_ = &wave;
    return result;
}

ChannelWave ChannelWave::Copied(std::unique_ptr<Wave> wave) {
    ChannelWave result;
    result.wave_ = wave.get();
    result.owned_ = std::move(wave);
    return result;
}

std::unique_ptr<Wave> ChannelWave::TakeCopy(ErrorFlag* error) && {
    if (owned_) {
        wave_ = nullptr;
        return std::move(owned_);
    }
    if (wave_ == nullptr || ErrorIsSet(error)) return nullptr;
    auto copy = std::make_unique<Wave>(error, *wave_);
    return ErrorIsSet(error) ? nullptr : std::move(copy);
}

Sound::Sound(std::int16_t moSt, std::int32_t freq, std::int16_t bytesPSample)
    : MoSt(moSt), Freq(freq), BytesPSample(bytesPSample) {
    KALVORA_ASSERT(bytesPSample == 1 || bytesPSample == 2);
}

std::string Sound::Dump() const {
    std::ostringstream text;
    text << (MoSt == 1 ? "MonoSound" : "StereoSound") << " MoSt=" << MoSt << " Freq=" << Freq
         << " BytesPSample=" << BytesPSample << " ProtectWave=" << int{ProtectWave}
         << " values=" << GetValues();
    return text.str();
}

double Sound::GetSeconds() const {
    return static_cast<double>(GetValues()) / Freq;
}

namespace {

// A wave at another rate: resampled by freq / rate, or the wave itself at its own rate.
ChannelWave AtRate(ErrorFlag* error, ChannelWave wave, double freq, std::int32_t rate) {
    if (!wave || freq == rate) return wave;
    auto resampled = wave->resample(error, freq / rate);
    if (!resampled) return {};
    return ChannelWave::Copied(std::move(resampled));
}

std::unique_ptr<Wave> CopyOf(ErrorFlag* error, ChannelWave wave) {
    if (!wave) return nullptr;
    return std::move(wave).TakeCopy(error);
}

}  // namespace

ChannelWave Sound::GetMonoWaveAt(ErrorFlag* error, double freq) const {
    if (ErrorIsSet(error)) return {};
    return AtRate(error, GetMonoWave(error), freq, Freq);
}

ChannelWave Sound::GetLeftWaveAt(ErrorFlag* error, double freq) const {
    if (ErrorIsSet(error)) return {};
    return AtRate(error, ChannelWave::Borrowed(GetLeftWave()), freq, Freq);
}

ChannelWave Sound::GetRightWaveAt(ErrorFlag* error, double freq) const {
    if (ErrorIsSet(error)) return {};
    return AtRate(error, ChannelWave::Borrowed(GetRightWave()), freq, Freq);
}

ChannelWave Sound::GetMiddleWaveAt(ErrorFlag* error, double freq) const {
    return GetMonoWaveAt(error, freq);
}

std::unique_ptr<Wave> Sound::MonoWaveCopy(ErrorFlag* error, double freq) const {
    return CopyOf(error, freq != 0 ? GetMonoWaveAt(error, freq) : GetMonoWave(error));
}

std::unique_ptr<Wave> Sound::LeftWaveCopy(ErrorFlag* error, double freq) const {
    return CopyOf(error,
                  freq != 0 ? GetLeftWaveAt(error, freq) : ChannelWave::Borrowed(GetLeftWave()));
}

std::unique_ptr<Wave> Sound::RightWaveCopy(ErrorFlag* error, double freq) const {
    return CopyOf(error,
                  freq != 0 ? GetRightWaveAt(error, freq) : ChannelWave::Borrowed(GetRightWave()));
}

double Sound::GetEnvelopeValue(ErrorFlag*, double x, double top, double bottom) const {
    KALVORA_ASSERT(GetValues() > 0);
    const double position = (GetValues() - 1) * x;
    double value = 0;
    for (int c = 0; c < ChannelCount(); ++c)
        value += Channel(c).getInterpolated(position);
    value /= ChannelCount();
    return bottom + (value + 32768) / 65535 * (top - bottom);
}

template <class MakeChannel>
std::unique_ptr<Sound> Sound::MapChannels(ErrorFlag* error, std::int32_t freq,
                                          MakeChannel&& makeChannel) const {
    if (ErrorIsSet(error)) return nullptr;
    ChannelWaves waves;
    for (int c = 0; c < ChannelCount(); ++c) {
        waves[c] = makeChannel(Channel(c), c);
        if (!waves[c] || ErrorIsSet(error)) return nullptr;
    }
    return MakeLike(std::move(waves), freq);
}

std::unique_ptr<Sound> Sound::MakeFromChannels(ErrorFlag* error,
                                               const ChannelMaker& makeChannel) const {
    return MapChannels(error, Freq, makeChannel);
}

bool Sound::MatchChannels(ErrorFlag* error, const Sound& other, bool atThisRate,
                          MatchedWaves& matched) const {
    if (ErrorIsSet(error)) return false;
    for (int c = 0; c < ChannelCount(); ++c) {
        // A mono other feeds both channels with the same wave: make it only once.
        if (c == 1 && other.MoSt == 1) {
            matched[1] = ChannelWave::Borrowed(*matched[0]);
        } else {
            matched[c] = MatchingChannel(error, other, c, atThisRate);
        }
        if (!matched[c] || ErrorIsSet(error)) return false;
    }
    return true;
}

std::unique_ptr<Sound> Sound::ChangeFreq(ErrorFlag* error, double freq) const {
    const double factor = freq / Freq;
    return MapChannels(error, static_cast<std::int32_t>(freq),
                       [&](const Wave& wave, int) { return wave.resample(error, factor); });
}

std::unique_ptr<Sound> Sound::MakeSilence(ErrorFlag* error, double n) const {
    KALVORA_ASSERT(n >= 0 && n <= 2147483647.0);
    const auto count = static_cast<std::int32_t>(n);
    return MapChannels(error, Freq, [&](const Wave&, int) -> std::unique_ptr<Wave> {
        auto silence = std::make_unique<Wave>(error, count);
        if (ErrorIsSet(error)) return nullptr;
        silence->clearPart(error, 0, count);
        return silence;
    });
}

void Sound::DrawLine(ErrorFlag* error, std::int32_t begin, double a, std::int32_t end, double b) {
    for (int c = 0; c < ChannelCount(); ++c)
        Channel(c).drawLine(error, begin, a, end, b);
}

std::unique_ptr<Sound> Sound::Resample(ErrorFlag* error, double factor) const {
    return MapChannels(error, Freq,
                       [&](const Wave& wave, int) { return wave.resample(error, factor); });
}

std::int32_t Sound::PeakOf(ErrorFlag* error, std::int32_t begin, std::int32_t end) const {
    std::int32_t peak = 0;
    for (int c = 0; c < ChannelCount(); ++c) {
        peak = std::max(peak, Channel(c).getMaxAbs(error, begin, end));
    }
    return peak;
}

namespace {

double FactorToMax(double target, std::int32_t peak) {
    return peak == 0 ? 0.0 : target * 32767 / peak;
}

}  // namespace

std::unique_ptr<Sound> Sound::ScaleToMax(ErrorFlag* error, double target, std::int32_t begin,
                                         std::int32_t end) const {
    const double factor = FactorToMax(target, PeakOf(error, begin, end));
    return Scale(error, factor, begin, end);
}

void Sound::ScaleToMaxInPlace(ErrorFlag* error, double target, std::int32_t begin,
                              std::int32_t end) {
    const double factor = FactorToMax(target, PeakOf(error, begin, end));
    ScaleInPlace(error, factor, begin, end);
}

std::unique_ptr<Sound> Sound::MaxVolume(ErrorFlag* error, std::int32_t begin,
                                        std::int32_t end) const {
    return ScaleToMax(error, 1.0, begin, end);
}

void Sound::MaxVolumeInPlace(ErrorFlag* error, std::int32_t begin, std::int32_t end) {
    ScaleToMaxInPlace(error, 1.0, begin, end);
}

std::unique_ptr<Sound> Sound::MaxVolume70(ErrorFlag* error, std::int32_t begin,
                                          std::int32_t end) const {
    return ScaleToMax(error, 0.7, begin, end);
}

void Sound::MaxVolume70InPlace(ErrorFlag* error, std::int32_t begin, std::int32_t end) {
    ScaleToMaxInPlace(error, 0.7, begin, end);
}

void Sound::ScaleInPlace(ErrorFlag* error, double factor, std::int32_t begin, std::int32_t end) {
    for (int c = 0; c < ChannelCount(); ++c)
        Channel(c).scaleInPlace(error, factor, begin, end);
}

std::unique_ptr<Sound> Sound::MixAlignEnd(ErrorFlag* error, const Sound& other,
                                          std::int32_t position, std::int32_t length) const {
    MatchedWaves matched;
    if (!MatchChannels(error, other, true, matched)) return nullptr;
    return MapChannels(error, Freq, [&](const Wave& wave, int c) {
        return wave.mixAlignEnd(error, *matched[c], position, length);
    });
}

std::unique_ptr<Sound> Sound::Mix(ErrorFlag* error, const Sound& other, std::int32_t at,
                                  std::int32_t length, bool fromEnd) const {
    MatchedWaves matched;
    if (!MatchChannels(error, other, true, matched)) return nullptr;
    return MapChannels(error, Freq, [&](const Wave& wave, int c) {
        return wave.mix(error, *matched[c], at, length, fromEnd);
    });
}

std::unique_ptr<Sound> Sound::MixStretched(ErrorFlag* error, const Sound& other, std::int32_t begin,
                                           std::int32_t end) const {
    MatchedWaves matched;
    if (!MatchChannels(error, other, false, matched)) return nullptr;
    return MapChannels(error, Freq, [&](const Wave& wave, int c) {
        return wave.mixStretched(error, *matched[c], begin, end);
    });
}

void Sound::MixAfterSeconds(ErrorFlag* error, const Sound& other, double seconds, double factor) {
    MixAfter(error, other, static_cast<std::int32_t>(Freq * seconds), factor);
}

void Sound::MixAfter(ErrorFlag* error, const Sound& other, std::int32_t after, double factor) {
    MatchedWaves matched;
    if (!MatchChannels(error, other, true, matched)) return;
    for (int c = 0; c < ChannelCount(); ++c)
        Channel(c).mixAfter(error, *matched[c], after, factor);
}

void Sound::MixAfter(ErrorFlag* error, const Sound& other, std::int32_t after) {
    MatchedWaves matched;
    if (!MatchChannels(error, other, true, matched)) return;
    for (int c = 0; c < ChannelCount(); ++c)
        Channel(c).mixAfter(error, *matched[c], after);
}

void Sound::MixCycleAfterThis(ErrorFlag* error, const Sound& other, std::int32_t after) {
    MatchedWaves matched;
    if (!MatchChannels(error, other, true, matched)) return;
    for (int c = 0; c < ChannelCount(); ++c)
        Channel(c).mixCycleAfter(error, *matched[c], after);
}

std::unique_ptr<Sound> Sound::Remove(ErrorFlag* error, std::int32_t begin, std::int32_t end) const {
    if (begin == end) return Extract(error, 0, GetValues());
    return MapChannels(error, Freq,
                       [&](const Wave& wave, int) { return wave.remove(error, begin, end); });
}

std::unique_ptr<Sound> Sound::MakeEmpty() const {
    return MakeLike({}, Freq);
}

std::unique_ptr<Sound> Sound::Extract(ErrorFlag* error, std::int32_t begin,
                                      std::int32_t end) const {
    if (ErrorIsSet(error)) return nullptr;
    if (begin == end) return MakeEmpty();
    return MapChannels(error, Freq,
                       [&](const Wave& wave, int) { return wave.extract(error, begin, end); });
}

std::unique_ptr<Sound> Sound::Replace(ErrorFlag* error, const Sound& other, std::int32_t begin,
                                      std::int32_t end) const {
    MatchedWaves matched;
    if (!MatchChannels(error, other, true, matched)) return nullptr;
    return MapChannels(error, Freq, [&](const Wave& wave, int c) {
        return wave.replace(error, *matched[c], begin, end);
    });
}

// MonoSound

MonoSound::MonoSound(std::int32_t freq, std::int16_t bytesPSample) : Sound(1, freq, bytesPSample) {}

MonoSound::MonoSound(ErrorFlag* error, const Sound& source)
    : Sound(1, source.Freq, source.BytesPSample) {
    if (source.GetValues() == 0) return;
    if (auto copy = source.MonoWaveCopy(error, 0)) WaveMiddle = std::move(*copy);
}

MonoSound::MonoSound(Wave&& wave, std::int32_t freq, std::int16_t bytesPSample)
    : Sound(1, freq, bytesPSample), WaveMiddle(std::move(wave)) {}

MonoSound::~MonoSound() {
    if (ProtectWave) WaveMiddle.release();
}

ChannelWave MonoSound::GetMonoWave(ErrorFlag*) const {
    return ChannelWave::Borrowed(WaveMiddle);
}

ChannelWave MonoSound::MatchingChannel(ErrorFlag* error, const Sound& other, int,
                                       bool atThisRate) const {
    return atThisRate ? other.GetMonoWaveAt(error, Freq) : other.GetMonoWave(error);
}

std::unique_ptr<Sound> MonoSound::MakeLike(ChannelWaves waves, std::int32_t freq) const {
    return std::make_unique<MonoSound>(waves[0] ? std::move(*waves[0]) : Wave(), freq,
                                       BytesPSample);
}

// StereoSound

StereoSound::StereoSound(std::int32_t freq, std::int16_t bytesPSample)
    : Sound(2, freq, bytesPSample) {}

StereoSound::StereoSound(ErrorFlag* error, const Sound& source)
    : Sound(2, source.Freq, source.BytesPSample) {
    if (source.GetValues() == 0) return;
    auto left = source.LeftWaveCopy(error, 0);
    auto right = source.RightWaveCopy(error, 0);
    if (left && right) {
        WaveLeft = std::move(*left);
        WaveRight = std::move(*right);
    }
}

StereoSound::StereoSound(Wave&& left, Wave&& right, std::int32_t freq, std::int16_t bytesPSample)
    : Sound(2, freq, bytesPSample), WaveLeft(std::move(left)), WaveRight(std::move(right)) {
    KALVORA_ASSERT(WaveLeft.values == WaveRight.values);
}

StereoSound::~StereoSound() {
    if (ProtectWave) {
        WaveLeft.release();
        WaveRight.release();
    }
}

ChannelWave StereoSound::GetMonoWave(ErrorFlag* error) const {
    if (ErrorIsSet(error)) return {};
    auto average = WaveLeft.average(error, WaveRight);
    if (!average) return {};
    return ChannelWave::Copied(std::move(average));
}

ChannelWave StereoSound::MatchingChannel(ErrorFlag* error, const Sound& other, int index,
                                         bool atThisRate) const {
    if (atThisRate) {
        return index == 0 ? other.GetLeftWaveAt(error, Freq) : other.GetRightWaveAt(error, Freq);
    }
    return ChannelWave::Borrowed(index == 0 ? other.GetLeftWave() : other.GetRightWave());
}

std::unique_ptr<Sound> StereoSound::MakeLike(ChannelWaves waves, std::int32_t freq) const {
    return std::make_unique<StereoSound>(waves[0] ? std::move(*waves[0]) : Wave(),
                                         waves[1] ? std::move(*waves[1]) : Wave(), freq,
                                         BytesPSample);
}

std::unique_ptr<Sound> MakeEmptySound(const waveFileProps& props) {
    KALVORA_ASSERT(props.MoSt == 1 || props.MoSt == 2);
    if (props.MoSt == 1) return std::make_unique<MonoSound>(props.Freq, props.BytesPSample);
    return std::make_unique<StereoSound>(props.Freq, props.BytesPSample);
}

}  // namespace kalvora
