// The "Multi Frequency" dialog: its list of partials edited through the record browser.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "documents/effect_command.h"
#include "documents/wave_creation.h"
#include "documents/workspace.h"
#include "gui/effect_dialog.h"
#include "gui/effect_dialog_driver.h"
#include "gui/list_field_box.h"
#include "gui/main_form.h"
#include "gui/mdi_child_wave.h"
#include "platform/recording_message_sink.h"

namespace kalvora::gui {
namespace {

class MultiFreqDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        frame_.show();
        TMDIChildWave* window = frame_.AddWaveWindow(NewWave(frame_.Workspace(), {1000, 1, 2}));
        ASSERT_NE(window, nullptr);
        wave_ = &window->Wave();
        QApplication::processEvents();
        frame_.UpdateCommands();
    }

    platform::RecordingMessageSink messages_;
    TMainForm frame_;
    TUnitWave* wave_ = nullptr;
};

TEST_F(MultiFreqDialogTest, BuildsAThreePartialSoundThroughTheBrowser) {
    bool ran = false;
    WhenDialogShows([&](TEffectDialog& dialog) {
        ran = true;
        EXPECT_EQ(dialog.windowTitle(), "Multi Frequency");
        auto* box = qobject_cast<TListFieldBox*>(dialog.ControlOf("frequencies"));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->title(), "Frequency");
        auto edit = [box](std::size_t field) { return box->EditOf(field); };
        auto press = [box](TBrowseButton button) { box->ButtonOf(button)->click(); };
        auto shown = [&dialog](const char* name) {
            return dialog.findChild<QLineEdit*>(name)->text();
        };
        // The first partial at the defaults, with its "Default" check boxes beside it.
        EXPECT_EQ(edit(0)->text(), "0.5");
        EXPECT_EQ(edit(1)->text(), "1000 Hz");
        EXPECT_EQ(edit(4)->text(), "1 s");
        EXPECT_EQ(box->DefaultBoxes().size(), 5u);
        EXPECT_TRUE(qobject_cast<QCheckBox*>(dialog.ControlOf("defaultVolume"))->isChecked());
        EXPECT_FALSE(qobject_cast<QCheckBox*>(dialog.ControlOf("defaultFrequency"))->isChecked());
        EXPECT_EQ(shown("frequencies.count"), "1");
        EXPECT_EQ(shown("frequencies.number"), "1");
        EXPECT_FALSE(box->ButtonOf(TBrowseButton::remove)->isEnabled());
        EXPECT_FALSE(box->ButtonOf(TBrowseButton::paste)->isEnabled());

        Type(qobject_cast<QLineEdit*>(dialog.ControlOf("length")), "10 ms");
        Type(edit(0), "0.25");
        Type(edit(1), "100 Hz");
        Type(edit(3), "1");
        press(TBrowseButton::append);
        EXPECT_EQ(shown("frequencies.count"), "2");
        EXPECT_EQ(shown("frequencies.number"), "2");
        // A new partial: the default volume, the frequency of the partial before.
        EXPECT_EQ(edit(0)->text(), "0.5");
        EXPECT_EQ(edit(1)->text(), "100 Hz");
        EXPECT_TRUE(box->ButtonOf(TBrowseButton::remove)->isEnabled());
        Type(edit(0), "0.125");
        Type(edit(1), "200 Hz");
        Type(edit(3), "1");
        press(TBrowseButton::copy);
        EXPECT_TRUE(box->ButtonOf(TBrowseButton::paste)->isEnabled());
        press(TBrowseButton::append);
        // The third starts as a copy of the second, then changes its volume and angle.
        press(TBrowseButton::paste);
        EXPECT_EQ(edit(1)->text(), "200 Hz");
        Type(edit(0), "0.0625");
        Type(edit(2), "0.5");
        EXPECT_EQ(shown("frequencies.count"), "3");

        // Moving stores what was typed and shows the other partial.
        press(TBrowseButton::first);
        EXPECT_EQ(edit(0)->text(), "0.25");
        EXPECT_FALSE(box->ButtonOf(TBrowseButton::previous)->isEnabled());
        press(TBrowseButton::next);
        EXPECT_EQ(edit(0)->text(), "0.125");
        press(TBrowseButton::last);
        EXPECT_EQ(edit(0)->text(), "0.0625");
        EXPECT_EQ(edit(2)->text(), "0.5");
        EXPECT_TRUE(messages_.Messages().empty());
        // KALVORA_SCREENSHOT_DIR keeps a picture of the filled dialog for a look.
        const QByteArray folder = qgetenv("KALVORA_SCREENSHOT_DIR");
        if (!folder.isEmpty())
            dialog.grab().save(QString::fromLocal8Bit(folder) + "/multi-frequency.png");
        PressOk(dialog);
    });
    ASSERT_TRUE(frame_.RunCommand(CommandId::MakeMFreq));
    ASSERT_TRUE(ran);

    const std::vector<FreqPartial> partials = {
        {0.25, 0.01, 0, 1, 1}, {0.125, 0.005, 0, 1, 1}, {0.0625, 0.005, 0.5, 1, 1}};
    ErrorFlag error = 0;
    std::int32_t begin = 0;
    std::int32_t end = 0;
    auto expected = MonoSound(1000, 2).MultiFreq(&error, 0.01, partials, begin, end);
    ASSERT_TRUE(expected);
    const Wave& made = wave_->TheSound().GetLeftWave();
    ASSERT_EQ(made.values, 10);
    const Wave& want = expected->GetLeftWave();
    EXPECT_TRUE(std::equal(made.wave, made.wave + 10, want.wave));
    EXPECT_EQ(wave_->SelMax(), 10);

    // The next dialog shows the list last used, at the partial last edited.
    WhenDialogShows([&](TEffectDialog& dialog) {
        auto* box = qobject_cast<TListFieldBox*>(dialog.ControlOf("frequencies"));
        EXPECT_EQ(dialog.findChild<QLineEdit*>("frequencies.count")->text(), "3");
        EXPECT_EQ(box->EditOf(0)->text(), "0.0625");
        dialog.reject();
    });
    ASSERT_TRUE(frame_.RunCommand(CommandId::MakeMFreq));
}

TEST_F(MultiFreqDialogTest, AWrongPartialKeepsTheDialogOpenOnIt) {
    bool stayedOpen = false;
    WhenDialogShows([&](TEffectDialog& dialog) {
        auto* box = qobject_cast<TListFieldBox*>(dialog.ControlOf("frequencies"));
        box->ButtonOf(TBrowseButton::append)->click();
        Type(box->EditOf(3), "none");
        box->ButtonOf(TBrowseButton::first)->click();
        EXPECT_EQ(dialog.findChild<QLineEdit*>("frequencies.number")->text(), "2");
        PressOk(dialog);
        stayedOpen = dialog.isVisible();
        EXPECT_EQ(box->EditOf(3)->text(), "none");
        dialog.reject();
    });
    EXPECT_TRUE(frame_.RunCommand(CommandId::MakeMFreq));
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(messages_.Messages().size(), 2u);
    EXPECT_EQ(messages_.Messages()[0].text, "In Volume Factor: Input has no value.");
    EXPECT_EQ(wave_->GetValues(), 0);
}

}  // namespace
}  // namespace kalvora::gui
