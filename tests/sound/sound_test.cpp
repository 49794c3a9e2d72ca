#include "sound/sound.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/recording_message_sink.h"
#include "sound/sample_memory.h"
#include "wave_samples.h"

namespace kalvora {
namespace {

using ::testing::ElementsAre;
using testing::MakeWave;
using testing::Samples;

using Samples16 = std::vector<std::int16_t>;

using testing::Mono;
using testing::Stereo;

const StereoSound& AsStereo(const std::unique_ptr<Sound>& sound) {
    return dynamic_cast<const StereoSound&>(*sound);
}

const MonoSound& AsMono(const std::unique_ptr<Sound>& sound) {
    return dynamic_cast<const MonoSound&>(*sound);
}

class SoundTest : public ::testing::Test {
  protected:
    ErrorFlag error = 0;
    platform::RecordingMessageSink messages;
};

TEST_F(SoundTest, ConstructionAndFormat) {
    const MonoSound mono(22050, 1);
    EXPECT_EQ(mono.MoSt, 1);
    EXPECT_EQ(mono.Freq, 22050);
    EXPECT_EQ(mono.GetBytesPSample(), 1);
    EXPECT_EQ(mono.ProtectWave, 0);
    EXPECT_EQ(mono.GetValues(), 0);

    const StereoSound stereo = Stereo({1, 2, 3, 4}, {5, 6, 7, 8}, 200);
    EXPECT_EQ(stereo.MoSt, 2);
    EXPECT_EQ(stereo.GetValues(), 4);
    EXPECT_DOUBLE_EQ(stereo.GetSeconds(), 0.02);
    EXPECT_EQ(stereo.GetWaveFileProps(), (waveFileProps{200, 2, 2}));

    auto empty = MakeEmptySound({5512, 1, 1});
    EXPECT_EQ(empty->GetWaveFileProps(), (waveFileProps{5512, 1, 1}));
}

TEST_F(SoundTest, ConvertingBetweenMonoAndStereo) {
    const StereoSound stereo = Stereo({10, -3}, {20, 0});
    const MonoSound mono(&error, stereo);
    EXPECT_THAT(Samples(mono.WaveMiddle), ElementsAre(15, -1));
    EXPECT_EQ(mono.Freq, 100);

    const StereoSound doubled(&error, mono);
    EXPECT_THAT(Samples(doubled.WaveLeft), ElementsAre(15, -1));
    EXPECT_THAT(Samples(doubled.WaveRight), ElementsAre(15, -1));
    EXPECT_NE(doubled.WaveLeft.wave, doubled.WaveRight.wave);

    const StereoSound fromEmpty(&error, MonoSound(8000, 1));
    EXPECT_EQ(fromEmpty.GetValues(), 0);
    EXPECT_EQ(fromEmpty.BytesPSample, 1);
}

TEST(SoundDeathTest, StereoChannelsOfDifferentLengthsAreAProgrammingError) {
    EXPECT_DEATH(Stereo({1, 2}, {1}), "WaveLeft.values == WaveRight.values");
}

TEST_F(SoundTest, MonoWaveIsTheWaveItselfForMonoAndANewAverageForStereo) {
    const MonoSound mono = Mono({1, 2, 3});
    const ChannelWave own = mono.GetMonoWave(&error);
    EXPECT_FALSE(own.copied());
    EXPECT_EQ(own.get(), &mono.WaveMiddle);

    const StereoSound stereo = Stereo({1, 2}, {3, 4});
    const ChannelWave first = stereo.GetMonoWave(&error);
    const ChannelWave second = stereo.GetMonoWave(&error);
    EXPECT_TRUE(first.copied());
    EXPECT_NE(first.get(), second.get());
    EXPECT_THAT(Samples(*first), ElementsAre(2, 3));
    EXPECT_EQ(&stereo.GetLeftWave(), &stereo.WaveLeft);
    EXPECT_EQ(&stereo.GetRightWave(), &stereo.WaveRight);
    EXPECT_EQ(&mono.GetRightWave(), &mono.WaveMiddle);
}

TEST_F(SoundTest, WavesAtAnotherRate) {
    const MonoSound mono = Mono({0, 10, 20, 30, 40}, 100);
    const ChannelWave same = mono.GetMonoWaveAt(&error, 100);
    EXPECT_FALSE(same.copied());
    const ChannelWave doubled = mono.GetMonoWaveAt(&error, 200);
    EXPECT_TRUE(doubled.copied());
    EXPECT_EQ(doubled->getValues(), 2 * (5 - 1) + 1);

    const StereoSound stereo = Stereo({0, 10, 20}, {4, 4, 4}, 100);
    EXPECT_FALSE(stereo.GetLeftWaveAt(&error, 100).copied());
    EXPECT_EQ(stereo.GetRightWaveAt(&error, 50)->getValues(), 2);
    EXPECT_TRUE(stereo.GetMonoWaveAt(&error, 100).copied());
    EXPECT_EQ(stereo.GetMiddleWaveAt(&error, 200)->getValues(), 5);

    // The copies are always owned by the caller, also when no resampling was needed.
    auto copy = mono.MonoWaveCopy(&error, 0);
    EXPECT_NE(copy->wave, mono.WaveMiddle.wave);
    EXPECT_THAT(Samples(copy), ElementsAre(0, 10, 20, 30, 40));
    EXPECT_EQ(stereo.LeftWaveCopy(&error, 100)->getValues(), 3);
    EXPECT_EQ(stereo.RightWaveCopy(&error, 200)->getValues(), 5);
    EXPECT_EQ(error, 0);
}

TEST_F(SoundTest, EnvelopeValueMapsTheSampleRangeOntoBottomToTop) {
    const MonoSound mono = Mono({-32768, 0, 32767});
    EXPECT_DOUBLE_EQ(mono.GetEnvelopeValue(&error, 0, 10, 2), 2);
    EXPECT_DOUBLE_EQ(mono.GetEnvelopeValue(&error, 1, 10, 2), 10);
    EXPECT_NEAR(mono.GetEnvelopeValue(&error, 0.5, 10, 2), 2 + 32768.0 / 65535 * 8, 1e-12);
    const StereoSound stereo = Stereo({-32768, 32767}, {32767, 32767});
    EXPECT_NEAR(stereo.GetEnvelopeValue(&error, 0, 1, 0), (-0.5 + 32768) / 65535, 1e-12);
}

TEST_F(SoundTest, ExtractRemoveAndEmptySounds) {
    const StereoSound stereo = Stereo({1, 2, 3, 4}, {5, 6, 7, 8}, 300);
    auto part = stereo.Extract(&error, 1, 3);
    EXPECT_THAT(Samples(AsStereo(part).WaveLeft), ElementsAre(2, 3));
    EXPECT_THAT(Samples(AsStereo(part).WaveRight), ElementsAre(6, 7));
    EXPECT_EQ(part->Freq, 300);

    EXPECT_EQ(stereo.Extract(&error, 2, 2)->GetValues(), 0);
    auto rest = stereo.Remove(&error, 0, 3);
    EXPECT_THAT(Samples(AsStereo(rest).WaveRight), ElementsAre(8));

    auto nothing = stereo.Remove(&error, 0, 4);
    EXPECT_EQ(nothing->GetValues(), 0);
    EXPECT_EQ(nothing->GetWaveFileProps(), stereo.GetWaveFileProps());
    EXPECT_EQ(stereo.MakeEmpty()->GetWaveFileProps(), stereo.GetWaveFileProps());
}

TEST_F(SoundTest, ReplaceMatchesChannelsAndRates) {
    const StereoSound stereo = Stereo({1, 2, 3}, {4, 5, 6}, 100);
    // A mono clipboard at half the rate feeds both channels, resampled to this rate
    // (3 samples at positions 0, 2/3, 4/3 of the clipboard).
    const MonoSound clip = Mono({10, 30}, 50);
    auto pasted = stereo.Replace(&error, clip, 1, 1);
    EXPECT_THAT(Samples(AsStereo(pasted).WaveLeft), ElementsAre(1, 10, 23, 30, 2, 3));
    EXPECT_THAT(Samples(AsStereo(pasted).WaveRight), ElementsAre(4, 10, 23, 30, 5, 6));

    // A stereo clipboard is averaged for a mono sound.
    const MonoSound mono = Mono({1, 2, 3}, 100);
    auto replaced = mono.Replace(&error, Stereo({10, 20}, {30, 40}, 100), 0, 2);
    EXPECT_THAT(Samples(AsMono(replaced).WaveMiddle), ElementsAre(20, 30, 3));
}

TEST_F(SoundTest, MixFamily) {
    const StereoSound stereo = Stereo({1, 1, 1, 1}, {2, 2, 2, 2}, 100);
    const StereoSound other = Stereo({10, 20}, {30, 40}, 100);
    auto mixed = stereo.Mix(&error, other, 3, -1, false);
    EXPECT_THAT(Samples(AsStereo(mixed).WaveLeft), ElementsAre(1, 1, 1, 11, 20));
    EXPECT_THAT(Samples(AsStereo(mixed).WaveRight), ElementsAre(2, 2, 2, 32, 40));

    auto aligned = stereo.MixAlignEnd(&error, other, 2, 1);
    EXPECT_THAT(Samples(AsStereo(aligned).WaveLeft), ElementsAre(1, 21, 1, 1));

    // Stretched: not resampled, whatever the other's rate.
    const MonoSound slow = Mono({0, 100, 200}, 10);
    auto stretched = stereo.MixStretched(&error, slow, 0, 3);
    EXPECT_THAT(Samples(AsStereo(stretched).WaveRight), ElementsAre(2, 52, 102, 2));

    StereoSound target = Stereo({0, 0, 0, 0}, {0, 0, 0, 0}, 100);
    target.MixAfterSeconds(&error, other, 0.02, 0.5);
    EXPECT_THAT(Samples(target.WaveLeft), ElementsAre(0, 0, 5, 10));
    target.MixAfter(&error, other, 3);
    EXPECT_THAT(Samples(target.WaveRight), ElementsAre(0, 0, 15, 50));
    target.MixCycleAfterThis(&error, Mono({1, 1, 1, 1, 1}, 100), 3);
    EXPECT_THAT(Samples(target.WaveLeft), ElementsAre(1, 1, 6, 22));
    EXPECT_EQ(error, 0);
}

TEST_F(SoundTest, ScaleToMaxFamily) {
    const StereoSound stereo = Stereo({100, -200, 50}, {1000, 0, -300}, 100);
    // The peak of both channels inside the range (-300 on the right) decides the factor.
    auto max = stereo.MaxVolume(&error, 1, 3);
    EXPECT_THAT(Samples(AsStereo(max).WaveLeft), ElementsAre(100, -21844, 5461));
    EXPECT_THAT(Samples(AsStereo(max).WaveRight), ElementsAre(1000, 0, -32767));
    auto seventy = stereo.MaxVolume70(&error, 0, 3);
    EXPECT_EQ(AsStereo(seventy).WaveRight.wave[0], 22936);  // 0.7·32767 = 22936.9

    MonoSound silent = Mono({5, 0, 0, 5});
    auto zeros = silent.ScaleToMax(&error, 1, 1, 3);
    EXPECT_THAT(Samples(AsMono(zeros).WaveMiddle), ElementsAre(5, 0, 0, 5));
    silent.MaxVolumeInPlace(&error, 0, 4);
    EXPECT_THAT(Samples(silent.WaveMiddle), ElementsAre(32767, 0, 0, 32767));
    silent.MaxVolume70InPlace(&error, 0, 2);
    EXPECT_THAT(Samples(silent.WaveMiddle), ElementsAre(22936, 0, 0, 32767));
    silent.ScaleToMaxInPlace(&error, 0.5, 3, 4);
    EXPECT_EQ(silent.WaveMiddle.wave[3], 16383);
    silent.ScaleInPlace(&error, 2, 0, 1);
    EXPECT_EQ(silent.WaveMiddle.wave[0], -19664);  // 45872 wraps
}

TEST_F(SoundTest, ScaleToMaxOfASilentRangeScalesByZero) {
    const MonoSound mono = Mono({7, 0, 0, -7});
    auto result = mono.ScaleToMax(&error, 1.0, 0, 4);
    EXPECT_THAT(Samples(AsMono(result).WaveMiddle), ElementsAre(32767, 0, 0, -32767));
    auto silent = Mono({0, 0, 9}).ScaleToMax(&error, 1.0, 0, 2);
    EXPECT_THAT(Samples(AsMono(silent).WaveMiddle), ElementsAre(0, 0, 9));
}

TEST_F(SoundTest, DrawLineResampleChangeFreqMakeSilence) {
    StereoSound stereo = Stereo({1, 2, 3, 4}, {5, 6, 7, 8}, 100);
    stereo.DrawLine(&error, 1, 0, 4, 0);
    EXPECT_THAT(Samples(stereo.WaveLeft), ElementsAre(1, 0, 0, 0));
    EXPECT_THAT(Samples(stereo.WaveRight), ElementsAre(5, 0, 0, 0));

    auto faster = stereo.Resample(&error, 0.5);
    EXPECT_EQ(faster->Freq, 100);
    EXPECT_EQ(faster->GetValues(), 2);

    auto changed = stereo.ChangeFreq(&error, 200.7);
    EXPECT_EQ(changed->Freq, 200);
    EXPECT_EQ(changed->GetValues(), 7);
    EXPECT_EQ(MonoSound(100, 2).ChangeFreq(&error, 50)->GetValues(), 0);

    auto silence = stereo.MakeSilence(&error, 3.9);
    EXPECT_THAT(Samples(AsStereo(silence).WaveLeft), ElementsAre(0, 0, 0));
    EXPECT_THAT(Samples(AsStereo(silence).WaveRight), ElementsAre(0, 0, 0));
    EXPECT_EQ(silence->GetWaveFileProps(), stereo.GetWaveFileProps());
}

TEST_F(SoundTest, ProtectedSoundsLeaveTheirArraysAlone) {
    Wave owner = MakeWave({1, 2, 3});
    {
        MonoSound view(Wave(owner.wave, owner.values), 100, 2);
        view.SetProtectWave();
        EXPECT_EQ(view.ProtectWave, 1);
    }
    {
        StereoSound view(Wave(owner.wave, 3), Wave(owner.wave, 3), 100, 2);
        view.SetProtectWave();
    }
    EXPECT_THAT(Samples(owner), ElementsAre(1, 2, 3));  // still alive: ASan checks
}

TEST_F(SoundTest, AdoptingMovesTheArraysWithoutCopying) {
    StereoSound stereo = Stereo({1, 2}, {3, 4});
    const std::int16_t* left = stereo.WaveLeft.wave;
    MonoSound split(std::move(stereo.WaveLeft), stereo.Freq, stereo.BytesPSample);
    EXPECT_EQ(split.WaveMiddle.wave, left);
    EXPECT_EQ(stereo.WaveLeft.wave, nullptr);
}

TEST_F(SoundTest, FailuresAndASetFlagGiveNoSound) {
    const StereoSound stereo = Stereo({1, 2, 3, 4}, {5, 6, 7, 8});
    {
        // Room for the left channel only: the right one fails.
        SampleAllocationLimit limit(3);
        EXPECT_EQ(stereo.Extract(&error, 0, 3), nullptr);
    }
    EXPECT_EQ(error, 1);
    EXPECT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(stereo.Extract(&error, 0, 1), nullptr);
    EXPECT_EQ(stereo.Mix(&error, stereo, 0, -1, false), nullptr);
    EXPECT_EQ(stereo.Replace(&error, stereo, 0, 1), nullptr);
    EXPECT_EQ(stereo.ChangeFreq(&error, 50), nullptr);
    EXPECT_EQ(stereo.MaxVolume(&error, 0, 4), nullptr);
    EXPECT_FALSE(stereo.GetMonoWave(&error));
    EXPECT_FALSE(stereo.GetLeftWaveAt(&error, 200));
    EXPECT_EQ(stereo.LeftWaveCopy(&error, 0), nullptr);
    EXPECT_EQ(messages.Messages().size(), 1u);
}

}  // namespace
}  // namespace kalvora
