// The handlers of File > Import... (other programs' sound files as new waves) and
// File > Export... (the active wave, or its selection, as WAV, FLAC or Ogg Vorbis). Their
// dialogs go through the frame's replaceable questions (AskOpenFileNames with
// FileDialogKind::importSound, AskSaveFileName with exportSound, AskExportChoices).
#pragma once

namespace kalvora::gui {

class TMainForm;

void RegisterSoundFileCommands(TMainForm& frame);

}  // namespace kalvora::gui
