#include "gui/music_tool_window.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>

#include "gui/dialog_help.h"

#include "gui/main_form.h"
#include "gui/mdi_child.h"
#include "gui/mdi_child_muz.h"
#include "music/unit_muz.h"
#include "shell/select_zoom.h"

namespace kalvora::gui {

TMusicToolWindow::TMusicToolWindow(TMainForm& frame) : TToolWindow(frame) {}

TMusicToolWindow::TButtonRow TMusicToolWindow::AddButtonRow(QBoxLayout& layout, int helpContext) {
    auto button = [this](const char* text, const char* name) {
        auto* b = new QPushButton(QString::fromLatin1(text), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    TButtonRow row{button("Apply", "btnApply"), button("Close", "btnClose")};
    row.apply->setDefault(true);
    QPushButton* help = button("Help", "btnHelp");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(row.apply);
    buttons->addWidget(row.close);
    buttons->addWidget(help);
    layout.addLayout(buttons);
    connect(row.close, &QPushButton::clicked, this, &QDialog::close);
    connect(help, &QPushButton::clicked, this,
            [this, helpContext] { ShowDialogHelp(this, helpContext); });
    InstallDialogHelp(*this, helpContext);  // F1
    return row;
}

TUnitMuz* ActiveMusic(TMainForm& frame, TMDIChildKalvora** window) {
    TMDIChildKalvora* active = frame.ActiveDocumentWindow();
    if (window != nullptr) *window = nullptr;
    if (active == nullptr || active->IsClosed() || active->Kind() != WindowKind::music)
        return nullptr;
    auto* unit = dynamic_cast<TUnitMuz*>(active->Document().Unit());
    if (unit != nullptr && window != nullptr) *window = active;
    return unit;
}

void TMusicToolWindow::ShowBesideFrame() {
    adjustSize();
    // The same corner as the other tool windows: left at the frame's right edge, top at its
    // bottom edge, moved back onto the screen.
    const QRect outer = Frame().frameGeometry();
    const QScreen* screen = Frame().screen();
    const QSize screenSize =
        screen != nullptr ? screen->size() : QSize(outer.right(), outer.bottom());
    const platform::Point at =
        SelectZoomPlace(platform::Rect{outer.left(), outer.top(), outer.left() + outer.width(),
                                       outer.top() + outer.height()},
                        platform::Size{screenSize.width(), screenSize.height()},
                        platform::Size{frameGeometry().width(), frameGeometry().height()});
    move(at.x, at.y);
    TMDIChildKalvora* window = nullptr;
    TUnitMuz* unit = ActiveMusic(Frame(), &window);
    Take(window, unit);
    Bind(Shown());
    show();
    raise();
}

void TMusicToolWindow::Follow(TMDIChildKalvora* window, TUnitMuz* unit) {
    if (window == window_.data() && unit == Shown()) return;
    Take(window, unit);
    Bind(Shown());
}

void TMusicToolWindow::Take(TMDIChildKalvora* window, TUnitMuz* unit) {
    const bool otherWindow = window != window_.data();
    window_ = window;
    hasWindow_ = window != nullptr;
    unit_ = unit;
    if (!otherWindow) return;
    disconnect(replaced_);
    // "Revert" puts a new document in the window while the old one still exists.
    if (auto* music = qobject_cast<TMDIChildMuz*>(window)) {
        replaced_ = connect(music, &TMDIChildMuz::DocumentReplaced, this, [this, music] {
            if (window_ != music) return;
            unit_ = &music->Music();
            Bind(unit_);
        });
    }
    WindowChanged(window);
}

void TMusicToolWindow::changeEvent(QEvent* event) {
    TToolWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow()) return;
    // The window may have been closed meanwhile without an update of the frame.
    if (hasWindow_ && window_ == nullptr) {
        hasWindow_ = false;
        unit_ = nullptr;
        Bind(nullptr);
        return;
    }
    Refresh();
}

}  // namespace kalvora::gui
