// Effect commands on wave documents: the dialog road from the document's record to the changed
// sound, the records kept by the frame and the document, and the generators of the table.
#include "documents/effect_command.h"

#include <gtest/gtest.h>

#include "document_test_support.h"
#include "documents/unit_factor.h"
#include "documents/unit_time.h"
#include "documents/unit_wave_value.h"
#include "documents/workspace.h"
#include "effect_test_support.h"
#include "platform/recording_message_sink.h"
#include "sound/random_source.h"

namespace kalvora {
namespace {

using testing::Effect;
using testing::LeftSamples;
using testing::Mono;
using testing::Ramp;
using testing::RecordingWaveWindow;
using testing::RightSamples;
using testing::SampleEffect;
using testing::Stereo;

using Samples = std::vector<std::int16_t>;

// A dialog runner that types texts into fields and presses OK once; with cancel it presses
// Cancel instead.
struct ScriptedDialog {
    std::vector<std::pair<std::string, std::string>> texts;
    bool cancel = false;
    int shown = 0;
    bool okResult = false;

    bool operator()(TEffectDialogModel& dialog) {
        ++shown;
        dialog.Show();
        for (const auto& [field, text] : texts)
            dialog.SetText(static_cast<std::size_t>(dialog.Entry().FieldIndex(field)), text);
        if (cancel) return false;
        okResult = dialog.Ok();
        return okResult && dialog.CloseQuery();
    }
};

class EffectCommandTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window_.document = &wave_;
        wave_.LinkWindow(&window_);
        workspace_.Registry().Activate(wave_);
    }

    platform::RecordingMessageSink messages_;
    TWorkspace workspace_;
    TUnitWave wave_{workspace_, Stereo(Ramp(10), Ramp(10, 100))};
    RecordingWaveWindow window_;
};

TEST_F(EffectCommandTest, SilenceOfATenthOfASecondInsertsAndSelects4411Zeros) {
    wave_.SetCursor(4);
    window_.calls.clear();
    ScriptedDialog dialog;
    ASSERT_TRUE(RunEffectCommand(wave_, Effect("MakeSilence"), std::ref(dialog)));
    EXPECT_EQ(dialog.shown, 1);
    EXPECT_EQ(wave_.GetValues(), 10 + 4411);
    EXPECT_EQ(wave_.SelMin(), 4);
    EXPECT_EQ(wave_.SelMax(), 4415);
    const Samples left = LeftSamples(wave_.TheSound());
    EXPECT_EQ(left[3], 3);
    EXPECT_EQ(left[4], 0);
    EXPECT_EQ(left[4414], 0);
    EXPECT_EQ(left[4415], 4);
    EXPECT_EQ(RightSamples(wave_.TheSound())[4415], 104);
    EXPECT_TRUE(wave_.SoundChanged());
    EXPECT_TRUE(workspace_.Undo().HasUndo());
    EXPECT_EQ(window_.calls.front(), "BeforeChange 4 4");
}

TEST_F(EffectCommandTest, GeneratingOverASelectionChangesTheLengthByNMinusTheSelection) {
    struct Case {
        std::string command;
        std::string length;
        std::int32_t n;
    };
    // At 44100 Hz: silence and line make Freq·length + 1 samples, noise Freq·length.
    for (const Case& c : {Case{"MakeSilence", "1 ms", 45}, Case{"MakeLine", "1 ms", 45},
                          Case{"MakeNoise", "1 ms", 44}, Case{"MakeNoise", "0 s", 0}}) {
        TUnitWave wave(workspace_, Mono(Ramp(100)));
        wave.SetSelection(20, 70);
        ScriptedDialog dialog{{{"length", c.length}}};
        ASSERT_TRUE(RunEffectCommand(wave, Effect(c.command), std::ref(dialog))) << c.command;
        EXPECT_EQ(wave.GetValues(), 100 + c.n - (70 - 20)) << c.command;
        EXPECT_EQ(wave.SelMin(), 20);
        EXPECT_EQ(wave.SelMax(), 20 + c.n);
        EXPECT_EQ(LeftSamples(wave.TheSound())[static_cast<std::size_t>(20 + c.n)], 70);
    }
}

TEST_F(EffectCommandTest, OkStoresTheRecordInTheFrameAndTheDocumentAndCancelChangesNothing) {
    const TEffectEntry& line = Effect("MakeLine");
    const auto valueOf = [&](const TWaveRecords& records) {
        return records.effects.Of(line).Value<unitWaveVal>("beginValue").GetValue();
    };
    ScriptedDialog cancelled{{{"beginValue", "1000 $"}}, true};
    EXPECT_FALSE(RunEffectCommand(wave_, line, std::ref(cancelled)));
    EXPECT_EQ(wave_.GetValues(), 10);
    EXPECT_FALSE(wave_.SoundChanged());
    EXPECT_EQ(valueOf(wave_.Records()), 16383);
    EXPECT_EQ(valueOf(workspace_.Records()), 16383);

    ScriptedDialog dialog{{{"beginValue", "1000 $"}, {"endValue", "3000 $"}, {"length", "0 s"}}};
    ASSERT_TRUE(RunEffectCommand(wave_, line, std::ref(dialog)));
    EXPECT_EQ(valueOf(wave_.Records()), 1000);
    EXPECT_EQ(valueOf(workspace_.Records()), 1000);
    // A one-sample line gives its two end values.
    EXPECT_EQ(wave_.SelMax() - wave_.SelMin(), 2);
    EXPECT_EQ(LeftSamples(wave_.TheSound())[0], 1000);
    EXPECT_EQ(LeftSamples(wave_.TheSound())[1], 3000);

    // A new document starts from the frame's records; the next dialog shows them.
    TUnitWave other(workspace_, Mono({}));
    TEffectDialogModel shown = MakeEffectDialog(other, line);
    shown.Show();
    EXPECT_EQ(shown.Control(static_cast<std::size_t>(line.FieldIndex("beginValue"))).text,
              "1000 $");
}

TEST_F(EffectCommandTest, ARefusedDialogRunsNothing) {
    TEffectDialogModel model = MakeEffectDialog(wave_, Effect("MakeLine"));
    model.Show();
    model.SetChoice(0, 1);
    EXPECT_FALSE(model.Ok());
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text, "Exponential Line may not contain value 0.");
    EXPECT_EQ(messages_.Messages()[0].caption, "Input Error");
    EXPECT_EQ(wave_.GetValues(), 10);

    ScriptedDialog badLength{{{"length", "-1 s"}}};
    EXPECT_FALSE(RunEffectCommand(wave_, Effect("MakeSilence"), std::ref(badLength)));
    EXPECT_EQ(messages_.Messages().back().text, "In Length: Value must be positive.");
    EXPECT_EQ(wave_.GetValues(), 10);
    EXPECT_FALSE(workspace_.Undo().HasUndo());
}

TEST_F(EffectCommandTest, NoiseFromASeededSourceIsRepeatable) {
    TUnitWave a(workspace_, Mono({}, 1000));
    TUnitWave b(workspace_, Mono({}, 1000));
    ScriptedDialog dialog{{{"length", "0.01 s"}}};
    SharedRandomSource().Seed(3);
    ASSERT_TRUE(RunEffectCommand(a, Effect("MakeNoise"), std::ref(dialog)));
    SharedRandomSource().Seed(3);
    ASSERT_TRUE(RunEffectCommand(b, Effect("MakeNoise"), std::ref(dialog)));
    EXPECT_EQ(a.GetValues(), 10);
    EXPECT_EQ(LeftSamples(a.TheSound()), LeftSamples(b.TheSound()));
    EXPECT_TRUE(a.SoundChanged());  // noise marks the document changed like every generator
}

TEST_F(EffectCommandTest, WaveFieldsAreFoundByNameWhenTheCommandRuns) {
    TUnitWave envelope(workspace_, Mono({16383, 0}));
    envelope.SetName("Env");
    workspace_.Registry().Activate(envelope);
    workspace_.Registry().Activate(wave_);  // wave_ is the active document

    TEffectRecord record(SampleEffect());
    record.SetChecked("envelopeOn", true);
    record.Wave("envelope").ReadText("Env");
    record.Value<unitFactor>("factor").SetValue(2);
    ASSERT_TRUE(RunEffect(wave_, record));
    EXPECT_EQ(LeftSamples(wave_.TheSound())[9], 8);  // 9 · 2 · 16383 / 32767, truncated
    EXPECT_EQ(wave_.Records().effects.Of(SampleEffect()).Wave("envelope").GetName(), "Env");

    // A document emptied or closed after the dialog is refused, and nothing runs.
    ASSERT_TRUE(envelope.Delete());
    EXPECT_FALSE(RunEffect(wave_, record));
    EXPECT_EQ(messages_.Messages().back().text, "In Envelope: The Wave \"Env\" is empty.");
    workspace_.Registry().Remove(envelope);
    EXPECT_FALSE(RunEffect(wave_, record));
    EXPECT_EQ(messages_.Messages().back().text, "In Envelope: Cannot find window \"Env\".");
    EXPECT_EQ(LeftSamples(wave_.TheSound())[9], 8);

    // A wave field that is not read is not looked up.
    record.SetChecked("envelopeOn", false);
    EXPECT_TRUE(RunEffect(wave_, record));
}

TEST_F(EffectCommandTest, GeneratorsDoNothingWhileTheDocumentIsDrawnByHand) {
    wave_.DrawWave(TDrawKind::linear);
    const std::int64_t drawn = wave_.GetValues();
    ScriptedDialog dialog;
    EXPECT_FALSE(RunEffectCommand(wave_, Effect("MakeNoise"), std::ref(dialog)));
    EXPECT_EQ(wave_.GetValues(), drawn);
}

TEST(EffectTableTest, EveryEntryIsConsistentAndRunsWithItsDefaults) {
    platform::RecordingMessageSink messages;
    TWorkspace workspace;
    ASSERT_TRUE(CreateSinus());  // built at start-up by the program, read by the tone generators
    // Wave fields have no default document: they name this one.
    TUnitWave envelope(workspace, Mono(Ramp(50, -100)));
    envelope.SetName("envelope");
    workspace.Registry().Activate(envelope);
    for (const TEffectEntry& entry : EffectTable()) {
        SCOPED_TRACE(std::string(entry.command));
        EXPECT_EQ(FindEffect(entry.command), &entry);
        EXPECT_FALSE(entry.caption.empty());
        ASSERT_TRUE(entry.operation);
        TEffectRecord defaults(entry);
        for (std::size_t i = 0; i < entry.fields.size(); ++i) {
            if (entry.fields[i].kind == TFieldKind::wave) defaults.At(i).wave.ReadText("envelope");
        }
        for (std::size_t i = 0; i < entry.fields.size(); ++i) {
            const TFieldSpec& spec = entry.fields[i];
            EXPECT_EQ(entry.FieldIndex(spec.name), static_cast<int>(i)) << spec.name;
            EXPECT_EQ(spec.name.find(' '), std::string_view::npos);
            EXPECT_FALSE(spec.label.empty() && spec.kind != TFieldKind::choice);
            if (spec.owner) {
                EXPECT_LT(entry.FieldIndex(spec.owner->choice), static_cast<int>(i));
            }
            if (spec.kind == TFieldKind::value) {
                // Every default is shown in a text that reads back to the same text.
                std::unique_ptr<unit> copy = spec.makeValue(defaults.At(i).value.get());
                std::string errorText;
                const std::string text = copy->GetText();
                EXPECT_TRUE(copy->ReadText(text, spec.label, errorText)) << errorText;
                EXPECT_EQ(copy->GetText(), text);
            }
        }
        TUnitWave wave(workspace, Stereo(Ramp(100), Ramp(100)));
        wave.SetSelection(10, 20);
        if (entry.applies && entry.applies(ContextOf(wave))) {
            // A command for mono waves (Balance).
            TUnitWave mono(workspace, Mono(Ramp(100)));
            mono.SetSelection(10, 20);
            EXPECT_FALSE(entry.applies(ContextOf(mono)));
            EXPECT_TRUE(RunEffect(mono, defaults));
        } else {
            EXPECT_TRUE(RunEffect(wave, defaults));
        }
        EXPECT_TRUE(messages.Messages().empty());
    }
    ReleaseSinus();
}

}  // namespace
}  // namespace kalvora
