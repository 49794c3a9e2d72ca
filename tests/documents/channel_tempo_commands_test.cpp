// Balance, Mix Left Right, Move Horizontally and Pitch Tempo as commands of a wave document:
// the dialogs' own behaviour (presets, copied and stereo-only fields, block size checks),
// the range each works on, and the documents they refuse to touch.
#include <gtest/gtest.h>

#include <functional>

#include "document_test_support.h"
#include "documents/effect_assignments.h"
#include "documents/effect_command.h"
#include "documents/workspace.h"
#include "platform/recording_message_sink.h"

namespace kalvora {
namespace {

using testing::Effect;
using testing::LeftSamples;
using testing::Mono;
using testing::Ramp;
using testing::RightSamples;
using testing::Stereo;

using Samples = std::vector<std::int16_t>;

std::size_t IndexOf(const TEffectDialogModel& dialog, std::string_view field) {
    const int index = dialog.Entry().FieldIndex(field);
    KALVORA_ASSERT(index >= 0);
    return static_cast<std::size_t>(index);
}

class ChannelTempoCommandsTest : public ::testing::Test {
  protected:
    void Make(std::unique_ptr<Sound> sound) {
        wave_ = std::make_unique<TUnitWave>(workspace_, std::move(sound));
        workspace_.Registry().Activate(*wave_);
    }

    // Runs the command with a dialog that the steps fill in before OK; false when the
    // command did not change the document. dialogShown tells whether a dialog opened.
    bool Run(std::string_view command,
             const std::function<void(TEffectDialogModel&)>& steps = nullptr) {
        dialogShown_ = false;
        return RunEffectCommand(*wave_, Effect(command), [&](TEffectDialogModel& dialog) {
            dialogShown_ = true;
            dialog.Show();
            if (steps) steps(dialog);
            return dialog.Ok();
        });
    }

    platform::RecordingMessageSink messages_;
    TWorkspace workspace_;
    std::unique_ptr<TUnitWave> wave_;
    bool dialogShown_ = false;
};

TEST_F(ChannelTempoCommandsTest, BalanceMakesTheWholeMonoWaveStereo) {
    Make(Mono({1000, 2000, -3000, 400}, 44100));
    wave_->SetSelection(1, 2);  // balance ignores the selection
    ASSERT_TRUE(Run("Balance", [](TEffectDialogModel& dialog) {
        dialog.SetChecked(IndexOf(dialog, "timeDifference"), false);
    }));
    EXPECT_EQ(wave_->GetMoSt(), 2);
    EXPECT_EQ(LeftSamples(wave_->TheSound()), (Samples{500, 1000, -1500, 200}));
    EXPECT_EQ(RightSamples(wave_->TheSound()), (Samples{500, 1000, -1500, 200}));
    EXPECT_EQ(wave_->WorkRange().begin, 1);
    EXPECT_EQ(wave_->WorkRange().end, 2);
    // Undo brings the mono wave back.
    workspace_.Undo().DoUndo();
    EXPECT_EQ(wave_->GetMoSt(), 1);
    EXPECT_EQ(LeftSamples(wave_->TheSound()), (Samples{1000, 2000, -3000, 400}));
}

TEST_F(ChannelTempoCommandsTest, BalanceLeavesStereoAndEmptyWavesAlone) {
    for (const bool stereo : {true, false}) {
        Make(stereo ? Stereo({1, 2}, {3, 4}) : Mono({}, 44100));
        EXPECT_FALSE(Run("Balance"));
        EXPECT_FALSE(dialogShown_);
        EXPECT_FALSE(workspace_.Undo().HasUndo());
    }
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(ChannelTempoCommandsTest, MixPresetFillsTheFactorsAndAnEditClearsIt) {
    Make(Stereo({100, 200}, {300, -200}));
    TEffectDialogModel dialog = MakeEffectDialog(*wave_, Effect("MixLeftRight"));
    dialog.Show();
    const std::size_t example = IndexOf(dialog, "example");
    EXPECT_EQ(dialog.Control(example).choice, -1);
    dialog.SetChoice(example, 5);  // "Mono"
    for (const char* factor : {"leftToLeft", "leftToRight", "rightToLeft", "rightToRight"})
        EXPECT_EQ(dialog.Control(IndexOf(dialog, factor)).text, "0.5");
    EXPECT_EQ(dialog.Control(example).choice, 5);
    dialog.SetText(IndexOf(dialog, "leftToRight"), "0.25");
    EXPECT_EQ(dialog.Control(example).choice, -1);
}

TEST_F(ChannelTempoCommandsTest, MonoPresetAveragesTheChannels) {
    Make(Stereo({100, 200, 300}, {300, -200, 50}));
    ASSERT_TRUE(Run("MixLeftRight", [](TEffectDialogModel& dialog) {
        dialog.SetChoice(IndexOf(dialog, "example"), 5);
    }));
    EXPECT_EQ(LeftSamples(wave_->TheSound()), (Samples{200, 0, 175}));
    EXPECT_EQ(RightSamples(wave_->TheSound()), (Samples{200, 0, 175}));
}

TEST_F(ChannelTempoCommandsTest, MixLeftRightLeavesMonoWavesAlone) {
    Make(Mono({1, 2}, 44100));
    EXPECT_FALSE(Run("MixLeftRight"));
    EXPECT_FALSE(dialogShown_);
}

TEST_F(ChannelTempoCommandsTest, CommandLineRefusesAPresetTogetherWithAFactor) {
    Make(Stereo({100, 200}, {300, -200}));
    TEffectDialogModel dialog = MakeEffectDialog(*wave_, Effect("MixLeftRight"));
    dialog.Show();
    const auto problem = ApplyFieldTexts(
        dialog, {{"example", "Mono at Left, Surround at Right"}, {"rightToRight", "1"}});
    ASSERT_TRUE(problem.has_value());
    EXPECT_NE(problem->find("cannot be given together"), std::string::npos);

    TEffectDialogModel alone = MakeEffectDialog(*wave_, Effect("MixLeftRight"));
    alone.Show();
    EXPECT_FALSE(ApplyFieldTexts(alone, {{"example", "MonoatLeft,SurroundatRight"}}));
    EXPECT_EQ(alone.Control(IndexOf(alone, "leftToRight")).text, "-0.8");
}

TEST_F(ChannelTempoCommandsTest, MoveOnMonoUsesTheMiddleTimeOnly) {
    Make(Mono(Ramp(40, 1), 64));
    wave_->SetSelection(10, 20);
    ASSERT_TRUE(Run("MoveH", [](TEffectDialogModel& dialog) {
        EXPECT_FALSE(dialog.IsEnabled(IndexOf(dialog, "timeLeft")));
        EXPECT_EQ(dialog.Control(IndexOf(dialog, "timeRight")).text, "");
        dialog.SetText(IndexOf(dialog, "timeMiddle"), "0.15625 s");  // 10 samples
    }));
    EXPECT_EQ(wave_->GetValues(), 40);
    EXPECT_EQ(LeftSamples(wave_->TheSound())[10], 0);
    EXPECT_EQ(LeftSamples(wave_->TheSound())[20], 21 + 11);
    EXPECT_EQ(wave_->WorkRange().begin, 20);
    EXPECT_EQ(wave_->WorkRange().end, 30);
}

TEST_F(ChannelTempoCommandsTest, LeavingTheMiddleTimeCopiesItIntoBothChannels) {
    Make(Stereo(Ramp(40, 1), Ramp(40, 1), 64));
    wave_->SetSelection(10, 20);
    ASSERT_TRUE(Run("MoveH", [](TEffectDialogModel& dialog) {
        const std::size_t middle = IndexOf(dialog, "timeMiddle");
        dialog.SetText(middle, "-0.25 s");
        EXPECT_TRUE(dialog.LeaveField(middle));
        EXPECT_FALSE(dialog.LeaveField(middle));  // nothing changed since
        EXPECT_EQ(dialog.Control(IndexOf(dialog, "timeLeft")).text, "-0.25 s");
        dialog.SetText(IndexOf(dialog, "timeRight"), "0.0625 s");  // 4 samples
    }));
    // Left moves back 16 samples (6 past the start) to 0 .. 10, right forward 4 to 20 .. 30:
    // the moved ranges do not overlap, so a cursor is left.
    EXPECT_EQ(wave_->GetValues(), 46);
    EXPECT_EQ(wave_->InsertRange().begin, 20);
    EXPECT_EQ(wave_->InsertRange().end, 20);
}

TEST_F(ChannelTempoCommandsTest, TempoPitchRefusesBlocksBelowOneOrTwoSamples) {
    struct Case {
        const char* blockSize;
        int quality;
        const char* message;  // null: accepted
    };
    const Case cases[] = {
        {"0.5 ms", 0, "In Block Size: Block Size may not be shorter than one sample."},
        {"1 ms", 0, nullptr},
        {"1 ms", 1,
         "In Block Size: Block Size may not be shorter than two samples in high quality."},
        {"2 ms", 1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.blockSize);
        Make(Mono(Ramp(3000), 1000));
        messages_.Clear();
        const bool ran = Run("TempoPitch", [&](TEffectDialogModel& dialog) {
            dialog.SetText(IndexOf(dialog, "blockSize"), c.blockSize);
            dialog.SetChoice(IndexOf(dialog, "quality"), c.quality);
        });
        EXPECT_EQ(ran, c.message == nullptr);
        if (c.message != nullptr) {
            ASSERT_EQ(messages_.Messages().size(), 1u);
            EXPECT_EQ(messages_.Messages()[0].text, c.message);
            EXPECT_EQ(messages_.Messages()[0].caption, "Input Error");
        }
    }
}

TEST_F(ChannelTempoCommandsTest, TempoPitchLengthKindsSetTheNewSelection) {
    struct Case {
        int kind;
        const char* field;
        const char* text;
        std::int32_t length;
    };
    // A selection of 100 samples at 1000 Hz (0.1 s), speed 0.5.
    const Case cases[] = {
        {0, "lengthFactor", "2", 200},
        {1, "newLength", "0.2 s", 200},
        {3, "count", "0.3", 60},  // count / |speed|
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        Make(Mono(Ramp(300), 1000));
        wave_->SetSelection(100, 200);
        ASSERT_TRUE(Run("TempoPitch", [&](TEffectDialogModel& dialog) {
            dialog.SetText(IndexOf(dialog, "speedFactor"), "0.5");
            dialog.SetText(IndexOf(dialog, c.field), c.text);
        }));
        EXPECT_EQ(wave_->GetValues(), 200 + c.length);
        EXPECT_EQ(wave_->WorkRange().begin, 100);
        EXPECT_EQ(wave_->WorkRange().end, 100 + c.length);
    }
}

}  // namespace
}  // namespace kalvora
