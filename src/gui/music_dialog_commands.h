// The frame's commands "&Dialogbox Edit Music..." (MusicDialog) and "&Dialogbox Music Parts..."
// (MusicParts): each shows its tool window, made on first use, or closes it when it is
// visible. The windows follow the active music window.
#pragma once

namespace kalvora::gui {

class TDlgMusic;
class TDlgMusTree;
class TMainForm;

void RegisterMusicDialogCommands(TMainForm& frame);

// The tool windows, or none before their first use.
TDlgMusic* MusicDialogOf(const TMainForm& frame);
TDlgMusTree* MusicTreeDialogOf(const TMainForm& frame);
bool MusicDialogVisible(const TMainForm& frame);
bool MusicTreeDialogVisible(const TMainForm& frame);

// Binds the visible tool windows to the active window's music (or none).
void FollowActiveMusic(TMainForm& frame);

}  // namespace kalvora::gui
