// TToolWindow: the base of the frame's modeless tool windows (Select and Zoom, and the music
// dialogs). It stays on top of the frame and follows the keyboard rule of
// TToolWindowKeyboard: its activation gives it the keyboard, losing the activation, hiding
// or closing gives the keyboard back to the frame's one-key commands.
#pragma once

#include <QDialog>

namespace kalvora::gui {

class TMainForm;

class TToolWindow : public QDialog {
    Q_OBJECT
  public:
    explicit TToolWindow(TMainForm& frame);

  protected:
    TMainForm& Frame() const { return frame_; }
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    TMainForm& frame_;
};

}  // namespace kalvora::gui
