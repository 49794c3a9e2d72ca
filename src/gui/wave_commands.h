// The handlers of the wave commands: files (new, open, save, save as, revert, duplicate,
// properties), the edit commands over the clipboard, undo, renaming, the zoom tools and hand
// drawing. Each runs on the active wave window's document; the window follows the document.
#pragma once

namespace kalvora::gui {

class TMainForm;

void RegisterWaveCommands(TMainForm& frame);

}  // namespace kalvora::gui
