#include "volume/volume_analysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "volume/vold_view_props.h"
#include "volume_test_sounds.h"

namespace kalvora {
namespace {

using testing::Noise;
using testing::Sine;

constexpr float kUnwritten = 7.0f;  // no analysis ever writes this into a cell

// Runs the analysis of samples into a new array, whose cells start at kUnwritten.
struct Result {
    std::unique_ptr<TVolumeArray> array;
};

Result Analyse(const std::vector<std::int16_t>& samples, const TVoldViewProps& settings,
               double freq = 44100) {
    Result result;
    result.array = std::make_unique<TVolumeArray>(settings.XResolution, settings.YResolution);
    for (std::int32_t x = 0; x < settings.XResolution; ++x) {
        for (std::int32_t y = 0; y < settings.YResolution; ++y) {
            result.array->SetVolume(x, y, kUnwritten);
        }
    }
    TVolumeAnalysis analysis(TResonatorTuning::From(settings, freq), samples.data(),
                             static_cast<std::int32_t>(samples.size()), *result.array);
    analysis.Run();
    return result;
}

std::vector<std::int32_t> WrittenColumns(const TVolumeArray& array) {
    std::vector<std::int32_t> columns;
    for (std::int32_t x = 0; x < array.GetWidth(); ++x) {
        if (array.GetVolume(x, 0) != kUnwritten) columns.push_back(x);
    }
    return columns;
}

TEST(VolumeAnalysisTest, ChunksHoldThreeHundredSamplesAndPublishTheColumnsCompleted) {
    const auto samples = Noise(1000);
    std::vector<std::int16_t> copy = samples;
    TVolumeArray array(10, 5);
    TVolumeAnalysis analysis(TResonatorTuning::From(testing::Settings(10, 5), 44100), copy.data(),
                             1000, array);
    const std::int32_t cursors[] = {300, 600, 900, 1000};
    for (std::int32_t cursor : cursors) {
        ASSERT_FALSE(analysis.Finished());
        analysis.ProcessChunk();
        EXPECT_EQ(analysis.Cursor(), cursor);
        // Sample k stands at -1 + (k + 1)·11/1000; filled is the last column complete + 1.
        EXPECT_EQ(array.GetFilled(), static_cast<std::int32_t>(cursor * 11 / 1000.0));
    }
    EXPECT_TRUE(analysis.Finished());
}

TEST(VolumeAnalysisTest, SixThousandSamplesIntoTenColumns) {
    // Column 0 holds the first sample alone and column 1 completes with sample 1090
    // (counted from 0): an impulse there shows in column 1, one sample later only in
    // column 2. The last sample reaches position 10, which lands on column 9.
    for (std::int32_t impulse : {1090, 1091}) {
        std::vector<std::int16_t> samples(6000, 0);
        samples[static_cast<std::size_t>(impulse)] = 32767;
        const Result result = Analyse(samples, testing::Settings(10, 3));
        EXPECT_EQ(WrittenColumns(*result.array).size(), 10u);
        EXPECT_EQ(result.array->GetFilled(), 11);
        EXPECT_EQ(result.array->GetVolume(0, 0), 0.0f);
        EXPECT_EQ(result.array->GetVolume(1, 0) > 0.0f, impulse == 1090);
        EXPECT_GT(result.array->GetVolume(2, 0), 0.0f);
    }
}

TEST(VolumeAnalysisTest, OneSecondIntoFourHundredColumnsFillsThemAll) {
    const Result result = Analyse(Noise(44100), testing::Settings(400, 4));
    EXPECT_EQ(WrittenColumns(*result.array).size(), 400u);
    EXPECT_EQ(result.array->GetFilled(), 401);
}

TEST(VolumeAnalysisTest, ASoundShorterThanTheWidthWritesEveryOtherColumn) {
    const Result result = Analyse(Noise(500), testing::Settings(1000, 2));
    const auto written = WrittenColumns(*result.array);
    ASSERT_EQ(written.size(), 500u);
    for (std::size_t i = 0; i < written.size(); ++i) {
        EXPECT_EQ(written[i], static_cast<std::int32_t>(2 * i + 1));
    }
    EXPECT_EQ(result.array->GetFilled(), 1000);
}

TEST(VolumeAnalysisTest, TheFirstColumnIsPublishedAsSoonAsItIsComplete) {
    // The first sample stands at -1 + step, below 0 when step < 1: column 0 is complete
    // all the same, also in a diagram one column wide whose last position stays below 1.
    for (std::int32_t n : {390, 1000, 44100}) {
        const auto samples = Noise(n);
        TVolumeArray array(1, 2);
        TVolumeAnalysis analysis(TResonatorTuning::From(testing::Settings(1, 2), 44100),
                                 samples.data(), n, array);
        analysis.ProcessChunk();
        EXPECT_EQ(array.GetFilled(), 1) << n;
        analysis.Run();
        EXPECT_GE(array.GetFilled(), 1) << n;
        EXPECT_LE(array.GetFilled(), 2) << n;
    }
}

TEST(VolumeAnalysisTest, SilenceLeavesEveryCellZero) {
    const Result result = Analyse(std::vector<std::int16_t>(20000, 0), testing::Settings(50, 20));
    for (std::int32_t x = 0; x < 50; ++x) {
        for (std::int32_t y = 0; y < 20; ++y)
            EXPECT_EQ(result.array->GetVolume(x, y), 0.0f);
    }
}

TEST(VolumeAnalysisTest, EveryColumnOfALongSoundIsWritten) {
    // Single-precision position counters left the last 14 % of a 5-minute sound blank at
    // the default width, and stalled a 10-minute sound at column 256 of 400.
    struct Case {
        std::int32_t seconds;
        std::int32_t width;
    };
    for (const Case c : {Case{300, 500}, Case{600, 400}}) {
        const std::int32_t n = c.seconds * 44100;
        std::vector<std::int16_t> samples(static_cast<std::size_t>(n), 0);
        // A click in the middle of each column's stretch, so that every column has a peak.
        const double perColumn = static_cast<double>(n) / (c.width + 1);
        for (std::int32_t x = 0; x <= c.width; ++x) {
            samples[static_cast<std::size_t>((x + 0.5) * perColumn)] = 20000;
        }
        TVoldViewProps settings = testing::Settings(c.width, 1);
        settings.TimeTop = 0.001;
        settings.TimeBottom = 0.002;
        const Result result = Analyse(samples, settings);
        EXPECT_EQ(WrittenColumns(*result.array).size(), static_cast<std::size_t>(c.width))
            << c.seconds;
        EXPECT_GE(result.array->GetFilled(), c.width) << c.seconds;
        for (std::int32_t x = 1; x < c.width; ++x) {
            ASSERT_GT(result.array->GetVolume(x, 0), 0.0f) << c.seconds << " s, column " << x;
        }
    }
}

TEST(VolumeAnalysisTest, AFullScaleSineLightsTheRowOfItsPeriod) {
    TVoldViewProps settings = testing::Settings(10, 20);
    settings.TimeTop = 1.0 / 4000;
    settings.TimeBottom = 1.0 / 100;
    settings.YScale = TVoldViewProps::YLog;
    settings.YWidth = 1;
    for (std::int32_t row : {4, 10, 15}) {
        const double period = 44100 * settings.PeriodAt(1.0 - row / 20.0);
        const Result result = Analyse(Sine(44100, period), settings);
        const std::int32_t x = 8;  // well after the resonators have settled
        const float matched = result.array->GetVolume(x, row);
        EXPECT_NEAR(matched, 1.0f, 0.03f) << "row " << row;
        for (std::int32_t y = 0; y < 20; ++y) {
            if (y != row) {
                EXPECT_LT(result.array->GetVolume(x, y), matched) << row << "/" << y;
            }
        }
        EXPECT_NEAR(result.array->GetVolume(x, row - 1) / matched, 0.25f, 0.02f) << row;
        EXPECT_NEAR(result.array->GetVolume(x, row + 1) / matched, 0.25f, 0.02f) << row;
    }
}

TEST(VolumeAnalysisTest, ColumnsHoldTheLargestPeakOfTheirStretchPerBand) {
    // The analysis equals the plain definition: every sample through the scalar loop, the
    // column test after it.
    const auto samples = Noise(5000, 3);
    TVoldViewProps settings = testing::Settings(37, 11);
    settings.YScale = TVoldViewProps::YLinTime;
    const Result result = Analyse(samples, settings);

    TVolumeArray expected(37, 11);
    TResonatorBank bank(TResonatorTuning::From(settings, 44100));
    const double step = 38.0 / 5000;
    std::int64_t last = -1;
    for (std::int32_t k = 0; k < 5000; ++k) {
        bank.ResonateReference(&samples[static_cast<std::size_t>(k)], 1);
        const double position = -1 + (k + 1) * step;
        if (static_cast<std::int64_t>(position) > last) {
            last = static_cast<std::int64_t>(position);
            bank.TakePeaks([&](std::int32_t band, float peak) {
                expected.SetVolume(static_cast<std::int32_t>(last), band, peak / 32768);
            });
        }
    }
    for (std::int32_t x = 0; x < 37; ++x) {
        for (std::int32_t y = 0; y < 11; ++y) {
            ASSERT_EQ(result.array->GetVolume(x, y), expected.GetVolume(x, y)) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace kalvora
