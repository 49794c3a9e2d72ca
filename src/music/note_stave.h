// A stave with its drawing properties and its ordered note groups, and the note group: the
// instrument voice of a stave, owning its compound player. The symbols of a stave live in
// the lists of the single parts and point back at it. Standard C++ only.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "documents/unit_integer.h"
#include "music/compound_player.h"
#include "music/music_kinds.h"
#include "platform/color.h"

namespace kalvora {

class TKey;
class TNoteStave;
class TUnitMuz;

class TNoteGroup {
  public:
    TNoteGroup(TNoteStave* stave, platform::Color noteColor,
               std::unique_ptr<TCompoundPlayer> player, TNoteShape shape = NoteShapeNormal,
               TDrawStickKind stick = drawStickUp);
    TNoteGroup(const TNoteGroup&) = delete;
    TNoteGroup& operator=(const TNoteGroup&) = delete;

    TNoteGroup* GetNext() const { return Next; }
    TNoteStave* GetNoteStave() const { return NoteStave; }
    TCompoundPlayer& GetCompoundPlayer() const { return *CompoundPlayer; }

    TNoteGroup* Next = nullptr;
    platform::Color NoteColor;
    std::unique_ptr<TCompoundPlayer> CompoundPlayer;  // never null
    std::uint8_t NoteShape;
    std::uint8_t DrawStickKind;  // stem of the group's notes whose own stem is automatic
    TNoteStave* NoteStave;
};

// The part of a stave shared with its list: neighbours and note groups. A stave owns its
// groups and always has at least one once it is in use.
class TStave {
  public:
    TStave() = default;
    TStave(const TStave&) = delete;
    TStave& operator=(const TStave&) = delete;
    virtual ~TStave();

    TNoteStave* GetNext() const { return Next; }
    TNoteStave* GetPrev() const { return Prev; }
    TNoteGroup* GetStartNoteGroup() const { return StartNoteGroup; }

    TNoteStave* Next = nullptr;
    TNoteStave* Prev = nullptr;
    TNoteGroup* StartNoteGroup = nullptr;
    TNoteGroup* DialogNoteGroup = nullptr;  // the group the music dialog shows
};

// Scratch data of one drawing pass; never saved.
struct TStaveLayoutState {
    int MiddleY = 0;  // window y of the middle line
    int BottomY = 0;
    const TKey* DrawKey = nullptr;                 // the key in effect while drawing
    std::array<std::uint8_t, 7> WrittenShifts{};   // accidentals written in the current bar
    std::array<std::uint8_t, 7> SoundingShifts{};  // accidentals sounding so far

    TStaveLayoutState() { ResetShifts(); }
    void ResetShifts();
};

class TNoteStave : public TStave {
  public:
    static constexpr int kMinRoom = 30;
    static constexpr int kDefaultRoom = 80;

    TNoteStave(TUnitMuz* unitMuz, platform::Color foreground, platform::Color background,
               int roomUp, int roomDown, std::uint8_t drawFlagKind, std::uint8_t mute,
               std::uint8_t extraLines);

    // Links `group` after `after`, or at the front when `after` is null or the list is
    // empty; `after` must be one of this stave's groups. A first group becomes the
    // selected and the dialog's group.
    void InsertGroup(TNoteGroup* after, std::unique_ptr<TNoteGroup> group);
    // The group before `group`, null for the first.
    TNoteGroup* FindPrevGroup(const TNoteGroup* group) const;
    // Unlinks and hands over `group`; the first group can be removed only when a second
    // one follows. Selected and dialog group are left to the caller.
    std::unique_ptr<TNoteGroup> RemoveGroup(TNoteGroup* group);
    bool MoveGroupEarlier(TNoteGroup* group);
    bool MoveGroupLater(TNoteGroup* group);
    bool ContainsGroup(const TNoteGroup* group) const;
    int CountGroups() const;
    TNoteGroup* LastGroup() const;

    platform::Color ForegroundColor;
    platform::Color BackgroundColor;
    unitIntegerMoreUser RoomUp;
    unitIntegerMoreUser RoomDown;
    std::uint8_t DrawFlagKind;
    std::uint8_t Mute;
    std::uint8_t ExtraLines;
    TUnitMuz* UnitMuz;
    TNoteGroup* SelectedNoteGroup = nullptr;  // receives inserted notes
    TStaveLayoutState Layout;
};

}  // namespace kalvora
