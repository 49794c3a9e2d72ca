#include "soak/command_oracle.h"

#include <QAction>
#include <algorithm>
#include <initializer_list>
#include <optional>

#include "documents/undo.h"
#include "gui/main_form.h"
#include "gui/mdi_child_muz.h"
#include "gui/mdi_child_wave.h"
#include "gui/view_wave_group.h"
#include "shell/command_table.h"

namespace kalvora::soak {
namespace {

using C = CommandId;

// What the rules say of one command; unset for the commands they leave alone.
struct Expected {
    std::optional<bool> enabled;
    std::optional<bool> checked;
};

class Rules {
  public:
    void Enable(std::initializer_list<CommandId> ids, bool enabled) {
        for (CommandId id : ids)
            expected_[Index(id)].enabled = enabled;
    }
    void Check(CommandId id, bool checked) { expected_[Index(id)].checked = checked; }
    const Expected& Of(CommandId id) const { return expected_[Index(id)]; }

  private:
    std::array<Expected, kCommandCount> expected_{};
};

constexpr std::initializer_list<CommandId> kGenerators = {
    C::MakeSilence, C::MakeLine,  C::MakeBlock, C::MakeTriangle,
    C::MakeSinus,   C::MakeNoise, C::MakeMFreq};
constexpr std::initializer_list<CommandId> kWorkEffects = {
    C::MoveH,       C::Block,      C::RollIn,    C::RollOut,   C::Distort,
    C::Rotate,      C::Reverse,    C::RndEcho,   C::PerEcho,   C::TempoPitch,
    C::FilterBlock, C::FilterHigh, C::FilterLow, C::FilterRes, C::FilterNotch};
constexpr std::initializer_list<CommandId> kNodeEffects = {C::Volume, C::MaxVolume, C::MoveV,
                                                           C::NormalizeVertically};
// The commands that change the document: none of them while it is recorded into.
constexpr std::initializer_list<CommandId> kChanges = {
    C::FileProperties, C::FileRevert,  C::EditDelete, C::EditTrim,    C::EditCut,   C::EditPaste,
    C::EditSwap,       C::EditExtract, C::EditMix,    C::DrawWaveLin, C::DrawWave3G};

void NoWaveWindow(Rules& rules) {
    rules.Enable(
        {C::FileProperties, C::FileSave,           C::FileSaveAs,    C::FileRevert, C::FilePlay,
         C::FilePlayMax,    C::FileRecord,         C::DuplicateWave, C::EditDelete, C::EditTrim,
         C::EditCut,        C::EditCopy,           C::EditPaste,     C::EditSwap,   C::EditExtract,
         C::EditMix,        C::EditClearClipboard, C::NoZoom,        C::ZoomIn,     C::ViewWave,
         C::ViewVold,       C::DrawWaveLin,        C::DrawWave3G,    C::Length,     C::MixLeftRight,
         C::Balance},
        false);
    rules.Enable(kGenerators, false);
    rules.Enable(kNodeEffects, false);
    for (CommandId id : kWorkEffects) {
        if (id != C::MoveH) rules.Enable({id}, false);
    }
}

void WaveWindow(gui::TMainForm& frame, const gui::TMDIChildWave& window, Rules& rules) {
    const TUnitWave& d = window.Wave();
    const std::int64_t n = d.GetValues();
    const bool drawing = d.UserDrawing();
    const bool editable = !drawing && n > 0;
    const bool play = frame.PlayEnabled();
    const bool clipboard = frame.Workspace().Clipboard().HasSound();
    const bool waveform = window.Group().Kind() == gui::TWaveWindKind::waveWindWave;
    const bool mono = d.GetMoSt() == 1;

    rules.Enable({C::FileProperties}, !drawing);
    rules.Enable({C::FileSave}, d.NeedsSave());
    rules.Enable({C::FileSaveAs}, d.CanSaveFile());
    rules.Enable({C::FileRevert}, !d.HasNoFile() && d.NeedsSave());
    rules.Enable({C::FilePlay, C::FilePlayMax}, play && n > 0);
    rules.Enable({C::FileRecord}, play && n == 0);
    rules.Enable({C::EditDelete, C::EditCut, C::EditCopy, C::EditExtract, C::ZoomIn, C::NoZoom},
                 editable);
    rules.Check(C::ZoomIn, window.ToolMode() == TWaveToolMode::zoomIn);
    rules.Enable({C::EditTrim}, editable && d.HasSelection());
    rules.Enable({C::EditSelectAll}, editable);
    rules.Enable({C::EditPaste, C::EditMix}, !drawing && clipboard);
    rules.Enable({C::EditSwap}, editable && clipboard);
    rules.Enable({C::EditClearClipboard}, clipboard);
    rules.Enable({C::ViewWave}, true);
    rules.Check(C::ViewWave, waveform);
    rules.Enable({C::ViewVold}, !drawing);
    rules.Check(C::ViewVold, !waveform);
    rules.Enable(kGenerators, !drawing);
    rules.Enable({C::DrawWaveLin, C::DrawWave3G}, drawing || (n == 0 && mono && waveform));
    rules.Check(C::DrawWaveLin, drawing && d.DrawKind() == TDrawKind::linear);
    rules.Check(C::DrawWave3G, drawing && d.DrawKind() == TDrawKind::smooth);
    rules.Enable({C::DuplicateWave}, true);
    rules.Enable(kNodeEffects, n > 0 || (drawing && d.DrawNodes().Count() >= 1));
    rules.Enable({C::Length}, drawing || n > 0);
    rules.Enable(kWorkEffects, editable);
    rules.Enable({C::MixLeftRight}, editable && !mono);
    rules.Enable({C::Balance}, editable && mono);
    if (window.RecordedInto()) {
        rules.Enable(kChanges, false);
        rules.Enable(kGenerators, false);
        rules.Enable(kNodeEffects, false);
        rules.Enable(kWorkEffects, false);
        rules.Enable({C::Length, C::MixLeftRight, C::Balance}, false);
    }
}

// The file commands follow the music document; its own commands follow its queries.
void MusicWindow(gui::TMainForm& frame, const gui::TMDIChildMuz& window, Rules& rules) {
    const TUnitMuz& music = window.Music();
    rules.Enable({C::FileProperties, C::FileSaveAs, C::DuplicateMuz, C::MusicAutoPlay}, true);
    rules.Enable({C::FilePlay, C::FilePlayMax}, frame.PlayEnabled());
    rules.Enable({C::FileRecord, C::DuplicateWave}, false);
    rules.Enable({C::FileSave}, music.NeedsSave());
    rules.Enable({C::FileRevert}, music.NeedsSave() && !music.HasNoFile());
    rules.Enable({C::MusicPlayNote}, music.SelectedNote() != nullptr);
    rules.Enable({C::MusicDelete}, music.CanDeleteSelected());
    rules.Check(C::MusicModeAdd, music.UnitMuzMode == unitMuzNew);
    rules.Check(C::MusicModeEdit, music.UnitMuzMode == unitMuzSel);
    rules.Check(C::MusicModeDelete, music.UnitMuzMode == unitMuzDel);
    rules.Check(C::MusicAutoPlay, music.AutoPlay);
}

void Always(gui::TMainForm& frame, Rules& rules) {
    const TUndoUnit* record = frame.Workspace().Undo().Record();
    const bool undo = record != nullptr && !record->Document().UserDrawing();
    bool recordedInto = false;
    if (record != nullptr) {
        auto* window = dynamic_cast<gui::TMDIChildWave*>(record->Document().Window());
        recordedInto = window != nullptr && window->RecordedInto();
    }
    rules.Enable({C::Undo}, undo && !recordedInto);
    rules.Enable({C::DeleteUndo}, undo);
    rules.Enable({C::FileClose, C::Register}, frame.ActiveDocumentWindow() != nullptr);
    rules.Enable({C::FileNewWave, C::FileOpenWave, C::WindowCascade, C::WindowTileHorizontal,
                  C::WindowTileVertical, C::HelpAbout, C::HelpContents},
                 true);
    rules.Enable({C::ProjectOpen, C::ProjectNew}, true);
    rules.Enable({C::ProjectClose, C::ProjectSave, C::ProjectExport}, !frame.ProjectFile().empty());
}

}  // namespace

std::vector<std::string> CompareCommandStates(gui::TMainForm& frame) {
    Rules rules;
    Always(frame, rules);
    if (const gui::TMDIChildWave* window = frame.ActiveWaveWindow()) {
        WaveWindow(frame, *window, rules);
    } else if (const gui::TMDIChildMuz* music = frame.ActiveMusicWindow()) {
        MusicWindow(frame, *music, rules);
    } else if (frame.ActiveDocumentWindow() == nullptr) {
        NoWaveWindow(rules);
    }
    std::vector<std::string> differences;
    for (const CommandInfo& info : CommandTable()) {
        const QAction* action = frame.Action(info.id);
        if (action == nullptr) continue;
        const CommandState& state = frame.States()[Index(info.id)];
        std::string name(info.name);
        // The actions show what the update decided.
        if (action->isEnabled() != state.enabled || action->isVisible() != state.visible)
            differences.push_back(name + ": the action does not show the update's state");
        const Expected& expected = rules.Of(info.id);
        if (expected.enabled) {
            const bool want = *expected.enabled && frame.HasHandler(info.id);
            if (state.enabled != want) {
                differences.push_back(name + (state.enabled ? ": enabled" : ": disabled") +
                                      ", the rules say " + (want ? "enabled" : "disabled"));
            }
        }
        if (expected.checked && state.checked != *expected.checked) {
            differences.push_back(name + (state.checked ? ": checked" : ": unchecked") +
                                  ", the rules say the opposite");
        }
    }
    return differences;
}

}  // namespace kalvora::soak
