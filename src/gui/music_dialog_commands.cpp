#include "gui/music_dialog_commands.h"

#include "gui/main_form.h"
#include "gui/mdi_child.h"
#include "gui/music_dialog.h"
#include "gui/music_tree_dialog.h"
#include "shell/generated_music_playback.h"

namespace kalvora::gui {

namespace {

template <typename Dialog>
Dialog* DialogOf(const TMainForm& frame) {
    return frame.findChild<Dialog*>(QString(), Qt::FindDirectChildrenOnly);
}

// Staves, groups and subtrees rendered with the open wave documents as sample waves and
// played by the frame's player.
std::unique_ptr<TMusicPlayback> NewPlayback(TMainForm& frame) {
    return std::make_unique<TGeneratedMusicPlayback>(
        frame.Workspace().Registry(),
        [&frame](const Sound& sound) { return frame.Play(sound, false); });
}

template <typename Dialog>
void Toggle(TMainForm& frame) {
    Dialog* dialog = DialogOf<Dialog>(frame);
    if (dialog != nullptr && dialog->isVisible()) {
        dialog->close();
    } else {
        if (dialog == nullptr) dialog = new Dialog(frame, NewPlayback(frame));
        dialog->ShowBesideFrame();
    }
    frame.ScheduleUpdate();
}

}  // namespace

void RegisterMusicDialogCommands(TMainForm& frame) {
    frame.SetHandler(CommandId::MusicDialog, [&frame] { Toggle<TDlgMusic>(frame); });
    frame.SetHandler(CommandId::MusicParts, [&frame] { Toggle<TDlgMusTree>(frame); });
}

TDlgMusic* MusicDialogOf(const TMainForm& frame) {
    return DialogOf<TDlgMusic>(frame);
}

TDlgMusTree* MusicTreeDialogOf(const TMainForm& frame) {
    return DialogOf<TDlgMusTree>(frame);
}

bool MusicDialogVisible(const TMainForm& frame) {
    const TDlgMusic* dialog = MusicDialogOf(frame);
    return dialog != nullptr && dialog->isVisible();
}

bool MusicTreeDialogVisible(const TMainForm& frame) {
    const TDlgMusTree* dialog = MusicTreeDialogOf(frame);
    return dialog != nullptr && dialog->isVisible();
}

void FollowActiveMusic(TMainForm& frame) {
    TDlgMusic* music = MusicDialogOf(frame);
    TDlgMusTree* tree = MusicTreeDialogOf(frame);
    if ((music == nullptr || !music->isVisible()) && (tree == nullptr || !tree->isVisible()))
        return;
    TMDIChildKalvora* window = nullptr;
    TUnitMuz* unit = ActiveMusic(frame, &window);
    if (music != nullptr && music->isVisible()) music->Follow(window, unit);
    if (tree != nullptr && tree->isVisible()) tree->Follow(window, unit);
}

}  // namespace kalvora::gui
