#include "music/stave_shifting.h"

#include <algorithm>

#include "music/music_math.h"
#include "platform/assertion.h"

namespace kalvora {

namespace {

// Sorts after every real key number at a position.
constexpr int kLastVolgnr = 1 << 20;

}  // namespace

TStaveSymbol* PrevOnStave(const TStaveSymbol& symbol) {
    TStaveSymbol* s = symbol.Prev;
    while (s != nullptr && s->NoteStave != symbol.NoteStave)
        s = s->Prev;
    return s;
}

TStaveSymbol* NextOnStave(const TStaveSymbol& symbol) {
    TStaveSymbol* s = symbol.Next;
    while (s != nullptr && s->NoteStave != symbol.NoteStave)
        s = s->Next;
    return s;
}

TKey* KeyAtOrBefore(TStaveSymbol& symbol) {
    for (TStaveSymbol* s = &symbol; s != nullptr; s = s->Prev) {
        if (s->NoteStave == symbol.NoteStave && s->IsKey()) return static_cast<TKey*>(s);
    }
    return nullptr;
}

std::vector<TStaveTimeSymbol*> ChordMembers(TStaveTimeSymbol& symbol) {
    std::vector<TStaveTimeSymbol*> members;
    TStaveSymbol* s = FirstChordMember(symbol);
    for (; s != nullptr && SamePosition(s->Position, symbol.Position); s = s->Next) {
        if (s->NoteStave == symbol.NoteStave && s->IsTimeSymbol()) {
            members.push_back(static_cast<TStaveTimeSymbol*>(s));
        }
    }
    return members;
}

std::vector<TStaveTimeSymbol*> SameOolMembers(TStaveTimeSymbol& symbol) {
    std::vector<TStaveTimeSymbol*> members;
    for (TStaveTimeSymbol* member : ChordMembers(symbol)) {
        if (member->PosInOol == symbol.PosInOol) members.push_back(member);
    }
    return members;
}

std::vector<TMuzNote*> SameOolNotes(TStaveTimeSymbol& symbol) {
    std::vector<TMuzNote*> notes;
    for (TStaveTimeSymbol* member : SameOolMembers(symbol)) {
        if (TMuzNote* note = AsNote(member)) notes.push_back(note);
    }
    return notes;
}

TStaveSymbol* GroupEnd(TStaveSymbol& symbol) {
    TStaveTimeSymbol* timed = AsTimeSymbol(&symbol);
    return timed != nullptr ? LastChordMember(*timed) : &symbol;
}

void RenumberKeys(TSinglePartMuz& part, const TNoteStave* stave) {
    TKey* previous = nullptr;
    for (TStaveSymbol* s = part.FirstSymbol(); s != nullptr; s = s->Next) {
        TKey* key = s->NoteStave == stave ? AsKey(s) : nullptr;
        if (key == nullptr) continue;
        const bool samePlace =
            previous != nullptr && SamePosition(previous->Position, key->Position);
        key->Volgnr = samePlace ? previous->Volgnr + 1 : 1;
        previous = key;
    }
}

void ShiftFollowing(TStaveSymbol& after, double delta, const TNoteStave* stave) {
    TSinglePartMuz& part = *after.SinglePartMuz;
    std::vector<TStaveSymbol*> following;
    for (TStaveSymbol* s = after.Next; s != nullptr; s = s->Next) {
        if (s->NoteStave == stave) following.push_back(s);
    }
    // Moving right from the end backwards and left from the front, each symbol meets only
    // symbols that are already in order.
    if (delta > 0) std::reverse(following.begin(), following.end());
    for (TStaveSymbol* s : following) {
        s->Position += delta;
        if (SamePosition(s->Position, 0.0)) s->Position = 0.0;
        part.ResortSymbol(s);
    }
    RenumberKeys(part, stave);
}

TSymbolGroup GroupOf(TStaveSymbol& symbol) {
    TSymbolGroup group;
    group.Position = symbol.Position;
    if (TStaveTimeSymbol* timed = AsTimeSymbol(&symbol)) {
        for (TStaveTimeSymbol* member : ChordMembers(*timed)) {
            group.Members.push_back(member);
            group.Length = std::max(group.Length, member->GetTotalLength());
        }
    } else {
        group.Members.push_back(&symbol);
    }
    return group;
}

TSymbolGroup SearchForSwitch(TStaveSymbol& symbol, int direction) {
    TSymbolGroup own = GroupOf(symbol);
    if (own.IsKey() && static_cast<TKey*>(own.Members.front())->IsStartKey()) return {};
    TStaveSymbol* neighbour =
        direction < 0 ? PrevOnStave(*own.Members.front()) : NextOnStave(*own.Members.back());
    if (neighbour == nullptr) return {};  // the neighbour would lie in another part
    if (const TKey* key = AsKey(neighbour); key != nullptr && key->IsStartKey()) return {};
    return GroupOf(*neighbour);
}

void SwitchGroups(TSymbolGroup earlier, TSymbolGroup later) {
    KALVORA_ASSERT(!earlier.Members.empty() && !later.Members.empty());
    TSinglePartMuz& part = *earlier.Members.front()->SinglePartMuz;
    const TNoteStave* stave = earlier.Members.front()->NoteStave;
    // Tag the moved notes and silences while they are out of the list, so that the two
    // groups stay told apart.
    auto mark = [](const TSymbolGroup& group, int tag) {
        for (TStaveSymbol* s : group.Members) {
            if (TStaveTimeSymbol* timed = AsTimeSymbol(s)) timed->SetMark(tag);
        }
    };
    mark(earlier, 1);
    mark(later, 2);
    std::vector<std::unique_ptr<TStaveSymbol>> moved;
    for (const TSymbolGroup* group : {&earlier, &later}) {
        for (TStaveSymbol* s : group->Members)
            moved.push_back(part.UnlinkSymbol(s));
    }
    const double start = earlier.Position;
    for (TStaveSymbol* s : later.Members)
        s->Position = start;
    for (TStaveSymbol* s : earlier.Members)
        s->Position = start + later.Length;
    // A moved key keeps its place among the keys where it lands: the later one comes after
    // the keys already there (or right before the earlier key), the earlier one before the
    // keys that followed the later group. RenumberKeys makes the numbers plain again.
    TKey* earlierKey = earlier.IsKey() ? static_cast<TKey*>(earlier.Members.front()) : nullptr;
    TKey* laterKey = later.IsKey() ? static_cast<TKey*>(later.Members.front()) : nullptr;
    if (earlierKey != nullptr && laterKey != nullptr) {
        laterKey->Volgnr = earlierKey->Volgnr;
        earlierKey->Volgnr = laterKey->Volgnr + 1;
    } else if (laterKey != nullptr) {
        laterKey->Volgnr = kLastVolgnr;
    } else if (earlierKey != nullptr) {
        earlierKey->Volgnr = 0;
    }
    for (auto& symbol : moved) {
        if (TStaveTimeSymbol* timed = AsTimeSymbol(symbol.get())) timed->ClearMark();
        part.InsertSymbol(symbol);
    }
    RenumberKeys(part, stave);
}

}  // namespace kalvora
