// The handlers of the commands that make new wave windows from existing ones: split
// vertically, split horizontally (with its dialog), merge horizontally and merge vertically
// (with their dialogs). The new windows take their places from their sources' windows,
// kept inside the frame's visible area; a split closes its source window without asking,
// since every sample it kept now lies in the new windows.
#pragma once

namespace kalvora::gui {

class TMainForm;

void RegisterMergeSplitCommands(TMainForm& frame);

}  // namespace kalvora::gui
