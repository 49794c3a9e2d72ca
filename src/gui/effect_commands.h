// The frame's handlers of the commands of the effect table (the Make menu's generators, and
// the effects and filters as they join the table): each opens its dialog on the active wave
// window's document and, after OK, runs the command on it; the window follows the document.
#pragma once

namespace kalvora::gui {

class TMainForm;

// Gives every command of the effect table its handler in frame. A command runs on the
// document of the active wave window, through its dialog (parented to the frame), and does
// nothing without one.
void RegisterEffectCommands(TMainForm& frame);

}  // namespace kalvora::gui
