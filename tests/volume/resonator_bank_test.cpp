#include "volume/resonator_bank.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "volume/vold_view_props.h"
#include "volume_test_sounds.h"

namespace kalvora {
namespace {

using testing::Noise;

TResonatorTuning Tuning(std::int32_t bands, double freq, double top, double bottom, double width,
                        std::uint8_t scale) {
    TVoldViewProps settings;
    settings.YResolution = bands;
    settings.TimeTop = top;
    settings.TimeBottom = bottom;
    settings.YWidth = width;
    settings.YScale = scale;
    return TResonatorTuning::From(settings, freq);
}

// The period in samples a band resonates with: 2.466 / g² = Tr.
double PeriodOf(const TResonatorBank& bank, std::int32_t band) {
    return std::sqrt(2.466 / bank.Tr()[static_cast<std::size_t>(band)]);
}

bool SameBits(std::span<const float> a, std::span<const float> b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size_bytes()) == 0;
}

TEST(ResonatorBankTest, BandPeriodsFollowTheRowsOfTheChosenDistribution) {
    for (std::uint8_t scale :
         {TVoldViewProps::YLinFreq, TVoldViewProps::YLog, TVoldViewProps::YLinTime}) {
        TVoldViewProps settings;
        settings.YResolution = 20;
        settings.TimeTop = 1.0 / 4000;
        settings.TimeBottom = 1.0 / 100;
        settings.YScale = scale;
        const TResonatorBank bank(TResonatorTuning::From(settings, 44100));
        for (std::int32_t i = 0; i < 20; ++i) {
            // Band i resonates with the period at the upper edge of row i.
            const double expected = 44100 * settings.PeriodAt(1.0 - i / 20.0);
            EXPECT_NEAR(PeriodOf(bank, i), expected, expected * 1e-5)
                << "scale " << int(scale) << " band " << i;
        }
    }
}

TEST(ResonatorBankTest, InputMixingUsesTheWidthAndThePeriodOfTheNextBand) {
    // YLog, N = 20, Tb/Tt = 40: q = 40^(1/20); with r = 1 and B = 2,
    // Free[i] = (1/q^2)^(1/g[i+1]).
    const TResonatorBank bank(Tuning(20, 44100, 1.0 / 4000, 1.0 / 100, 2.0, TVoldViewProps::YLog));
    const double q = std::pow(40.0, 1.0 / 20);
    for (std::int32_t i = 0; i < 20; ++i) {
        const double next = 44100.0 / 4000 * std::pow(q, i + 1);
        EXPECT_NEAR(bank.Free()[static_cast<std::size_t>(i)], std::pow(q, -2.0 / next), 1e-6);
    }
    // YLinTime widens the top bands (r = N / (3(i + 1))), YLinFreq the bottom ones
    // (r = N / (3(N - i + 1))): band 0 mixes faster with YLinTime than band 0 with YLinFreq.
    const TResonatorBank linTime(
        Tuning(20, 44100, 1.0 / 4000, 1.0 / 100, 1.0, TVoldViewProps::YLinTime));
    const TResonatorBank linFreq(
        Tuning(20, 44100, 1.0 / 4000, 1.0 / 100, 1.0, TVoldViewProps::YLinFreq));
    EXPECT_LT(linTime.Free()[0], linFreq.Free()[0]);
    EXPECT_GT(linTime.Free()[19], linFreq.Free()[19]);
}

TEST(ResonatorBankTest, PeriodsShorterThanTwoSamplesAreRaisedToTwo) {
    struct Case {
        const char* name;
        TResonatorTuning tuning;
    };
    const std::vector<Case> cases = {
        {"defaults at 8000 Hz", Tuning(50, 8000, 1.0 / 20000, 1.0 / 20, 1, 1)},
        {"defaults at 11025 Hz", Tuning(50, 11025, 1.0 / 20000, 1.0 / 20, 1, 1)},
        {"top at the sample rate, wide", Tuning(50, 44100, 1.0 / 44100, 1.0 / 20, 1000, 1)},
        {"upside down below two samples", Tuning(30, 8000, 1.0 / 20, 1.0 / 20000, 50, 2)},
        {"both below two samples", Tuning(10, 8000, 1.0 / 20000, 1.0 / 30000, 1, 0)},
        {"bottom far below one hertz", Tuning(400, 8000, 1.0 / 20000, 1000, 1, 0)},
    };
    const auto noise = Noise(20000);
    for (const Case& c : cases) {
        TResonatorBank bank(c.tuning);
        for (std::int32_t i = 0; i < bank.Bands(); ++i) {
            EXPECT_LE(bank.Tr()[static_cast<std::size_t>(i)], 2.466f / 4) << c.name;
            EXPECT_GE(bank.Free()[static_cast<std::size_t>(i)], 0.0f) << c.name;
            EXPECT_LE(bank.Free()[static_cast<std::size_t>(i)], 1.0f) << c.name;
        }
        bank.Resonate(noise.data(), static_cast<std::int32_t>(noise.size()));
        for (std::int32_t i = 0; i < bank.Bands(); ++i) {
            const std::size_t lane = static_cast<std::size_t>(i);
            EXPECT_TRUE(std::isfinite(bank.Value()[lane])) << c.name << " band " << i;
            EXPECT_LT(bank.Volume()[lane], 8 * 32768.0f) << c.name << " band " << i;
        }
    }
}

TEST(ResonatorBankTest, TheFastLoopMatchesTheScalarLoopBitForBit) {
    const auto noise = Noise(3000, 7);
    for (std::int32_t bands : {1, 7, 8, 9, 50, 63, 100}) {
        for (std::uint8_t scale :
             {TVoldViewProps::YLinFreq, TVoldViewProps::YLog, TVoldViewProps::YLinTime}) {
            const auto tuning = Tuning(bands, 44100, 1.0 / 20000, 1.0 / 20, 1.5, scale);
            TResonatorBank fast(tuning);
            TResonatorBank reference(tuning);
            // In uneven stretches, as the analysis calls it.
            std::int32_t done = 0;
            for (std::int32_t stretch : {1, 2, 299, 0, 1000, 1698}) {
                fast.Resonate(noise.data() + done, stretch);
                reference.ResonateReference(noise.data() + done, stretch);
                done += stretch;
            }
            EXPECT_TRUE(SameBits(fast.Value(), reference.Value())) << bands;
            EXPECT_TRUE(SameBits(fast.Speed(), reference.Speed())) << bands;
            EXPECT_TRUE(SameBits(fast.Volume(), reference.Volume())) << bands;
        }
    }
}

TEST(ResonatorBankTest, PeaksAreClampedBeforeTheyBecomeIntegers) {
    const auto tuning = Tuning(9, 44100, 1.0 / 20000, 1.0 / 20, 1, 1);
    const float huge = 1e30f;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    TResonatorBank fast(tuning);
    TResonatorBank reference(tuning);
    for (TResonatorBank* bank : {&fast, &reference}) {
        bank->SetState(0, huge, 0, 0);
        bank->SetState(1, -huge, 0, 0);
        bank->SetState(2, nan, 0, 0);
        bank->SetState(8, infinity, 0, 0);
    }
    const std::int16_t sample = 100;
    fast.Resonate(&sample, 1);
    reference.ResonateReference(&sample, 1);
    EXPECT_EQ(fast.Volume()[0], 16777216.0f);
    EXPECT_EQ(fast.Volume()[1], 16777216.0f);
    EXPECT_EQ(fast.Volume()[2], 16777216.0f);
    EXPECT_EQ(fast.Volume()[8], 16777216.0f);
    EXPECT_TRUE(SameBits(fast.Volume(), reference.Volume()));
}

}  // namespace
}  // namespace kalvora
