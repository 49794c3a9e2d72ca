#include "music/note_synthesis.h"

#include <gtest/gtest.h>

#include <cmath>

#include "music/one_player_plan.h"
#include "music/rolled_out_sample.h"
#include "music/stave_time_symbol.h"
#include "platform/recording_message_sink.h"
#include "synthesis_fixture.h"

namespace kalvora {
namespace {

using test::MonoSample;
using test::PlayerProps;
using test::Ramp;
using test::SamplesOf;

constexpr double kA4 = 1.0 / 440.0;

struct Synthesis {
    TNamedSampleWaves waves;
    ErrorFlag error = 0;
    TSynthesisContext context{waves, &error, {22050, 1, 2}};
    std::string errorText;
};

TEST(OnePlayerTest, SimpleSamplerAtTheSamplesOwnPitchReturnsItUnchanged) {
    Synthesis s;
    s.waves.Add("sample", MonoSample(Ramp(200), 22050));
    TCompoundPlayer compound(nullptr, PlayerProps(notePlayerSimpleSampler, "sample", kA4));
    TPlayerSound sound;
    ASSERT_TRUE(GetOnePlayerSound(*compound.GetStartOnePlayer(), {kA4, 0.25, 1.0}, s.context, sound,
                                  s.errorText));
    ASSERT_NE(sound.NoteSound, nullptr);
    EXPECT_EQ(SamplesOf(sound.NoteSound->GetLeftWave()), Ramp(200));
    EXPECT_DOUBLE_EQ(sound.Volume, 1.0);
}

TEST(OnePlayerTest, FrequencyRaiseResamplesBy440Over450) {
    Synthesis s;
    const auto sample = MonoSample(Ramp(200), 22050);
    s.waves.Add("sample", sample);
    TOnePlayerProps props = PlayerProps(notePlayerSimpleSampler, "sample", kA4);
    props.FreqUp.SetValue(10);
    TCompoundPlayer compound(nullptr, props);
    TPlayerSound sound;
    ASSERT_TRUE(GetOnePlayerSound(*compound.GetStartOnePlayer(), {kA4, 0.25, 1.0}, s.context, sound,
                                  s.errorText));
    const auto expected = sample->Resample(&s.error, 440.0 / 450.0);
    EXPECT_EQ(SamplesOf(sound.NoteSound->GetLeftWave()), SamplesOf(expected->GetLeftWave()));
    TPlayerOffsets offsets;
    ASSERT_TRUE(GetOnePlayerOffsets(*compound.GetStartOnePlayer(), {kA4, 0.25, 1.0}, s.context,
                                    offsets, s.errorText));
    // The offsets cover every sample of the resampled sound.
    EXPECT_DOUBLE_EQ(offsets.End, expected->GetValues() / 22050.0);
}

TEST(OnePlayerTest, RollOutSamplerRepeatsTheMiddlePieceToFillTheNote) {
    // A 1-second sample with the middle piece 0.25 .. 0.75 s, D = 2 s at its own pitch.
    Synthesis s;
    s.waves.Add("sample", MonoSample(Ramp(1000, -5000), 1000), 250, 750);
    const double period = 1.0 / 300.0;
    TCompoundPlayer compound(nullptr, PlayerProps(notePlayerRollOutSampler, "sample", period));
    const TNoteRequest note{period, 1.0, 2.0};
    TPlayerOffsets offsets;
    ASSERT_TRUE(
        GetOnePlayerOffsets(*compound.GetStartOnePlayer(), note, s.context, offsets, s.errorText));
    EXPECT_DOUBLE_EQ(offsets.Start, 0.25);
    EXPECT_DOUBLE_EQ(offsets.End, 2.25);
    TPlayerSound sound;
    ASSERT_TRUE(
        GetOnePlayerSound(*compound.GetStartOnePlayer(), note, s.context, sound, s.errorText));
    const std::vector<std::int16_t> got = SamplesOf(sound.NoteSound->GetLeftWave());
    const std::vector<std::int16_t> ramp = Ramp(1000, -5000);
    std::vector<std::int16_t> expected(ramp.begin(), ramp.begin() + 250);
    for (int k = 0; k < 4; ++k)
        expected.insert(expected.end(), ramp.begin() + 250, ramp.begin() + 750);
    expected.insert(expected.end(), ramp.begin() + 750, ramp.end());
    EXPECT_EQ(got, expected);
}

TEST(OnePlayerTest, RollOutWaveFormLaysWholeCyclesOfOnePeriodEndToEnd) {
    // Four cycles of 2.5 samples: copies start at 0, 2, 5 and 7; each is the sample
    // stretched to 3 samples and runs up to the next copy.
    Synthesis s;
    s.waves.Add("cycle", MonoSample({0, 1000, 2000, 3000}, 1000));
    TCompoundPlayer compound(nullptr, PlayerProps(notePlayerRollOutWaveForm, "cycle"));
    TPlayerSound sound;
    ASSERT_TRUE(GetOnePlayerSound(*compound.GetStartOnePlayer(), {0.0025, 0.0101, 1.0}, s.context,
                                  sound, s.errorText));
    const std::vector<std::int16_t> expected{0, 1333, 0, 1333, 2666, 0, 1333, 0, 1333, 2666};
    EXPECT_EQ(SamplesOf(sound.NoteSound->GetLeftWave()), expected);
}

TEST(OnePlayerTest, RepeatWaveFormRepeatsTheScaledWaveFormEveryPeriod) {
    // A period of 3 samples and D = 10 samples: n = floor(10/3 + 1.5) = 4 echoes, so the
    // wave form sounds at 0, 3, 6, 9 and 12, at half volume, from the note's start on.
    Synthesis s;
    s.waves.Add("form", MonoSample({1000, 500}, 1000));
    TOnePlayerProps props = PlayerProps(notePlayerRepeatWaveForm, "form");
    props.VolumeFactor.SetValue(0.5);
    TCompoundPlayer compound(nullptr, props);
    const TNoteRequest note{0.003, 0.01, 1.0};
    TPlayerSound sound;
    ASSERT_TRUE(
        GetOnePlayerSound(*compound.GetStartOnePlayer(), note, s.context, sound, s.errorText));
    const std::vector<std::int16_t> expected{500, 250, 0, 500, 250, 0, 500, 250, 0,
                                             500, 250, 0, 500, 250, 0, 0,   0,   0};
    EXPECT_EQ(SamplesOf(sound.NoteSound->GetLeftWave()), expected);
    EXPECT_DOUBLE_EQ(sound.Volume, 1.0);
    TPlayerOffsets offsets;
    ASSERT_TRUE(
        GetOnePlayerOffsets(*compound.GetStartOnePlayer(), note, s.context, offsets, s.errorText));
    EXPECT_DOUBLE_EQ(offsets.Start, 0);
    EXPECT_DOUBLE_EQ(offsets.End, 0.018);  // the whole sound the echo returns
}

TEST(OnePlayerTest, ResonantSamplerFiltersTheRolledOutSampleAtTheNotesPitch) {
    Synthesis s;
    std::vector<std::int16_t> click(400, 0);
    click[0] = 20000;
    s.waves.Add("noise", MonoSample(click, 8000));
    TOnePlayerProps props = PlayerProps(notePlayerResonantSampler, "noise");
    props.ResonantSamplerProps.ResFactor.SetValue(0.01);
    TCompoundPlayer compound(nullptr, props);
    TPlayerSound sound;
    // 0.1 s of a 400 Hz ring: the middle piece (the whole 0.05 s) twice.
    ASSERT_TRUE(GetOnePlayerSound(*compound.GetStartOnePlayer(), {1.0 / 400, 0.1, 1.0}, s.context,
                                  sound, s.errorText));
    ASSERT_EQ(sound.NoteSound->GetValues(), 800);
    // It rings: the signal changes sign about every 10 samples (half a 20-sample period).
    const Wave& wave = sound.NoteSound->GetLeftWave();
    int crossings = 0;
    for (int i = 1; i < 200; ++i)
        crossings += (wave.wave[i - 1] < 0) != (wave.wave[i] < 0);
    EXPECT_NEAR(crossings, 20, 3);
}

// The faults a careless reading of the players would crash or stop on: each of these
// players is silent or clamped, never an assertion or an undefined conversion.
struct ExtremeCase {
    const char* name;
    TNotePlayerKind kind;
    std::vector<std::int16_t> sample;
    std::int32_t rate;
    double period;
    double freqUp;
    bool sounds;
};

class ExtremePlayerTest : public ::testing::TestWithParam<ExtremeCase> {};

TEST_P(ExtremePlayerTest, RendersWithoutFailing) {
    const ExtremeCase& c = GetParam();
    Synthesis s;
    s.waves.Add("sample", MonoSample(c.sample, c.rate));
    TOnePlayerProps props = PlayerProps(c.kind, "sample");
    props.FreqUp.SetValue(c.freqUp);
    TCompoundPlayer compound(nullptr, props);
    TPlayerSound sound;
    TPlayerOffsets offsets;
    const TNoteRequest note{c.period, 0.25, 1.0};
    ASSERT_TRUE(
        GetOnePlayerOffsets(*compound.GetStartOnePlayer(), note, s.context, offsets, s.errorText));
    ASSERT_TRUE(
        GetOnePlayerSound(*compound.GetStartOnePlayer(), note, s.context, sound, s.errorText));
    EXPECT_EQ(s.error, 0);
    EXPECT_EQ(sound.NoteSound != nullptr, c.sounds);
    if (sound.NoteSound != nullptr) {
        EXPECT_LE(sound.NoteSound->GetValues(),
                  (offsets.Start + offsets.End) * sound.NoteSound->Freq + 1e-6);
    } else {
        EXPECT_EQ(offsets.Start, 0);
        EXPECT_EQ(offsets.End, 0);
    }
}

const double kHeight43 = PeriodOf(43, noteShiftNormal);

INSTANTIATE_TEST_SUITE_P(
    Cases, ExtremePlayerTest,
    ::testing::Values(
        ExtremeCase{"ResonantHighNoteLowRate", notePlayerResonantSampler, Ramp(300), 11025,
                    kHeight43, 0, true},
        ExtremeCase{"ResonantHugeFreqUp", notePlayerResonantSampler, Ramp(300), 8000, kA4, 1e6,
                    true},
        ExtremeCase{"SimpleEmptySample", notePlayerSimpleSampler, {}, 22050, kA4, 0, false},
        ExtremeCase{"RollOutEmptySample", notePlayerRollOutSampler, {}, 22050, kA4, 0, false},
        ExtremeCase{"ResonantEmptySample", notePlayerResonantSampler, {}, 22050, kA4, 0, false},
        ExtremeCase{"RepeatEmptySample", notePlayerRepeatWaveForm, {}, 22050, kA4, 0, false},
        ExtremeCase{
            "RepeatOneSampleHighNote", notePlayerRepeatWaveForm, {300}, 1000, kHeight43, 1e5, true},
        ExtremeCase{"WaveFormEmptySample", notePlayerRollOutWaveForm, {}, 22050, kA4, 0, false},
        ExtremeCase{"FreqUpBelowTheNote", notePlayerSimpleSampler, Ramp(10), 22050, kA4, -440,
                    false},
        ExtremeCase{"FreqUpFarBelowTheNote", notePlayerRollOutSampler, Ramp(10), 22050, kA4, -1e9,
                    false},
        ExtremeCase{"WaveFormNoteShorterThanACycle", notePlayerRollOutWaveForm, Ramp(10), 22050,
                    1.0, 0, false},
        ExtremeCase{"WaveFormPeriodBelowOneSample", notePlayerRollOutWaveForm, Ramp(10), 1000,
                    kHeight43, 1e5, true},
        ExtremeCase{"RollOutHighNoteFromAOneSamplePiece",
                    notePlayerRollOutSampler,
                    {5, 6, 7},
                    22050,
                    kHeight43,
                    1e7,
                    true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OnePlayerTest, AMissingSampleWaveIsNamed) {
    Synthesis s;
    TCompoundPlayer compound(nullptr, PlayerProps(notePlayerSimpleSampler, "flute"));
    TPlayerSound sound;
    EXPECT_FALSE(GetCompoundSound(compound, {kA4, 0.25, 1.0}, s.context, sound, s.errorText));
    EXPECT_EQ(s.errorText, "Cannot find window \"flute\".");
}

TEST(OnePlayerTest, APlayerWithoutAKindIsSilent) {
    Synthesis s;
    TOnePlayerProps props;
    TCompoundPlayer compound(nullptr, props);
    TPlayerSound sound;
    EXPECT_TRUE(GetCompoundSound(compound, {kA4, 0.25, 1.0}, s.context, sound, s.errorText));
    EXPECT_EQ(sound.NoteSound, nullptr);
}

TEST(CompoundPlayerTest, EachOnePlayerIsMixedAtTheCompoundsAttackLessItsOwn) {
    // The first player has an attack of 0.1 s (silent), the second none: the second one's
    // sound starts 0.1 s into the shared buffer.
    Synthesis s;
    s.waves.Add("quiet", MonoSample(std::vector<std::int16_t>(300, 0), 1000), 100, 200);
    s.waves.Add("ramp", MonoSample(Ramp(50, 100), 22050));
    TCompoundPlayer compound(nullptr, PlayerProps(notePlayerRollOutSampler, "quiet", kA4));
    TOnePlayerProps second = PlayerProps(notePlayerSimpleSampler, "ramp", kA4);
    second.VolumeFactor.SetValue(0.5);
    compound.InsertOnePlayer(compound.GetStartOnePlayer(), second);
    const TNoteRequest note{kA4, 0.25, 1.0};
    TPlayerOffsets offsets;
    ASSERT_TRUE(GetCompoundOffsets(compound, note, s.context, offsets, s.errorText));
    EXPECT_DOUBLE_EQ(offsets.Start, 0.1);
    TPlayerSound sound;
    ASSERT_TRUE(GetCompoundSound(compound, note, s.context, sound, s.errorText));
    ASSERT_EQ(sound.NoteSound->MoSt, 2);
    EXPECT_EQ(sound.Volume, 1.0);
    const Wave& left = sound.NoteSound->GetLeftWave();
    EXPECT_EQ(left.values, static_cast<std::int32_t>(22050 * (offsets.Start + offsets.End) + 1));
    for (int i = 0; i < 50; ++i)
        ASSERT_EQ(left.wave[2205 + i], (100 + 10 * i) / 2) << i;
    EXPECT_EQ(left.wave[2204], 0);
}

TEST(CompoundPlayerTest, EverySilentPlayerGivesSilenceNotAFailure) {
    Synthesis s;
    s.waves.Add("empty", MonoSample({}, 22050));
    TCompoundPlayer compound(nullptr, PlayerProps(notePlayerSimpleSampler, "empty"));
    compound.InsertOnePlayer(nullptr, PlayerProps(notePlayerRollOutSampler, "empty"));
    TPlayerSound sound;
    EXPECT_TRUE(GetCompoundSound(compound, {kA4, 0.25, 1.0}, s.context, sound, s.errorText));
    EXPECT_EQ(s.error, 0);
}

TEST(RolledOutSampleTest, ResamplingItEqualsResamplingTheBuiltSound) {
    ErrorFlag error = 0;
    const auto sample = MonoSample(Ramp(37, -3000, 171), 1000);
    const Wave& wave = sample->GetLeftWave();
    for (int repeats : {0, 1, 5}) {
        for (double ratio : {0.137, 0.5, 1.0, 2.71}) {
            const RolledOutSample rolled(wave, 9, 20, repeats);
            const auto built = rolled.Build(&error);
            ASSERT_NE(built, nullptr);
            const auto expected = built->resample(&error, ratio);
            const auto n = static_cast<std::int32_t>(ResampledCount(rolled.Length(), ratio));
            const auto got = rolled.Resampled(&error, n);
            EXPECT_EQ(SamplesOf(*got), SamplesOf(*expected)) << repeats << " " << ratio;
        }
    }
}

TEST(SecondsToSamplesTest, PositionsTruncateAndBuffersHoldOneMore) {
    EXPECT_EQ(SamplePosition(22050, 0.25), 5512);
    EXPECT_EQ(SamplePosition(22050, -1e-12), 0);
    EXPECT_EQ(BufferSamples(22050, 0.25), 5513);
    EXPECT_EQ(BufferSamples(22050, 1e30), -1);
    EXPECT_EQ(BufferSamples(22050, std::nan("")), -1);
}

}  // namespace
}  // namespace kalvora
