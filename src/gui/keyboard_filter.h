// The keyboard filter: an application-wide event filter that runs the commands' shortcuts
// (one key may mean different commands by window kind) and, while the user types in the name
// box or a tool dialog, lets keys reach the text box instead of running single-key commands.
// It also asks the frame for a command update after input.
#pragma once

#include <QObject>
#include <optional>

#include "shell/commands.h"

class QKeyEvent;

namespace kalvora::gui {

class TMainForm;

// The core form of a key press, or nullopt for keys no command uses.
std::optional<Shortcut> ShortcutOfKeyEvent(const QKeyEvent& event);

class TKeyboardFilter : public QObject {
    Q_OBJECT
  public:
    explicit TKeyboardFilter(TMainForm& frame);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool HandleKey(QObject* watched, QKeyEvent& event, bool run);
    TMainForm& frame_;
};

}  // namespace kalvora::gui
