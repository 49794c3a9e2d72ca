// The effect dialog pattern on its own: what Show writes, how edits check alternatives, what
// OK reads and in which order, the refused close, and the checks of wave lists.
#include "documents/effect_dialog.h"

#include <gtest/gtest.h>

#include "documents/unit_wave_value.h"
#include "effect_test_support.h"
#include "fake_wave_registry.h"
#include "platform/recording_message_sink.h"

namespace kalvora {
namespace {

using testing::SampleEffect;

class EffectDialogTest : public ::testing::Test {
  protected:
    EffectDialogTest() {
        registry_.Add("Left", 1);
        registry_.Add("Wide", 2);
        registry_.Add("Empty", 1, 44100, 0);
        registry_.Add("Active", 1);  // the document the dialog works for
    }

    TEffectDialogModel Dialog(const TEffectRecord& record) {
        TEffectDialogModel dialog(record, TEffectContext{}, registry_);
        dialog.Show();
        return dialog;
    }
    static std::size_t Index(std::string_view name) {
        return static_cast<std::size_t>(SampleEffect().FieldIndex(name));
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& message : messages_.Messages()) {
            EXPECT_EQ(message.caption, "Input Error");
            EXPECT_EQ(message.icon, platform::MessageIcon::information);
            texts.push_back(message.text);
        }
        return texts;
    }

    platform::RecordingMessageSink messages_;
    fakes::FakeWaveRegistry registry_;
    const TEffectRecord defaults_{SampleEffect()};
};

TEST_F(EffectDialogTest, ShowWritesEveryFieldInItsOwnTextFormAndFillsTheLists) {
    TEffectRecord record = defaults_;
    std::string errorText;
    ASSERT_TRUE(record.Value<unitTime>("newLength").ReadText("250 ms", "New Length", errorText));
    record.Wave("envelope").ReadText("Left");
    record.SetChoice("lengthKind", 2);
    TEffectDialogModel dialog = Dialog(record);

    EXPECT_EQ(dialog.Caption(), "Sample Effect");
    EXPECT_EQ(dialog.Control(Index("factor")).text, "0.5");
    EXPECT_EQ(dialog.Control(Index("newLength")).text, "250 ms");
    EXPECT_EQ(dialog.Control(Index("count")).text, "3");
    EXPECT_EQ(dialog.Control(Index("lengthKind")).choice, 2);
    EXPECT_EQ(dialog.Control(Index("envelopeOn")).choice, 0);
    // Each list offers what its field accepts; the stored name is selected.
    const WaveChoiceList& mono = dialog.Control(Index("envelope")).waves;
    ASSERT_EQ(mono.items.size(), 2u);
    EXPECT_EQ(mono.items[0].name, "Left");
    EXPECT_EQ(mono.items[1].name, "Empty");
    EXPECT_EQ(mono.selected, 0);
    const WaveChoiceList& all = dialog.Control(Index("sameLengthAs")).waves;
    EXPECT_EQ(all.items.size(), 3u);
    EXPECT_EQ(all.selected, -1);
    EXPECT_TRUE(dialog.Valid());
}

TEST_F(EffectDialogTest, EditingAFieldOfAnAlternativeChecksItAndTheAlternativesAroundIt) {
    TEffectDialogModel dialog = Dialog(defaults_);
    dialog.SetText(Index("count"), "4");
    EXPECT_EQ(dialog.Control(Index("lengthKind")).choice, 2);

    dialog.SelectWave(Index("sameLengthAs"), 0);
    EXPECT_EQ(dialog.Control(Index("lengthKind")).choice, 1);

    // "middle" lies inside "Constant", which lies inside "Count".
    dialog.SetText(Index("middle"), "0.25");
    EXPECT_EQ(dialog.Control(Index("middleKind")).choice, 0);
    EXPECT_EQ(dialog.Control(Index("lengthKind")).choice, 2);

    dialog.SelectWave(Index("envelope"), 0);
    EXPECT_EQ(dialog.Control(Index("envelopeOn")).choice, 1);

    // Fields outside any alternative leave the radio buttons alone.
    dialog.SetChoice(Index("lengthKind"), 0);
    dialog.SetText(Index("factor"), "0.75");
    EXPECT_EQ(dialog.Control(Index("lengthKind")).choice, 0);
}

TEST_F(EffectDialogTest, OkReadsOnlyTheCheckedAlternatives) {
    TEffectDialogModel dialog = Dialog(defaults_);
    dialog.SetText(Index("newLength"), "nonsense");
    dialog.SetText(Index("count"), "8");  // checks "Count": "New Length" is not read
    dialog.SetText(Index("middle"), "-90'");
    ASSERT_TRUE(dialog.Ok());
    EXPECT_TRUE(messages_.Messages().empty());
    const TEffectRecord& record = dialog.Record();
    EXPECT_EQ(record.Choice("lengthKind"), 2);
    EXPECT_DOUBLE_EQ(record.Value<unitFactor>("count").GetValue(), 8);
    EXPECT_DOUBLE_EQ(record.Value<unitFactor>("middle").GetValue(), 0.75);
    EXPECT_DOUBLE_EQ(record.Value<unitTime>("newLength").GetValue(), 2.0);  // as it was
    EXPECT_TRUE(dialog.CloseQuery());
}

TEST_F(EffectDialogTest, TheFirstFailureInFieldOrderIsTheOnlyOneShownAndTheCloseIsRefusedOnce) {
    TEffectDialogModel dialog = Dialog(defaults_);
    dialog.SetText(Index("count"), "0");       // fails too, but comes later
    dialog.SetText(Index("factor"), "-6 dB");  // first field
    EXPECT_FALSE(dialog.Ok());
    EXPECT_EQ(Texts(),
              std::vector<std::string>{"In Factor: Wrong unit used, use: '%' or no unit."});
    EXPECT_FALSE(dialog.Valid());
    EXPECT_FALSE(dialog.CloseQuery());  // the dialog stays open ...
    EXPECT_TRUE(dialog.CloseQuery());   // ... once: the mark is reset

    messages_.Clear();
    dialog.SetText(Index("factor"), "2");
    EXPECT_FALSE(dialog.Ok());
    EXPECT_EQ(Texts(),
              std::vector<std::string>{"In Count: Value must be positive and more than 0."});

    messages_.Clear();
    dialog.SetText(Index("count"), "60");  // fields fine, the effect's own check refuses
    EXPECT_FALSE(dialog.Ok());
    EXPECT_EQ(Texts(), std::vector<std::string>{"Count times Factor may not exceed 100."});

    messages_.Clear();
    dialog.SetText(Index("count"), "50");
    EXPECT_TRUE(dialog.Ok());
    EXPECT_TRUE(messages_.Messages().empty());
    EXPECT_TRUE(dialog.CloseQuery());
}

TEST_F(EffectDialogTest, TheDialogEditsACopy) {
    const TEffectRecord original = defaults_;
    TEffectDialogModel dialog = Dialog(original);
    dialog.SetText(Index("factor"), "0.25");
    dialog.SetChoice(Index("lengthKind"), 2);
    ASSERT_TRUE(dialog.Ok());
    EXPECT_DOUBLE_EQ(dialog.Record().Value<unitFactor>("factor").GetValue(), 0.25);
    // Cancel is dropping the dialog: the record it was opened on never changed.
    EXPECT_DOUBLE_EQ(original.Value<unitFactor>("factor").GetValue(), 0.5);
    EXPECT_EQ(original.Choice("lengthKind"), 0);
}

TEST_F(EffectDialogTest, AWaveListMustNameAnOpenDocumentWithSamples) {
    TEffectDialogModel dialog = Dialog(defaults_);
    dialog.SetChecked(Index("envelopeOn"), true);
    EXPECT_FALSE(dialog.Ok());
    EXPECT_EQ(Texts(), std::vector<std::string>{"In Envelope: You have to select a Wave"});

    messages_.Clear();
    ASSERT_TRUE(dialog.SelectWaveNamed(Index("envelope"), "Empty"));
    EXPECT_FALSE(dialog.Ok());
    EXPECT_EQ(Texts(), std::vector<std::string>{"In Envelope: The Wave \"Empty\" is empty."});

    messages_.Clear();
    EXPECT_FALSE(dialog.SelectWaveNamed(Index("envelope"), "Wide"));  // stereo: not offered
    ASSERT_TRUE(dialog.SelectWaveNamed(Index("envelope"), "Left"));
    EXPECT_TRUE(dialog.Ok());
    EXPECT_EQ(dialog.Record().Wave("envelope").GetName(), "Left");

    // "Same Length as" only measures its document: an empty one is fine.
    messages_.Clear();
    ASSERT_TRUE(dialog.SelectWaveNamed(Index("sameLengthAs"), "Empty"));
    EXPECT_TRUE(dialog.Ok());
    EXPECT_EQ(dialog.Record().Choice("lengthKind"), 1);
}

TEST_F(EffectDialogTest, MakeLineRefusesAnExponentialLineThroughZero) {
    const TEffectEntry* line = FindEffect("MakeLine");
    ASSERT_NE(line, nullptr);
    TEffectDialogModel dialog = Dialog(TEffectRecord(*line));
    const auto kind = static_cast<std::size_t>(line->FieldIndex("kind"));
    const auto end = static_cast<std::size_t>(line->FieldIndex("endValue"));
    EXPECT_EQ(dialog.Control(static_cast<std::size_t>(line->FieldIndex("beginValue"))).text, "0.5");
    EXPECT_EQ(dialog.Control(end).text, "-0.50002");
    EXPECT_EQ(dialog.Control(static_cast<std::size_t>(line->FieldIndex("length"))).text, "0.1 s");
    ASSERT_TRUE(dialog.Ok());  // linear may cross zero
    EXPECT_EQ(dialog.Record().Value<unitWaveVal>("endValue").GetValue(), -16384);

    dialog.SetChoice(kind, 1);
    EXPECT_FALSE(dialog.Ok());
    EXPECT_EQ(Texts(), std::vector<std::string>{"Exponential Line may not contain value 0."});
    EXPECT_FALSE(dialog.CloseQuery());

    messages_.Clear();
    dialog.SetText(end, "0 $");
    EXPECT_FALSE(dialog.Ok());  // zero itself is refused too
    messages_.Clear();
    dialog.SetText(end, "100 $");
    EXPECT_TRUE(dialog.Ok());
}

}  // namespace
}  // namespace kalvora
