// Import and Export over the fake codec: the conversions themselves (exact 16 bits, dither,
// clipping, downmix), the length checks and the growth of waves past a wrong header.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/fake_sound_codec.h"
#include "sound/channel_downmix.h"
#include "sound/sample_memory.h"
#include "sound/sound_export.h"
#include "sound/sound_import.h"
#include "sound/tpdf_dither.h"

namespace kalvora {
namespace {

using platform::FakeSoundFile;
using platform::SpeakerPosition;
using ::testing::ElementsAre;

FakeSoundFile File(int channels, std::vector<float> samples, bool wide) {
    FakeSoundFile file;
    file.info.channels = channels;
    file.info.rate = 48000;
    file.info.frames = static_cast<std::int64_t>(samples.size()) / channels;
    file.info.wide = wide;
    file.samples = std::move(samples);
    return file;
}

std::vector<std::int16_t> Samples(const Wave& wave) {
    return {wave.wave, wave.wave + wave.values};
}

class SoundImportTest : public ::testing::Test {
  protected:
    // Imports file through the fake codec; the result's sound or nullptr.
    bool Import(const FakeSoundFile& file, const ImportLimits& limits = {}) {
        codec_.files["in"] = file;
        std::unique_ptr<platform::SoundDecoder> decoder = codec_.Open("in", errorText_);
        EXPECT_TRUE(decoder);
        return ImportSound(*decoder, result_, errorText_, limits);
    }

    platform::FakeSoundCodec codec_;
    ImportResult result_;
    std::string errorText_;
};

TEST_F(SoundImportTest, SixteenBitSamplesArriveExactlyAndKeepTheRate) {
    ASSERT_TRUE(Import(File(2, {-1.0f, 0.5f, 32767 / 32768.0f, -1 / 32768.0f}, false)));
    const Sound& sound = *result_.sound;
    EXPECT_EQ(sound.MoSt, 2);
    EXPECT_EQ(sound.Freq, 48000);
    EXPECT_EQ(sound.BytesPSample, 2);
    EXPECT_THAT(Samples(sound.GetLeftWave()), ElementsAre(-32768, 32767));
    EXPECT_THAT(Samples(sound.GetRightWave()), ElementsAre(16384, -1));
    EXPECT_FALSE(result_.dithered);
    EXPECT_EQ(result_.clippedSamples, 0);
}

// Wider samples get TPDF dither: each lands within one step of the nearest 16-bit value,
// and a value halfway between two steps comes out as either, about equally often.
TEST_F(SoundImportTest, WideSamplesAreDitheredWithinOneStep) {
    std::vector<float> samples;
    for (int i = 0; i < 20000; ++i)
        samples.push_back(static_cast<float>(((i * 37) % 2001) - 1000) / 1000.5f + 0.5f / 32768);
    ASSERT_TRUE(Import(File(1, samples, true)));
    EXPECT_TRUE(result_.dithered);
    const Wave& wave = result_.sound->GetLeftWave();
    ASSERT_EQ(wave.values, 20000);
    double sumOfErrors = 0;
    for (int i = 0; i < wave.values; ++i) {
        const double exact = samples[static_cast<std::size_t>(i)] * 32768.0;
        EXPECT_LE(std::abs(wave.wave[i] - std::lround(exact)), 1) << i;
        sumOfErrors += wave.wave[i] - exact;
    }
    EXPECT_NEAR(sumOfErrors / wave.values, 0.0, 0.05);  // no bias
}

TEST_F(SoundImportTest, ValuesBeyondFullScaleAreClippedAndCounted) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    ASSERT_TRUE(Import(File(1, {2.0f, -1.5f, 1.0f, -1.0f, nan, 0.0f}, true)));
    const Wave& wave = result_.sound->GetLeftWave();
    EXPECT_EQ(wave.wave[0], 32767);
    EXPECT_EQ(wave.wave[1], -32768);
    EXPECT_GE(wave.wave[2], 32766);  // full scale itself is held, not counted
    EXPECT_LE(wave.wave[3], -32767);
    EXPECT_LE(std::abs(wave.wave[4]), 1);
    EXPECT_EQ(result_.clippedSamples, 3);
    EXPECT_EQ(ClippedSamplesText(3),
              "3 samples were beyond full scale and clipped to the largest 16-bit value.");
    EXPECT_EQ(ClippedSamplesText(0), "");
}

TEST_F(SoundImportTest, MoreThanTwoChannelsAreMixedDownToStereo) {
    // 5.1 without names: L R C LFE rear-L rear-R.
    std::vector<float> frame = {0.5f, 0.0f, 0.25f, 1.0f, 0.0f, 0.5f};
    ASSERT_TRUE(Import(File(6, frame, false)));
    ASSERT_EQ(result_.sound->MoSt, 2);
    EXPECT_EQ(result_.fileChannels, 6);
    const float g = std::sqrt(0.5f);
    const float scale = 1 / (1 + 2 * g);
    EXPECT_NEAR(result_.sound->GetLeftWave().wave[0], (0.5f + g * 0.25f) * scale * 32768, 1);
    EXPECT_NEAR(result_.sound->GetRightWave().wave[0], (g * 0.25f + g * 0.5f) * scale * 32768, 1);
}

TEST(ChannelDownmixTest, NamedChannelsDecideTheirSide) {
    using P = SpeakerPosition;
    const std::vector<StereoWeights> weights =
        StereoDownmix({P::frontRight, P::frontLeft, P::lowFrequency}, 3);
    EXPECT_FLOAT_EQ(weights[0].right, 1);
    EXPECT_FLOAT_EQ(weights[0].left, 0);
    EXPECT_FLOAT_EQ(weights[1].left, 1);
    EXPECT_FLOAT_EQ(weights[2].left + weights[2].right, 0);
    // Without names (or with the wrong number) the usual layouts hold; neither side of a
    // mix of every channel can pass full scale.
    for (int channels = 3; channels <= 10; ++channels) {
        SCOPED_TRACE(channels);
        const std::vector<StereoWeights> mix = StereoDownmix({P::mono}, channels);
        ASSERT_EQ(mix.size(), static_cast<std::size_t>(channels));
        float left = 0;
        float right = 0;
        for (const StereoWeights& w : mix) {
            left += w.left;
            right += w.right;
        }
        EXPECT_LE(left, 1.0001f);
        EXPECT_NEAR(left, right, 1e-5);
        EXPECT_GT(mix[0].left, mix[0].right);
    }
    EXPECT_THAT(DefaultPositions(4),
                ElementsAre(P::frontLeft, P::frontRight, P::rearLeft, P::rearRight));
}

// A length that a wave cannot hold is refused before anything is allocated.
TEST_F(SoundImportTest, TooLongASoundIsRefusedBeforeAllocating) {
    FakeSoundFile file = File(2, {0, 0}, false);
    file.info.frames = std::int64_t{1} << 31;
    SampleAllocationLimit noMemory(0);
    EXPECT_FALSE(Import(file));
    EXPECT_EQ(errorText_, importText::tooLong);
    EXPECT_FALSE(result_.sound);
}

// A header that states the wrong length: the samples that arrive are what counts.
TEST_F(SoundImportTest, TheSamplesThatArriveCountNotTheStatedLength) {
    std::vector<float> samples(30000);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<float>(i % 1000) / 32768;
    FakeSoundFile longer = File(1, samples, false);
    longer.info.frames = 10;
    ImportLimits limits;
    limits.framesUpFront = 5;
    ASSERT_TRUE(Import(longer, limits));
    ASSERT_EQ(result_.sound->GetValues(), 30000);
    EXPECT_EQ(result_.sound->GetLeftWave().wave[29999], 999);

    FakeSoundFile shorter = File(1, samples, false);
    shorter.info.frames = 100000;
    ASSERT_TRUE(Import(shorter));
    EXPECT_EQ(result_.sound->GetValues(), 30000);

    limits.mostFrames = 20000;
    EXPECT_FALSE(Import(longer, limits));
    EXPECT_EQ(errorText_, importText::tooLong);
}

TEST_F(SoundImportTest, ADecodingErrorFailsTheImport) {
    FakeSoundFile file = File(1, std::vector<float>(100, 0.0f), true);
    file.framesDelivered = 40;
    file.readError = "Internal error: bad frame.";
    EXPECT_FALSE(Import(file));
    EXPECT_EQ(errorText_, std::string(importText::damaged) + "Internal error: bad frame.");

    FakeSoundFile empty = File(2, {}, false);
    ASSERT_TRUE(Import(empty));
    EXPECT_EQ(result_.sound->GetValues(), 0);
    EXPECT_EQ(result_.sound->MoSt, 2);
}

TEST(TpdfDitherTest, StaysStrictlyWithinOneStepAndAveragesToZero) {
    TpdfDither dither;
    double sum = 0;
    for (int i = 0; i < 100000; ++i) {
        const float d = dither.Next();
        ASSERT_GT(d, -1.0f);
        ASSERT_LT(d, 1.0f);
        sum += d;
    }
    EXPECT_NEAR(sum / 100000, 0.0, 0.01);
}

TEST(SoundExportTest, TheExtensionChoosesTheFormat) {
    using platform::EncodedFormat;
    EXPECT_EQ(ExportFormatOf("a/b.wav"), EncodedFormat::wav);
    EXPECT_EQ(ExportFormatOf("B.FLAC"), EncodedFormat::flac);
    EXPECT_EQ(ExportFormatOf("c.Ogg"), EncodedFormat::oggVorbis);
    EXPECT_EQ(ExportFormatOf("d.mp3"), std::nullopt);
    EXPECT_EQ(ExportFormatOf("wav"), std::nullopt);
}

TEST(SoundExportTest, WritesTheRangeInterleavedWithTheChosenSettings) {
    ErrorFlag error = 0;
    Wave left(&error, 4);
    Wave right(&error, 4);
    for (std::int16_t i = 0; i < 4; ++i) {
        left.wave[i] = i;
        right.wave[i] = static_cast<std::int16_t>(-i);
    }
    StereoSound sound(std::move(left), std::move(right), 22050, 2);
    platform::FakeSoundCodec codec;
    std::string errorText;
    ASSERT_TRUE(ExportSound(codec, sound, 1, 3, "x.flac", {24, 5.0}, errorText));
    const platform::FakeEncodedFile& file = codec.written.at("x.flac");
    EXPECT_THAT(file.samples, ElementsAre(1, -1, 2, -2));
    EXPECT_EQ(file.settings.format, platform::EncodedFormat::flac);
    EXPECT_EQ(file.settings.bits, 24);
    EXPECT_EQ(file.settings.rate, 22050);
    EXPECT_EQ(file.settings.channels, 2);

    EXPECT_FALSE(ExportSound(codec, sound, 0, 4, "x.aiff", {}, errorText));
    EXPECT_EQ(errorText, exportText::unknownExtension);
    codec.createError = "disk full";
    EXPECT_FALSE(ExportSound(codec, sound, 0, 4, "y.wav", {}, errorText));
    EXPECT_EQ(errorText, "disk full");
    EXPECT_EQ(codec.written.count("y.wav"), 0u);
}

}  // namespace
}  // namespace kalvora
