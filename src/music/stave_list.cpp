#include "music/stave_list.h"

#include "platform/assertion.h"

namespace kalvora {

TStaveList::~TStaveList() {
    while (StartStave != nullptr) {
        TNoteStave* next = StartStave->Next;
        delete StartStave;
        StartStave = next;
    }
}

TNoteStave* TStaveList::CreateStave(TNoteStave* after, TUnitMuz* unitMuz,
                                    platform::Color foreground, platform::Color background,
                                    int roomUp, int roomDown, std::uint8_t drawFlagKind,
                                    std::uint8_t mute, std::uint8_t extraLines) {
    return InsertStave(
        after, std::make_unique<TNoteStave>(unitMuz, foreground, background, roomUp, roomDown,
                                            drawFlagKind, mute, extraLines));
}

TNoteStave* TStaveList::InsertStave(TNoteStave* after, std::unique_ptr<TNoteStave> stave) {
    KALVORA_ASSERT(after == nullptr || Contains(after));
    TNoteStave* added = stave.release();
    added->Prev = after;
    added->Next = after != nullptr ? after->Next : StartStave;
    if (added->Next != nullptr) added->Next->Prev = added;
    if (after != nullptr) {
        after->Next = added;
    } else {
        StartStave = added;
    }
    return added;
}

std::unique_ptr<TNoteStave> TStaveList::DeleteStave(TNoteStave* stave) {
    KALVORA_ASSERT(Contains(stave));
    if (stave->Prev != nullptr) {
        stave->Prev->Next = stave->Next;
    } else {
        StartStave = stave->Next;
    }
    if (stave->Next != nullptr) stave->Next->Prev = stave->Prev;
    KALVORA_ASSERT(StartStave != nullptr);
    stave->Next = stave->Prev = nullptr;
    return std::unique_ptr<TNoteStave>(stave);
}

bool TStaveList::MoveStaveEarlier(TNoteStave* stave) {
    TNoteStave* previous = stave->Prev;
    if (previous == nullptr) return false;
    TNoteStave* newAfter = previous->Prev;
    InsertStave(newAfter, DeleteStave(stave));
    return true;
}

bool TStaveList::MoveStaveLater(TNoteStave* stave) {
    TNoteStave* next = stave->Next;
    if (next == nullptr) return false;
    InsertStave(next, DeleteStave(stave));
    return true;
}

TNoteStave* TStaveList::LastStave() const {
    TNoteStave* last = StartStave;
    while (last != nullptr && last->Next != nullptr)
        last = last->Next;
    return last;
}

bool TStaveList::Contains(const TNoteStave* stave) const {
    return IndexOf(stave) >= 0;
}

int TStaveList::Count() const {
    int count = 0;
    for (const TNoteStave* s = StartStave; s != nullptr; s = s->Next)
        ++count;
    return count;
}

int TStaveList::IndexOf(const TNoteStave* stave) const {
    int index = 0;
    for (const TNoteStave* s = StartStave; s != nullptr; s = s->Next, ++index) {
        if (s == stave) return index;
    }
    return -1;
}

}  // namespace kalvora
