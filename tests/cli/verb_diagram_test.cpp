#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <numbers>
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

class DiagramVerbTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("kalvora_diagram_test_" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    // One second at 8000 Hz: a full-scale sine of the given frequency in each channel
    // (0: silence).
    fs::path WriteSine(const std::string& name, std::vector<double> frequencies) {
        ErrorFlag error = 0;
        std::vector<Wave> waves;
        for (const double frequency : frequencies) {
            Wave wave(&error, 8000);
            for (std::int32_t k = 0; k < 8000; ++k) {
                wave.wave[k] = static_cast<std::int16_t>(
                    32767 * std::sin(2 * std::numbers::pi * frequency * k / 8000));
            }
            waves.push_back(std::move(wave));
        }
        std::unique_ptr<Sound> sound;
        if (waves.size() == 1) {
            sound = std::make_unique<MonoSound>(std::move(waves[0]), 8000, 2);
        } else {
            sound =
                std::make_unique<StereoSound>(std::move(waves[0]), std::move(waves[1]), 8000, 2);
        }
        const fs::path file = folder_ / name;
        EXPECT_TRUE(WriteWaveFile(*sound, &error, file, 0, 8000));
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

// The row of the brightest pixel in column x.
int BrightestRow(const QImage& image, int x, int top, int bottom) {
    int best = top;
    for (int y = top; y < bottom; ++y) {
        if (qGray(image.pixel(x, y)) > qGray(image.pixel(x, best))) best = y;
    }
    return best;
}

TEST_F(DiagramVerbTest, AMonoSinePaintsOneBrightRowWithOnePixelPerCell) {
    const fs::path in = WriteSine("sine.wav", {400});
    const fs::path out = folder_ / "out.png";
    // Rows from 3200 Hz down to 100 Hz, logarithmic, a quarter octave each: 400 Hz is the
    // upper edge of row 12.
    ASSERT_EQ(Run({"diagram", in.string(), out.string(), "xResolution=40", "yResolution=20",
                   "timeTop=3200Hz", "timeBottom=10ms"}),
              exitSuccess)
        << err_.str();
    const QImage image(QString::fromStdString(out.string()));
    ASSERT_EQ(image.width(), 40);
    ASSERT_EQ(image.height(), 20);
    EXPECT_EQ(BrightestRow(image, 30, 0, 20), 12);
    EXPECT_EQ(Pixel(image, 30, 12), 0xFFFFFFu);  // about 1, times 1.3
    EXPECT_LT(qGray(image.pixel(30, 0)), 32);
}

TEST_F(DiagramVerbTest, AStereoSoundIsTwoDiagramsLeftAboveRightOrOneJoined) {
    const fs::path in = WriteSine("stereo.wav", {400, 1600});
    const fs::path single = folder_ / "single.png";
    ASSERT_EQ(Run({"diagram", in.string(), single.string(), "xResolution=20", "yResolution=20",
                   "timeTop=3.2kHz", "timeBottom=100Hz"}),
              exitSuccess)
        << err_.str();
    QImage image(QString::fromStdString(single.string()));
    ASSERT_EQ(image.width(), 20);
    ASSERT_EQ(image.height(), 40);
    EXPECT_EQ(BrightestRow(image, 15, 0, 20), 12);       // left: 400 Hz
    EXPECT_EQ(BrightestRow(image, 15, 20, 40), 20 + 4);  // right: 1600 Hz

    const fs::path joined = folder_ / "joined.png";
    ASSERT_EQ(Run({"diagram", in.string(), joined.string(), "xResolution=20", "yResolution=20",
                   "timeTop=3.2kHz", "timeBottom=100Hz", "drawSingle=off", "leftColor=0000FF",
                   "rightColor=FF0000"}),
              exitSuccess)
        << err_.str();
    image.load(QString::fromStdString(joined.string()));
    ASSERT_EQ(image.height(), 20);
    // Where one channel is far louder the cell takes that channel's colour.
    const QRgb left = image.pixel(15, 12);
    EXPECT_EQ(qRed(left), 255);
    EXPECT_LT(qGreen(left) + qBlue(left), 40);
    const QRgb right = image.pixel(15, 4);
    EXPECT_EQ(qBlue(right), 255);
    EXPECT_LT(qRed(right) + qGreen(right), 40);
}

TEST_F(DiagramVerbTest, ThePaletteAndItsStopsComeFromFields) {
    const fs::path in = WriteSine("silence.wav", {0});
    const fs::path out = folder_ / "out.png";
    // Silence has strength 0, the palette's colour at 0.
    ASSERT_EQ(Run({"diagram", in.string(), out.string(), "xResolution=4", "yResolution=3",
                   "useColorPalette1D=on", "beginColor=00FF00", "position.1=50%",
                   "colorBefore.1=0000FF"}),
              exitSuccess)
        << err_.str();
    const QImage image(QString::fromStdString(out.string()));
    EXPECT_EQ(Pixel(image, 2, 1), qRgb(0, 255, 0) & 0xFFFFFF);
}

TEST_F(DiagramVerbTest, RejectedValuesAreReportedInTheDialogsWords) {
    const fs::path in = WriteSine("sine.wav", {400});
    const fs::path out = folder_ / "out.png";
    struct Case {
        std::vector<std::string> fields;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"xResolution=0"}, "In Horizontal Resolution: Value must be positive and more than 0.\n"},
        {{"xResolution=70000"}, "In Horizontal Resolution: Value must be no more than 65536.\n"},
        {{"xResolution=65536", "yResolution=4096"},
         "In Vertical Resolution: Horizontal times Vertical Resolution must be no more than "
         "134217728.\n"},
        {{"timeTop=20"}, "In Top Frequency: Wrong unit used, use: 's', 'ms', 'Hz', 'kHz'.\n"},
        {{"timeTop=20 kW"},
         "In Top Frequency: This unit does not exist, use: 's', 'ms', 'Hz', 'kHz'.\n"},
        {{"timeBottom=0Hz"}, "In Bottom Frequency: You cannot use 0 with 'Hz'.\n"},
        // The sound has 8000 samples per second.
        {{"timeTop=10kHz"}, "Top Frequency may not be higher than the sample Frequency.\n"},
        {{"timeTop=1kHz", "timeBottom=1ms"},
         "Top Frequency and Bottom Frequency must be different.\n"},
        {{"strength=-1"}, "In Strength: Value must be positive and more than 0.\n"},
        {{"yScale=Squared"},
         "In Horizontal Distribution: Use one of FrequencyLinear, "
         "Logaritmic, TimeLinear.\n"},
        {{"singleColor=12G"}, "In SingleColor: Invalid Hexdecimal value: \"12G\".\n"},
        {{"drawSingle=maybe"}, "In 2 Single Diagrams when Stereo: Use on or off.\n"},
        {{"position.1=1"}, "In Position: Value must be less than 1.\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"diagram", in.string(), out.string()};
        args.insert(args.end(), c.fields.begin(), c.fields.end());
        EXPECT_EQ(Run(args), exitUsageError) << c.fields.front();
        EXPECT_EQ(err_.str(), c.message) << c.fields.front();
        EXPECT_FALSE(fs::exists(out)) << c.fields.front();
    }
    EXPECT_EQ(Run({"diagram", in.string(), out.string(), "sensitivity=VeryHigh",
                   "yScale=Time Linear", "timeTop=0.5ms", "timeBottom=50ms", "yWidth=150%"}),
              exitSuccess)
        << err_.str();
}

TEST_F(DiagramVerbTest, UsageAndFileErrors) {
    const fs::path out = folder_ / "out.png";
    EXPECT_EQ(Run({"diagram", "only-one.wav"}), exitUsageError);
    EXPECT_NE(err_.str().find("usage: kalvora-cli diagram IN.wav OUT.png"), std::string::npos);
    EXPECT_EQ(Run({"diagram", "a.wav", "b.png", "colour=1"}), exitUsageError);
    EXPECT_NE(err_.str().find("Unknown field \"colour\""), std::string::npos);
    EXPECT_EQ(Run({"diagram", (folder_ / "missing.wav").string(), out.string()}), exitFileError);
    EXPECT_NE(err_.str().find("Cannot open File."), std::string::npos);
    const fs::path in = WriteSine("sine.wav", {400});
    EXPECT_EQ(Run({"diagram", in.string(), (folder_ / "no" / "such" / "dir.png").string()}),
              exitFileError);
}

}  // namespace
}  // namespace kalvora::cli
