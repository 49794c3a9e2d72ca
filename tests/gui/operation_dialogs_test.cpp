// The dialogs of the simple operations and filters, and Volume run from the frame through its
// dialog and undone.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "documents/effect_command.h"
#include "documents/workspace.h"
#include "gui/effect_dialog.h"
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

std::unique_ptr<Sound> MonoSound(const std::vector<std::int16_t>& samples) {
    ErrorFlag error = 0;
    Wave wave(&error, static_cast<std::int32_t>(samples.size()));
    std::copy(samples.begin(), samples.end(), wave.wave);
    return std::make_unique<kalvora::MonoSound>(std::move(wave), 1000, 2);
}

class OperationDialogsTest : public ::testing::Test {
  protected:
    platform::RecordingMessageSink messages_;
    TWorkspace workspace_;
};

TEST_F(OperationDialogsTest, VolumeRunsThroughItsDialogAndIsUndone) {
    TMainForm frame;
    frame.show();
    auto document = std::make_unique<TUnitWave>(frame.Workspace(), MonoSound({20000, 100, -3, 7}));
    TMDIChildWave* window = frame.AddWaveWindow(std::move(document));
    ASSERT_NE(window, nullptr);
    TUnitWave& wave = window->Wave();
    wave.SetSelection(0, 3);
    QApplication::processEvents();
    frame.UpdateCommands();
    ASSERT_TRUE(frame.Action(CommandId::Volume)->isEnabled());
    EXPECT_FALSE(frame.Action(CommandId::Undo)->isEnabled());

    bool refusedStayedOpen = false;
    WhenDialogShows([&](TEffectDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Change Volume");
        EXPECT_EQ(qobject_cast<QGroupBox*>(dialog.ControlOf("kind"))->title(), "Volume Factor");
        EXPECT_EQ(dialog.RadioOf("kind", 0)->text(), "Constant");
        EXPECT_EQ(dialog.RadioOf("kind", 1)->text(), "Envelope");
        EXPECT_TRUE(dialog.RadioOf("kind", 0)->isChecked());
        auto* factor = qobject_cast<QLineEdit*>(dialog.ControlOf("factor"));
        ASSERT_NE(factor, nullptr);
        EXPECT_EQ(factor->text(), "0.5");
        // An envelope must be chosen: refused, and the dialog stays open.
        dialog.RadioOf("kind", 1)->click();
        PressOk(dialog);
        refusedStayedOpen = dialog.isVisible();
        Type(factor, "2");
        EXPECT_TRUE(dialog.RadioOf("kind", 0)->isChecked());
        PressOk(dialog);
    });
    ASSERT_TRUE(frame.RunCommand(CommandId::Volume));
    EXPECT_TRUE(refusedStayedOpen);
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text, "In Envelope: You have to select a Wave");
    // 2·20000 wraps to -25536; the sample after the selection stays.
    EXPECT_EQ(Left(wave), (std::vector<std::int16_t>{-25536, 200, -6, 7}));
    EXPECT_EQ(wave.SelStart(), 0);
    EXPECT_EQ(wave.SelEnd(), 3);
    EXPECT_TRUE(wave.SoundChanged());

    frame.UpdateCommands();
    ASSERT_TRUE(frame.Action(CommandId::Undo)->isEnabled());
    ASSERT_TRUE(frame.RunCommand(CommandId::Undo));
    EXPECT_EQ(Left(wave), (std::vector<std::int16_t>{20000, 100, -3, 7}));

    // The next dialog opens on the factor last used.
    WhenDialogShows([&](TEffectDialog& dialog) {
        EXPECT_EQ(qobject_cast<QLineEdit*>(dialog.ControlOf("factor"))->text(), "2");
        dialog.reject();
    });
    ASSERT_TRUE(frame.RunCommand(CommandId::Volume));
    EXPECT_EQ(Left(wave), (std::vector<std::int16_t>{20000, 100, -3, 7}));
}

TEST_F(OperationDialogsTest, EveryOperationDialogShowsItsFieldsWithTheirDefaults) {
    TUnitWave envelope(workspace_, MonoSound({0, 1}));
    envelope.SetName("Env");
    workspace_.Registry().Activate(envelope);
    TUnitWave wave(workspace_, MonoSound(std::vector<std::int16_t>(2000, 5)));
    workspace_.Registry().Activate(wave);
    for (const char* command :
         {"Volume", "MoveV", "Block", "RollOut", "Rotate", "RollIn", "Length", "Distort",
          "FilterBlock", "FilterLow", "FilterHigh", "FilterRes", "FilterNotch"}) {
        SCOPED_TRACE(command);
        const TEffectEntry* entry = FindEffect(command);
        ASSERT_NE(entry, nullptr);
        TEffectDialogModel model = MakeEffectDialog(wave, *entry);
        TEffectDialog dialog(model);
        dialog.show();
        EXPECT_EQ(dialog.windowTitle().toStdString(), entry->caption);
        for (std::size_t i = 0; i < model.FieldCount(); ++i) {
            const TFieldSpec& spec = model.Field(i);
            QWidget* control = dialog.ControlOf(spec.name);
            ASSERT_NE(control, nullptr) << spec.name;
            if (auto* edit = qobject_cast<QLineEdit*>(control)) {
                EXPECT_EQ(edit->text().toStdString(), model.Control(i).text) << spec.name;
            }
            if (auto* list = qobject_cast<QComboBox*>(control)) {
                EXPECT_GE(list->findText("Env"), 0) << spec.name;
            }
        }
        dialog.reject();
    }
    EXPECT_TRUE(messages_.Messages().empty());
}

}  // namespace
}  // namespace kalvora::gui
