#include "gui/music_commands.h"

#include <functional>
#include <utility>

#include "gui/main_form.h"
#include "gui/mdi_child_muz.h"
#include "gui/qt_text.h"
#include "shell/music_documents.h"

namespace kalvora::gui {
namespace {

using C = CommandId;
using MusicEdit = std::function<void(TUnitMuz&)>;

// What each music command does to the active document; the command update enables it only
// where the document allows it.
struct MusicCommand {
    CommandId id;
    MusicEdit edit;
};

const std::vector<MusicCommand>& MusicCommands() {
    static const std::vector<MusicCommand> commands = [] {
        std::vector<MusicCommand> list = {
            {C::MusicModeAdd, [](TUnitMuz& m) { m.SetModeNew(); }},
            {C::MusicModeEdit, [](TUnitMuz& m) { m.SetModeSel(); }},
            {C::MusicModeDelete, [](TUnitMuz& m) { m.SetModeDel(); }},
            {C::MusicKeyG, [](TUnitMuz& m) { m.SetKeyKind(keyKindG); }},
            {C::MusicKeyC, [](TUnitMuz& m) { m.SetKeyKind(keyKindC); }},
            {C::MusicKeyF, [](TUnitMuz& m) { m.SetKeyKind(keyKindF); }},
            {C::MusicNSDCross, [](TUnitMuz& m) { m.SetNoteShift(noteShiftDoubleKruis); }},
            {C::MusicNSCross, [](TUnitMuz& m) { m.SetNoteShift(noteShiftKruis); }},
            {C::MusicNSNormal, [](TUnitMuz& m) { m.SetNoteShift(noteShiftNormal); }},
            {C::MusicNSMol, [](TUnitMuz& m) { m.SetNoteShift(noteShiftMol); }},
            {C::MusicNSDMol, [](TUnitMuz& m) { m.SetNoteShift(noteShiftDoubleMol); }},
            {C::MusicPointAdd, [](TUnitMuz& m) { m.AddPoint(); }},
            {C::MusicPointDelete, [](TUnitMuz& m) { m.DeletePoint(); }},
            {C::MusicDelete, [](TUnitMuz& m) { m.DeleteSelected(); }},
            {C::MusicSelectUp, [](TUnitMuz& m) { m.SelectUp(); }},
            {C::MusicSelectDown, [](TUnitMuz& m) { m.SelectDown(); }},
            {C::MusicSelectPrev, [](TUnitMuz& m) { m.SelectPrev(); }},
            {C::MusicSelectNext, [](TUnitMuz& m) { m.SelectNext(); }},
            {C::MusicMoveUp, [](TUnitMuz& m) { m.MoveStep(1); }},
            {C::MusicMoveDown, [](TUnitMuz& m) { m.MoveStep(-1); }},
            {C::MusicMoveOctUp, [](TUnitMuz& m) { m.MoveOctave(1); }},
            {C::MusicMoveOctDown, [](TUnitMuz& m) { m.MoveOctave(-1); }},
            {C::MusicMovePrev, [](TUnitMuz& m) { m.MoveSymbol(TMoveDirection::left); }},
            {C::MusicMoveNext, [](TUnitMuz& m) { m.MoveSymbol(TMoveDirection::right); }},
            {C::MusicTwin, [](TUnitMuz& m) { m.MakeTuplet(2); }},
            {C::MusicTriplet, [](TUnitMuz& m) { m.MakeTuplet(3); }},
            {C::MusicQuadruplet, [](TUnitMuz& m) { m.MakeTuplet(4); }},
            {C::MusicQuintuplet, [](TUnitMuz& m) { m.MakeTuplet(5); }},
            {C::MusicStaccatissimo, [](TUnitMuz& m) { m.SetArt(artStaccatissimo); }},
            {C::MusicStaccato, [](TUnitMuz& m) { m.SetArt(artStaccato); }},
            {C::MusicArtNormal, [](TUnitMuz& m) { m.SetArt(artNormal); }},
            {C::MusicPortato, [](TUnitMuz& m) { m.SetArt(artPortato); }},
            {C::MusicLegato, [](TUnitMuz& m) { m.SetArt(artLegato); }},
            {C::NoteStickUp, [](TUnitMuz& m) { m.SetStickKind(drawStickUp); }},
            {C::NoteStickDown, [](TUnitMuz& m) { m.SetStickKind(drawStickDown); }},
            {C::MusicNoteGroupPrev, [](TUnitMuz& m) { m.NoteGroupPrev(); }},
            {C::MusicNoteGroupNext, [](TUnitMuz& m) { m.NoteGroupNext(); }},
            {C::MusicAutoPlay, [](TUnitMuz& m) { m.ToggleAutoPlay(); }},
            // The keys a music window gives a meaning of their own.
            {C::keyAltN, [](TUnitMuz& m) { m.ApplyCurrentLength(false); }},
            {C::keyAltS, [](TUnitMuz& m) { m.ApplyCurrentLength(true); }},
            {C::keyL, [](TUnitMuz& m) { m.LengthLonger(); }},
            {C::keyShiftL, [](TUnitMuz& m) { m.LengthShorter(); }},
            {C::keyAltL, [](TUnitMuz& m) { m.StepArt(1); }},
            {C::keyShiftAltL, [](TUnitMuz& m) { m.StepArt(-1); }},
        };
        const std::pair<int, std::pair<CommandId, CommandId>> lengths[] = {
            {1, {C::MusicNote1, C::MusicSilence1}},    {2, {C::MusicNote2, C::MusicSilence2}},
            {4, {C::MusicNote4, C::MusicSilence4}},    {8, {C::MusicNote8, C::MusicSilence8}},
            {16, {C::MusicNote16, C::MusicSilence16}}, {32, {C::MusicNote32, C::MusicSilence32}},
            {64, {C::MusicNote64, C::MusicSilence64}},
        };
        for (const auto& [kind, ids] : lengths) {
            const int k = kind;
            list.push_back({ids.first, [k](TUnitMuz& m) { m.SetNoteLength(k); }});
            list.push_back({ids.second, [k](TUnitMuz& m) { m.SetSilenceLength(k); }});
        }
        return list;
    }();
    return commands;
}

// A handler that runs action on the active music window, and otherwise what the command did
// before (the wave window's handler of a shared file command).
std::function<void()> OnActiveMusic(TMainForm& frame,
                                    std::function<void(TMDIChildMuz& window)> action,
                                    std::function<void()> otherwise = nullptr) {
    return [&frame, action = std::move(action), otherwise = std::move(otherwise)] {
        if (TMDIChildMuz* window = frame.ActiveMusicWindow()) {
            action(*window);
        } else if (otherwise) {
            otherwise();
        }
    };
}

void OpenMusicFiles(TMainForm& frame) {
    for (const QString& name : frame.AskOpenFileNames(FileDialogKind::openMusic))
        frame.OpenMusicFile(FileNameToCore(name));
}

void SaveMusicAs(TMainForm& frame, TMDIChildMuz& window) {
    std::optional<std::string> fileName = frame.AskSaveFileName(FileDialogKind::saveMusic);
    if (fileName) window.Document().SaveAs(*fileName);
    window.RebuildCaption();
}

// "&Save": music that has no file yet is saved as a new one.
void SaveMusic(TMainForm& frame, TMDIChildMuz& window) {
    if (window.Music().HasNoFile()) {
        SaveMusicAs(frame, window);
    } else {
        window.Document().Save();
    }
}

// "Properties": the format of the waves the music generates, from the "Wave Properties"
// dialog. The format is not part of the music file, so the document does not need saving.
void ChangeMusicProperties(TMainForm& frame, TMDIChildMuz& window) {
    const waveFileProps current = window.Music().GetWaveFileProps();
    std::optional<waveFileProps> chosen = frame.AskWaveFileProps(current);
    if (chosen) window.Music().SetWaveFileProps(*chosen);
}

void DuplicateActiveMusic(TMainForm& frame, TMDIChildMuz& source) {
    if (std::unique_ptr<TUnitMuz> copy =
            DuplicateMusic(source.Music(), frame.Workspace().Registry()))
        frame.AddMusicWindow(std::move(copy));
}

}  // namespace

void RegisterMusicCommands(TMainForm& frame) {
    TMainForm* f = &frame;
    frame.SetHandler(C::FileNewMuz,
                     [f] { f->AddMusicWindow(NewMusic(f->Workspace().Registry())); });
    frame.SetHandler(C::FileOpenMuz, [f] { OpenMusicFiles(*f); });
    frame.SetHandler(C::DuplicateMuz,
                     OnActiveMusic(frame, [f](TMDIChildMuz& w) { DuplicateActiveMusic(*f, w); }));
    frame.SetHandler(C::FileSave, OnActiveMusic(
                                      frame, [f](TMDIChildMuz& w) { SaveMusic(*f, w); },
                                      frame.Handler(C::FileSave)));
    frame.SetHandler(C::FileSaveAs, OnActiveMusic(
                                        frame, [f](TMDIChildMuz& w) { SaveMusicAs(*f, w); },
                                        frame.Handler(C::FileSaveAs)));
    frame.SetHandler(C::FileRevert,
                     OnActiveMusic(
                         frame, [](TMDIChildMuz& w) { w.Revert(); }, frame.Handler(C::FileRevert)));
    frame.SetHandler(C::FileProperties,
                     OnActiveMusic(
                         frame, [f](TMDIChildMuz& w) { ChangeMusicProperties(*f, w); },
                         frame.Handler(C::FileProperties)));
    frame.SetHandler(C::MusicPlayNote,
                     OnActiveMusic(frame, [](TMDIChildMuz& w) { w.PlaySelectedNote(); }));
    frame.SetHandler(C::MusicGenerate, OnActiveMusic(frame, [](TMDIChildMuz& w) { w.Generate(); }));
    for (const MusicCommand& command : MusicCommands()) {
        frame.SetHandler(command.id, OnActiveMusic(frame, [edit = command.edit](TMDIChildMuz& w) {
                             edit(w.Music());
                         }));
    }
}

}  // namespace kalvora::gui
