// The keyboard: which command a pressed key runs, given the kind of the active window, and
// which keys still run commands while the user types in the name box or a tool dialog.
// Standard C++ only.
#pragma once

#include <cstdint>
#include <optional>

#include "shell/commands.h"
#include "shell/frame_snapshot.h"

namespace kalvora {

// The meaning of a keyboard command (category key) with each kind of window: the command it
// runs, or nullopt when it does nothing there. With a music window a key without a table
// command is itself the music operation (the music window carries it out).
std::optional<CommandId> KeyCommandTarget(CommandId keyCommand, WindowKind kind);

// The command a shortcut runs with the given kind of active window, or nullopt. Where a
// keyboard command shares its key with a menu command (H: keyH and MoveH) the keyboard command
// decides with a music window and the menu command with a wave window, so that one key press
// runs exactly one of them. The caller runs the result only when it is enabled.
std::optional<CommandId> CommandForShortcut(Shortcut pressed, WindowKind kind);

// While the name box or a tool dialog is being typed in, every key reaches the text box and runs
// no command, except Tab, Enter, End, Home, the arrows, Insert and Delete, which pass as usual.
bool KeyPassesTypingFilter(std::uint8_t key);

}  // namespace kalvora
