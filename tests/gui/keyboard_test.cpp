#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QTest>

#include "gui/fake_document.h"
#include "gui/keyboard_filter.h"
#include "gui/main_form.h"
#include "gui/name_box.h"

namespace kalvora::gui {
namespace {

using C = CommandId;

class KeyboardTest : public ::testing::Test {
  protected:
    KeyboardTest() {
        frame_.show();
        frame_.activateWindow();
        QApplication::setActiveWindow(&frame_);
        for (C id : {C::FilePlay, C::MoveH, C::FileProperties, C::Balance}) {
            frame_.SetHandler(id, [this, id] { ran_.push_back(id); });
        }
        auto document = std::make_unique<FakeDocument>();
        document->name = "NONAME1";
        document->wave.sampleCount = 1000;
        document->wave.channels = 1;
        frame_.AddDocumentWindow(std::move(document));
        QApplication::processEvents();
        frame_.UpdateCommands();
        target_ = frame_.ActiveDocumentWindow();
        target_->setFocus();
    }

    TMainForm frame_;
    QWidget* target_ = nullptr;
    std::vector<C> ran_;
};

TEST_F(KeyboardTest, SingleKeysRunTheirCommandsInAWaveWindow) {
    QTest::keyClick(target_, Qt::Key_P);
    QTest::keyClick(target_, Qt::Key_H);                       // MoveH, not the music meaning of H
    QTest::keyClick(target_, Qt::Key_B);                       // keyB: Balance for a mono wave
    QTest::keyClick(target_, Qt::Key_P, Qt::ControlModifier);  // keyCtrlP: Properties
    QTest::keyClick(target_, Qt::Key_R);  // Reverse has no handler yet: nothing
    EXPECT_EQ(ran_, (std::vector<C>{C::FilePlay, C::MoveH, C::Balance, C::FileProperties}));
}

TEST_F(KeyboardTest, TypingInTheNameBoxTypesInsteadOfRunningCommands) {
    TNameBox* box = frame_.NameBox();
    QTest::mouseClick(box, Qt::LeftButton);
    ASSERT_TRUE(box->Typing());
    box->selectAll();
    QTest::keyClick(box, Qt::Key_P);
    QTest::keyClick(box, Qt::Key_H, Qt::ShiftModifier);
    EXPECT_TRUE(ran_.empty());
    EXPECT_EQ(box->text(), "ph");          // the test tool sends the plain letter
    QTest::keyClick(box, Qt::Key_Escape);  // gives the name back and ends typing
    EXPECT_FALSE(box->Typing());
    EXPECT_EQ(box->text(), "NONAME1");
    target_->setFocus();
    QTest::keyClick(target_, Qt::Key_P);
    EXPECT_EQ(ran_, (std::vector<C>{C::FilePlay}));
}

TEST_F(KeyboardTest, KeyEventsMapToTheStoredShortcutForm) {
    QKeyEvent shiftPeriod(QEvent::KeyPress, Qt::Key_Greater, Qt::ShiftModifier, ">");
    EXPECT_EQ(ShortcutOfKeyEvent(shiftPeriod), (Shortcut{keycode::period, true, false, false}));
    QKeyEvent trim(QEvent::KeyPress, Qt::Key_Delete, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(ShortcutOfKeyEvent(trim)->Stored(), keycode::del + 8192 + 16384);
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::AltModifier);
    EXPECT_EQ(ShortcutOfKeyEvent(f1)->Stored(), keycode::f1 + 32768);
    QKeyEvent unknown(QEvent::KeyPress, Qt::Key_Launch0, Qt::NoModifier);
    EXPECT_FALSE(ShortcutOfKeyEvent(unknown));
}

}  // namespace
}  // namespace kalvora::gui
