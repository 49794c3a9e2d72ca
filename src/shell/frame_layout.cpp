#include "shell/frame_layout.h"

#include <array>

namespace kalvora {
namespace {

using C = CommandId;
using M = MenuId;

constexpr MenuItem Cmd(CommandId id) {
    return MenuItem{MenuItemKind::command, id, M::file};
}
constexpr MenuItem Sub(MenuId id) {
    return MenuItem{MenuItemKind::submenu, C::FileExit, id};
}
constexpr MenuItem separator{MenuItemKind::separator, C::FileExit, M::file};
constexpr MenuItem windowList{MenuItemKind::windowList, C::FileExit, M::file};
constexpr MenuItem recentFiles{MenuItemKind::recentFiles, C::FileExit, M::file};

constexpr std::array<MenuInfo, kMenuCount> menus{{
    {M::file, "&File", true},
    {M::project, "&Project", true},
    {M::edit, "&Edit", true},
    {M::view, "&View", true},
    {M::make, "&Make", true},
    {M::effects, "&Effects", true},
    {M::filter, "&Filter", false},
    {M::echo, "E&cho", false},
    {M::music, "M&usic", true},
    {M::note, "&Note", false},
    {M::silence, "&Silence", false},
    {M::key, "&Key", false},
    {M::noteshift, "N&oteshift", false},
    {M::point, "&Point", false},
    {M::articulation, "&Articulation", false},
    {M::tuplet, "&Tuplet", false},
    {M::select, "S&elect", false},
    {M::move, "&Move", false},
    {M::mode, "Mo&de", false},
    {M::window, "&Window", true},
    {M::help, "&Help", true},
}};

constexpr MenuItem fileItems[] = {
    Cmd(C::FileNewWave),
    Cmd(C::FileOpenWave),
    Cmd(C::FileNewMuz),
    Cmd(C::FileOpenMuz),
    recentFiles,
    separator,
    Cmd(C::FileSave),
    Cmd(C::FileSaveAs),
    Cmd(C::FileRevert),
    Cmd(C::FileClose),
    separator,
    Cmd(C::FileImport),
    Cmd(C::FileExport),
    separator,
    Cmd(C::DuplicateWave),
    Cmd(C::DuplicateMuz),
    Cmd(C::FileProperties),
    Cmd(C::Register),
    separator,
    Cmd(C::FilePlay),
    Cmd(C::FilePlayMax),
    Cmd(C::FileStop),
    Cmd(C::FilePause),
    Cmd(C::FileRecord),
    separator,
    Cmd(C::FileExit),
};
constexpr MenuItem projectItems[] = {
    Cmd(C::ProjectNew),    Cmd(C::ProjectOpen),  Cmd(C::ProjectSave),
    Cmd(C::ProjectExport), Cmd(C::ProjectClose),
};
constexpr MenuItem editItems[] = {
    Cmd(C::Undo),
    Cmd(C::DeleteUndo),
    separator,
    Cmd(C::EditCut),
    Cmd(C::EditCopy),
    Cmd(C::EditPaste),
    Cmd(C::EditDelete),
    Cmd(C::EditSelectAll),
    separator,
    Cmd(C::EditTrim),
    Cmd(C::EditSwap),
    Cmd(C::EditExtract),
    Cmd(C::EditMix),
    Cmd(C::EditClearClipboard),
    separator,
    Cmd(C::SplitH),
    Cmd(C::SplitV),
    Cmd(C::MergeH),
    Cmd(C::MergeV),
};
constexpr MenuItem viewItems[] = {
    Cmd(C::ViewWave), Cmd(C::ViewVold),   separator,           Cmd(C::ZoomIn),
    Cmd(C::NoZoom),   Cmd(C::SelectWave), Cmd(C::MusicDialog),
};
constexpr MenuItem makeItems[] = {
    Cmd(C::MakeSilence), Cmd(C::MakeLine),   Cmd(C::MakeBlock), Cmd(C::MakeTriangle),
    Cmd(C::MakeSinus),   Cmd(C::MakeNoise),  Cmd(C::MakeMFreq), separator,
    Cmd(C::DrawWaveLin), Cmd(C::DrawWave3G),
};
constexpr MenuItem effectsItems[] = {
    Cmd(C::Volume),     Cmd(C::MaxVolume), Cmd(C::MoveV),   Cmd(C::NormalizeVertically),
    separator,          Cmd(C::MoveH),     Cmd(C::Length),  Cmd(C::Block),
    Cmd(C::Reverse),    Cmd(C::Rotate),    Cmd(C::RollIn),  Cmd(C::RollOut),
    Cmd(C::Distort),    separator,         Cmd(C::Balance), Cmd(C::MixLeftRight),
    Cmd(C::TempoPitch), separator,         Sub(M::filter),  Sub(M::echo),
};
constexpr MenuItem filterItems[] = {
    Cmd(C::FilterLow),   Cmd(C::FilterHigh),  Cmd(C::FilterRes),
    Cmd(C::FilterNotch), Cmd(C::FilterBlock),
};
constexpr MenuItem echoItems[] = {Cmd(C::PerEcho), Cmd(C::RndEcho)};
constexpr MenuItem musicItems[] = {
    Cmd(C::MusicGenerate),
    separator,
    Cmd(C::MusicParts),
    separator,
    Sub(M::note),
    Sub(M::silence),
    Sub(M::key),
    Sub(M::noteshift),
    Sub(M::point),
    Sub(M::articulation),
    Sub(M::tuplet),
    Sub(M::select),
    Sub(M::move),
    Sub(M::mode),
    separator,
    Cmd(C::MusicDelete),
    separator,
    Cmd(C::MusicPlayNote),
    Cmd(C::MusicAutoPlay),
};
constexpr MenuItem noteItems[] = {
    Cmd(C::MusicNote1),         Cmd(C::MusicNote2),  Cmd(C::MusicNote4),
    Cmd(C::MusicNote8),         Cmd(C::MusicNote16), Cmd(C::MusicNote32),
    Cmd(C::MusicNote64),        separator,           Cmd(C::NoteStickUp),
    Cmd(C::NoteStickDown),      separator,           Cmd(C::MusicNoteGroupPrev),
    Cmd(C::MusicNoteGroupNext),
};
constexpr MenuItem silenceItems[] = {
    Cmd(C::MusicSilence1),  Cmd(C::MusicSilence2),  Cmd(C::MusicSilence4),  Cmd(C::MusicSilence8),
    Cmd(C::MusicSilence16), Cmd(C::MusicSilence32), Cmd(C::MusicSilence64),
};
constexpr MenuItem keyItems[] = {Cmd(C::MusicKeyG), Cmd(C::MusicKeyC), Cmd(C::MusicKeyF)};
constexpr MenuItem noteshiftItems[] = {
    Cmd(C::MusicNSDCross), Cmd(C::MusicNSCross), Cmd(C::MusicNSNormal),
    Cmd(C::MusicNSMol),    Cmd(C::MusicNSDMol),
};
constexpr MenuItem pointItems[] = {Cmd(C::MusicPointAdd), Cmd(C::MusicPointDelete)};
constexpr MenuItem articulationItems[] = {
    Cmd(C::MusicStaccatissimo), Cmd(C::MusicStaccato), Cmd(C::MusicArtNormal),
    Cmd(C::MusicPortato),       Cmd(C::MusicLegato),
};
constexpr MenuItem tupletItems[] = {
    Cmd(C::MusicTwin),
    Cmd(C::MusicTriplet),
    Cmd(C::MusicQuadruplet),
    Cmd(C::MusicQuintuplet),
};
constexpr MenuItem selectItems[] = {
    Cmd(C::MusicSelectUp),
    Cmd(C::MusicSelectDown),
    Cmd(C::MusicSelectPrev),
    Cmd(C::MusicSelectNext),
};
constexpr MenuItem moveItems[] = {
    Cmd(C::MusicMovePrev), Cmd(C::MusicMoveNext),  Cmd(C::MusicMoveUp),
    Cmd(C::MusicMoveDown), Cmd(C::MusicMoveOctUp), Cmd(C::MusicMoveOctDown),
};
constexpr MenuItem modeItems[] = {
    Cmd(C::MusicModeAdd),
    Cmd(C::MusicModeEdit),
    Cmd(C::MusicModeDelete),
};
constexpr MenuItem windowItems[] = {
    Cmd(C::WindowCascade),
    Cmd(C::WindowTileHorizontal),
    Cmd(C::WindowTileVertical),
    Cmd(C::WindowMinimizeAll),
    Cmd(C::WindowArrangeAll),
    separator,
    windowList,
};
constexpr MenuItem helpItems[] = {
    Cmd(C::HelpContents), Cmd(C::HelpTopicSearch), Cmd(C::HelpOnHelp), separator, Cmd(C::HelpAbout),
};

constexpr std::array<std::span<const MenuItem>, kMenuCount> menuItems{{
    fileItems,      projectItems, editItems,         viewItems,   makeItems,    effectsItems,
    filterItems,    echoItems,    musicItems,        noteItems,   silenceItems, keyItems,
    noteshiftItems, pointItems,   articulationItems, tupletItems, selectItems,  moveItems,
    modeItems,      windowItems,  helpItems,
}};

constexpr ToolbarItem Button(CommandId id) {
    return ToolbarItem{ToolbarItemKind::command, id};
}
constexpr ToolbarItem gap{ToolbarItemKind::separator, C::FileExit};
constexpr ToolbarItem nameBox{ToolbarItemKind::nameBox, C::FileExit};

constexpr std::array<ToolbarInfo, kToolbarCount> toolbars{{
    {ToolbarId::basic, "ToolBarBasic", 0},
    {ToolbarId::wave1, "ToolBarWave1", 1},
    {ToolbarId::wave2, "ToolBarWave2", 2},
    {ToolbarId::wave3, "ToolBarWave3", 3},
    {ToolbarId::music1, "ToolBarMusic1", 1},
    {ToolbarId::music2, "ToolBarMusic2", 2},
    {ToolbarId::music3, "ToolBarMusic3", 3},
}};

constexpr ToolbarItem basicButtons[] = {
    Button(C::FileNewWave),
    Button(C::FileOpenWave),
    Button(C::FileNewMuz),
    Button(C::FileOpenMuz),
    Button(C::DuplicateWave),
    Button(C::DuplicateMuz),
    Button(C::FileRevert),
    Button(C::FileSave),
    Button(C::FileSaveAs),
    Button(C::FileProperties),
    gap,
    nameBox,
    gap,
    Button(C::ProjectNew),
    Button(C::ProjectOpen),
    Button(C::ProjectSave),
    Button(C::ProjectExport),
    Button(C::ProjectClose),
    gap,
    Button(C::Undo),
    Button(C::DeleteUndo),
    gap,
    Button(C::FilePlay),
    Button(C::FilePlayMax),
    Button(C::FileStop),
    Button(C::FilePause),
    Button(C::FileRecord),
};
constexpr ToolbarItem wave1Buttons[] = {
    Button(C::ViewWave),
    Button(C::ViewVold),
    Button(C::ZoomIn),
    Button(C::NoZoom),
    Button(C::SelectWave),
    gap,
    Button(C::SplitH),
    Button(C::SplitV),
    Button(C::MergeH),
    Button(C::MergeV),
    gap,
    Button(C::EditDelete),
    Button(C::EditTrim),
    Button(C::EditCut),
    Button(C::EditPaste),
    Button(C::EditCopy),
    Button(C::EditSwap),
    Button(C::EditExtract),
    Button(C::EditMix),
    Button(C::EditClearClipboard),
};
constexpr ToolbarItem wave2Buttons[] = {
    Button(C::MakeSilence),
    Button(C::MakeLine),
    Button(C::MakeBlock),
    Button(C::MakeTriangle),
    Button(C::MakeSinus),
    Button(C::MakeNoise),
    Button(C::MakeMFreq),
    gap,
    Button(C::DrawWaveLin),
    Button(C::DrawWave3G),
    gap,
    Button(C::Volume),
    Button(C::MaxVolume),
    Button(C::MoveV),
    Button(C::NormalizeVertically),
    Button(C::MoveH),
    Button(C::Distort),
    Button(C::Block),
    Button(C::Length),
    Button(C::Reverse),
    Button(C::Rotate),
    Button(C::RollOut),
    Button(C::RollIn),
};
constexpr ToolbarItem wave3Buttons[] = {
    Button(C::Balance),
    Button(C::MixLeftRight),
    Button(C::TempoPitch),
    gap,
    Button(C::PerEcho),
    Button(C::RndEcho),
    gap,
    Button(C::FilterBlock),
    Button(C::FilterLow),
    Button(C::FilterHigh),
    Button(C::FilterRes),
    Button(C::FilterNotch),
};
constexpr ToolbarItem music1Buttons[] = {
    Button(C::MusicGenerate),
    Button(C::MusicDialog),
    Button(C::MusicParts),
    gap,
    Button(C::MusicModeAdd),
    Button(C::MusicModeEdit),
    Button(C::MusicModeDelete),
    Button(C::MusicDelete),
    gap,
    Button(C::MusicPlayNote),
    Button(C::MusicAutoPlay),
    gap,
    Button(C::MusicSelectPrev),
    Button(C::MusicSelectNext),
    Button(C::MusicSelectUp),
    Button(C::MusicSelectDown),
    gap,
    Button(C::MusicMovePrev),
    Button(C::MusicMoveNext),
    Button(C::MusicMoveUp),
    Button(C::MusicMoveDown),
    Button(C::MusicMoveOctUp),
    Button(C::MusicMoveOctDown),
};
constexpr ToolbarItem music2Buttons[] = {
    Button(C::MusicNote1),
    Button(C::MusicNote2),
    Button(C::MusicNote4),
    Button(C::MusicNote8),
    Button(C::MusicNote16),
    Button(C::MusicNote32),
    Button(C::MusicNote64),
    gap,
    Button(C::MusicSilence1),
    Button(C::MusicSilence2),
    Button(C::MusicSilence4),
    Button(C::MusicSilence8),
    Button(C::MusicSilence16),
    Button(C::MusicSilence32),
    Button(C::MusicSilence64),
    gap,
    Button(C::MusicPointAdd),
    Button(C::MusicPointDelete),
    gap,
    Button(C::MusicTwin),
    Button(C::MusicTriplet),
    Button(C::MusicQuadruplet),
    Button(C::MusicQuintuplet),
};
constexpr ToolbarItem music3Buttons[] = {
    Button(C::MusicKeyG),
    Button(C::MusicKeyC),
    Button(C::MusicKeyF),
    gap,
    Button(C::MusicNSDCross),
    Button(C::MusicNSCross),
    Button(C::MusicNSNormal),
    Button(C::MusicNSMol),
    Button(C::MusicNSDMol),
    gap,
    Button(C::MusicStaccatissimo),
    Button(C::MusicStaccato),
    Button(C::MusicArtNormal),
    Button(C::MusicPortato),
    Button(C::MusicLegato),
    gap,
    Button(C::NoteStickUp),
    Button(C::NoteStickDown),
    gap,
    Button(C::MusicNoteGroupPrev),
    Button(C::MusicNoteGroupNext),
};

constexpr std::array<std::span<const ToolbarItem>, kToolbarCount> toolbarItems{{
    basicButtons,
    wave1Buttons,
    wave2Buttons,
    wave3Buttons,
    music1Buttons,
    music2Buttons,
    music3Buttons,
}};

}  // namespace

std::span<const MenuInfo> Menus() {
    return menus;
}

const MenuInfo& Menu(MenuId id) {
    return menus[static_cast<std::size_t>(id)];
}

std::span<const MenuItem> MenuItems(MenuId id) {
    return menuItems[static_cast<std::size_t>(id)];
}

std::span<const ToolbarInfo> Toolbars() {
    return toolbars;
}

const ToolbarInfo& Toolbar(ToolbarId id) {
    return toolbars[static_cast<std::size_t>(id)];
}

std::span<const ToolbarItem> ToolbarItems(ToolbarId id) {
    return toolbarItems[static_cast<std::size_t>(id)];
}

}  // namespace kalvora
