#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <QImage>

#include "cli/cli.h"
#include "sound/sound.h"
#include "sound/wave_file.h"

namespace kalvora::cli {
namespace {

namespace fs = std::filesystem;

class WaveformVerbTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("kalvora_waveform_test_" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    // A mono wave of n samples at 1000 Hz, all at value.
    fs::path WriteWave(const std::string& name, std::int32_t n, std::int16_t value) {
        ErrorFlag error = 0;
        Wave wave(&error, n);
        for (std::int32_t i = 0; i < n; ++i)
            wave.wave[i] = value;
        MonoSound sound(std::move(wave), 1000, 2);
        const fs::path file = folder_ / name;
        EXPECT_TRUE(WriteWaveFile(sound, &error, file, 0, n));
        return file;
    }

    int Run(const std::vector<std::string>& args) {
        out_.str("");
        err_.str("");
        return RunCli(args, out_, err_);
    }

    fs::path folder_;
    std::ostringstream out_, err_;
};

QRgb Pixel(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

TEST_F(WaveformVerbTest, PaintsTheWholeWaveWithTheSelectionInverted) {
    const fs::path in = WriteWave("in.wav", 100, 16384);
    const fs::path out = folder_ / "out.png";
    ASSERT_EQ(Run({"waveform", in.string(), out.string(), "--size", "50x20", "--select", "20:60",
                   "useGrid=off"}),
              exitSuccess)
        << err_.str();
    const QImage image(QString::fromStdString(out.string()));
    ASSERT_EQ(image.size(), QSize(50, 20));
    // 16384 lies at row 5 of 20; columns 10 .. 29 are selected, the cursor at column 10.
    EXPECT_EQ(Pixel(image, 5, 5), 0x000000u);
    EXPECT_EQ(Pixel(image, 5, 6), 0xFFFFFFu);
    EXPECT_EQ(Pixel(image, 20, 5), 0xFFFFFFu);
    EXPECT_EQ(Pixel(image, 20, 6), 0x000000u);
    EXPECT_EQ(Pixel(image, 10, 15), 0xFF00FFu);
    EXPECT_EQ(Pixel(image, 30, 6), 0xFFFFFFu);

    // Times and shares select the same samples.
    const fs::path again = folder_ / "again.png";
    ASSERT_EQ(Run({"waveform", in.string(), again.string(), "--size", "50x20", "--select",
                   "20ms:60%", "useGrid=off"}),
              exitSuccess)
        << err_.str();
    EXPECT_EQ(QImage(QString::fromStdString(again.string())), image);
}

TEST_F(WaveformVerbTest, FieldsChangeTheViewSettings) {
    const fs::path in = WriteWave("in.wav", 100, 0);
    const fs::path envelope = WriteWave("envelope.wav", 10, 16384);
    const fs::path out = folder_ / "out.png";
    ASSERT_EQ(Run({"waveform", in.string(), out.string(), "--size", "50x20", "useGrid=off",
                   "backgroundColor=00FF00", "SINGLECOLOR=ff0000", "cursorColor=00FF00",
                   "envelopeName=" + envelope.string(), "envelopeStrength=50%"}),
              exitSuccess)
        << err_.str();
    const QImage image(QString::fromStdString(out.string()));
    // QRgb is 0xRRGGBB where the settings write 0xBBGGRR. The envelope (with its own default
    // settings) fades halfway toward the green background: its white background, its black
    // wave at row 5; the wave itself in blue at row 10.
    EXPECT_EQ(Pixel(image, 20, 0), 0x7FFF7Fu);
    EXPECT_EQ(Pixel(image, 20, 5), 0x007F00u);
    EXPECT_EQ(Pixel(image, 20, 10), 0x0000FFu);
}

TEST_F(WaveformVerbTest, RejectedValuesAreUsageErrorsAndNothingIsWritten) {
    const fs::path in = WriteWave("in.wav", 100, 0);
    const fs::path out = folder_ / "out.png";
    struct Case {
        std::vector<std::string> extra;
        std::string message;
    };
    const Case cases[] = {
        {{"--size", "0x10"}, "In --size: "},
        {{"--size", "wide"}, "In --size: "},
        {{"--select", "10"}, "In --select: Use BEGIN:END"},
        {{"--select", "10:101"}, "In --select: The wave has 100 samples"},
        {{"--select", "1s:2s"}, "In --select: The wave has 100 samples"},
        {{"gridColor=80G080"}, "In GridColor: Invalid Hexdecimal value: \"80G080\"."},
        {{"valuesPerPixel=0"}, "In Values per Pixel: Value must be positive and more than 0."},
        {{"strength=x"}, "In Strength: Input has no value."},
        {{"envelopeStrength=150%"}, "In Background Strength: Value must be no more than 1."},
        {{"drawEnvelope=on"}, "In envelopeName: You have to select a Wave"},
        {{"front=Behind"}, "In front: Use one of Mixed, LeftAtFront, RightAtFront."},
        {{"useGrid=maybe"}, "In useGrid: Use on or off."},
        {{"colour=000000"}, "Unknown field \"colour\""},
        {{"--zoom", "2"}, "Unknown option --zoom"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"waveform", in.string(), out.string()};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        EXPECT_EQ(Run(args), exitUsageError) << c.message;
        EXPECT_NE(err_.str().find(c.message), std::string::npos) << err_.str();
        EXPECT_FALSE(fs::exists(out));
    }
    EXPECT_EQ(Run({"waveform", in.string()}), exitUsageError);
}

TEST_F(WaveformVerbTest, UnreadableAndUnwritableFilesAreFileErrors) {
    const fs::path out = folder_ / "out.png";
    EXPECT_EQ(Run({"waveform", (folder_ / "missing.wav").string(), out.string()}), exitFileError);
    EXPECT_NE(err_.str().find("Cannot open File."), std::string::npos) << err_.str();
    EXPECT_FALSE(fs::exists(out));

    const fs::path in = WriteWave("in.wav", 100, 0);
    EXPECT_EQ(Run({"waveform", in.string(), (folder_ / "no" / "out.png").string()}), exitFileError);
    EXPECT_NE(err_.str().find("Cannot write"), std::string::npos) << err_.str();

    // An existing picture is replaced only by a complete one.
    ASSERT_EQ(Run({"waveform", in.string(), out.string(), "--size", "8x8"}), exitSuccess);
    EXPECT_EQ(Run({"waveform", in.string(), out.string(), "envelopeName=missing.wav"}),
              exitFileError);
    EXPECT_EQ(QImage(QString::fromStdString(out.string())).size(), QSize(8, 8));
}

}  // namespace
}  // namespace kalvora::cli
