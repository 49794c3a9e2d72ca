#include "gui/command_actions.h"

#include <QAction>

#include "gui/artwork.h"
#include "gui/qt_text.h"
#include "shell/command_table.h"

namespace kalvora::gui {

CommandActions::CommandActions(QObject* parent) : QObject(parent) {
    for (const CommandInfo& info : CommandTable()) {
        if (info.category == CommandCategory::key) continue;
        auto* action = new QAction(this);
        action->setObjectName(FromCore(info.name));
        QString text = FromCore(info.caption);
        if (!info.shortcut.Empty())
            text += QLatin1Char('\t') + FromCore(ShortcutText(info.shortcut));
        action->setText(text);
        action->setIconText(FromCore(PlainCaption(info.caption)));
        QString tip = FromCore(info.hint.empty() ? PlainCaption(info.caption)
                                                 : std::string(ToolTipOf(info.hint)));
        if (!info.shortcut.Empty()) {
            tip += QStringLiteral(" (") + FromCore(ShortcutText(info.shortcut)) + QLatin1Char(')');
        }
        action->setToolTip(tip);
        action->setStatusTip(FromCore(StatusTextOf(info.hint)));
        action->setIcon(CommandIcon(info.image));
        action->setIconVisibleInMenu(true);
        action->setCheckable(info.checkable);
        action->setEnabled(false);
        CommandId id = info.id;
        connect(action, &QAction::triggered, this, [this, id] { emit Triggered(id); });
        actions_[Index(info.id)] = action;
    }
}

void CommandActions::Apply(const CommandStates& states) {
    for (std::size_t i = 0; i < kCommandCount; ++i) {
        QAction* action = actions_[i];
        if (action == nullptr) continue;
        const CommandState& state = states[i];
        if (action->isEnabled() != state.enabled) action->setEnabled(state.enabled);
        if (action->isCheckable() && action->isChecked() != state.checked) {
            action->setChecked(state.checked);
        }
        if (action->isVisible() != state.visible) action->setVisible(state.visible);
    }
}

}  // namespace kalvora::gui
