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
#include "gui/effect_commands.h"
#include "gui/effect_dialog.h"
#include "gui/main_form.h"
#include "platform/recording_message_sink.h"
#include "shell/frame_document.h"

namespace kalvora::gui {
namespace {

void WhenDialogShows(std::function<void(TEffectDialog&)> step) {
    QTimer::singleShot(0, [step] {
        auto* dialog = qobject_cast<TEffectDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            WhenDialogShows(step);
            return;
        }
        step(*dialog);
    });
}

void Type(QWidget* edit, const QString& text) {
    auto* line = qobject_cast<QLineEdit*>(edit);
    ASSERT_NE(line, nullptr);
    line->selectAll();
    QTest::keyClicks(line, text);
}

void PressOk(TEffectDialog& dialog) {
    for (auto* button : dialog.findChildren<QPushButton*>()) {
        if (button->text().remove('&') == "OK") {
            button->click();
            return;
        }
    }
    ADD_FAILURE() << "no OK button";
}

// The frame's view of a real wave document: its samples and selection, and the undo record
// of its workspace, so that the frame enables Volume and Undo as it would in the program.
class WaveFrameDocument final : public FrameDocument {
  public:
    explicit WaveFrameDocument(TUnitWave& wave) : wave_(wave) {}

    WindowKind Kind() const override { return WindowKind::wave; }
    std::string Name() const override { return wave_.Name(); }
    std::string FileName() const override { return {}; }
    void Describe(FrameSnapshot& snapshot) const override {
        snapshot.wave.sampleCount = wave_.GetValues();
        snapshot.wave.rate = wave_.GetFreq();
        snapshot.wave.channels = wave_.GetMoSt();
        snapshot.wave.selectionFirst = wave_.FirstEnd();
        snapshot.wave.selectionSecond = wave_.SecondEnd();
        snapshot.undoRecord = wave_.Workspace().Undo().HasUndo();
    }
    bool Rename(const std::string&) override { return false; }
    bool NeedsSave() const override { return false; }
    bool Save() override { return true; }
    bool SaveAs(const std::string&) override { return true; }

  private:
    TUnitWave& wave_;
};

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
    TUnitWave wave(workspace_, MonoSound({20000, 100, -3, 7}));
    wave.SetSelection(0, 3);
    workspace_.Registry().Activate(wave);
    TMainForm frame;
    frame.show();
    frame.AddDocumentWindow(std::make_unique<WaveFrameDocument>(wave));
    RegisterEffectCommands(frame, [&wave] { return &wave; });
    frame.SetHandler(CommandId::Undo, [this] { workspace_.Undo().DoUndo(); });
    QApplication::processEvents();

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
