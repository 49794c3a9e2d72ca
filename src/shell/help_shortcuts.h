// The keyboard page of the manual, made from the command table so that it always shows the
// keys the program really has. Standard C++ only.
#pragma once

#include <string>

namespace kalvora {

// "shortcuts.html": every command with a shortcut, menu by menu, then the keys that have no
// menu item with their meaning in a wave window and in a music window.
std::string HelpShortcutsHtml();

}  // namespace kalvora
