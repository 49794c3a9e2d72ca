// The name box of the basic toolbar: shows the active document's name; clicking into it
// starts typing (keys then reach the box instead of running commands), Enter renames the
// document, Escape gives the name back.
#pragma once

#include <QLineEdit>

namespace kalvora::gui {

class TNameBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit TNameBox(QWidget* parent);

    bool Typing() const { return typing_; }
    void StopTyping() { typing_ = false; }
    // Disabled and grey without a document window; enabled in the window colour otherwise.
    void SetAvailable(bool available);

  signals:
    void NameEntered(const QString& text);  // Enter pressed while typing
    void TypingCancelled();                 // Escape pressed or the box left

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    bool typing_ = false;
};

}  // namespace kalvora::gui
