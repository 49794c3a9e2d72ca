#include "shell/command_table.h"

#include <array>

namespace kalvora {
namespace {

using C = CommandId;
using G = CommandCategory;

constexpr int shift = 1;
constexpr int ctrl = 2;
constexpr int alt = 4;

constexpr Shortcut Key(int key, int modifiers = 0) {
    return Shortcut{static_cast<std::uint8_t>(key), (modifiers & shift) != 0,
                    (modifiers & ctrl) != 0, (modifiers & alt) != 0};
}

constexpr Shortcut none{};
constexpr int del = keycode::del;
constexpr int ins = keycode::insert;
constexpr int home = keycode::home;
constexpr int f1 = keycode::f1;
constexpr int f4 = keycode::f1 + 3;
constexpr int f5 = keycode::f1 + 4;
constexpr int period = keycode::period;

constexpr bool check = true;
constexpr bool plain = false;

// clang-format off
constexpr std::array<CommandInfo, kCommandCount> table{{
    {C::FileNewWave, "FileNewWave", G::File, "&New wave...", Key('N', ctrl), "New|Create a new empty wave window", "document-new", plain},
    {C::FileNewMuz, "FileNewMuz", G::File, "New music...", Key('N', shift | ctrl), "", "kv-music-new", plain},
    {C::FileOpenWave, "FileOpenWave", G::File, "&Open wave...", Key('O', ctrl), "Open|Open a wave file", "document-open", plain},
    {C::FileOpenMuz, "FileOpenMuz", G::File, "&Open music...", Key('O', shift | ctrl), "", "kv-music-open", plain},
    {C::FileSave, "FileSave", G::File, "&Save", Key('S', ctrl), "Save|Save current file", "document-save", plain},
    {C::FileSaveAs, "FileSaveAs", G::File, "Save &As...", Key('A', ctrl), "Save As|Save current file with different name", "document-save-as", plain},
    {C::FileExit, "FileExit", G::File, "E&xit", none, "Exit|Exit the Kalvora", "application-exit", plain},
    {C::FileProperties, "FileProperties", G::File, "Properties", none, "Properties|Change the properties of the wave", "document-properties", plain},
    {C::FilePlay, "FilePlay", G::File, "&Play", Key('P'), "Play|Play the wave", "media-playback-start", check},
    {C::FileStop, "FileStop", G::File, "S&top", Key('S'), "Stop|Stops playing or recording", "media-playback-stop", plain},
    {C::FilePause, "FilePause", G::File, "Pause", Key('W'), "Pause|Pause Playing or Undone Pausing", "media-playback-pause", check},
    {C::FileRecord, "FileRecord", G::File, "&Record", Key('R', alt), "Record|Starts recording", "media-record", check},
    {C::DuplicateWave, "DuplicateWave", G::File, "&Duplicate", none, "Duplicate|Make a duplicate of the wave", "kv-duplicate-wave", plain},
    {C::DuplicateMuz, "DuplicateMuz", G::File, "&Duplicate", none, "Duplicate|Make a duplicate of the Music", "kv-duplicate-music", plain},
    {C::FilePlayMax, "FilePlayMax", G::File, "Play &Maximal", Key('P', shift), "", "kv-play-max", check},
    {C::FileRevert, "FileRevert", G::File, "&Revert", Key('R', shift | ctrl), "Discard changes and re-open the file", "document-revert", plain},
    {C::FileClose, "FileClose", G::File, "&Close", none, "Close|Close current file", "window-close", plain},
    {C::FileImport, "FileImport", G::File, "&Import...", none, "Import|Import a sound file of any kind (WAV, FLAC, Ogg, MP3) as a new wave", "kv-import", plain},
    {C::FileExport, "FileExport", G::File, "&Export...", none, "Export|Export the wave or its selection as WAV, FLAC or Ogg Vorbis", "kv-export", plain},
    {C::ProjectOpen, "ProjectOpen", G::Project, "&Open Project...", Key('O', shift | alt), "Open Project", "folder-open", plain},
    {C::ProjectNew, "ProjectNew", G::Project, "&New Project...", Key('N', shift | alt), "Create New Project", "folder-new", plain},
    {C::ProjectClose, "ProjectClose", G::Project, "&Close Project", Key('C', shift | alt), "Close Current Project", "kv-project-close", plain},
    {C::ProjectSave, "ProjectSave", G::Project, "&Save Project", Key('S', shift), "Save Current Project", "kv-project-save", plain},
    {C::ProjectExport, "ProjectExport", G::Project, "&Export Project", Key('E', shift), "Export all data of the Current Project", "kv-project-export", plain},
    {C::EditDelete, "EditDelete", G::Edit, "&Delete", none, "Delete|Delete (a part of) the wave", "edit-delete", plain},
    {C::EditTrim, "EditTrim", G::Edit, "&Trim", Key(del, shift | ctrl), "Trim|Delete all except the selected part", "kv-trim", plain},
    {C::EditClearClipboard, "EditClearClipboard", G::Edit, "Clear Clipboard", Key(del, shift | alt), "Clear Clipboard|Clear the Clipboard", "edit-clear-all", plain},
    {C::EditSwap, "EditSwap", G::Edit, "Swap", Key('X'), "Swap|Swap the wave with the contents of the clipboard", "kv-swap", plain},
    {C::EditExtract, "EditExtract", G::Edit, "Extract", Key('X', shift), "Extract|Copy and replace with silence", "kv-extract", plain},
    {C::EditMix, "EditMix", G::Edit, "&Mix...", Key('M'), "Mix|Mix with clipboard", "kv-mix", plain},
    {C::EditCut, "EditCut", G::Edit, "Cut", Key('X', ctrl), "Cut|Cut the wave", "edit-cut", plain},
    {C::EditCopy, "EditCopy", G::Edit, "Copy", Key('C', ctrl), "Copy|Copy the wave", "edit-copy", plain},
    {C::EditPaste, "EditPaste", G::Edit, "Paste", Key('V', ctrl), "Paste|Paste the wave", "edit-paste", plain},
    {C::EditSelectAll, "EditSelectAll", G::Edit, "Select &All", Key('A', shift | ctrl), "Select All|Select the whole wave", "edit-select-all", plain},
    {C::SplitH, "SplitH", G::WaveWindow, "&Split Horizontally", Key('I', ctrl), "Split Horizontally|Split window into two or three windows sequentially", "kv-split-h", plain},
    {C::SplitV, "SplitV", G::WaveWindow, "S&plit Vertically", Key('I', shift | ctrl), "Split Vertically|Split one stereo wave into two mono waves", "kv-split-v", plain},
    {C::MergeH, "MergeH", G::WaveWindow, "&Merge Horizontally", Key('M', ctrl), "Merge horizontally|Merge two windows into one window as first and last", "kv-merge-h", plain},
    {C::MergeV, "MergeV", G::WaveWindow, "M&erge Vertically", Key('M', shift | ctrl), "Merge Vertically|Merge two mono waves into one stereo wave", "kv-merge-v", plain},
    {C::ViewWave, "ViewWave", G::WaveWindow, "&Wave...", Key('W', alt), "Wave View|View the wave as a wave", "kv-view-wave", check},
    {C::ViewVold, "ViewVold", G::WaveWindow, "&Volume...", Key('V', alt), "Volume View|View the wave as a volume diagram", "kv-view-volume", check},
    {C::ZoomIn, "ZoomIn", G::WaveWindow, "&Zoom in", Key('Z'), "Zoom In|Zoom the selected part in", "zoom-in", check},
    {C::NoZoom, "NoZoom", G::WaveWindow, "&No Zoom", Key('Z', shift), "No Zoom|Shows the whole wave", "zoom-fit-best", check},
    {C::SelectWave, "SelectWave", G::WaveWindow, "&Dialogbox Select Wave...", Key('Q'), "Select and Zoom dialogbox|Show or hide the select and zoom dialogbox", "kv-select-zoom", check},
    {C::MakeSilence, "MakeSilence", G::MakeWave, "&Silence...", none, "Silence|Make a silence wave", "kv-make-silence", plain},
    {C::MakeLine, "MakeLine", G::MakeWave, "&Line...", none, "Line|Make a wave of a straight ro exponential line", "kv-make-line", plain},
    {C::MakeBlock, "MakeBlock", G::MakeWave, "&Block...", Key('B', alt), "Block|Make a block wave", "kv-make-block", plain},
    {C::MakeTriangle, "MakeTriangle", G::MakeWave, "&Triangle...", Key('T', alt), "Triangle|Make a triangle wave", "kv-make-triangle", plain},
    {C::MakeSinus, "MakeSinus", G::MakeWave, "S&inus...", Key('S', shift | alt), "Sinus|Make a sinus wave", "kv-make-sinus", plain},
    {C::MakeNoise, "MakeNoise", G::MakeWave, "&Noise...", none, "Noise|Make a noise wave", "kv-make-noise", plain},
    {C::MakeMFreq, "MakeMFreq", G::MakeWave, "Multi &Frequencies...", Key('F', alt), "Multiple Frequencies|Make wave with one or more frequencies", "kv-make-mfreq", plain},
    {C::DrawWaveLin, "DrawWaveLin", G::MakeWave, "Dr&aw Wave Linear", none, "Draw Linear|Draw wave using linear parts", "kv-draw-linear", check},
    {C::DrawWave3G, "DrawWave3G", G::MakeWave, "Draw Wave Smooth", Key('D', shift | alt), "Draw Smooth|Draw wave using parts connecting smoothly", "kv-draw-smooth", check},
    {C::MaxVolume, "MaxVolume", G::SimpleWave, "M&aximal Volume", Key('V', shift), "Maximize Volume|Maximize volume", "kv-max-volume", plain},
    {C::Volume, "Volume", G::SimpleWave, "&Volume...", Key('V'), "Volume|Change the volume", "kv-volume", plain},
    {C::Reverse, "Reverse", G::SimpleWave, "&Reverse", Key('R'), "Reverse|Reverse the wave", "kv-reverse", plain},
    {C::MoveV, "MoveV", G::SimpleWave, "Move &Vertically...", Key('U'), "Moves the wave horizontally", "kv-move-v", plain},
    {C::Block, "Block", G::SimpleWave, "&Block...", none, "Block|Block wave horizontally and/or vertically", "kv-block", plain},
    {C::RollOut, "RollOut", G::SimpleWave, "Roll ou&t...", Key('O'), "Roll out|Roll the wave out", "kv-roll-out", plain},
    {C::Rotate, "Rotate", G::SimpleWave, "R&otate...", Key('R', ctrl), "", "kv-rotate", plain},
    {C::RollIn, "RollIn", G::SimpleWave, "Roll &in...", Key('I'), "Roll In|Roll the wave into a shorter wave", "kv-roll-in", plain},
    {C::Length, "Length", G::SimpleWave, "&Length...", none, "Length|Change the length of the wave", "kv-length", plain},
    {C::Distort, "Distort", G::SimpleWave, "&Distort...", Key('D', shift), "Distort|Distort using a envelope as a function", "kv-distort", plain},
    {C::NormalizeVertically, "NormalizeVertically", G::SimpleWave, "&Normalize Vertically", Key('N', shift), "Normalize by Moving Up or Down to middle", "kv-normalize-v", plain},
    {C::MoveH, "MoveH", G::SimpleWave, "Move &Horizontally...", Key('H'), "moves the wave horizontally", "kv-move-h", plain},
    {C::Balance, "Balance", G::ComplexWave, "Ba&lance...", none, "Balance|Change the mono sound into a stereo sound in a balance", "kv-balance", plain},
    {C::MixLeftRight, "MixLeftRight", G::ComplexWave, "Mi&x Left and Right...", Key('M', shift), "Mix Left and Right|Mix Left channel with right channel", "kv-mix-left-right", plain},
    {C::PerEcho, "PerEcho", G::ComplexWave, "&Period...", Key('E', ctrl), "Period echo|make echoes with equal distances", "kv-echo-period", plain},
    {C::RndEcho, "RndEcho", G::ComplexWave, "&Random...", Key('E', alt), "Random echo|make echoes randomly made and placed", "kv-echo-random", plain},
    {C::TempoPitch, "TempoPitch", G::ComplexWave, "Tem&po and Pitch...", Key('T'), "Tempo and Pitch|Change tempo and/or pitch", "kv-tempo-pitch", plain},
    {C::FilterBlock, "FilterBlock", G::Filter, "FilterBlock", Key('B', ctrl | alt), "Filter using a block|Filter using a block", "kv-filter-block", plain},
    {C::FilterLow, "FilterLow", G::Filter, "&Low...", Key('L', ctrl | alt), "Filter Low|Filter the low sounds", "kv-filter-low", plain},
    {C::FilterHigh, "FilterHigh", G::Filter, "&High...", Key('H', ctrl | alt), "Filter High|Filter the high sounds", "kv-filter-high", plain},
    {C::FilterRes, "FilterRes", G::Filter, "&Resonant...", Key('R', ctrl | alt), "Filter Resonant|Filter the sound around a certain frequency", "kv-filter-resonant", plain},
    {C::FilterNotch, "FilterNotch", G::Filter, "&Notch...", Key('N', ctrl | alt), "Filter Notch|Filter the sound away of a certain frequency", "kv-filter-notch", plain},
    {C::Undo, "Undo", G::none, "&Undo", Key('Z', ctrl), "Undo|Undo last wave action", "edit-undo", plain},
    {C::Register, "Register", G::none, "&Register...", Key('N'), "Register|Register a wave using a name", "kv-register", plain},
    {C::DeleteUndo, "DeleteUndo", G::none, "De&lete Undo", none, "Delete Undo|Forget wave before last wave action", "kv-undo-delete", plain},
    {C::WindowCascade, "WindowCascade", G::Window, "&Cascade", Key(f5, shift), "Cascade", "kv-window-cascade", plain},
    {C::WindowTileHorizontal, "WindowTileHorizontal", G::Window, "Tile &Horizontally", Key(f4), "Tile Horizontally", "kv-window-tile-h", plain},
    {C::WindowTileVertical, "WindowTileVertical", G::Window, "Tile &Vertically", Key(f4, shift), "Tile Vertically", "kv-window-tile-v", plain},
    {C::WindowMinimizeAll, "WindowMinimizeAll", G::Window, "&Minimize All", none, "Minimize All", "kv-window-minimize", plain},
    {C::WindowArrangeAll, "WindowArrangeAll", G::Window, "&Arrange All", none, "Arrange All", "kv-window-arrange", plain},
    {C::HelpAbout, "HelpAbout", G::Help, "&About...", Key(f1, alt), "About|Displays program information, version number, and copyright", "help-about", plain},
    {C::HelpContents, "HelpContents", G::Help, "&Contents", Key(f1), "Help Contents|Getting Help of Morvane", "help-browser", plain},
    {C::HelpTopicSearch, "HelpTopicSearch", G::Help, "&Topic Search", Key(f1, shift), "Topic Search", "system-search", plain},
    {C::HelpOnHelp, "HelpOnHelp", G::Help, "&Help on Help", Key(f1, ctrl), "Help on help", "help-faq", plain},
    {C::MusicGenerate, "MusicGenerate", G::Music, "&Generate", Key('M', alt), "Generate Wave from Music", "kv-music-generate", plain},
    {C::MusicDelete, "MusicDelete", G::Music, "&Delete", none, "Delete Selected Item", "kv-music-delete", plain},
    {C::MusicDialog, "MusicDialog", G::Music, "&Dialogbox Edit Music...", none, "Display or Hide Dialogbox Edit Music", "kv-music-dialog", check},
    {C::MusicParts, "MusicParts", G::Music, "&Dialogbox Music Parts...", none, "Display or Hide Dialogbox Music Parts", "kv-music-parts", check},
    {C::MusicNote1, "MusicNote1", G::MusicNotes, "Note &1", none, "", "kv-note-1", check},
    {C::MusicNote2, "MusicNote2", G::MusicNotes, "Note &2", none, "", "kv-note-2", check},
    {C::MusicNote4, "MusicNote4", G::MusicNotes, "Note &4", none, "", "kv-note-4", check},
    {C::MusicNote8, "MusicNote8", G::MusicNotes, "Note &8", none, "", "kv-note-8", check},
    {C::MusicNote16, "MusicNote16", G::MusicNotes, "Note 1&6", none, "", "kv-note-16", check},
    {C::MusicNote32, "MusicNote32", G::MusicNotes, "Note &32", none, "", "kv-note-32", check},
    {C::MusicNote64, "MusicNote64", G::MusicNotes, "Not&e 64", none, "", "kv-note-64", check},
    {C::MusicNoteGroupPrev, "MusicNoteGroupPrev", G::MusicNotes, "Previous Note Group", none, "", "kv-group-prev", plain},
    {C::MusicNoteGroupNext, "MusicNoteGroupNext", G::MusicNotes, "Next Note Group", none, "", "kv-group-next", plain},
    {C::NoteStickUp, "NoteStickUp", G::MusicNotes, "Note Stick &Up", none, "", "kv-stem-up", check},
    {C::NoteStickDown, "NoteStickDown", G::MusicNotes, "Note Stick &Down", none, "", "kv-stem-down", check},
    {C::MusicSilence1, "MusicSilence1", G::MusicSilence, "Silence &1", none, "", "kv-rest-1", check},
    {C::MusicSilence2, "MusicSilence2", G::MusicSilence, "Silence &2", none, "", "kv-rest-2", check},
    {C::MusicSilence4, "MusicSilence4", G::MusicSilence, "Silence &4", none, "", "kv-rest-4", check},
    {C::MusicSilence8, "MusicSilence8", G::MusicSilence, "Silence &8", none, "", "kv-rest-8", check},
    {C::MusicSilence16, "MusicSilence16", G::MusicSilence, "Silence 1&6", none, "", "kv-rest-16", check},
    {C::MusicSilence32, "MusicSilence32", G::MusicSilence, "Silence &32", none, "", "kv-rest-32", check},
    {C::MusicSilence64, "MusicSilence64", G::MusicSilence, "Silenc&e 64", none, "", "kv-rest-64", check},
    {C::MusicKeyG, "MusicKeyG", G::MusicKey, "Key &G", Key('G'), "", "kv-clef-g", check},
    {C::MusicKeyC, "MusicKeyC", G::MusicKey, "Key &C", Key('C'), "", "kv-clef-c", check},
    {C::MusicKeyF, "MusicKeyF", G::MusicKey, "Key &F", Key('F'), "", "kv-clef-f", check},
    {C::MusicNSDCross, "MusicNSDCross", G::MusicNoteshift, "&Double Cross", none, "", "kv-double-sharp", check},
    {C::MusicNSCross, "MusicNSCross", G::MusicNoteshift, "&Cross", none, "", "kv-sharp", check},
    {C::MusicNSNormal, "MusicNSNormal", G::MusicNoteshift, "&Normal", none, "", "kv-natural", check},
    {C::MusicNSMol, "MusicNSMol", G::MusicNoteshift, "&Mol", none, "", "kv-flat", check},
    {C::MusicNSDMol, "MusicNSDMol", G::MusicNoteshift, "D&ouble Mol", none, "", "kv-double-flat", check},
    {C::MusicPointAdd, "MusicPointAdd", G::MusicPoint, "&Add", Key(period), "", "kv-dot-add", plain},
    {C::MusicPointDelete, "MusicPointDelete", G::MusicPoint, "&Delete", Key(period, shift), "", "kv-dot-delete", plain},
    {C::MusicStaccatissimo, "MusicStaccatissimo", G::MusicArt, "Staccatissimo", none, "", "kv-art-staccatissimo", check},
    {C::MusicStaccato, "MusicStaccato", G::MusicArt, "Staccato", none, "", "kv-art-staccato", check},
    {C::MusicArtNormal, "MusicArtNormal", G::MusicArt, "Normal", none, "", "kv-art-normal", check},
    {C::MusicPortato, "MusicPortato", G::MusicArt, "Portato", none, "", "kv-art-portato", check},
    {C::MusicLegato, "MusicLegato", G::MusicArt, "Legato", none, "", "kv-art-legato", check},
    {C::MusicTwin, "MusicTwin", G::MusicTuplet, "T&win", Key('2', ctrl), "", "kv-tuplet-2", plain},
    {C::MusicTriplet, "MusicTriplet", G::MusicTuplet, "&Triplet", Key('3', ctrl), "", "kv-tuplet-3", plain},
    {C::MusicQuadruplet, "MusicQuadruplet", G::MusicTuplet, "&Quadruplet", Key('4', ctrl), "", "kv-tuplet-4", plain},
    {C::MusicQuintuplet, "MusicQuintuplet", G::MusicTuplet, "Q&uintuplet", Key('5', ctrl), "bla", "kv-tuplet-5", plain},
    {C::MusicSelectDown, "MusicSelectDown", G::MusicSelect, "&Down", none, "", "go-down", plain},
    {C::MusicSelectNext, "MusicSelectNext", G::MusicSelect, "&Next", none, "", "go-next", plain},
    {C::MusicSelectPrev, "MusicSelectPrev", G::MusicSelect, "&Previous", none, "", "go-previous", plain},
    {C::MusicSelectUp, "MusicSelectUp", G::MusicSelect, "&Up", none, "", "go-up", plain},
    {C::MusicMoveNext, "MusicMoveNext", G::MusicMove, "&Next", none, "", "kv-move-next", plain},
    {C::MusicMovePrev, "MusicMovePrev", G::MusicMove, "&Previous", none, "", "kv-move-prev", plain},
    {C::MusicMoveUp, "MusicMoveUp", G::MusicMove, "&Up", none, "", "kv-move-up", plain},
    {C::MusicMoveDown, "MusicMoveDown", G::MusicMove, "&Down", none, "", "kv-move-down", plain},
    {C::MusicMoveOctUp, "MusicMoveOctUp", G::MusicMove, "&Octave Up", none, "", "kv-move-oct-up", plain},
    {C::MusicMoveOctDown, "MusicMoveOctDown", G::MusicMove, "O&ctave Down", none, "", "kv-move-oct-down", plain},
    {C::MusicModeDelete, "MusicModeDelete", G::MusicMode, "&Delete", none, "", "kv-mode-delete", check},
    {C::MusicModeEdit, "MusicModeEdit", G::MusicMode, "&Edit", Key(home, alt), "", "kv-mode-edit", check},
    {C::MusicModeAdd, "MusicModeAdd", G::MusicMode, "&Add", Key(ins, alt), "", "kv-mode-add", check},
    {C::MusicPlayNote, "MusicPlayNote", G::MusicPlay, "P&lay Note", none, "", "kv-play-note", plain},
    {C::MusicAutoPlay, "MusicAutoPlay", G::MusicPlay, "&Auto Play Note", none, "", "kv-auto-play", check},
    {C::keyCtrlP, "keyCtrlP", G::key, "", Key('P', ctrl), "", "", plain},
    {C::keyCtrlDel, "keyCtrlDel", G::key, "", Key(del, ctrl), "", "", plain},
    {C::keyAltDel, "keyAltDel", G::key, "", Key(del, alt), "", "", plain},
    {C::keyAltN, "keyAltN", G::key, "", Key('N', alt), "", "", plain},
    {C::keyAltS, "keyAltS", G::key, "", Key('S', alt), "", "", plain},
    {C::keyL, "keyL", G::key, "", Key('L'), "", "", plain},
    {C::keyShiftL, "keyShiftL", G::key, "", Key('L', shift), "", "", plain},
    {C::keyAltL, "keyAltL", G::key, "", Key('L', alt), "", "", plain},
    {C::keyShiftAltL, "keyShiftAltL", G::key, "", Key('L', shift | alt), "", "", plain},
    {C::keyB, "keyB", G::key, "", Key('B'), "", "", plain},
    {C::keyShiftB, "keyShiftB", G::key, "", Key('B', shift), "", "", plain},
    {C::keyH, "keyH", G::key, "", Key('H'), "", "", plain},
    {C::keyShiftH, "keyShiftH", G::key, "", Key('H', shift), "", "", plain},
    {C::keyE, "keyE", G::key, "", Key('E'), "", "", plain},
    {C::keyCtrlD, "keyCtrlD", G::key, "", Key('D', ctrl), "", "", plain},
    {C::keyShiftCtrlD, "keyShiftCtrlD", G::key, "", Key('D', shift | ctrl), "", "", plain},
    {C::keyAltP, "keyAltP", G::key, "", Key('P', alt), "", "", plain},
    {C::keyShiftAltP, "keyShiftAltP", G::key, "", Key('P', shift | alt), "", "", plain},
    {C::keyAltG, "keyAltG", G::key, "", Key('G', alt), "", "", plain},
    {C::keyShiftAltG, "keyShiftAltG", G::key, "", Key('G', shift | alt), "", "", plain},
    {C::keyD, "keyD", G::key, "", Key('D'), "", "", plain},
    {C::keyAltU, "keyAltU", G::key, "", Key('U', alt), "", "", plain},
    {C::keyAltD, "keyAltD", G::key, "", Key('D', alt), "", "", plain},
}};
// clang-format on

constexpr bool InIdOrder() {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (Index(table[i].id) != i) return false;
    }
    return true;
}
static_assert(InIdOrder(), "the command table must list the commands in CommandId order");

std::string KeyName(std::uint8_t key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, char(key));
    if (key >= keycode::f1 && key < keycode::f1 + 12) {
        std::string name = "F";
        name += std::to_string(key - keycode::f1 + 1);  // appended: GCC 12 misreads "F" + ...
        return name;
    }
    switch (key) {
        case keycode::backspace:
            return "Backspace";
        case keycode::tab:
            return "Tab";
        case keycode::enter:
            return "Return";
        case keycode::escape:
            return "Esc";
        case keycode::space:
            return "Space";
        case keycode::pageUp:
            return "PgUp";
        case keycode::pageDown:
            return "PgDown";
        case keycode::end:
            return "End";
        case keycode::home:
            return "Home";
        case keycode::left:
            return "Left";
        case keycode::up:
            return "Up";
        case keycode::right:
            return "Right";
        case keycode::down:
            return "Down";
        case keycode::insert:
            return "Ins";
        case keycode::del:
            return "Del";
        case keycode::period:
            return ".";
        default: {
            std::string name = "#";
            name += std::to_string(key);
            return name;
        }
    }
}

}  // namespace

std::string ShortcutText(Shortcut shortcut) {
    if (shortcut.Empty()) return {};
    std::string text;
    if (shortcut.ctrl) text += "Ctrl+";
    if (shortcut.alt) text += "Alt+";
    if (shortcut.shift) text += "Shift+";
    return text + KeyName(shortcut.key);
}

std::span<const CommandInfo> CommandTable() {
    return table;
}

const CommandInfo& Command(CommandId id) {
    return table[Index(id)];
}

std::optional<CommandId> FindCommandByName(std::string_view name) {
    for (const CommandInfo& info : table) {
        if (info.name == name) return info.id;
    }
    return std::nullopt;
}

std::string_view ToolTipOf(std::string_view hint) {
    return hint.substr(0, hint.find('|'));
}

std::string_view StatusTextOf(std::string_view hint) {
    std::size_t bar = hint.find('|');
    return bar == std::string_view::npos ? hint : hint.substr(bar + 1);
}

std::string PlainCaption(std::string_view caption) {
    std::string text;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') text += caption[++i];
            continue;
        }
        text += caption[i];
    }
    if (text.ends_with("...")) text.resize(text.size() - 3);
    return text;
}

}  // namespace kalvora
