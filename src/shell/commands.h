// The identities of the frame's commands and their shortcuts: every menu item, toolbar button
// and key of the program is one CommandId. Standard C++ only; the table of their texts is in
// command_table.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kalvora {

// In the order of the command table; the key commands (no menu item) come last.
enum class CommandId : std::uint8_t {
    FileNewWave,
    FileNewMuz,
    FileOpenWave,
    FileOpenMuz,
    FileSave,
    FileSaveAs,
    FileExit,
    FileProperties,
    FilePlay,
    FileStop,
    FilePause,
    FileRecord,
    DuplicateWave,
    DuplicateMuz,
    FilePlayMax,
    FileRevert,
    FileClose,
    FileImport,
    FileExport,
    ProjectOpen,
    ProjectNew,
    ProjectClose,
    ProjectSave,
    ProjectExport,
    EditDelete,
    EditTrim,
    EditClearClipboard,
    EditSwap,
    EditExtract,
    EditMix,
    EditCut,
    EditCopy,
    EditPaste,
    EditSelectAll,
    SplitH,
    SplitV,
    MergeH,
    MergeV,
    ViewWave,
    ViewVold,
    ZoomIn,
    NoZoom,
    SelectWave,
    MakeSilence,
    MakeLine,
    MakeBlock,
    MakeTriangle,
    MakeSinus,
    MakeNoise,
    MakeMFreq,
    DrawWaveLin,
    DrawWave3G,
    MaxVolume,
    Volume,
    Reverse,
    MoveV,
    Block,
    RollOut,
    Rotate,
    RollIn,
    Length,
    Distort,
    NormalizeVertically,
    MoveH,
    Balance,
    MixLeftRight,
    PerEcho,
    RndEcho,
    TempoPitch,
    FilterBlock,
    FilterLow,
    FilterHigh,
    FilterRes,
    FilterNotch,
    Undo,
    Register,
    DeleteUndo,
    WindowCascade,
    WindowTileHorizontal,
    WindowTileVertical,
    WindowMinimizeAll,
    WindowArrangeAll,
    HelpAbout,
    HelpContents,
    HelpTopicSearch,
    HelpOnHelp,
    MusicGenerate,
    MusicDelete,
    MusicDialog,
    MusicParts,
    MusicNote1,
    MusicNote2,
    MusicNote4,
    MusicNote8,
    MusicNote16,
    MusicNote32,
    MusicNote64,
    MusicNoteGroupPrev,
    MusicNoteGroupNext,
    NoteStickUp,
    NoteStickDown,
    MusicSilence1,
    MusicSilence2,
    MusicSilence4,
    MusicSilence8,
    MusicSilence16,
    MusicSilence32,
    MusicSilence64,
    MusicKeyG,
    MusicKeyC,
    MusicKeyF,
    MusicNSDCross,
    MusicNSCross,
    MusicNSNormal,
    MusicNSMol,
    MusicNSDMol,
    MusicPointAdd,
    MusicPointDelete,
    MusicStaccatissimo,
    MusicStaccato,
    MusicArtNormal,
    MusicPortato,
    MusicLegato,
    MusicTwin,
    MusicTriplet,
    MusicQuadruplet,
    MusicQuintuplet,
    MusicSelectDown,
    MusicSelectNext,
    MusicSelectPrev,
    MusicSelectUp,
    MusicMoveNext,
    MusicMovePrev,
    MusicMoveUp,
    MusicMoveDown,
    MusicMoveOctUp,
    MusicMoveOctDown,
    MusicModeDelete,
    MusicModeEdit,
    MusicModeAdd,
    MusicPlayNote,
    MusicAutoPlay,
    // Keyboard commands: one key whose meaning depends on the kind of the active window.
    keyCtrlP,
    keyCtrlDel,
    keyAltDel,
    keyAltN,
    keyAltS,
    keyL,
    keyShiftL,
    keyAltL,
    keyShiftAltL,
    keyB,
    keyShiftB,
    keyH,
    keyShiftH,
    keyE,
    keyCtrlD,
    keyShiftCtrlD,
    keyAltP,
    keyShiftAltP,
    keyAltG,
    keyShiftAltG,
    keyD,
    keyAltU,
    keyAltD,
};

inline constexpr std::size_t kCommandCount = static_cast<std::size_t>(CommandId::keyAltD) + 1;

constexpr std::size_t Index(CommandId id) {
    return static_cast<std::size_t>(id);
}

constexpr CommandId CommandAt(std::size_t index) {
    return static_cast<CommandId>(index);
}

enum class CommandCategory : std::uint8_t {
    none,
    File,
    Project,
    Edit,
    WaveWindow,
    MakeWave,
    SimpleWave,
    ComplexWave,
    Filter,
    Window,
    Help,
    Music,
    MusicNotes,
    MusicSilence,
    MusicKey,
    MusicNoteshift,
    MusicPoint,
    MusicArt,
    MusicTuplet,
    MusicSelect,
    MusicMove,
    MusicMode,
    MusicPlay,
    key,
};

// True for the categories whose commands act on the active music document.
constexpr bool IsMusicCategory(CommandCategory category) {
    return category >= CommandCategory::Music && category <= CommandCategory::MusicPlay;
}

// Key codes of the stored shortcut form (the low byte): letters and digits are their upper-case
// character codes; the others follow the desktop's virtual key numbers.
namespace keycode {
inline constexpr std::uint8_t backspace = 0x08;
inline constexpr std::uint8_t tab = 0x09;
inline constexpr std::uint8_t enter = 0x0D;
inline constexpr std::uint8_t escape = 0x1B;
inline constexpr std::uint8_t space = 0x20;
inline constexpr std::uint8_t pageUp = 0x21;
inline constexpr std::uint8_t pageDown = 0x22;
inline constexpr std::uint8_t end = 0x23;
inline constexpr std::uint8_t home = 0x24;
inline constexpr std::uint8_t left = 0x25;
inline constexpr std::uint8_t up = 0x26;
inline constexpr std::uint8_t right = 0x27;
inline constexpr std::uint8_t down = 0x28;
inline constexpr std::uint8_t insert = 0x2D;
inline constexpr std::uint8_t del = 0x2E;
inline constexpr std::uint8_t f1 = 0x70;  // F2 ... F12 follow
inline constexpr std::uint8_t period = 0xBE;
}  // namespace keycode

// A key with its modifiers. Stored() is the persistent number: the key code plus 8192 for
// Shift, 16384 for Ctrl and 32768 for Alt; 0 is no shortcut.
struct Shortcut {
    std::uint8_t key = 0;
    bool shift = false;
    bool ctrl = false;
    bool alt = false;

    constexpr bool Empty() const { return key == 0; }
    constexpr std::uint16_t Stored() const {
        return static_cast<std::uint16_t>(key + (shift ? 8192 : 0) + (ctrl ? 16384 : 0) +
                                          (alt ? 32768 : 0));
    }
    static constexpr Shortcut FromStored(std::uint16_t stored) {
        return Shortcut{static_cast<std::uint8_t>(stored & 0xFF), (stored & 8192) != 0,
                        (stored & 16384) != 0, (stored & 32768) != 0};
    }
    friend constexpr bool operator==(const Shortcut&, const Shortcut&) = default;
};

// The shortcut as menus show it: modifiers in the order Ctrl, Alt, Shift, then the key, joined
// by "+" ("Ctrl+Shift+N", "Alt+F1", "Del", "."); empty for no shortcut.
std::string ShortcutText(Shortcut shortcut);

}  // namespace kalvora
