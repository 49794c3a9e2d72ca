#include "shell/command_update.h"

#include <algorithm>
#include <initializer_list>

#include "shell/command_table.h"
#include "shell/key_commands.h"
#include "shell/status_texts.h"

namespace kalvora {
namespace {

using C = CommandId;

class States {
  public:
    CommandState& operator[](CommandId id) { return states_[Index(id)]; }
    void Enable(CommandId id, bool enabled) { (*this)[id].enabled = enabled; }
    void Enable(std::initializer_list<CommandId> ids, bool enabled) {
        for (CommandId id : ids)
            Enable(id, enabled);
    }
    void Check(CommandId id, bool checked) { (*this)[id].checked = checked; }
    const CommandStates& Result() const { return states_; }

  private:
    CommandStates states_{};
};

constexpr std::initializer_list<CommandId> generators = {
    C::MakeSilence, C::MakeLine,  C::MakeBlock, C::MakeTriangle,
    C::MakeSinus,   C::MakeNoise, C::MakeMFreq,
};

// The rules that hold whatever window is active.
void ApplyCommonRules(const FrameSnapshot& s, States& states) {
    const PlayerFacts& player = s.player;
    states.Enable({C::FileNewWave, C::FileOpenWave, C::FileNewMuz, C::FileOpenMuz, C::FileExit,
                   C::ProjectOpen, C::ProjectNew, C::WindowCascade, C::WindowTileHorizontal,
                   C::WindowTileVertical, C::WindowMinimizeAll, C::WindowArrangeAll, C::HelpAbout,
                   C::HelpContents, C::HelpTopicSearch, C::HelpOnHelp},
                  true);
    states.Enable({C::ProjectClose, C::ProjectSave, C::ProjectExport}, s.projectOpen);
    states.Enable({C::Undo, C::DeleteUndo}, s.undoRecord && !s.undoDocumentDrawing);
    if (s.undoDocumentRecording) states.Enable(C::Undo, false);
    bool documentOpen = s.activeKind != WindowKind::none;
    states.Enable({C::FileClose, C::Register}, documentOpen);
    states.Enable(C::FileImport, true);

    states.Check(C::FilePlay, player.playChecked);
    states.Check(C::FilePlayMax, player.playMaxChecked);
    states.Check(C::FileRecord, player.recordChecked);
    states.Check(C::FilePause, player.pauseChecked);
    states.Enable(C::FileStop, player.playEnabled && (player.playChecked || player.playMaxChecked ||
                                                      player.recordChecked));
    states.Enable(C::FilePause,
                  player.playEnabled && !(player.recordChecked && !player.recordPending));

    // The wave items of the View menu are hidden with a music window, the music item otherwise.
    bool music = s.activeKind == WindowKind::music;
    for (CommandId id : {C::ViewWave, C::ViewVold, C::ZoomIn, C::NoZoom, C::SelectWave}) {
        states[id].visible = !music;
    }
    states[C::MusicDialog].visible = music;
    // Each duplicate command shows only with its kind of window (neither with none).
    states[C::DuplicateWave].visible = s.activeKind == WindowKind::wave;
    states[C::DuplicateMuz].visible = music;
    states.Check(C::SelectWave, s.selectZoomVisible);
    states.Enable(C::SelectWave, !music);
}

// While the player records into the document, nothing may change it: the recording takes
// its place when it ends.
void DisableChangesOfTheDocument(States& states) {
    states.Enable({C::FileProperties, C::FileRevert, C::EditDelete, C::EditTrim, C::EditCut,
                   C::EditPaste, C::EditSwap, C::EditExtract, C::EditMix, C::DrawWaveLin,
                   C::DrawWave3G, C::MergeH, C::MergeV, C::SplitH, C::SplitV},
                  false);
    states.Enable(generators, false);
    for (const CommandInfo& info : CommandTable()) {
        if (info.category == CommandCategory::SimpleWave ||
            info.category == CommandCategory::ComplexWave ||
            info.category == CommandCategory::Filter) {
            states.Enable(info.id, false);
        }
    }
}

void ApplyWaveRules(const FrameSnapshot& s, States& states) {
    const WaveFacts& d = s.wave;
    const std::int64_t n = d.sampleCount;
    const bool drawing = d.userDrawing;
    const bool editable = !drawing && n > 0;
    const bool play = s.player.playEnabled;

    states.Enable(C::FileProperties, !drawing);
    states.Enable(C::FileSave, d.needsSave);
    states.Enable(C::FileSaveAs, d.CanSaveFile());
    states.Enable(C::FileRevert, d.hasFile && d.needsSave);
    states.Enable(C::FileExport, n > 0);
    states.Enable({C::FilePlay, C::FilePlayMax}, play && n > 0);
    states.Enable(C::FileRecord, play && n == 0);
    states.Enable({C::EditDelete, C::EditCut, C::EditCopy, C::EditExtract, C::ZoomIn, C::NoZoom},
                  editable);
    states.Check(C::ZoomIn, d.toolMode == 1);
    states.Check(C::NoZoom, d.toolMode == 2);
    states.Enable(C::EditTrim, editable && d.HasSelection());
    states.Enable(C::EditSelectAll, editable);
    states.Enable({C::EditPaste, C::EditMix}, !drawing && s.clipboard);
    states.Enable(C::EditSwap, editable && s.clipboard);
    states.Enable(C::EditClearClipboard, s.clipboard);
    states.Enable(C::ViewWave, true);
    states.Check(C::ViewWave, d.waveformShown);
    states.Enable(C::ViewVold, !drawing);
    states.Check(C::ViewVold, !d.waveformShown);
    states.Enable({C::MergeH, C::MergeV}, s.documentWindowCount > 1);
    states.Enable(C::SplitV, d.Stereo());
    std::int64_t low = std::min(d.selectionFirst, d.selectionSecond);
    std::int64_t high = std::max(d.selectionFirst, d.selectionSecond);
    states.Enable(C::SplitH, low > 0 && high < n - 1);
    states.Enable(generators, !drawing);
    bool mayDraw = drawing || (n == 0 && d.Mono() && d.waveformShown);
    states.Enable({C::DrawWaveLin, C::DrawWave3G}, mayDraw);
    states.Check(C::DrawWaveLin, drawing && d.drawKind == 0);
    states.Check(C::DrawWave3G, drawing && d.drawKind == 1);
    states.Enable(C::DuplicateWave, true);
    states.Enable({C::Volume, C::MaxVolume, C::MoveV, C::NormalizeVertically},
                  n > 0 || (drawing && d.drawNodeCount >= 1));
    states.Enable(C::Length, drawing || n > 0);
    states.Enable({C::MoveH, C::Block, C::RollIn, C::RollOut, C::Distort, C::Rotate, C::Reverse,
                   C::RndEcho, C::PerEcho, C::TempoPitch, C::FilterBlock, C::FilterHigh,
                   C::FilterLow, C::FilterRes, C::FilterNotch},
                  editable);
    states.Enable(C::MixLeftRight, editable && d.Stereo());
    states.Enable(C::Balance, editable && d.Mono());
    if (d.recording) DisableChangesOfTheDocument(states);
}

void ApplyMusicRules(const FrameSnapshot& s, States& states) {
    const MusicFacts& m = s.music;
    for (const CommandInfo& info : CommandTable()) {
        if (IsMusicCategory(info.category)) {
            states[info.id].enabled = m.commands[Index(info.id)].enabled;
            states[info.id].checked = m.commands[Index(info.id)].checked;
        }
    }
    states.Enable({C::FileProperties, C::FileSaveAs}, true);
    // Playing music needs the player; a music window never records.
    states.Enable({C::FilePlay, C::FilePlayMax}, s.player.playEnabled);
    states.Enable(C::FileRecord, false);
    states.Enable(C::FileSave, m.needsSave);
    states.Enable(C::FileRevert, m.needsSave && m.hasFile);
    states.Enable(C::DuplicateMuz, true);
    states.Enable({C::MusicGenerate, C::MusicDialog, C::MusicParts}, true);
    states.Check(C::MusicDialog, s.musicDialogVisible);
    states.Check(C::MusicParts, s.musicPartsVisible);
}

// A keyboard command is enabled when what it runs with the active window is enabled; with a
// music window a key that is a music operation of its own follows the music document.
void ApplyKeyRules(const FrameSnapshot& s, States& states) {
    for (const CommandInfo& info : CommandTable()) {
        if (info.category != CommandCategory::key) continue;
        std::optional<CommandId> target = KeyCommandTarget(info.id, s.activeKind);
        if (!target) {
            states.Enable(info.id, false);
        } else if (*target == info.id) {
            states.Enable(info.id, s.music.commands[Index(info.id)].enabled);
        } else {
            states.Enable(info.id, states[*target].enabled);
        }
    }
}

}  // namespace

CommandSet AllCommands() {
    return CommandSet().set();
}

CommandStates ComputeCommandStates(const FrameSnapshot& snapshot) {
    States states;
    ApplyCommonRules(snapshot, states);
    if (snapshot.activeKind == WindowKind::wave) ApplyWaveRules(snapshot, states);
    if (snapshot.activeKind == WindowKind::music) ApplyMusicRules(snapshot, states);
    ApplyKeyRules(snapshot, states);
    return states.Result();
}

Arrangement ArrangeFor(WindowKind kind) {
    Arrangement arrangement;
    arrangement.kind = kind;
    auto show = [&](MenuId id, bool visible) {
        arrangement.menuVisible[static_cast<std::size_t>(id)] = visible;
    };
    for (const MenuInfo& menu : Menus())
        show(menu.id, true);
    bool wave = kind == WindowKind::wave;
    bool music = kind == WindowKind::music;
    show(MenuId::edit, wave);
    show(MenuId::make, wave);
    show(MenuId::effects, wave);
    show(MenuId::music, music);
    show(MenuId::view, wave || music);
    show(MenuId::window, wave || music);
    for (const ToolbarInfo& toolbar : Toolbars()) {
        bool visible =
            toolbar.id == ToolbarId::basic ||
            (wave && (toolbar.id == ToolbarId::wave1 || toolbar.id == ToolbarId::wave2 ||
                      toolbar.id == ToolbarId::wave3)) ||
            (music && (toolbar.id == ToolbarId::music1 || toolbar.id == ToolbarId::music2 ||
                       toolbar.id == ToolbarId::music3));
        arrangement.toolbarVisible[static_cast<std::size_t>(toolbar.id)] = visible;
    }
    arrangement.nameBoxEnabled = wave || music;
    arrangement.clearNameBox = kind == WindowKind::none;
    return arrangement;
}

StatusPanelTexts ComputeStatusPanels(const FrameSnapshot& snapshot) {
    StatusPanelTexts panels;
    switch (snapshot.activeKind) {
        case WindowKind::none:
            for (std::size_t i = 2; i < 8; ++i)
                panels[i] = std::string();
            break;
        case WindowKind::wave: {
            std::array<std::string, 6> texts = WaveStatusTexts(snapshot.wave);
            for (std::size_t i = 0; i < texts.size(); ++i)
                panels[i + 2] = texts[i];
            break;
        }
        case WindowKind::music:
            for (std::size_t i = 0; i < 4; ++i)
                panels[i + 1] = snapshot.music.panels[i];
            for (std::size_t i = 5; i < 8; ++i)
                panels[i] = std::string();
            break;
    }
    return panels;
}

FrameUpdate CommandUpdater::Update(const FrameSnapshot& snapshot, const CommandSet& runnable) {
    FrameUpdate update;
    update.commands = ComputeCommandStates(snapshot);
    for (std::size_t i = 0; i < kCommandCount; ++i) {
        if (!runnable.test(i)) update.commands[i].enabled = false;
    }
    update.panels = ComputeStatusPanels(snapshot);
    if (shownKind_ != snapshot.activeKind) {
        update.arrangement = ArrangeFor(snapshot.activeKind);
        // Panel 1 told of the window left (a music symbol's kind); a wave view fills it
        // again when the pointer moves over it.
        if (snapshot.activeKind != WindowKind::music) update.panels[1] = std::string();
        shownKind_ = snapshot.activeKind;
    }
    return update;
}

}  // namespace kalvora
