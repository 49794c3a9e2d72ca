// Block, Triangle, Sinus and Multi Frequency as commands of the effect table: their records
// and checks through the dialog model, and the sound they make in a wave document.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "document_test_support.h"
#include "documents/effect_command.h"
#include "documents/workspace.h"
#include "platform/recording_message_sink.h"

namespace kalvora {
namespace {

using testing::Effect;
using ::testing::ElementsAre;
using testing::LeftSamples;
using testing::Mono;
using testing::RecordingWaveWindow;
using testing::RightSamples;
using testing::Stereo;

using Samples = std::vector<std::int16_t>;

std::size_t Index(const TEffectDialogModel& dialog, std::string_view field) {
    const int index = dialog.Entry().FieldIndex(field);
    KALVORA_ASSERT(index >= 0);
    return static_cast<std::size_t>(index);
}

std::size_t SubIndex(const TEffectDialogModel& dialog, std::string_view list,
                     std::string_view field) {
    const auto& subs = dialog.Field(Index(dialog, list)).subFields;
    for (std::size_t i = 0; i < subs.size(); ++i) {
        if (SameName(subs[i].name, field)) return i;
    }
    KALVORA_ASSERT(!"no such sub-field");
    return 0;
}

class ToneGeneratorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(CreateSinus());
        window_.document = &wave_;
        wave_.LinkWindow(&window_);
        workspace_.Registry().Activate(wave_);
    }
    void TearDown() override { ReleaseSinus(); }

    // A named document that the dialogs' lists offer; the generated wave stays active.
    TUnitWave& Other(std::unique_ptr<Sound> sound, const std::string& name) {
        others_.push_back(std::make_unique<TUnitWave>(workspace_, std::move(sound)));
        others_.back()->SetName(name);
        workspace_.Registry().Activate(*others_.back());
        workspace_.Registry().Activate(wave_);
        return *others_.back();
    }

    // Runs the command with the texts typed into its dialog; false when OK was refused.
    bool Run(std::string_view command,
             const std::vector<std::pair<std::string, std::string>>& texts,
             const std::vector<std::pair<std::string, std::string>>& waves = {}) {
        return RunEffectCommand(wave_, Effect(command), [&](TEffectDialogModel& dialog) {
            dialog.Show();
            for (const auto& [field, text] : texts)
                dialog.SetText(Index(dialog, field), text);
            for (const auto& [field, name] : waves)
                EXPECT_TRUE(dialog.SelectWaveNamed(Index(dialog, field), name));
            return dialog.Ok() && dialog.CloseQuery();
        });
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& message : messages_.Messages())
            texts.push_back(message.text);
        return texts;
    }

    platform::RecordingMessageSink messages_;
    TWorkspace workspace_;
    TUnitWave wave_{workspace_, Mono({1, 2, 3, 4, 5, 6}, 1000)};
    RecordingWaveWindow window_;
    std::vector<std::unique_ptr<TUnitWave>> others_;
};

TEST_F(ToneGeneratorTest, SinusReplacesExactlyTheSelection) {
    wave_.SetSelection(2, 5);
    // 250 Hz at 1000 Hz: four samples a period, two periods.
    ASSERT_TRUE(Run("MakeSinus", {{"frequency", "250 Hz"}, {"count", "2"}}));
    EXPECT_EQ(wave_.GetValues(), 6 - 3 + 8);
    EXPECT_EQ(wave_.SelMin(), 2);
    EXPECT_EQ(wave_.SelMax(), 10);
    EXPECT_THAT(LeftSamples(wave_.TheSound()),
                ElementsAre(1, 2, 0, 16382, 5, -16382, 0, 16382, 5, -16382, 6));
    // Typing the count chose "Count"; the record keeps it for the next time.
    EXPECT_EQ(wave_.Records().effects.Of(Effect("MakeSinus")).Choice("lengthKind"), 1);
}

TEST_F(ToneGeneratorTest, SinusOfALengthMakesLengthTimesRateSamples) {
    ASSERT_TRUE(Run("MakeSinus", {{"frequency", "100 Hz"}, {"length", "25 ms"}}));
    EXPECT_EQ(wave_.GetValues(), 6 + 25);
}

TEST_F(ToneGeneratorTest, TriangleInTimeTakesItsMiddleFromTheTwoTimes) {
    wave_.SetCursor(6);
    // Time 1 of one sample and time 2 of three: rising over one sample, falling over three.
    ASSERT_TRUE(Run("MakeTriangle", {{"height1", "1000 $"},
                                     {"height2", "-1000 $"},
                                     {"time1", "1 ms"},
                                     {"time2", "3 ms"},
                                     {"count", "2"}}));
    const Samples left = LeftSamples(wave_.TheSound());
    EXPECT_THAT(Samples(left.begin() + 6, left.end()),
                ElementsAre(-1000, 1000, 333, -333, -1000, 1000, 333, -333));
}

TEST_F(ToneGeneratorTest, BlockWithAMiddleEnvelopeInEachChannel) {
    TUnitWave stereo(workspace_, Stereo({9, 9}, {9, 9}, 1000));
    workspace_.Registry().Activate(stereo);
    Other(Stereo({-32768, -32768}, {32767, 32767}, 1000), "Env");
    workspace_.Registry().Activate(stereo);
    stereo.SetCursor(0);
    ASSERT_TRUE(RunEffectCommand(stereo, Effect("MakeBlock"), [&](TEffectDialogModel& dialog) {
        dialog.Show();
        dialog.SetText(Index(dialog, "height1"), "7 $");
        dialog.SetText(Index(dialog, "height2"), "-7 $");
        dialog.SetText(Index(dialog, "frequency"), "250 Hz");
        dialog.SetText(Index(dialog, "newLength"), "4 ms");
        EXPECT_TRUE(dialog.SelectWaveNamed(Index(dialog, "middleEnvelope"), "Env"));
        return dialog.Ok();
    }));
    // Left: the middle just below 0, all second height; right: just below 1, all first.
    EXPECT_THAT(LeftSamples(stereo.TheSound()), ElementsAre(7, 7, 7, 7, 9, 9));
    EXPECT_THAT(RightSamples(stereo.TheSound()), ElementsAre(-7, -7, -7, -7, 9, 9));
}

TEST_F(ToneGeneratorTest, BlockOfTheSameLengthAsAnotherWave) {
    Other(Mono(std::vector<std::int16_t>(441, 0), 44100), "Ten ms");
    wave_.SetCursor(0);
    ASSERT_TRUE(Run("MakeBlock", {{"frequency", "100 Hz"}}, {{"sameLengthAs", "Ten ms"}}));
    EXPECT_EQ(wave_.GetValues(), 6 + 10);
    EXPECT_EQ(wave_.SelMax(), 10);
}

struct Refusal {
    const char* command;
    std::vector<std::pair<std::string, std::string>> texts;
    std::string message;
};

class ToneGeneratorRefusals : public ToneGeneratorTest,
                              public ::testing::WithParamInterface<Refusal> {};

TEST_P(ToneGeneratorRefusals, DialogStaysOpenAndNothingChanges) {
    const Refusal& c = GetParam();
    EXPECT_FALSE(Run(c.command, c.texts));
    EXPECT_THAT(Texts(), ElementsAre(c.message));
    EXPECT_EQ(wave_.GetValues(), 6);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToneGeneratorRefusals,
    ::testing::Values(
        // Periods below one sample (the rate is 1000 Hz).
        Refusal{"MakeBlock",
                {{"frequency", "1001 Hz"}},
                "In Frequency: The frequency is above the sample rate (1000 Hz)."},
        Refusal{"MakeTriangle",
                {{"time1", "0.4 ms"}, {"time2", "0.5 ms"}},
                "In Wave in Time: Time 1 + Time 2 is shorter than one sample at 1000 Hz."},
        // Lengths below one sample.
        Refusal{"MakeBlock",
                {{"newLength", "0.5 ms"}},
                "In New Length: The length is shorter than one sample."},
        Refusal{"MakeTriangle",
                {{"frequency", "500 Hz"}, {"count", "0.25"}},
                "In Count: The length is shorter than one sample."},
        // The value types' own refusals come first.
        Refusal{"MakeSinus",
                {{"frequency", "0 s"}},
                "In Frequency: Value must be positive and more than 0."}),
    [](const auto& info) { return std::to_string(info.index); });

TEST_F(ToneGeneratorTest, BlockRefusesAnEmptyDocumentToTakeItsLengthFrom) {
    Other(Mono({}, 1000), "Empty");
    EXPECT_FALSE(Run("MakeBlock", {}, {{"sameLengthAs", "Empty"}}));
    EXPECT_THAT(Texts(), ElementsAre("In Same Length as: The Wave \"Empty\" is shorter than one "
                                     "sample."));
}

// ---- Multi frequency ----

class MultiFreqCommandTest : public ToneGeneratorTest {
  protected:
    // Types one partial's fields into the current entry of the dialog's list.
    static void Type(TEffectDialogModel& dialog,
                     const std::vector<std::pair<std::string, std::string>>& texts) {
        const std::size_t list = Index(dialog, "frequencies");
        for (const auto& [field, text] : texts)
            dialog.SetListText(list, SubIndex(dialog, "frequencies", field), text);
    }
    static const TListControl& List(const TEffectDialogModel& dialog) {
        return *dialog.Control(Index(dialog, "frequencies")).list;
    }
};

TEST_F(MultiFreqCommandTest, ThreePartialsThroughTheBrowser) {
    wave_.SetCursor(0);
    ASSERT_TRUE(RunEffectCommand(wave_, Effect("MakeMFreq"), [&](TEffectDialogModel& dialog) {
        dialog.Show();
        const std::size_t list = Index(dialog, "frequencies");
        EXPECT_THAT(List(dialog).Texts(), ElementsAre("0.5", "1000 Hz", "0", "0.1", "1 s"));
        EXPECT_EQ(List(dialog).State(), (TBrowseState{1, 1, false, false, false, false}));
        dialog.SetText(Index(dialog, "length"), "10 ms");
        Type(dialog, {{"volume", "0.25"}, {"frequency", "100 Hz"}, {"volumeFactor", "1"}});
        EXPECT_TRUE(dialog.Browse(list, TBrowseButton::append));
        // A new entry: "Default" on gives the default, off keeps the value shown.
        EXPECT_THAT(List(dialog).Texts(), ElementsAre("0.5", "100 Hz", "0", "0.1", "1 s"));
        EXPECT_EQ(List(dialog).State(), (TBrowseState{2, 2, true, false, true, false}));
        Type(dialog, {{"volume", "0.125"}, {"frequency", "200 Hz"}, {"volumeFactor", "1"}});
        EXPECT_TRUE(dialog.Browse(list, TBrowseButton::append));
        Type(dialog, {{"volume", "0.0625"}, {"frequency", "250 Hz"}, {"angle", "0.5"}});
        return dialog.Ok();
    }));
    const auto& partials = wave_.Records().effects.Of(Effect("MakeMFreq")).List("frequencies");
    ASSERT_EQ(partials.GetCount(), 3);

    // The same sound as the engine makes of the three partials.
    const std::vector<FreqPartial> expected = {
        {0.25, 0.01, 0, 1, 1}, {0.125, 0.005, 0, 1, 1}, {0.0625, 0.004, 0.5, 0.1, 1}};
    ErrorFlag error = 0;
    std::int32_t begin = 0;
    std::int32_t end = 0;
    auto sound = MonoSound(1000, 2).MultiFreq(&error, 0.01, expected, begin, end);
    ASSERT_TRUE(sound);
    const Samples made = LeftSamples(wave_.TheSound());
    EXPECT_EQ(Samples(made.begin(), made.begin() + 10), LeftSamples(*sound));
    EXPECT_EQ(wave_.SelMax(), 10);
}

TEST_F(MultiFreqCommandTest, DefaultChecksDecideWhatANewEntryStartsWith) {
    TEffectDialogModel dialog = MakeEffectDialog(wave_, Effect("MakeMFreq"));
    dialog.Show();
    const std::size_t list = Index(dialog, "frequencies");
    Type(dialog, {{"volume", "0.3"}, {"frequency", "300 Hz"}, {"angle", "0.25"}});
    dialog.SetChecked(Index(dialog, "defaultVolume"), false);
    dialog.SetChecked(Index(dialog, "defaultFrequency"), true);
    ASSERT_TRUE(dialog.Browse(list, TBrowseButton::insert));
    EXPECT_THAT(List(dialog).Texts(), ElementsAre("0.3", "1000 Hz", "0", "0.1", "1 s"));
    EXPECT_EQ(List(dialog).State().number, 1);
    // Clear gives one entry at every default, whatever the checks say.
    dialog.Browse(list, TBrowseButton::clear);
    EXPECT_THAT(List(dialog).Texts(), ElementsAre("0.5", "1000 Hz", "0", "0.1", "1 s"));
}

TEST_F(MultiFreqCommandTest, CancelDiscardsTheEditedList) {
    EXPECT_FALSE(RunEffectCommand(wave_, Effect("MakeMFreq"), [&](TEffectDialogModel& dialog) {
        dialog.Show();
        dialog.Browse(Index(dialog, "frequencies"), TBrowseButton::append);
        return false;
    }));
    EXPECT_EQ(wave_.Records().effects.Of(Effect("MakeMFreq")).List("frequencies").GetCount(), 1);
    EXPECT_EQ(wave_.GetValues(), 6);
}

TEST_F(MultiFreqCommandTest, RefusedEntryKeepsTheDialogOpenOnIt) {
    TEffectDialogModel dialog = MakeEffectDialog(wave_, Effect("MakeMFreq"));
    dialog.Show();
    const std::size_t list = Index(dialog, "frequencies");
    dialog.Browse(list, TBrowseButton::append);
    Type(dialog, {{"volumeFactor", "0"}});
    EXPECT_FALSE(dialog.Browse(list, TBrowseButton::first));
    EXPECT_FALSE(dialog.Ok());
    EXPECT_FALSE(dialog.CloseQuery());
    EXPECT_EQ(List(dialog).State().number, 2);
    Type(dialog, {{"volumeFactor", "0.5"}});
    EXPECT_TRUE(dialog.Ok());
    EXPECT_EQ(dialog.Record().List("frequencies").GetCount(), 2);
    EXPECT_THAT(Texts(), ElementsAre("In Volume Factor: Value must be positive and more than 0.",
                                     "In Volume Factor: Value must be positive and more than 0."));
}

TEST_F(MultiFreqCommandTest, PartialAboveTheRateIsRefusedAndTheListStaysOpen) {
    TEffectDialogModel dialog = MakeEffectDialog(wave_, Effect("MakeMFreq"));
    dialog.Show();
    const std::size_t list = Index(dialog, "frequencies");
    dialog.Browse(list, TBrowseButton::append);
    Type(dialog, {{"frequency", "2 kHz"}});
    EXPECT_FALSE(dialog.Ok());
    EXPECT_THAT(Texts(), ElementsAre("In Frequency: The frequency of entry 2 is above the sample "
                                     "rate (1000 Hz)."));
    // Still editable: the browser was opened again on the same entry.
    EXPECT_EQ(List(dialog).State().number, 2);
    EXPECT_TRUE(dialog.Browse(list, TBrowseButton::previous));
}

TEST_F(MultiFreqCommandTest, WaveFormOfOneSampleIsRefused) {
    Other(Mono({100}, 1000), "One");
    EXPECT_FALSE(Run("MakeMFreq", {}, {{"waveForm", "One"}}));
    EXPECT_THAT(Texts(), ElementsAre("In Wave Form: The Wave \"One\" has only one sample; a wave "
                                     "form needs at least two."));
}

TEST_F(MultiFreqCommandTest, WaveFormOfTwoSamplesMakesItsPartials) {
    Other(Mono({1000, 1000}, 1000), "Flat");
    wave_.SetCursor(0);
    ASSERT_TRUE(Run("MakeMFreq", {{"length", "3 ms"}}, {{"waveForm", "Flat"}}));
    const Samples left = LeftSamples(wave_.TheSound());
    // 1000 · 0.5, then decaying by 0.1^(1/1000) a sample.
    EXPECT_THAT(Samples(left.begin(), left.begin() + 3), ElementsAre(500, 498, 497));
}

}  // namespace
}  // namespace kalvora
