// The commands of music windows: new, open, save, save as, revert, duplicate and properties
// for music, and every command of the music menus, toolbars and keys, each carried out on the
// active music window's document.
#pragma once

namespace kalvora::gui {

class TMainForm;

// Registers the handlers; the file commands that wave windows share (save, save as, revert,
// properties) pass on to the handlers registered before when no music window is active.
void RegisterMusicCommands(TMainForm& frame);

}  // namespace kalvora::gui
