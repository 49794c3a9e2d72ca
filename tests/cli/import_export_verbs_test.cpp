// The import and export verbs over the real codec, on files made here: WAV variants built by
// hand, FLAC, Ogg and MP3 made from them by flac, sox, oggenc and lame. Exports are read back
// by sox.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/cli_fixture.h"
#include "support/scratch_files.h"
#include "support/wave_file_builder.h"

namespace kalvora::cli {
namespace {

using testing::BuildWaveFile;
using testing::FloatSamples;
using ::testing::HasSubstr;
using testing::IntegerSamples;
using testing::WaveFileLayout;
using testing::WriteBytes;

constexpr int kFrames = 20000;

// Samples over the whole 16-bit range, different in each channel.
std::vector<std::int32_t> Pattern16(int channels) {
    std::vector<std::int32_t> samples;
    for (int i = 0; i < kFrames; ++i) {
        for (int c = 0; c < channels; ++c)
            samples.push_back(static_cast<std::int32_t>((i * 7919 + c * 12345) % 65536) - 32768);
    }
    return samples;
}

// 24-bit samples whose low byte is not zero.
std::vector<std::int32_t> Pattern24(int channels) {
    std::vector<std::int32_t> samples;
    for (std::int32_t s : Pattern16(channels))
        samples.push_back(s * 256 + (s & 0xFF));
    return samples;
}

// A 1 kHz sine at half scale, for the lossy codecs.
std::vector<std::int32_t> Sine16(int channels, int frames) {
    std::vector<std::int32_t> samples;
    for (int i = 0; i < frames; ++i) {
        const double v = 16384 * std::sin(2 * M_PI * 1000.0 * i / 44100.0);
        for (int c = 0; c < channels; ++c)
            samples.push_back(static_cast<std::int32_t>(std::lround(v)));
    }
    return samples;
}

double RmsOf(const Wave& wave) {
    double sum = 0;
    for (std::int32_t i = 0; i < wave.values; ++i)
        sum += static_cast<double>(wave.wave[i]) * wave.wave[i];
    return wave.values > 0 ? std::sqrt(sum / wave.values) : 0;
}

class ImportExportVerbsTest : public CliFolderTest {
  protected:
    // Runs a tool of the test set-up; its output is not shown.
    static void Tool(const std::string& command) {
        ASSERT_EQ(std::system((command + " >/dev/null 2>&1").c_str()), 0) << command;
    }
    std::string Q(const std::string& name) const { return "'" + Path(name) + "'"; }

    void MakeWave(const std::string& name, const WaveFileLayout& layout,
                  const testing::Bytes& data) {
        WriteBytes(Path(name), BuildWaveFile(layout, data));
    }

    // Imports name and reads the result with the program's own WAV reader.
    std::unique_ptr<Sound> Import(const std::string& name) {
        EXPECT_EQ(Run({"import", Path(name), Path(name + ".imported.wav")}), 0) << err.str();
        return Read(name + ".imported.wav");
    }

    // Every channel of sound against interleaved expected values: exactly (tolerance 0) or
    // within tolerance steps.
    static void ExpectSamples(const Sound& sound, const std::vector<std::int32_t>& expected,
                              int channels, int tolerance) {
        ASSERT_EQ(sound.MoSt, channels);
        ASSERT_EQ(sound.GetValues() * channels, static_cast<std::int32_t>(expected.size()));
        int worst = 0;
        for (int c = 0; c < channels; ++c) {
            const Wave& wave = c == 0 ? sound.GetLeftWave() : sound.GetRightWave();
            for (std::int32_t i = 0; i < wave.values; ++i) {
                const int difference =
                    std::abs(wave.wave[i] - expected[static_cast<std::size_t>(i * channels + c)]);
                worst = std::max(worst, difference);
            }
        }
        EXPECT_LE(worst, tolerance);
    }
};

// 16-bit PCM comes through exactly, whatever the container holds around it.
TEST_F(ImportExportVerbsTest, SixteenBitSamplesAreExactInEveryContainer) {
    const std::vector<std::int32_t> pattern = Pattern16(2);
    const testing::Bytes data = IntegerSamples(pattern, 16);
    WaveFileLayout list;
    list.chunksBeforeData = {{"LIST", testing::InfoList("take 1")}};
    WaveFileLayout bextJunk;
    bextJunk.chunksBeforeData = {{"JUNK", testing::Bytes(28, 0)},
                                 {"bext", testing::Bytes(602, 0x20)}};
    WaveFileLayout extensible;
    extensible.kind = WaveFileLayout::Kind::extensiblePcm;
    extensible.channelMask = 3;
    MakeWave("list.wav", list, data);
    MakeWave("bext.wav", bextJunk, data);
    MakeWave("ext16.wav", extensible, data);
    MakeWave("plain.wav", WaveFileLayout{}, data);
    Tool("flac -s -f -o " + Q("plain.flac") + " " + Q("plain.wav"));

    for (const std::string name : {"list.wav", "bext.wav", "ext16.wav", "plain.flac"}) {
        SCOPED_TRACE(name);
        std::unique_ptr<Sound> sound = Import(name);
        ASSERT_TRUE(sound);
        EXPECT_EQ(sound->Freq, 44100);
        EXPECT_EQ(sound->BytesPSample, 2);
        ExpectSamples(*sound, pattern, 2, 0);
    }
}

// Open reads WAV files exactly as before: the chunk between "fmt " and "data" still refuses.
TEST_F(ImportExportVerbsTest, TheWaveReaderStillRefusesWhatImportReads) {
    WaveFileLayout list;
    list.chunksBeforeData = {{"LIST", testing::InfoList("take 1")}};
    MakeWave("list.wav", list, IntegerSamples(Pattern16(2), 16));
    std::unique_ptr<Sound> sound;
    std::string errorText;
    EXPECT_FALSE(ReadWaveFile(Path("list.wav"), sound, errorText));
    EXPECT_EQ(errorText, waveFileText::noData);
}

// Wider samples are rounded with dither: never more than one step from the nearest value.
TEST_F(ImportExportVerbsTest, WiderSamplesComeWithinOneStepOfDither) {
    const std::vector<std::int32_t> pattern24 = Pattern24(2);
    std::vector<std::int32_t> expected;
    for (std::int32_t s : pattern24)
        expected.push_back(
            std::clamp(static_cast<std::int32_t>(std::lround(s / 256.0)), -32768, 32767));
    WaveFileLayout ext24;
    ext24.kind = WaveFileLayout::Kind::extensiblePcm;
    ext24.bits = 24;
    ext24.channelMask = 3;
    MakeWave("ext24.wav", ext24, IntegerSamples(pattern24, 24));
    Tool("sox " + Q("ext24.wav") + " " + Q("s24.flac"));

    std::vector<float> floats;
    for (std::int32_t s : pattern24)
        floats.push_back(static_cast<float>(s) / 8388608.0f);
    WaveFileLayout float32;
    float32.kind = WaveFileLayout::Kind::ieeeFloat;
    float32.bits = 32;
    MakeWave("float.wav", float32, FloatSamples(floats));

    for (const std::string name : {"ext24.wav", "s24.flac", "float.wav"}) {
        SCOPED_TRACE(name);
        std::unique_ptr<Sound> sound = Import(name);
        ASSERT_TRUE(sound);
        ExpectSamples(*sound, expected, 2, 1);
        EXPECT_EQ(err.str(), "");
    }
}

TEST_F(ImportExportVerbsTest, FloatingPointValuesBeyondFullScaleAreClippedAndCounted) {
    WaveFileLayout float32;
    float32.kind = WaveFileLayout::Kind::ieeeFloat;
    float32.bits = 32;
    float32.channels = 1;
    MakeWave("loud.wav", float32, FloatSamples({0.5f, 1.5f, -3.0f, 1.0f, -1.0f, 2.0f}));
    std::unique_ptr<Sound> sound = Import("loud.wav");
    ASSERT_TRUE(sound);
    EXPECT_THAT(err.str(), HasSubstr("3 samples were beyond full scale"));
    const Wave& wave = sound->GetLeftWave();
    ASSERT_EQ(wave.values, 6);
    EXPECT_EQ(wave.wave[1], 32767);
    EXPECT_EQ(wave.wave[2], -32768);
    EXPECT_GE(wave.wave[3], 32766);
    EXPECT_LE(wave.wave[4], -32767);
}

// Lossy files keep their length within one codec frame and their level.
TEST_F(ImportExportVerbsTest, OggAndMp3KeepLengthAndLevel) {
    const int frames = 44100;
    const std::vector<std::int32_t> sine = Sine16(2, frames);
    MakeWave("sine.wav", WaveFileLayout{}, IntegerSamples(sine, 16));
    Tool("oggenc -Q -q 5 -o " + Q("sine.ogg") + " " + Q("sine.wav"));
    Tool("lame --quiet -b 192 " + Q("sine.wav") + " " + Q("sine.mp3"));
    const double expectedRms = 16384 / std::sqrt(2.0);

    struct Case {
        const char* name;
        int frameLength;  // the codec's largest frame
    };
    for (const Case& c : {Case{"sine.ogg", 2048}, Case{"sine.mp3", 1152}}) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<Sound> sound = Import(c.name);
        ASSERT_TRUE(sound);
        EXPECT_EQ(sound->MoSt, 2);
        EXPECT_EQ(sound->Freq, 44100);
        EXPECT_LE(std::abs(sound->GetValues() - frames), c.frameLength);
        for (const Wave* wave : {&sound->GetLeftWave(), &sound->GetRightWave()})
            EXPECT_NEAR(20 * std::log10(RmsOf(*wave) / expectedRms), 0.0, 1.0);
    }
}

// Six channels (5.1) become stereo: front left and right at full weight, centre and
// surrounds at -3 dB, the low-frequency channel left out, scaled so that nothing can clip.
TEST_F(ImportExportVerbsTest, SixChannelsAreMixedDownToStereo) {
    std::vector<std::int32_t> samples;
    for (int i = 0; i < 1000; ++i) {
        // L, R, C, LFE, rear L, rear R
        for (std::int32_t s : {20000, 0, 0, 30000, 0, 0})
            samples.push_back(s);
    }
    WaveFileLayout six;
    six.kind = WaveFileLayout::Kind::extensiblePcm;
    six.channels = 6;
    six.channelMask = 0x3F;
    MakeWave("six.wav", six, IntegerSamples(samples, 16));
    std::unique_ptr<Sound> sound = Import("six.wav");
    ASSERT_TRUE(sound);
    ASSERT_EQ(sound->MoSt, 2);
    const double scale = 1 / (1 + 2 * std::sqrt(0.5));
    EXPECT_NEAR(sound->GetLeftWave().wave[500], 20000 * scale, 1.5);
    EXPECT_NEAR(sound->GetRightWave().wave[500], 0, 1.5);
}

TEST_F(ImportExportVerbsTest, ImportRefusesWhatIsNoSound) {
    testing::WriteBytes(Path("text.wav"), testing::Bytes(100, 'x'));
    EXPECT_EQ(Run({"import", Path("text.wav"), Path("out.wav")}), exitFileError);
    EXPECT_THAT(err.str(), HasSubstr(Path("text.wav") + ": "));
    EXPECT_FALSE(std::filesystem::exists(Path("out.wav")));
    EXPECT_EQ(Run({"import", Path("missing.flac"), Path("out.wav")}), exitFileError);
    EXPECT_EQ(Run({"import", Path("text.wav")}), exitUsageError);
}

// WAV and FLAC exports hold the same samples when sox reads them back.
TEST_F(ImportExportVerbsTest, WaveAndFlacExportsReadBackInSoxWithTheSameSamples) {
    const std::vector<std::int32_t> pattern = Pattern16(2);
    MakeWave("in.wav", WaveFileLayout{}, IntegerSamples(pattern, 16));
    struct Case {
        const char* output;
        std::vector<std::string> options;
        const char* soxEncoding;
    };
    const std::vector<Case> cases = {
        {"out16.wav", {}, "16-bit Signed Integer PCM"},
        {"out24.wav", {"--bits", "24"}, "24-bit Signed Integer PCM"},
        {"out16.flac", {}, "16-bit FLAC"},
        {"out24.flac", {"--bits", "24"}, "24-bit FLAC"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.output);
        std::vector<std::string> args = {"export", Path("in.wav"), Path(c.output)};
        args.insert(args.end(), c.options.begin(), c.options.end());
        ASSERT_EQ(Run(args), 0) << err.str();
        Tool("soxi " + Q(c.output) + " | grep -q '" + c.soxEncoding + "'");
        // sox turns it back into 16 bits without dither: 24-bit files hold the samples
        // shifted by 8 bits, so they come back exactly.
        const std::string back = std::string(c.output) + ".back.wav";
        Tool("sox -D " + Q(c.output) + " -b 16 -e signed-integer " + Q(back));
        std::unique_ptr<Sound> sound = Read(back);
        ASSERT_TRUE(sound);
        ExpectSamples(*sound, pattern, 2, 0);
    }
}

TEST_F(ImportExportVerbsTest, ExportWritesTheSelectionAndOggOfTheChosenQuality) {
    const std::vector<std::int32_t> sine = Sine16(1, 44100);
    MakeWave(
        "in.wav",
        [] {
            WaveFileLayout mono;
            mono.channels = 1;
            return mono;
        }(),
        IntegerSamples(sine, 16));
    ASSERT_EQ(Run({"export", Path("in.wav"), Path("part.flac"), "--select", "100:1100"}), 0)
        << err.str();
    Tool("sox " + Q("part.flac") + " " + Q("part.wav"));
    std::unique_ptr<Sound> part = Read("part.wav");
    ASSERT_TRUE(part);
    ASSERT_EQ(part->GetValues(), 1000);
    EXPECT_EQ(part->GetLeftWave().wave[0], sine[100]);

    ASSERT_EQ(Run({"export", Path("in.wav"), Path("low.ogg"), "--quality", "0"}), 0) << err.str();
    ASSERT_EQ(Run({"export", Path("in.wav"), Path("high.ogg"), "--quality", "10"}), 0) << err.str();
    EXPECT_LT(std::filesystem::file_size(Path("low.ogg")),
              std::filesystem::file_size(Path("high.ogg")));
    std::unique_ptr<Sound> back = Import("high.ogg");
    ASSERT_TRUE(back);
    EXPECT_LE(std::abs(back->GetValues() - 44100), 2048);
}

TEST_F(ImportExportVerbsTest, ExportRefusesOptionsThatDoNotFitTheFormat) {
    MakeWave("in.wav", WaveFileLayout{}, IntegerSamples(Pattern16(2), 16));
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const std::vector<Case> cases = {
        {{"out.mp3"}, "must end in .wav, .flac or .ogg"},
        {{"out.wav", "--bits", "8"}, "In --bits: the sample width must be 16 or 24."},
        {{"out.ogg", "--bits", "16"}, "In --bits: Ogg Vorbis files have no sample width."},
        {{"out.ogg", "--quality", "11"}, "In --quality: the quality must lie between 0 and 10."},
        {{"out.flac", "--quality", "5"}, "In --quality: only Ogg Vorbis files have a quality"},
        {{"out.wav", "--select", "5:1"}, "--select"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"export", Path("in.wav"), Path(c.args[0])};
        args.insert(args.end(), c.args.begin() + 1, c.args.end());
        SCOPED_TRACE(c.args[0]);
        EXPECT_EQ(Run(args), exitUsageError);
        EXPECT_THAT(err.str(), HasSubstr(c.message));
    }
    EXPECT_FALSE(std::filesystem::exists(Path("out.wav")));
    EXPECT_EQ(Run({"export", Path("missing.wav"), Path("out.wav")}), exitFileError);
}

// An existing file is replaced only by a complete export: a disk that fills up midway (a
// file-size limit here) leaves the old file and no temporary one.
TEST_F(ImportExportVerbsTest, AFailedExportLeavesTheOldFile) {
    MakeWave("in.wav", WaveFileLayout{}, IntegerSamples(Pattern16(2), 16));
    for (const std::string name : {"old.wav", "old.flac"}) {
        SCOPED_TRACE(name);
        testing::WriteBytes(Path(name), testing::Bytes(10, 'o'));
        int status = 0;
        {
            testing::FileSizeLimit limit(4096);
            status = Run({"export", Path("in.wav"), Path(name)});
        }
        EXPECT_EQ(status, exitFileError);
        EXPECT_THAT(err.str(), HasSubstr(Path(name) + ": "));
        EXPECT_EQ(std::filesystem::file_size(Path(name)), 10u);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Path("")), {}), 3);
}

}  // namespace
}  // namespace kalvora::cli
