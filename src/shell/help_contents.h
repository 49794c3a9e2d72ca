// The command list of the manual ("commands.html"), generated from the command table: every command
// with its caption, shortcut and hint, menu by menu, and the topic search over them. Standard C++
// only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "shell/commands.h"

namespace kalvora {

// An HTML page: one section per menu (sub-menus nested in their menu's order), then the
// keyboard commands. Command rows carry the anchor "#<command name>".
std::string HelpContentsHtml();

// The rows of the keys that have no menu item: the key, then what it runs with a wave window
// and with a music window active. With anchors, each row carries "#<command name>".
std::string HelpKeyRowsHtml(bool anchors);

// "&lt;" and its kin for the characters HTML reserves.
std::string HtmlEscaped(std::string_view text);

}  // namespace kalvora
