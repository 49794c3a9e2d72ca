// The simple operations and filters as commands of a wave document: the arguments derived
// from their records and the selection, the checks their dialogs make, and what they do to a
// hand drawing.
#include <gtest/gtest.h>

#include <functional>

#include "document_test_support.h"
#include "documents/effect_command.h"
#include "documents/workspace.h"
#include "platform/recording_message_sink.h"
#include "scripted_effect_dialog.h"

namespace kalvora {
namespace {

using testing::Effect;
using testing::LeftSamples;
using testing::Mono;
using testing::Ramp;
using testing::ScriptedDialog;

using Samples = std::vector<std::int16_t>;

class OperationCommandsTest : public ::testing::Test {
  protected:
    // A named document other commands can choose as an envelope or curve.
    TUnitWave& OpenWave(const std::string& name, std::unique_ptr<Sound> sound) {
        others_.push_back(std::make_unique<TUnitWave>(workspace_, std::move(sound)));
        others_.back()->SetName(name);
        workspace_.Registry().Activate(*others_.back());
        workspace_.Registry().Activate(wave_);
        return *others_.back();
    }

    bool Run(std::string_view command, ScriptedDialog& dialog) {
        return RunEffectCommand(wave_, Effect(command), std::ref(dialog));
    }

    void SetUp() override { workspace_.Registry().Activate(wave_); }

    platform::RecordingMessageSink messages_;
    TWorkspace workspace_;
    TUnitWave wave_{workspace_, Mono(Ramp(100), 100)};
    std::vector<std::unique_ptr<TUnitWave>> others_;
};

TEST_F(OperationCommandsTest, VolumeScalesTheSelectionAndKeepsIt) {
    wave_.SetSelection(10, 20);
    ScriptedDialog dialog{.texts = {{"factor", "-6 dB"}}};
    ASSERT_TRUE(Run("Volume", dialog));
    const Samples left = LeftSamples(wave_.TheSound());
    EXPECT_EQ(left[9], 9);
    EXPECT_EQ(left[10], 5);  // 10·0.501
    EXPECT_EQ(left[19], 9);  // 19·0.501
    EXPECT_EQ(left[20], 20);
    EXPECT_EQ(wave_.SelStart(), 10);
    EXPECT_EQ(wave_.SelEnd(), 20);

    // With an envelope; an empty one is refused before anything runs.
    OpenWave("empty", MakeEmptySound({100, 1, 2}));
    OpenWave("rise", Mono({0, 32767}, 100));
    ScriptedDialog empty{.waves = {{"envelope", "empty"}}};
    EXPECT_FALSE(Run("Volume", empty));
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text, "In Envelope: The Wave \"empty\" is empty.");
    wave_.SetSelection(0, 3);
    ScriptedDialog rise{.waves = {{"envelope", "rise"}}};
    ASSERT_TRUE(Run("Volume", rise));
    EXPECT_EQ(LeftSamples(wave_.TheSound())[2], 2);  // 2·32767/32767
    EXPECT_EQ(LeftSamples(wave_.TheSound())[1], 0);  // 1·16383.5/32767
}

TEST_F(OperationCommandsTest, CommandsWithoutDialogRunAtOnce) {
    wave_.SetSelection(0, 4);
    ScriptedDialog unused;
    ASSERT_TRUE(Run("Reverse", unused));
    EXPECT_EQ(LeftSamples(wave_.TheSound())[0], 3);
    ASSERT_TRUE(Run("MaxVolume", unused));
    EXPECT_EQ(LeftSamples(wave_.TheSound())[0], 32767);
    ASSERT_TRUE(Run("NormalizeVertically", unused));
    // 32767, 21844, 10922, 0 have the mean 16383.25.
    EXPECT_EQ(LeftSamples(wave_.TheSound())[3], -16383);
    EXPECT_EQ(LeftSamples(wave_.TheSound())[4], 4);
}

TEST_F(OperationCommandsTest, BlockCountsBlocksInTheSelection) {
    wave_.SetSelection(10, 20);
    ScriptedDialog dialog{.texts = {{"horizontalCount", "2"}}};
    ASSERT_TRUE(Run("Block", dialog));
    const Samples left = LeftSamples(wave_.TheSound());
    EXPECT_EQ(Samples(left.begin() + 9, left.begin() + 21),
              (Samples{9, 12, 12, 12, 12, 12, 17, 17, 17, 17, 17, 20}));

    // A time below one sample, negative too, makes blocks of one sample each.
    ScriptedDialog perSample{.texts = {{"horizontalTime", "-1 s"}, {"verticalCount", "2"}}};
    ASSERT_TRUE(Run("Block", perSample));
    const Samples quantised = LeftSamples(wave_.TheSound());
    EXPECT_EQ(
        Samples(quantised.begin() + 9, quantised.begin() + 21),
        (Samples{9, 32767, 32767, 32767, 32767, 32767, 32767, 32767, 32767, 32767, 32767, 20}));
}

TEST_F(OperationCommandsTest, RotateReadsBothEditsAndChecksTheTimeWhenRotatingByTime) {
    // One second of 100 samples, rotated right by a quarter: left by 75.
    ScriptedDialog dialog{.texts = {{"factor", "0.25"}}, .choices = {{"shiftTo", 1}}};
    ASSERT_TRUE(Run("Rotate", dialog));
    EXPECT_EQ(LeftSamples(wave_.TheSound())[0], 75);
    EXPECT_EQ(LeftSamples(wave_.TheSound())[25], 0);

    // A time longer than the selection is refused when rotating by time. Both edits are
    // read either way: a wrong factor is refused while rotating by time.
    wave_.SetSelection(0, 5);
    ScriptedDialog tooLong{.texts = {{"time", "0.06 s"}}};
    EXPECT_FALSE(Run("Rotate", tooLong));
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text,
              "In Time: Time may not be longer than the time of the sound.");
    EXPECT_EQ(messages_.Messages()[0].caption, "Input Error");
    ScriptedDialog badFactor{.texts = {{"factor", "x"}, {"time", "0.01 s"}}};
    EXPECT_FALSE(Run("Rotate", badFactor));
    ASSERT_EQ(messages_.Messages().size(), 2u);
    EXPECT_EQ(messages_.Messages()[1].text.rfind("In Factor: ", 0), 0u);
    EXPECT_EQ(LeftSamples(wave_.TheSound())[0], 75);

    // A negative time within the selection rotates right.
    ScriptedDialog negative{.texts = {{"time", "-0.01 s"}}, .choices = {{"shiftTo", 0}}};
    ASSERT_TRUE(Run("Rotate", negative));
    const Samples left = LeftSamples(wave_.TheSound());
    EXPECT_EQ(Samples(left.begin(), left.begin() + 6), (Samples{79, 75, 76, 77, 78, 80}));
}

TEST_F(OperationCommandsTest, RollInRefusesLengthsBelowOneSampleAndSelectsTheRegion) {
    wave_.SetSelection(10, 30);
    // 5 ms is half a sample at 100 samples per second; a negative length folds onto nothing.
    for (const char* length : {"5 ms", "0 s", "-1 s"}) {
        SCOPED_TRACE(length);
        messages_.Clear();
        ScriptedDialog tooShort{.texts = {{"length", length}}};
        EXPECT_FALSE(Run("RollIn", tooShort));
        ASSERT_EQ(messages_.Messages().size(), 1u);
        EXPECT_EQ(messages_.Messages()[0].text,
                  "In Length: Length may not be shorter than one sample.");
    }
    EXPECT_EQ(wave_.GetValues(), 100);

    // 20 samples into 8, ending at the region's end: they start at (8 - 20) mod 8 = 4.
    ScriptedDialog dialog{.texts = {{"length", "0.08 s"}, {"endAt", "0.08 s"}}};
    ASSERT_TRUE(Run("RollIn", dialog));
    EXPECT_EQ(wave_.GetValues(), 100 - 20 + 8);
    EXPECT_EQ(wave_.SelStart(), 10);
    EXPECT_EQ(wave_.SelEnd(), 18);
    const Samples left = LeftSamples(wave_.TheSound());
    // Region position 4 holds the samples 10, 18 and 26.
    EXPECT_EQ(left[14], 10 + 18 + 26);
    EXPECT_EQ(left[18], 30);
}

TEST_F(OperationCommandsTest, RollOutFromTheSelection) {
    wave_.SetSelection(0, 4);
    // Speed -1 and Count 2: two backward passes over the four samples.
    ScriptedDialog dialog{.texts = {{"speedFactor", "-1"}, {"count", "2"}}};
    ASSERT_TRUE(Run("RollOut", dialog));
    EXPECT_EQ(wave_.SelEnd(), 8);
    const Samples left = LeftSamples(wave_.TheSound());
    EXPECT_EQ(Samples(left.begin(), left.begin() + 9), (Samples{0, 2, 1, 0, 0, 2, 1, 0, 4}));
}

TEST_F(OperationCommandsTest, LengthMinusOneReversesTheSelectionExactly) {
    wave_.SetSelection(5, 12);
    ScriptedDialog dialog{.texts = {{"lengthFactor", "-1"}}};
    ASSERT_TRUE(Run("Length", dialog));
    const Samples left = LeftSamples(wave_.TheSound());
    EXPECT_EQ(Samples(left.begin() + 4, left.begin() + 13),
              (Samples{4, 11, 10, 9, 8, 7, 6, 5, 12}));
    EXPECT_EQ(wave_.SelEnd(), 12);

    // "New Length" of 0.13 s is the factor 0.13/0.07: trunc(factor·(7 - 1) + 1) = 12.
    ScriptedDialog longer{.texts = {{"newLength", "0.13 s"}}};
    ASSERT_TRUE(Run("Length", longer));
    EXPECT_EQ(wave_.SelEnd() - wave_.SelStart(), 12);
}

TEST_F(OperationCommandsTest, DistortNeedsACurveWithSamples) {
    OpenWave("flat", MakeEmptySound({100, 1, 2}));
    ScriptedDialog none;
    EXPECT_FALSE(Run("Distort", none));
    EXPECT_EQ(messages_.Messages().back().text, "In Distort Envelope: You have to select a Wave");
    ScriptedDialog empty{.waves = {{"distortEnvelope", "flat"}}};
    EXPECT_FALSE(Run("Distort", empty));
    EXPECT_EQ(messages_.Messages().back().text, "In Distort Envelope: The Wave \"flat\" is empty.");

    OpenWave("invert", Mono({32767, -32768}, 100));
    ScriptedDialog invert{.waves = {{"distortEnvelope", "invert"}}};
    ASSERT_TRUE(Run("Distort", invert));
    EXPECT_EQ(LeftSamples(wave_.TheSound())[10], -10);
}

TEST_F(OperationCommandsTest, BlockFilterRefusesATimeOf0) {
    wave_.SetSelection(0, 10);
    ScriptedDialog zero{.texts = {{"blockTime", "0 s"}}};
    EXPECT_FALSE(Run("FilterBlock", zero));
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text, "In Block Time: Block Time may not be 0.");

    // x = 3 samples: the range grows by 4 and is selected.
    ScriptedDialog three{.texts = {{"blockTime", "30 ms"}}};
    ASSERT_TRUE(Run("FilterBlock", three));
    EXPECT_EQ(wave_.SelEnd(), 14);
    EXPECT_EQ(wave_.GetValues(), 104);

    // With an envelope the time may be 0 (no window: the input halved) and negative times
    // grow the wave by 2·trunc(|x| + 1) as well.
    OpenWave("full", Mono({32767}, 100));
    wave_.SetSelection(0, 10);
    ScriptedDialog negative{.texts = {{"blockTime", "-30 ms"}},
                            .waves = {{"timeEnvelope", "full"}},
                            .checks = {{"envelopeOn", true}}};
    ASSERT_TRUE(Run("FilterBlock", negative));
    EXPECT_EQ(wave_.SelEnd(), 18);
}

TEST_F(OperationCommandsTest, LowAndHighFiltersWithMaximizeVolume) {
    wave_.SetSelection(0, 100);
    ScriptedDialog dialog{.texts = {{"frequency", "10 Hz"}, {"count", "2"}},
                          .checks = {{"maximizeVolume", true}}};
    ASSERT_TRUE(Run("FilterHigh", dialog));
    ErrorFlag error = 0;
    EXPECT_EQ(wave_.TheSound().GetLeftWave().getMaxAbs(&error, 0, 100), 22936);

    ScriptedDialog bad{.texts = {{"factor", "1"}}};
    EXPECT_FALSE(Run("FilterLow", bad));
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].caption, "Input Error");
}

TEST_F(OperationCommandsTest, ResonatorFrequenciesAboveTheSampleRateAreRefused) {
    // 100 samples per second: 150 Hz would make a period shorter than a sample.
    ScriptedDialog constant{.texts = {{"frequency", "150 Hz"}}};
    EXPECT_FALSE(Run("FilterRes", constant));
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text,
              "In Frequency: Frequency may not be higher than the sample frequency (100.00 Hz).");
    ScriptedDialog fits{.texts = {{"frequency", "100 Hz"}}};
    EXPECT_TRUE(Run("FilterNotch", fits));

    // An envelope reaching 20 Hz·10^1.5 = 632 Hz asks too much of 100 samples per second;
    // one that stays at 20 Hz fits.
    OpenWave("middle", Mono({-32768, 0}, 100));
    OpenWave("bottom", Mono({-32768, -32768}, 100));
    ScriptedDialog high{.waves = {{"frequencyEnvelope", "middle"}}};
    EXPECT_FALSE(Run("FilterNotch", high));
    ASSERT_EQ(messages_.Messages().size(), 2u);
    EXPECT_EQ(messages_.Messages()[1].text,
              "In Envelope: \"middle\" asks for frequencies up to 632.48 Hz, higher than the "
              "sample frequency (100.00 Hz).");
    ScriptedDialog low{.waves = {{"frequencyEnvelope", "bottom"}}};
    EXPECT_TRUE(Run("FilterRes", low));
}

TEST_F(OperationCommandsTest, EffectsOnAHandDrawingEditItsNodes) {
    TUnitWave drawn(workspace_, MakeEmptySound({1000, 1, 2}));
    workspace_.Registry().Activate(drawn);
    drawn.DrawWave(TDrawKind::linear);
    drawn.DrawNodes().Insert(0.25, 1000);
    const auto nodes = [&] {
        std::vector<std::pair<double, int>> list;
        for (const TDrawNode& node : drawn.DrawNodes())
            list.emplace_back(node.position, node.value);
        return list;
    };
    ScriptedDialog volume{.texts = {{"factor", "3"}}};
    ASSERT_TRUE(RunEffectCommand(drawn, Effect("Volume"), std::ref(volume)));
    EXPECT_EQ(nodes(), (std::vector<std::pair<double, int>>{{0, 0}, {0.25, 3000}, {1, 0}}));
    ScriptedDialog move{.texts = {{"addValue", "10 $"}}};
    ASSERT_TRUE(RunEffectCommand(drawn, Effect("MoveV"), std::ref(move)));
    EXPECT_EQ(nodes(), (std::vector<std::pair<double, int>>{{0, 10}, {0.25, 3010}, {1, 10}}));

    // Length -2 doubles the drawn length and mirrors the drawing.
    ScriptedDialog length{.texts = {{"lengthFactor", "-2"}}};
    ASSERT_TRUE(RunEffectCommand(drawn, Effect("Length"), std::ref(length)));
    EXPECT_DOUBLE_EQ(drawn.DrawLength(), 2.0);
    EXPECT_EQ(nodes(), (std::vector<std::pair<double, int>>{{0, 10}, {0.75, 3010}, {1, 10}}));
    EXPECT_EQ(drawn.GetValues(), 2001);
    EXPECT_FALSE(workspace_.Undo().HasUndo());
}

}  // namespace
}  // namespace kalvora
