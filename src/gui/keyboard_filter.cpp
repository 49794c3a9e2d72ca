#include "gui/keyboard_filter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "gui/main_form.h"
#include "shell/key_commands.h"

namespace kalvora::gui {
namespace {

std::optional<std::uint8_t> KeyCode(int key, bool shift) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<std::uint8_t>('A' + key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<std::uint8_t>('0' + key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12) {
        return static_cast<std::uint8_t>(keycode::f1 + key - Qt::Key_F1);
    }
    switch (key) {
        case Qt::Key_Backspace:
            return keycode::backspace;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return keycode::tab;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return keycode::enter;
        case Qt::Key_Escape:
            return keycode::escape;
        case Qt::Key_Space:
            return keycode::space;
        case Qt::Key_PageUp:
            return keycode::pageUp;
        case Qt::Key_PageDown:
            return keycode::pageDown;
        case Qt::Key_End:
            return keycode::end;
        case Qt::Key_Home:
            return keycode::home;
        case Qt::Key_Left:
            return keycode::left;
        case Qt::Key_Up:
            return keycode::up;
        case Qt::Key_Right:
            return keycode::right;
        case Qt::Key_Down:
            return keycode::down;
        case Qt::Key_Insert:
            return keycode::insert;
        case Qt::Key_Delete:
            return keycode::del;
        case Qt::Key_Period:
            return keycode::period;
        case Qt::Key_Greater:  // Shift+. on most keyboards
            if (shift) return keycode::period;
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

bool IsInputEvent(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyRelease:
        case QEvent::MouseButtonRelease:
        case QEvent::WindowActivate:
        case QEvent::FocusIn:
        case QEvent::Close:
            return true;
        default:
            return false;
    }
}

}  // namespace

std::optional<Shortcut> ShortcutOfKeyEvent(const QKeyEvent& event) {
    Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers & Qt::MetaModifier) return std::nullopt;
    bool shift = (modifiers & Qt::ShiftModifier) || event.key() == Qt::Key_Backtab;
    std::optional<std::uint8_t> key = KeyCode(event.key(), shift);
    if (!key) return std::nullopt;
    return Shortcut{*key, shift, (modifiers & Qt::ControlModifier) != 0,
                    (modifiers & Qt::AltModifier) != 0};
}

TKeyboardFilter::TKeyboardFilter(TMainForm& frame) : QObject(&frame), frame_(frame) {}

bool TKeyboardFilter::eventFilter(QObject* watched, QEvent* event) {
    QEvent::Type type = event->type();
    if (type == QEvent::ShortcutOverride || type == QEvent::KeyPress) {
        return HandleKey(watched, static_cast<QKeyEvent&>(*event), type == QEvent::KeyPress);
    }
    if (IsInputEvent(type)) frame_.ScheduleUpdate();
    return false;
}

// Decides a key once as a shortcut override (claiming it, so that Qt runs no menu mnemonic)
// and once as a key press (running the command).
bool TKeyboardFilter::HandleKey(QObject* watched, QKeyEvent& event, bool run) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || !frame_.OwnsKeyboardOf(widget->window())) return false;
    if (QApplication::activeModalWidget() != nullptr ||
        QApplication::activePopupWidget() != nullptr) {
        return false;
    }
    std::optional<Shortcut> shortcut = ShortcutOfKeyEvent(event);
    if (!shortcut) return false;
    if (frame_.KeyboardTyping() && !KeyPassesTypingFilter(shortcut->key)) {
        // The key belongs to the text box being typed in.
        if (run) return false;
        event.accept();
        return true;
    }
    std::optional<CommandId> command = CommandForShortcut(*shortcut, frame_.ActiveKind());
    if (!command || !frame_.CommandEnabled(*command)) return false;
    event.accept();
    if (run) frame_.RunCommand(*command);
    return true;
}

}  // namespace kalvora::gui
