// One QAction per command of the table, with its caption, shortcut text, hint and icon; the
// frame's menus and toolbars show these actions. Shortcuts are not registered with Qt: the
// keyboard filter runs them, so that one key can mean different commands by window kind.
#pragma once

#include <QObject>
#include <array>

#include "shell/command_update.h"

class QAction;

namespace kalvora::gui {

class CommandActions : public QObject {
    Q_OBJECT
  public:
    explicit CommandActions(QObject* parent);

    // nullptr for the keyboard commands, which have no action.
    QAction* Action(CommandId id) const { return actions_[Index(id)]; }

    // Applies enabled, checked and visible states.
    void Apply(const CommandStates& states);

  signals:
    void Triggered(kalvora::CommandId id);

  private:
    std::array<QAction*, kCommandCount> actions_{};
};

}  // namespace kalvora::gui
