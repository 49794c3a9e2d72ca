#include "gui/dialog_help.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QShortcut>
#include <QVariant>

#include "gui/artwork.h"
#include "gui/help_window.h"
#include "gui/main_form.h"

namespace kalvora::gui {
namespace {

const char* const contextProperty = "kalvoraHelpContext";

TMainForm* FrameOf(QWidget* from) {
    for (QWidget* widget = from; widget != nullptr; widget = widget->parentWidget()) {
        if (auto* frame = qobject_cast<TMainForm*>(widget)) return frame;
    }
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* frame = qobject_cast<TMainForm*>(widget)) return frame;
    }
    return nullptr;
}

// The help window that belongs to a modal window, made on first use.
THelpWindow& OwnHelpWindow(QWidget& modal) {
    if (auto* help = modal.findChild<THelpWindow*>(QString(), Qt::FindDirectChildrenOnly))
        return *help;
    return *new THelpWindow(&modal);
}

}  // namespace

void InstallDialogHelp(QWidget& dialog, int context, QDialogButtonBox* buttons) {
    dialog.setProperty(contextProperty, context);
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), &dialog);
    f1->setContext(Qt::WindowShortcut);
    QWidget* owner = &dialog;
    QObject::connect(f1, &QShortcut::activated, owner,
                     [owner, context] { ShowDialogHelp(owner, context); });
    if (buttons == nullptr) return;
    if (buttons->button(QDialogButtonBox::Help) == nullptr)
        buttons->addButton(QDialogButtonBox::Help);
    buttons->button(QDialogButtonBox::Help)->setIcon(CommandIcon("help-browser"));
    QObject::connect(buttons, &QDialogButtonBox::helpRequested, owner,
                     [owner, context] { ShowDialogHelp(owner, context); });
}

int DialogHelpContext(const QWidget& dialog) {
    return dialog.property(contextProperty).toInt();
}

void ShowDialogHelp(QWidget* from, int context) {
    QWidget* window = from != nullptr ? from->window() : nullptr;
    QWidget* modal = QApplication::activeModalWidget();
    if (window != nullptr && (window->isModal() || window == modal)) {
        OwnHelpWindow(*window).ShowContext(context);
        return;
    }
    if (TMainForm* frame = FrameOf(from)) {
        frame->HelpWindow().ShowContext(context);
        return;
    }
    if (window != nullptr) OwnHelpWindow(*window).ShowContext(context);
}

}  // namespace kalvora::gui
