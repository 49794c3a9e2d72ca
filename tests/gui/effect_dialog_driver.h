// Drives the effect dialogs the frame opens modally: a step run inside the dialog's own event
// loop, typing into its edits and pressing OK.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "gui/effect_dialog.h"

namespace kalvora::gui {

// Runs step on the effect dialog once it is shown, from inside its event loop.
inline void WhenDialogShows(std::function<void(TEffectDialog&)> step) {
    QTimer::singleShot(0, [step] {
        auto* dialog = qobject_cast<TEffectDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            WhenDialogShows(step);
            return;
        }
        step(*dialog);
    });
}

// Replaces the text of a line edit as a user typing it would.
inline void Type(QWidget* edit, const QString& text) {
    auto* line = qobject_cast<QLineEdit*>(edit);
    ASSERT_NE(line, nullptr);
    line->selectAll();
    QTest::keyClicks(line, text);
}

inline void PressOk(TEffectDialog& dialog) {
    for (auto* button : dialog.findChildren<QPushButton*>()) {
        if (button->text().remove('&') == "OK") {
            button->click();
            return;
        }
    }
    ADD_FAILURE() << "no OK button";
}

}  // namespace kalvora::gui
