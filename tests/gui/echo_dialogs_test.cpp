// The Random Echo dialog: its manipulations on pages of their own, each with its "Source"
// list of dice, and the fields outside the pages above and below them.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

#include "documents/effect_command.h"
#include "documents/workspace.h"
#include "gui/effect_dialog.h"
#include "platform/recording_message_sink.h"
#include "sound/sound.h"

namespace kalvora::gui {
namespace {

class EchoDialogsTest : public ::testing::Test {
  protected:
    platform::RecordingMessageSink messages_;
    TWorkspace workspace_;
};

TEST_F(EchoDialogsTest, RandomEchoShowsOnePagePerManipulation) {
    ErrorFlag error = 0;
    TUnitWave wave(workspace_, MakeEmptySound({8000, 1, 2})->MakeSilence(&error, 100));
    workspace_.Registry().Activate(wave);
    TEffectDialogModel model = MakeEffectDialog(wave, *FindEffect("RndEcho"));
    TEffectDialog dialog(model);
    dialog.show();
    auto* pages = dialog.findChild<QTabWidget*>("pages");
    ASSERT_NE(pages, nullptr);
    QStringList names;
    for (int i = 0; i < pages->count(); ++i)
        names << pages->tabText(i);
    EXPECT_EQ(names, (QStringList{"Time", "Volume", "Length", "Balance", "Pitch", "Tempo"}));
    // The fields outside the pages stand outside them.
    for (const char* field : {"count", "cyclable", "randomSeed", "quality", "blockSize"})
        EXPECT_FALSE(pages->isAncestorOf(dialog.ControlOf(field))) << field;
    EXPECT_TRUE(pages->widget(3)->isAncestorOf(dialog.ControlOf("balanceSource")));

    // A die chosen from its list is the record's.
    auto* source = qobject_cast<QComboBox*>(dialog.ControlOf("pitchSource"));
    ASSERT_NE(source, nullptr);
    ASSERT_EQ(source->count(), 6);
    EXPECT_EQ(source->itemText(0), "Die 1");
    EXPECT_EQ(source->currentIndex(), 4);
    source->setCurrentIndex(1);
    emit source->activated(1);
    ASSERT_TRUE(model.Ok());
    EXPECT_EQ(model.Record().Choice("pitchSource"), 1);
}

}  // namespace
}  // namespace kalvora::gui
