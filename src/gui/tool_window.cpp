#include "gui/tool_window.h"

#include <QCloseEvent>
#include <QEvent>
#include <QHideEvent>

#include "gui/main_form.h"

namespace kalvora::gui {

TToolWindow::TToolWindow(TMainForm& frame)
    : QDialog(&frame, Qt::Tool | Qt::WindowStaysOnTopHint), frame_(frame) {
    setModal(false);
}

void TToolWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow()) {
            frame_.ToolWindowKeyboard().ToolWindowActivated(this);
        } else {
            frame_.ToolWindowKeyboard().ToolWindowLeft(this);
        }
    }
    QDialog::changeEvent(event);
}

void TToolWindow::hideEvent(QHideEvent* event) {
    frame_.ToolWindowKeyboard().ToolWindowLeft(this);
    QDialog::hideEvent(event);
    frame_.ScheduleUpdate();
}

void TToolWindow::closeEvent(QCloseEvent* event) {
    frame_.ToolWindowKeyboard().ToolWindowLeft(this);
    QDialog::closeEvent(event);
}

}  // namespace kalvora::gui
