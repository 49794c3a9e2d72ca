// The effect dialog's own behaviour for Mix Left Right and Move Wave Horizontally: the preset
// list that fills the factors and empties when one is edited, the middle time copied into
// both channels on leaving it, and the channel times disabled for a mono wave.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "documents/effect_command.h"
#include "documents/workspace.h"
#include "gui/effect_dialog.h"
#include "platform/recording_message_sink.h"
#include "sound/sound.h"

namespace kalvora::gui {
namespace {

std::unique_ptr<Sound> Sound16(int channels, std::int32_t n) {
    ErrorFlag error = 0;
    auto empty = MakeEmptySound({44100, static_cast<std::int16_t>(channels), 2});
    return empty->MakeSilence(&error, n);
}

QString TextOf(TEffectDialog& dialog, std::string_view field) {
    return qobject_cast<QLineEdit*>(dialog.ControlOf(field))->text();
}

class ChannelDialogsTest : public ::testing::Test {
  protected:
    platform::RecordingMessageSink messages_;
    TWorkspace workspace_;
};

TEST_F(ChannelDialogsTest, MixPresetFillsTheFactorsUntilOneIsEdited) {
    TUnitWave wave(workspace_, Sound16(2, 10));
    workspace_.Registry().Activate(wave);
    TEffectDialogModel model = MakeEffectDialog(wave, *FindEffect("MixLeftRight"));
    TEffectDialog dialog(model);
    dialog.show();
    auto* example = qobject_cast<QComboBox*>(dialog.ControlOf("example"));
    ASSERT_NE(example, nullptr);
    EXPECT_EQ(example->currentIndex(), -1);
    EXPECT_EQ(example->count(), 8);
    example->setCurrentIndex(2);
    emit example->activated(2);  // "Extra Stereo", as a user picks it
    EXPECT_EQ(TextOf(dialog, "leftToLeft"), "0.75");
    EXPECT_EQ(TextOf(dialog, "rightToLeft"), "-0.25");
    EXPECT_EQ(example->currentIndex(), 2);
    auto* factor = qobject_cast<QLineEdit*>(dialog.ControlOf("rightToRight"));
    factor->setFocus();
    QTest::keyClicks(factor, "5");
    EXPECT_EQ(example->currentIndex(), -1);
}

TEST_F(ChannelDialogsTest, LeavingTheMiddleTimeCopiesItForStereo) {
    TUnitWave wave(workspace_, Sound16(2, 10));
    workspace_.Registry().Activate(wave);
    TEffectDialogModel model = MakeEffectDialog(wave, *FindEffect("MoveH"));
    TEffectDialog dialog(model);
    dialog.show();
    auto* middle = qobject_cast<QLineEdit*>(dialog.ControlOf("timeMiddle"));
    middle->selectAll();
    QTest::keyClicks(middle, "25 ms");
    EXPECT_EQ(TextOf(dialog, "timeLeft"), "0 s");
    emit middle->editingFinished();  // as the focus leaves it
    EXPECT_EQ(TextOf(dialog, "timeLeft"), "25 ms");
    EXPECT_EQ(TextOf(dialog, "timeRight"), "25 ms");
}

TEST_F(ChannelDialogsTest, MonoEmptiesAndDisablesTheChannelTimes) {
    TUnitWave wave(workspace_, Sound16(1, 10));
    workspace_.Registry().Activate(wave);
    TEffectDialogModel model = MakeEffectDialog(wave, *FindEffect("MoveH"));
    TEffectDialog dialog(model);
    dialog.show();
    for (const char* field : {"timeLeft", "timeRight"}) {
        EXPECT_FALSE(dialog.ControlOf(field)->isEnabled()) << field;
        EXPECT_EQ(TextOf(dialog, field), "") << field;
    }
    EXPECT_TRUE(dialog.ControlOf("timeMiddle")->isEnabled());
}

}  // namespace
}  // namespace kalvora::gui
