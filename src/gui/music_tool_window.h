// TMusicToolWindow: what the two music tool windows ("Music" and "Music Parts") share. Each
// edits the document of the active music window and follows the frame when another window
// becomes active; it is placed beside the frame's bottom-right corner when shown, and its
// activation refreshes it, since the music may have changed in the meantime. A field being
// edited commits when it loses the focus; a refused value takes the focus back.
#pragma once

#include <QPointer>

class QBoxLayout;
class QPushButton;

#include "gui/tool_window.h"

namespace kalvora {
class TUnitMuz;
}

namespace kalvora::gui {

class TMDIChildKalvora;

class TMusicToolWindow : public TToolWindow {
    Q_OBJECT
  public:
    explicit TMusicToolWindow(TMainForm& frame);

    // Shows the window beside the frame's bottom-right corner, bound to the active music
    // window's document.
    void ShowBesideFrame();
    // The frame's active window changed (or its document): shows that window's music, or
    // none. A document without a window (tests) is shown for as long as the caller keeps it.
    void Follow(TMDIChildKalvora* window, TUnitMuz* unit);
    // The document shown, or none; none once its window is gone.
    TUnitMuz* Shown() const { return hasWindow_ && window_ == nullptr ? nullptr : unit_; }

  protected:
    // Binds the presenter to the document (or none) and refreshes everything.
    virtual void Bind(TUnitMuz* unit) = 0;
    // Refreshes every control from the document.
    virtual void Refresh() = 0;
    // The window shown changed; a music window's own signals can be taken up here.
    virtual void WindowChanged(TMDIChildKalvora* window) { (void)window; }
    void changeEvent(QEvent* event) override;

    // The row of buttons both windows end with: "Apply" (the default button, so Enter
    // commits), "Close" and "Help", which with F1 opens the page of helpContext. Apply is
    // left for the caller to connect.
    struct TButtonRow {
        QPushButton* apply = nullptr;
        QPushButton* close = nullptr;
    };
    TButtonRow AddButtonRow(QBoxLayout& layout, int helpContext);

  private:
    void Take(TMDIChildKalvora* window, TUnitMuz* unit);

    QPointer<TMDIChildKalvora> window_;
    QMetaObject::Connection replaced_;
    bool hasWindow_ = false;
    TUnitMuz* unit_ = nullptr;
};

// The active window's music document, or none.
TUnitMuz* ActiveMusic(TMainForm& frame, TMDIChildKalvora** window = nullptr);

}  // namespace kalvora::gui
