// The command table: name, category, caption, shortcut, hint and image of every command of the
// frame, as plain data. Menus, toolbars, the keyboard and the help contents are all built from
// it, so each text is written once. Standard C++ only.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "shell/commands.h"

namespace kalvora {

struct CommandInfo {
    CommandId id;
    std::string_view name;  // "FileNewWave"
    CommandCategory category;
    std::string_view caption;  // "&New wave...": "&" marks the menu accelerator
    Shortcut shortcut;
    std::string_view hint;   // "tooltip|status text"; without "|" it serves for both
    std::string_view image;  // icon name; empty for commands shown in menus only
    bool checkable;          // shows a checked state (toggles, modes, playing)
};

// Every command, in CommandId order.
std::span<const CommandInfo> CommandTable();
const CommandInfo& Command(CommandId id);
std::optional<CommandId> FindCommandByName(std::string_view name);

// The parts of a hint: the tooltip is the text before "|", the status text the text after it;
// a hint without "|" serves for both.
std::string_view ToolTipOf(std::string_view hint);
std::string_view StatusTextOf(std::string_view hint);

// The caption without its accelerator marks and without a trailing "...": "&Open wave..."
// becomes "Open wave". "&&" stands for a literal "&".
std::string PlainCaption(std::string_view caption);

}  // namespace kalvora
