// Sound, MonoSound and StereoSound: one or two equal-length waves with their format (rate,
// channel count, file sample width), and the sound operations built from Wave operations.
// Standard C++ and the platform's messages only.
//
// Every operation takes the error flag of the document whose sound it runs on (see
// error_flag.h). Operations marked "new" return a new sound of the same kind with the same
// Freq and BytesPSample, owned by the caller, or nullptr when the flag was set on entry or
// an allocation failed; a result obtained while the flag is set must be discarded. Ranges
// are sample indices of this sound, begin inclusive, end exclusive.
//
// Channel matching: where an operation takes another sound, a MonoSound uses the other's
// mono wave (a stereo other is averaged); a StereoSound uses the other's left wave for its
// left channel and the right wave for its right (a mono other feeds both). "At this rate"
// means the other's wave is first resampled to this sound's Freq.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "sound/error_flag.h"
#include "sound/filter.h"
#include "sound/partial.h"
#include "sound/wave.h"

namespace kalvora {

// The format of a wave document. The defaults are those of a new wave.
struct waveFileProps {
    std::int32_t Freq = 44100;      // samples per second
    std::int16_t MoSt = 2;          // 1 mono, 2 stereo
    std::int16_t BytesPSample = 2;  // 1 or 2
    bool operator==(const waveFileProps&) const = default;
};

// A wave taken from a sound: either one of the sound's own waves, borrowed (copied() is
// false), or a new wave made for the caller (copied() is true), which the handle owns and
// releases. Empty (null) when it could not be made.
class ChannelWave {
  public:
    ChannelWave() = default;
    static ChannelWave Borrowed(const Wave& wave);
    static ChannelWave Copied(std::unique_ptr<Wave> wave);

    const Wave* get() const { return wave_; }
    const Wave& operator*() const { return *wave_; }
    const Wave* operator->() const { return wave_; }
    explicit operator bool() const { return wave_ != nullptr; }
    bool copied() const { return owned_ != nullptr; }

    // A wave the caller owns: the copy itself, or a new copy of a borrowed wave.
    std::unique_ptr<Wave> TakeCopy(ErrorFlag* error) &&;

  private:
    const Wave* wave_ = nullptr;
    std::unique_ptr<Wave> owned_;
};

// The new waves of a new sound, one per channel (the second unused for mono).
using ChannelWaves = std::array<std::unique_ptr<Wave>, 2>;

class Sound {
  public:
    std::int16_t MoSt;             // 1 MonoSound, 2 StereoSound
    std::int32_t Freq;             // samples per second
    std::int16_t BytesPSample;     // sample width of the file format: 1 or 2
    std::uint8_t ProtectWave = 0;  // set: destroying the sound leaves its arrays alone

    virtual ~Sound() = default;
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    std::int16_t GetBytesPSample() const { return BytesPSample; }
    waveFileProps GetWaveFileProps() const { return {Freq, MoSt, BytesPSample}; }

    // The fields and sample counts, for developer traces and test output.
    virtual std::string Dump() const;

    // Samples per channel; 0 for an empty sound.
    virtual std::int32_t GetValues() const = 0;
    // GetValues() / Freq.
    virtual double GetSeconds() const;
    virtual void SetProtectWave() { ProtectWave = 1; }

    // Mono: the wave itself. Stereo: a new average of left and right.
    virtual ChannelWave GetMonoWave(ErrorFlag* error) const = 0;
    // Mono: the wave; stereo: the left / right wave. Never a copy.
    virtual const Wave& GetLeftWave() const = 0;
    virtual const Wave& GetRightWave() const = 0;
    // As the wave without "At", resampled by freq / Freq when freq differs from Freq.
    virtual ChannelWave GetMonoWaveAt(ErrorFlag* error, double freq) const;
    virtual ChannelWave GetLeftWaveAt(ErrorFlag* error, double freq) const;
    virtual ChannelWave GetRightWaveAt(ErrorFlag* error, double freq) const;
    virtual ChannelWave GetMiddleWaveAt(ErrorFlag* error, double freq) const;
    // Always a wave owned by the caller: the "At" wave for freq != 0, else the plain one,
    // copied when it was borrowed.
    virtual std::unique_ptr<Wave> MonoWaveCopy(ErrorFlag* error, double freq) const;
    virtual std::unique_ptr<Wave> LeftWaveCopy(ErrorFlag* error, double freq) const;
    virtual std::unique_ptr<Wave> RightWaveCopy(ErrorFlag* error, double freq) const;

    // The sound read as a function of relative time x in 0 .. 1, mapped so that sample
    // -32768 gives bottom and 32767 gives top (stereo: the mean of both channels).
    virtual double GetEnvelopeValue(ErrorFlag* error, double x, double top, double bottom) const;

    // New: Freq = freq truncated, each channel resampled by freq / Freq.
    virtual std::unique_ptr<Sound> ChangeFreq(ErrorFlag* error, double freq) const;
    // New: channels of n (truncated) zero samples.
    virtual std::unique_ptr<Sound> MakeSilence(ErrorFlag* error, double n) const;
    // In place, each channel: drawLine.
    virtual void DrawLine(ErrorFlag* error, std::int32_t begin, double a, std::int32_t end,
                          double b);
    // New: each channel resampled by factor; the rate stays, so pitch and duration change.
    virtual std::unique_ptr<Sound> Resample(ErrorFlag* error, double factor) const;

    // ---- Generators: block, triangle, sinus and multi frequency ----
    // (block_triangle.cpp, sine.cpp, multi_freq.cpp) Each returns a new sound in which
    // begin .. end of every channel is replaced by the generated samples, and sets end to
    // begin + their number. Periods and lengths are seconds, converted with Freq.

    // The wave operation blockTriangle with period Freq·period samples, n = Freq·length
    // truncated. Requires what blockTriangle requires.
    std::unique_ptr<Sound> BlockTriangle(ErrorFlag* error, double h1, double h2, double period,
                                         double middle, double length, double start, bool triangle,
                                         std::int32_t& begin, std::int32_t& end) const;
    // As BlockTriangle, the middle read from envelope: for a mono sound from its mono wave,
    // for a stereo sound from its left wave in the left channel and its right wave in the
    // right. Requires envelope.GetValues() > 0.
    std::unique_ptr<Sound> BlockTriangleEnvelope(ErrorFlag* error, double h1, double h2,
                                                 double period, const Sound& envelope,
                                                 double length, double start, bool triangle,
                                                 std::int32_t& begin, std::int32_t& end) const;
    // The wave operation sine with period Freq·period samples.
    std::unique_ptr<Sound> Sinus(ErrorFlag* error, double a, double b, double period,
                                 double periods, double start, std::int32_t& begin,
                                 std::int32_t& end) const;
    // n = Freq·length truncated samples of the partials read from the sinus table, each
    // partial's volume multiplied by volumeFactor every volumeFactorTime seconds. Requires
    // at least one partial, each with period > 0 and volumeFactorTime > 0.
    std::unique_ptr<Sound> MultiFreq(ErrorFlag* error, double length,
                                     std::span<const FreqPartial> partials, std::int32_t& begin,
                                     std::int32_t& end) const;
    // As MultiFreq with the partials read from the mono wave of waveForm, whose first
    // GetValues() - 1 samples are one period. Requires waveForm.GetValues() >= 2.
    std::unique_ptr<Sound> MultiFreqEnvelope(ErrorFlag* error, double length,
                                             std::span<const FreqPartial> partials,
                                             const Sound& waveForm, std::int32_t& begin,
                                             std::int32_t& end) const;
    // ---- End of the generators ----

    // New: the range scaled so that its peak (over both channels) becomes target·32767;
    // a silent range is scaled by 0.
    virtual std::unique_ptr<Sound> ScaleToMax(ErrorFlag* error, double target, std::int32_t begin,
                                              std::int32_t end) const;
    virtual void ScaleToMaxInPlace(ErrorFlag* error, double target, std::int32_t begin,
                                   std::int32_t end);
    virtual std::unique_ptr<Sound> MaxVolume(ErrorFlag* error, std::int32_t begin,
                                             std::int32_t end) const;
    virtual void MaxVolumeInPlace(ErrorFlag* error, std::int32_t begin, std::int32_t end);
    virtual std::unique_ptr<Sound> MaxVolume70(ErrorFlag* error, std::int32_t begin,
                                               std::int32_t end) const;
    virtual void MaxVolume70InPlace(ErrorFlag* error, std::int32_t begin, std::int32_t end);
    // In place, each channel: scaleInPlace.
    virtual void ScaleInPlace(ErrorFlag* error, double factor, std::int32_t begin,
                              std::int32_t end);

    // New, each channel: mixAlignEnd with other's matching channel at this rate, so that
    // the used part of other (all of it for length -1) ends at position.
    virtual std::unique_ptr<Sound> MixAlignEnd(ErrorFlag* error, const Sound& other,
                                               std::int32_t position, std::int32_t length) const;
    // New, each channel: mix with other's matching channel at this rate.
    virtual std::unique_ptr<Sound> Mix(ErrorFlag* error, const Sound& other, std::int32_t at,
                                       std::int32_t length, bool fromEnd) const;
    // New, each channel: mixStretched with other's matching channel, not resampled.
    virtual std::unique_ptr<Sound> MixStretched(ErrorFlag* error, const Sound& other,
                                                std::int32_t begin, std::int32_t end) const;
    // In place: MixAfter with factor at after = trunc(Freq·seconds).
    virtual void MixAfterSeconds(ErrorFlag* error, const Sound& other, double seconds,
                                 double factor);
    // In place, each channel: mixAfter (with factor) with other's channel at this rate.
    virtual void MixAfter(ErrorFlag* error, const Sound& other, std::int32_t after, double factor);
    virtual void MixAfter(ErrorFlag* error, const Sound& other, std::int32_t after);
    // In place, each channel: mixCycleAfter with other's channel at this rate.
    virtual void MixCycleAfterThis(ErrorFlag* error, const Sound& other, std::int32_t after);

    // New: the range removed; the whole sound gives an empty sound of the same format.
    virtual std::unique_ptr<Sound> Remove(ErrorFlag* error, std::int32_t begin,
                                          std::int32_t end) const;
    // New: an empty sound of the same kind and format.
    virtual std::unique_ptr<Sound> MakeEmpty() const;
    // New: the samples of the range; begin = end gives an empty sound.
    virtual std::unique_ptr<Sound> Extract(ErrorFlag* error, std::int32_t begin,
                                           std::int32_t end) const;
    // New: the range replaced by other's matching channel at this rate (begin = end inserts).
    virtual std::unique_ptr<Sound> Replace(ErrorFlag* error, const Sound& other, std::int32_t begin,
                                           std::int32_t end) const;

    // Generators (sound_generators.cpp): each replaces the range [begin, end) of every
    // channel by n new samples (begin = end inserts) and sets end = begin + n. Lengths are
    // seconds, at least 0; a count beyond what a wave can hold fails like exhausted memory.
    // New: n = trunc(Freq·length + 1) zeros.
    virtual std::unique_ptr<Sound> InsertSilence(ErrorFlag* error, double length,
                                                 std::int32_t& begin, std::int32_t& end) const;
    // New: n = trunc(Freq·length + 1) samples of Wave::line from a to b (n of 1 makes two
    // samples). Exponential requires a·b > 0.
    virtual std::unique_ptr<Sound> Line(ErrorFlag* error, double a, double b, double length,
                                        bool exponential, std::int32_t& begin,
                                        std::int32_t& end) const;
    // New: n = trunc(Freq·length) samples of Wave::noise drawn from SharedRandomSource(),
    // channel after channel; n = 0 removes the range.
    virtual std::unique_ptr<Sound> Noise(ErrorFlag* error, double volume, double length,
                                         std::int32_t& begin, std::int32_t& end) const;

    // ---- Simple operations (sound_operations.cpp) ----
    // New, each channel: the Wave operation of the same name over the range. Where another
    // sound is taken (envelope, curve) its matching channel is used, not resampled.
    virtual std::unique_ptr<Sound> Scale(ErrorFlag* error, double factor, std::int32_t begin,
                                         std::int32_t end) const;
    // Requires envelope.GetValues() > 0.
    virtual std::unique_ptr<Sound> ScaleByEnvelope(ErrorFlag* error, const Sound& envelope,
                                                   std::int32_t begin, std::int32_t end) const;
    virtual std::unique_ptr<Sound> Reverse(ErrorFlag* error, std::int32_t begin,
                                           std::int32_t end) const;
    virtual std::unique_ptr<Sound> MoveVertically(ErrorFlag* error, std::int32_t add,
                                                  std::int32_t begin, std::int32_t end) const;
    // Each channel loses its own mean. Requires begin < end.
    virtual std::unique_ptr<Sound> NormalizeVertically(ErrorFlag* error, std::int32_t begin,
                                                       std::int32_t end) const;
    // Blocks of Freq·blockTime samples (below 1 taken as 1); levels 0 keeps the values.
    virtual std::unique_ptr<Sound> Block(ErrorFlag* error, double blockTime, std::int32_t levels,
                                         std::int32_t begin, std::int32_t end) const;
    // Rotated left by trunc(Freq·seconds) samples, 0 <= seconds <= the range's duration.
    virtual std::unique_ptr<Sound> Rotate(ErrorFlag* error, double seconds, std::int32_t begin,
                                          std::int32_t end) const;
    // Rolled into n = trunc(Freq·length) samples from target on. Requires begin < end, n > 0,
    // 0 <= target < n.
    virtual std::unique_ptr<Sound> RollIn(ErrorFlag* error, double length, std::int32_t target,
                                          std::int32_t& begin, std::int32_t& end) const;
    // Rolled out with a loop period of Freq·per samples (signed, non-zero), lengthScale
    // periods long, from phase start.
    virtual std::unique_ptr<Sound> RollOut(ErrorFlag* error, double per, double lengthScale,
                                           double start, std::int32_t& begin,
                                           std::int32_t& end) const;
    // Rolled out at a speed that follows the envelope. Requires lengthFactor >= 0 and
    // envelope.GetValues() > 0.
    virtual std::unique_ptr<Sound> RollOutEnvelope(ErrorFlag* error, const Sound& envelope,
                                                   double lengthFactor, double speed, double start,
                                                   std::int32_t& begin, std::int32_t& end) const;
    // resamplePart by factor: a negative factor plays the range backwards, -1 reverses it.
    virtual std::unique_ptr<Sound> Length(ErrorFlag* error, double factor, std::int32_t& begin,
                                          std::int32_t& end) const;
    // Requires curve.GetValues() > 0.
    virtual std::unique_ptr<Sound> Distort(ErrorFlag* error, const Sound& curve,
                                           std::int32_t begin, std::int32_t end) const;

    // ---- Filters (sound_filters.cpp) ----
    // New, each channel: the Wave filter over the range with periods converted to samples
    // (Freq·seconds) and envelopes matched per channel, not resampled, read at Freq.
    virtual std::unique_ptr<Sound> FilterChannels(ErrorFlag* error, LowHighKind kind,
                                                  double period, double factor,
                                                  std::int32_t countBer, std::int32_t countCmd,
                                                  std::int32_t begin, std::int32_t end) const;
    virtual std::unique_ptr<Sound> FilterChannelsEnvelope(ErrorFlag* error, LowHighKind kind,
                                                          const Sound& envelope, double factor,
                                                          std::int32_t countBer,
                                                          std::int32_t countCmd,
                                                          std::int32_t begin,
                                                          std::int32_t end) const;
    // A constant frequency (period in seconds) unless frequencyEnvelope is given, a constant
    // width unless widthEnvelope is given.
    virtual std::unique_ptr<Sound> ResNotch(ErrorFlag* error, ResNotchKind kind, double period,
                                            double width, const Sound* frequencyEnvelope,
                                            const Sound* widthEnvelope, std::int32_t begin,
                                            std::int32_t end) const;
    // x = Freq·time samples (non-zero); end grows by the extension. A time too long for any
    // wave fails like exhausted memory.
    virtual std::unique_ptr<Sound> BlockFilter(ErrorFlag* error, double time, std::int32_t& begin,
                                               std::int32_t& end) const;
    virtual std::unique_ptr<Sound> BlockFilterEnvelope(ErrorFlag* error, const Sound& envelope,
                                                       double time, std::int32_t& begin,
                                                       std::int32_t& end) const;

    // ---- Balance, channel mixing and shift (balance.cpp, channel_mix.cpp, shift.cpp) ----
    // New stereo sound from a mono one: the left channel is the mono wave placed for
    // direction d (-1 fully left .. 1 fully right), the right channel for -d (BalanceSide).
    // Requires a mono sound with samples.
    std::unique_ptr<Sound> Balance(ErrorFlag* error, double d, bool timeDifference, bool volume,
                                   bool filter) const;
    // As Balance with the direction read sample by sample from envelope's mono wave
    // (BalanceEnvelopeSide). Requires envelope.GetValues() > 0.
    std::unique_ptr<Sound> BalanceEnvelope(ErrorFlag* error, const Sound& envelope,
                                           bool timeDifference, bool volume, bool filter) const;
    // New stereo sound, over the range: left = leftToLeft·left + rightToLeft·right, right =
    // rightToRight·right + leftToRight·left. Requires a stereo sound with samples.
    std::unique_ptr<Sound> MixLeftRight(ErrorFlag* error, double leftToLeft, double leftToRight,
                                        double rightToLeft, double rightToRight, std::int32_t begin,
                                        std::int32_t end) const;
    // New: the range lifted out and added back time seconds later (earlier when negative),
    // fractions interpolated; the wave grows where the material leaves it. begin and end
    // become the moved range (stereo: where both channels' moved ranges overlap, a cursor
    // when they do not). A mono sound uses timeLeft for its wave.
    std::unique_ptr<Sound> Shift(ErrorFlag* error, double timeLeft, double timeRight,
                                 std::int32_t& begin, std::int32_t& end) const;
    // New: every sample of the range moved by time·E/32768 seconds, E the matching channel of
    // envelope stretched over the range and its margins; the wave grows by the largest
    // shift on either side, and the range with it. Requires envelope.GetValues() > 0.
    std::unique_ptr<Sound> ShiftEnvelope(ErrorFlag* error, double timeLeft, double timeRight,
                                         const Sound& envelope, std::int32_t& begin,
                                         std::int32_t& end) const;

    // ---- Tempo and pitch (tempo_pitch.cpp) ----
    // New: the range replaced by n = trunc(lengthFactor·L) samples read block by block
    // (Wave::tempoPitch) with blocks of trunc(Freq·blockSize) samples, each channel with the
    // matching channels of the envelopes (null: none). quality 1 is the high quality. Requires
    // begin < end, speed != 0, lengthFactor > 0, a block of at least 1 sample (2 in high
    // quality) and envelopes with samples.
    std::unique_ptr<Sound> TempoPitch(ErrorFlag* error, double speed, double start,
                                      double lengthFactor, double freqFactor, double blockSize,
                                      int quality, const Sound* freqEnvelope,
                                      const Sound* speedEnvelope, std::int32_t& begin,
                                      std::int32_t& end) const;
    // The whole sound, without envelopes.
    std::unique_ptr<Sound> TempoPitch(ErrorFlag* error, double speed, double start,
                                      double lengthFactor, double freqFactor, double blockSize,
                                      int quality) const;

    // ---- Period echo (period_echo.cpp) ----
    // New: count delayed copies of the range added to the sound, echo i delayed by i·a
    // samples (a = Freq·time, fractions interpolated, the range read as 0 outside itself)
    // and weighted by gain^i. The region receiving echoes runs from
    // d = begin + (a < 0 ? count·trunc(a - 1) : 0) to c = end + (a > 0 ? count·trunc(a + 1) : 0);
    // the wave grows with silence where the region leaves it. Each sample of the region is
    // its old value plus the sum of all its echo terms, converted once (truncated, 16-bit).
    // begin and end become the region. Requires 0 <= begin <= end <= GetValues(), count >= 0.
    // A region beyond what a wave can hold fails like exhausted memory.
    std::unique_ptr<Sound> PeriodEcho(ErrorFlag* error, double time, double volume,
                                      std::int32_t count, std::int32_t& begin,
                                      std::int32_t& end) const;
    // The gain of echo i is (V/32767)^i, V the matching channel of volumeEnvelope stretched
    // over the region. Requires volumeEnvelope.GetValues() > 0.
    std::unique_ptr<Sound> PeriodEcho(ErrorFlag* error, double time, const Sound& volumeEnvelope,
                                      std::int32_t count, std::int32_t& begin,
                                      std::int32_t& end) const;
    // The delay of echo i is i·a·T/32767, T the matching channel of timeEnvelope stretched over
    // the region, which runs from begin - e to end + e with e = count·trunc(|a| + 1) (time is
    // a maximal delay, meant to be >= 0). Requires timeEnvelope.GetValues() > 0.
    std::unique_ptr<Sound> PeriodEcho(ErrorFlag* error, double time, const Sound& timeEnvelope,
                                      double volume, std::int32_t count, std::int32_t& begin,
                                      std::int32_t& end) const;
    // Delay from timeEnvelope, gain from volumeEnvelope.
    std::unique_ptr<Sound> PeriodEcho(ErrorFlag* error, double time, const Sound& timeEnvelope,
                                      const Sound& volumeEnvelope, std::int32_t count,
                                      std::int32_t& begin, std::int32_t& end) const;

  protected:
    Sound(std::int16_t moSt, std::int32_t freq, std::int16_t bytesPSample);

    // The channels in order (mono: one, stereo: left and right).
    virtual int ChannelCount() const = 0;
    virtual Wave& Channel(int index) = 0;
    virtual const Wave& Channel(int index) const = 0;
    // The wave of other that feeds this sound's channel index, at this rate when asked.
    virtual ChannelWave MatchingChannel(ErrorFlag* error, const Sound& other, int index,
                                        bool atThisRate) const = 0;
    // A new sound of this kind, format freq and BytesPSample, adopting the waves (one per
    // channel, all of equal length).
    virtual std::unique_ptr<Sound> MakeLike(ChannelWaves waves, std::int32_t freq) const = 0;

    // A new sound of this kind and format whose channel c is makeChannel(Channel(c), c);
    // nullptr when a channel could not be made or the flag is set.
    using ChannelMaker = std::function<std::unique_ptr<Wave>(const Wave& channel, int index)>;
    std::unique_ptr<Sound> MakeFromChannels(ErrorFlag* error,
                                            const ChannelMaker& makeChannel) const;

  private:
    using MatchedWaves = std::array<ChannelWave, 2>;
    // The waves of other matched to this sound's channels; false when the flag is set.
    bool MatchChannels(ErrorFlag* error, const Sound& other, bool atThisRate,
                       MatchedWaves& matched) const;
    template <class MakeChannel>
    std::unique_ptr<Sound> MapChannels(ErrorFlag* error, std::int32_t freq,
                                       MakeChannel&& makeChannel) const;
    std::int32_t PeakOf(ErrorFlag* error, std::int32_t begin, std::int32_t end) const;
};

class MonoSound final : public Sound {
  public:
    Wave WaveMiddle;

    // Empty.
    MonoSound(std::int32_t freq, std::int16_t bytesPSample);
    // The format of source with its mono wave copied (a stereo source is averaged).
    MonoSound(ErrorFlag* error, const Sound& source);
    // Adopts wave.
    MonoSound(Wave&& wave, std::int32_t freq, std::int16_t bytesPSample);
    ~MonoSound() override;

    std::int32_t GetValues() const override { return WaveMiddle.values; }
    ChannelWave GetMonoWave(ErrorFlag* error) const override;
    const Wave& GetLeftWave() const override { return WaveMiddle; }
    const Wave& GetRightWave() const override { return WaveMiddle; }

  protected:
    int ChannelCount() const override { return 1; }
    Wave& Channel(int) override { return WaveMiddle; }
    const Wave& Channel(int) const override { return WaveMiddle; }
    ChannelWave MatchingChannel(ErrorFlag* error, const Sound& other, int index,
                                bool atThisRate) const override;
    std::unique_ptr<Sound> MakeLike(ChannelWaves waves, std::int32_t freq) const override;
};

class StereoSound final : public Sound {
  public:
    Wave WaveLeft;
    Wave WaveRight;

    // Empty.
    StereoSound(std::int32_t freq, std::int16_t bytesPSample);
    // The format of source with its left and right waves copied (a mono source gives two
    // copies of its wave).
    StereoSound(ErrorFlag* error, const Sound& source);
    // Adopts both waves; requires left.values = right.values.
    StereoSound(Wave&& left, Wave&& right, std::int32_t freq, std::int16_t bytesPSample);
    ~StereoSound() override;

    std::int32_t GetValues() const override { return WaveLeft.values; }
    ChannelWave GetMonoWave(ErrorFlag* error) const override;
    const Wave& GetLeftWave() const override { return WaveLeft; }
    const Wave& GetRightWave() const override { return WaveRight; }

  protected:
    int ChannelCount() const override { return 2; }
    Wave& Channel(int index) override { return index == 0 ? WaveLeft : WaveRight; }
    const Wave& Channel(int index) const override { return index == 0 ? WaveLeft : WaveRight; }
    ChannelWave MatchingChannel(ErrorFlag* error, const Sound& other, int index,
                                bool atThisRate) const override;
    std::unique_ptr<Sound> MakeLike(ChannelWaves waves, std::int32_t freq) const override;
};

// A new empty sound of the given format.
std::unique_ptr<Sound> MakeEmptySound(const waveFileProps& props);

}  // namespace kalvora
