#include "music/note_stave.h"

#include "platform/assertion.h"

namespace kalvora {

TNoteGroup::TNoteGroup(TNoteStave* stave, platform::Color noteColor,
                       std::unique_ptr<TCompoundPlayer> player, TNoteShape shape,
                       TDrawStickKind stick)
    : NoteColor(noteColor),
      CompoundPlayer(std::move(player)),
      NoteShape(shape),
      DrawStickKind(stick),
      NoteStave(stave) {
    KALVORA_ASSERT(CompoundPlayer != nullptr);
}

TStave::~TStave() {
    while (StartNoteGroup != nullptr) {
        TNoteGroup* next = StartNoteGroup->Next;
        delete StartNoteGroup;
        StartNoteGroup = next;
    }
}

void TStaveLayoutState::ResetShifts() {
    WrittenShifts.fill(noteShiftNormal);
    SoundingShifts.fill(noteShiftNormal);
}

TNoteStave::TNoteStave(TUnitMuz* unitMuz, platform::Color foreground, platform::Color background,
                       int roomUp, int roomDown, std::uint8_t drawFlagKind, std::uint8_t mute,
                       std::uint8_t extraLines)
    : ForegroundColor(foreground),
      BackgroundColor(background),
      RoomUp(roomUp, kMinRoom),
      RoomDown(roomDown, kMinRoom),
      DrawFlagKind(drawFlagKind),
      Mute(mute),
      ExtraLines(extraLines),
      UnitMuz(unitMuz) {
    KALVORA_ASSERT(drawFlagKind != drawFlagNone);
}

void TNoteStave::InsertGroup(TNoteGroup* after, std::unique_ptr<TNoteGroup> group) {
    KALVORA_ASSERT(after == nullptr || ContainsGroup(after));
    TNoteGroup* added = group.release();
    added->NoteStave = this;
    if (after == nullptr || StartNoteGroup == nullptr) {
        added->Next = StartNoteGroup;
        StartNoteGroup = added;
    } else {
        added->Next = after->Next;
        after->Next = added;
    }
    if (SelectedNoteGroup == nullptr) SelectedNoteGroup = added;
    if (DialogNoteGroup == nullptr) DialogNoteGroup = added;
}

TNoteGroup* TNoteStave::FindPrevGroup(const TNoteGroup* group) const {
    KALVORA_ASSERT(StartNoteGroup != nullptr);
    TNoteGroup* previous = nullptr;
    for (TNoteGroup* g = StartNoteGroup; g != nullptr && g != group; g = g->Next)
        previous = g;
    return previous;
}

std::unique_ptr<TNoteGroup> TNoteStave::RemoveGroup(TNoteGroup* group) {
    KALVORA_ASSERT(ContainsGroup(group));
    TNoteGroup* previous = FindPrevGroup(group);
    if (previous == nullptr) {
        KALVORA_ASSERT(group->Next != nullptr);
        StartNoteGroup = group->Next;
    } else {
        previous->Next = group->Next;
    }
    group->Next = nullptr;
    return std::unique_ptr<TNoteGroup>(group);
}

bool TNoteStave::MoveGroupEarlier(TNoteGroup* group) {
    TNoteGroup* previous = FindPrevGroup(group);
    if (previous == nullptr) return false;
    TNoteGroup* newPrevious = FindPrevGroup(previous);
    InsertGroup(newPrevious, RemoveGroup(group));
    return true;
}

bool TNoteStave::MoveGroupLater(TNoteGroup* group) {
    TNoteGroup* next = group->Next;
    if (next == nullptr) return false;
    InsertGroup(next, RemoveGroup(group));
    return true;
}

bool TNoteStave::ContainsGroup(const TNoteGroup* group) const {
    for (const TNoteGroup* g = StartNoteGroup; g != nullptr; g = g->Next) {
        if (g == group) return true;
    }
    return false;
}

int TNoteStave::CountGroups() const {
    int count = 0;
    for (const TNoteGroup* g = StartNoteGroup; g != nullptr; g = g->Next)
        ++count;
    return count;
}

TNoteGroup* TNoteStave::LastGroup() const {
    TNoteGroup* last = StartNoteGroup;
    while (last != nullptr && last->Next != nullptr)
        last = last->Next;
    return last;
}

}  // namespace kalvora
