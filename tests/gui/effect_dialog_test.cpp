// The Qt effect dialog over the core dialog model, and the generators run from the frame.
#include "gui/effect_dialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "documents/effect_command.h"
#include "documents/effect_test_support.h"
#include "documents/wave_creation.h"
#include "documents/workspace.h"
#include "gui/effect_dialog_driver.h"
#include "gui/main_form.h"
#include "gui/mdi_child_wave.h"
#include "platform/recording_message_sink.h"

namespace kalvora::gui {
namespace {

std::vector<std::int16_t> Left(const TUnitWave& wave) {
    const Wave& left = wave.TheSound().GetLeftWave();
    return std::vector<std::int16_t>(left.wave, left.wave + left.values);
}

class EffectDialogGuiTest : public ::testing::Test {
  protected:
    platform::RecordingMessageSink messages_;
    TWorkspace workspace_;
};

TEST_F(EffectDialogGuiTest, LaysOutTheFieldsAndBindsThemToTheModel) {
    TUnitWave envelope(workspace_, MakeEmptySound({44100, 1, 2}));
    envelope.SetName("Env");
    workspace_.Registry().Activate(envelope);
    TUnitWave active(workspace_, MakeEmptySound({44100, 2, 2}));
    workspace_.Registry().Activate(active);

    TEffectDialogModel model(TEffectRecord(testing::SampleEffect()), TEffectContext{},
                             workspace_.Registry());
    TEffectDialog dialog(model);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Sample Effect");
    auto* factor = qobject_cast<QLineEdit*>(dialog.ControlOf("factor"));
    ASSERT_NE(factor, nullptr);
    EXPECT_EQ(factor->text(), "0.5");
    EXPECT_EQ(qobject_cast<QLineEdit*>(dialog.ControlOf("newLength"))->text(), "2 s");
    QStringList labels;
    for (auto* label : dialog.findChildren<QLabel*>())
        labels << label->text();
    // Fields named like their alternative stand beside its radio button without a label.
    EXPECT_TRUE(labels.contains("Factor"));
    EXPECT_TRUE(labels.contains("Middle"));
    EXPECT_FALSE(labels.contains("Count"));
    EXPECT_EQ(dialog.RadioOf("lengthKind", 2)->objectName(), "lengthKind.Count");
    EXPECT_EQ(qobject_cast<QGroupBox*>(dialog.ControlOf("middleKind"))->title(), "Middle");
    EXPECT_TRUE(dialog.RadioOf("lengthKind", 0)->isChecked());

    // Typing into a field of an alternative checks its radio buttons, nested ones too.
    Type(dialog.ControlOf("middle"), "0.25");
    EXPECT_TRUE(dialog.RadioOf("lengthKind", 2)->isChecked());
    EXPECT_TRUE(dialog.RadioOf("middleKind", 0)->isChecked());
    EXPECT_EQ(model.Control(static_cast<std::size_t>(model.Entry().FieldIndex("middle"))).text,
              "0.25");

    // The lists hold the open documents with names (but not the active one).
    auto* list = qobject_cast<QComboBox*>(dialog.ControlOf("envelope"));
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->itemText(0), "Env");
    EXPECT_EQ(list->currentIndex(), -1);
    list->setCurrentIndex(0);
    emit list->activated(0);
    EXPECT_TRUE(qobject_cast<QCheckBox*>(dialog.ControlOf("envelopeOn"))->isChecked());

    // The empty envelope is refused and the dialog stays open.
    PressOk(dialog);
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text, "In Envelope: The Wave \"Env\" is empty.");
    qobject_cast<QCheckBox*>(dialog.ControlOf("envelopeOn"))->click();
    PressOk(dialog);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(model.Record().Choice("lengthKind"), 2);
}

TEST_F(EffectDialogGuiTest, TheFrameRunsMakeLineThroughItsDialog) {
    TMainForm frame;
    frame.show();
    TMDIChildWave* window = frame.AddWaveWindow(NewWave(frame.Workspace(), {1000, 1, 2}));
    ASSERT_NE(window, nullptr);
    TUnitWave& wave = window->Wave();
    QApplication::processEvents();
    frame.UpdateCommands();
    ASSERT_TRUE(frame.Action(CommandId::MakeLine)->isEnabled());

    bool refusedStayedOpen = false;
    WhenDialogShows([&](TEffectDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Make Line");
        EXPECT_EQ(qobject_cast<QLineEdit*>(dialog.ControlOf("beginValue"))->text(), "0.5");
        dialog.RadioOf("kind", 1)->click();
        PressOk(dialog);  // 0.5 down to -0.5 cannot be exponential
        refusedStayedOpen = dialog.isVisible();
        Type(dialog.ControlOf("beginValue"), "100 $");
        Type(dialog.ControlOf("endValue"), "400 $");
        Type(dialog.ControlOf("length"), "2 ms");
        PressOk(dialog);
    });
    ASSERT_TRUE(frame.RunCommand(CommandId::MakeLine));
    EXPECT_TRUE(refusedStayedOpen);
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text, "Exponential Line may not contain value 0.");
    EXPECT_EQ(messages_.Messages()[0].caption, "Input Error");
    // n = 3, r = 4^(1/3): 100, 158, 251, and the new material is selected.
    EXPECT_EQ(Left(wave), (std::vector<std::int16_t>{100, 158, 251}));
    EXPECT_EQ(wave.SelMin(), 0);
    EXPECT_EQ(wave.SelMax(), 3);
    EXPECT_TRUE(wave.SoundChanged());

    // Cancel changes nothing; the next dialog shows the values last used.
    WhenDialogShows([&](TEffectDialog& dialog) {
        EXPECT_EQ(qobject_cast<QLineEdit*>(dialog.ControlOf("beginValue"))->text(), "100 $");
        EXPECT_TRUE(dialog.RadioOf("kind", 1)->isChecked());
        Type(dialog.ControlOf("length"), "1 s");
        dialog.reject();
    });
    ASSERT_TRUE(frame.RunCommand(CommandId::MakeLine));
    EXPECT_EQ(wave.GetValues(), 3);
    EXPECT_EQ(frame.Workspace()
                  .Records()
                  .effects.Of(*FindEffect("MakeLine"))
                  .Value<unitTime>("length")
                  .GetValue(),
              0.002);
}

}  // namespace
}  // namespace kalvora::gui
