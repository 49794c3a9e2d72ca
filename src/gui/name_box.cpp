#include "gui/name_box.h"

#include <QKeyEvent>
#include <QPalette>

#include "gui/qt_text.h"
#include "shell/command_table.h"
#include "shell/frame_layout.h"

namespace kalvora::gui {

TNameBox::TNameBox(QWidget* parent) : QLineEdit(parent) {
    setObjectName(QStringLiteral("EditName"));
    setToolTip(FromCore(ToolTipOf(kNameBoxHint)));
    setStatusTip(FromCore(StatusTextOf(kNameBoxHint)));
    setFixedWidth(150);
    setPlaceholderText(QStringLiteral("Name"));
    SetAvailable(false);
}

void TNameBox::SetAvailable(bool available) {
    setEnabled(available);
    QPalette colours = palette();
    colours.setColor(QPalette::Disabled, QPalette::Base, QColor(0x80, 0x80, 0x80));
    setPalette(colours);
    if (!available) typing_ = false;
}

void TNameBox::mousePressEvent(QMouseEvent* event) {
    typing_ = true;
    QLineEdit::mousePressEvent(event);
}

// Reaching the box with the keyboard (Tab) starts typing as well.
void TNameBox::focusInEvent(QFocusEvent* event) {
    typing_ = true;
    QLineEdit::focusInEvent(event);
}

// Leaving the box ends typing, so that keys run their commands again.
void TNameBox::focusOutEvent(QFocusEvent* event) {
    bool wasTyping = typing_;
    typing_ = false;
    QLineEdit::focusOutEvent(event);
    if (wasTyping) emit TypingCancelled();
}

void TNameBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit NameEntered(text());
        typing_ = false;
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        typing_ = false;
        emit TypingCancelled();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace kalvora::gui
