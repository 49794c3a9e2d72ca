// The help window's pages and links, and the help of the dialogs: the Help button and F1 open
// the dialog's own page.
#include "gui/help_window.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>

#include "documents/effect_dialog.h"
#include "documents/workspace.h"
#include "gui/color_palette_dialog.h"
#include "gui/dialog_help.h"
#include "gui/effect_dialog.h"
#include "gui/export_options_dialog.h"
#include "gui/file_dialogs.h"
#include "gui/main_form.h"
#include "gui/mdi_child_wave.h"
#include "gui/merge_dialog.h"
#include "gui/mix_dialog.h"
#include "gui/register_dialog.h"
#include "gui/select_zoom_dialog.h"
#include "gui/split_hor_dialog.h"
#include "gui/wave_file_prop_dialog.h"
#include "shell/help_topics.h"

namespace kalvora::gui {
namespace {

class HelpWindowTest : public ::testing::Test {
  protected:
    HelpWindowTest() {
        frame_.show();
        QApplication::processEvents();
    }
    TMainForm frame_;
};

QAbstractButton* HelpButton(QWidget& dialog) {
    auto* box = dialog.findChild<QDialogButtonBox*>();
    return box != nullptr ? box->button(QDialogButtonBox::Help) : nullptr;
}

TEST_F(HelpWindowTest, EveryPageOfTheResourcesIsInTheManual) {
    const THelpManual& manual = HelpManual();
    for (const THelpTopic& topic : HelpTopics())
        EXPECT_NE(manual.Find(topic.page), nullptr) << topic.page;
    EXPECT_NE(manual.Find("commands.html"), nullptr);
    EXPECT_NE(manual.Find("shortcuts.html"), nullptr);
}

TEST_F(HelpWindowTest, LinksAndBackMoveThroughThePages) {
    THelpWindow& help = frame_.HelpWindow();
    help.ShowContents();
    emit help.Browser()->anchorClicked(QUrl("units.html#notes"));
    EXPECT_EQ(help.CurrentPage(), "units.html#notes");
    EXPECT_TRUE(help.Browser()->toPlainText().contains("A4 is 440 Hz"));
    emit help.Browser()->anchorClicked(QUrl("#time"));
    EXPECT_EQ(help.CurrentPage(), "units.html#time");
    help.Back();
    help.Back();
    EXPECT_EQ(help.CurrentPage(), "index.html");
    // A page the manual lacks shows the contents rather than nothing.
    help.ShowPage("no-such-page.html");
    EXPECT_EQ(help.CurrentPage(), "index.html");
    // The search finds a field by its name.
    help.SearchField()->setText("startPhase");
    EXPECT_TRUE(help.Browser()->toPlainText().contains("Make Sinus"));
    help.SearchField()->clear();
    EXPECT_EQ(help.CurrentPage(), "index.html");
}

TEST_F(HelpWindowTest, HelpButtonAndF1OpenTheDialogsPage) {
    TDlgMix dialog(&frame_, TMixPlace{});
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QApplication::processEvents();
    EXPECT_EQ(DialogHelpContext(dialog), helpContext::mix);
    QAbstractButton* help = HelpButton(dialog);
    ASSERT_NE(help, nullptr);
    help->click();
    EXPECT_TRUE(frame_.HelpWindow().isVisible());
    EXPECT_EQ(frame_.HelpWindow().CurrentPage(), "mix.html");

    frame_.HelpWindow().ShowContents();
    QApplication::setActiveWindow(&dialog);
    QTest::keyClick(&dialog, Qt::Key_F1);
    EXPECT_EQ(frame_.HelpWindow().CurrentPage(), "mix.html");
}

// The Help button of each of these dialogs opens the page of its own subject.
TEST_F(HelpWindowTest, EveryOtherDialogsHelpButtonOpensItsOwnPage) {
    const TMergeSource source{"a", waveFileProps{}, 100};
    struct Case {
        std::function<std::unique_ptr<QDialog>()> make;
        const char* page;
    };
    const Case cases[] = {
        {[&] { return std::make_unique<TDlgMix>(&frame_, TMixPlace{}); }, "mix.html"},
        {[&] { return std::make_unique<TDlgSplitHorProps>(&frame_, TSplitHorResult{}); },
         "split.html"},
        {[&] {
             return std::make_unique<TDlgMergeProps>(
                 &frame_, TMergeKind::horizontally, std::vector<TMergeSource>{source, source},
                 [](int, int) { return false; }, TMergeProps{});
         },
         "merge.html"},
        {[&] { return std::make_unique<TDlgWaveFileProp>(&frame_, waveFileProps{}); },
         "wave-properties.html"},
        {[&] { return std::make_unique<TDlgColorPalette1D>(&frame_, TColorPalette1DItem{}); },
         "color-palette.html"},
        {[&] {
             return std::make_unique<TDlgExportOptions>(&frame_, platform::EncodedFormat::flac,
                                                        ExportChoices{});
         },
         "export.html"},
    };
    for (const Case& c : cases) {
        std::unique_ptr<QDialog> dialog = c.make();
        dialog->show();
        QApplication::processEvents();
        frame_.HelpWindow().ShowContents();
        QAbstractButton* help = HelpButton(*dialog);
        ASSERT_NE(help, nullptr) << c.page;
        help->click();
        EXPECT_EQ(frame_.HelpWindow().CurrentPage(), c.page);
    }
}

TEST_F(HelpWindowTest, EffectDialogsFindTheirPageByTheirCommand) {
    TWorkspace workspace;
    for (const char* command : {"MakeLine", "FilterHigh", "TempoPitch"}) {
        const TEffectEntry* entry = FindEffect(command);
        ASSERT_NE(entry, nullptr);
        TEffectDialogModel model(TEffectRecord(*entry), TEffectContext{}, workspace.Registry());
        TEffectDialog dialog(model);
        EXPECT_EQ(DialogHelpContext(dialog), HelpContextOfEffect(command)) << command;
        ASSERT_NE(HelpButton(dialog), nullptr) << command;
    }
}

TEST_F(HelpWindowTest, TheSelectAndZoomToolWindowHasItsPage) {
    ASSERT_TRUE(frame_.RunCommand(CommandId::SelectWave));
    TDlgSelZoom* tool = frame_.SelectZoom();
    ASSERT_NE(tool, nullptr);
    auto* help = tool->findChild<QPushButton*>("btnHelp");
    ASSERT_NE(help, nullptr);
    help->click();
    EXPECT_EQ(frame_.HelpWindow().CurrentPage(), "select-and-zoom.html");
    frame_.HelpWindow().ShowContents();
    QApplication::setActiveWindow(tool);
    QTest::keyClick(tool, Qt::Key_F1);
    EXPECT_EQ(frame_.HelpWindow().CurrentPage(), "select-and-zoom.html");
}

TEST_F(HelpWindowTest, TheProjectFileDialogsHaveTheirPages) {
    QFileDialog dialog(&frame_);
    ConfigureFileDialog(dialog, FileDialogKind::exportProject);
    EXPECT_EQ(DialogHelpContext(dialog), helpContext::exportProject);
    QFileDialog wave(&frame_);
    ConfigureFileDialog(wave, FileDialogKind::openWave);
    EXPECT_EQ(DialogHelpContext(wave), 0);
}

// A modal dialog blocks every other window, so its help comes in a window of its own.
TEST_F(HelpWindowTest, AModalDialogGetsItsOwnHelpWindow) {
    TDlgRegister dialog(&frame_, "wave", [](const std::string&) { return true; });
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    QApplication::processEvents();
    QAbstractButton* help = HelpButton(dialog);
    ASSERT_NE(help, nullptr);
    help->click();
    auto* own = dialog.findChild<THelpWindow*>();
    ASSERT_NE(own, nullptr);
    EXPECT_TRUE(own->isVisible());
    EXPECT_EQ(own->CurrentPage(), "register.html");
    help->click();
    EXPECT_EQ(dialog.findChildren<THelpWindow*>().size(), 1);
}

}  // namespace
}  // namespace kalvora::gui
