// The commands of the View menu that change what a wave window shows: View Wave and View
// Volume with their settings dialogs, and the Select and Zoom tool window (SelectWave).
#pragma once

namespace kalvora::gui {

class TMainForm;

void RegisterViewCommands(TMainForm& frame);

}  // namespace kalvora::gui
