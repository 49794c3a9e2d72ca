#include "music/selection_moves.h"

#include <cmath>
#include <limits>
#include <vector>

#include "music/music_math.h"
#include "music/muz_key.h"
#include "music/stave_shifting.h"
#include "platform/assertion.h"

namespace kalvora {

namespace {

TMuzNote* SameChordNote(const TMuzNote& note, TStaveSymbol* neighbour) {
    TMuzNote* other = AsNote(neighbour);
    if (other == nullptr || !SamePosition(other->Position, note.Position) ||
        other->PosInOol != note.PosInOol) {
        return nullptr;
    }
    return other;
}

// The middle note of the chord of `note`: of i notes, the ceil(i/2)-th from the top.
TMuzNote* MiddleOfChord(TMuzNote& note) {
    std::vector<TMuzNote*> notes;
    TStaveTimeSymbol* first = FirstSameOolMember(note);
    for (TStaveSymbol* s = first; s != nullptr && SamePosition(s->Position, note.Position);
         s = s->Next) {
        TMuzNote* member = AsNote(s);
        if (member != nullptr && member->NoteStave == note.NoteStave &&
            member->PosInOol == note.PosInOol) {
            notes.push_back(member);
        }
    }
    return notes[(notes.size() + 1) / 2 - 1];
}

// What a movement lands on, made selectable: a start key stands for its part's bar.
TXTouchMuzSymbol* Landing(TXTouchMuzSymbol* found) {
    if (found == nullptr || found->GetMuzSymbolKind() != muzSymbolStave) return found;
    auto* symbol = static_cast<TStaveSymbol*>(found);
    if (const TKey* key = AsKey(symbol); key != nullptr && key->IsStartKey()) {
        return &symbol->SinglePartMuz->GetMuzBar();
    }
    if (TMuzNote* note = AsNote(symbol)) return MiddleOfChord(*note);
    return found;
}

// Skips the rest of the chord of a starting note: the members at its position whose place
// in the tuplet is not before (`left`) or not after (right) its own.
bool RestOfChord(const TStaveSymbol& start, const TStaveSymbol& candidate, bool left) {
    if (!start.IsNote() || !candidate.IsTimeSymbol()) return false;
    if (!SamePosition(candidate.Position, start.Position)) return false;
    const int own = static_cast<const TStaveTimeSymbol&>(start).PosInOol;
    const int other = static_cast<const TStaveTimeSymbol&>(candidate).PosInOol;
    return left ? other >= own : other <= own;
}

TXTouchMuzSymbol* LeftOfStaveSymbol(TStaveSymbol& from, const TNoteStave* stave) {
    TStaveSymbol* s = PrevOnStave(from);
    while (s != nullptr && RestOfChord(from, *s, true))
        s = PrevOnStave(*s);
    if (s != nullptr) return Landing(s);
    TSinglePartMuz* part = from.SinglePartMuz;
    return Landing(part->Parent != nullptr ? part->Parent->PrevStaveSymbol(part, stave) : nullptr);
}

TXTouchMuzSymbol* RightOfStaveSymbol(TStaveSymbol& from, const TNoteStave* stave) {
    TStaveSymbol* s = NextOnStave(from);
    while (s != nullptr && RestOfChord(from, *s, false))
        s = NextOnStave(*s);
    if (s != nullptr) return Landing(s);
    TSinglePartMuz* part = from.SinglePartMuz;
    return Landing(part->Parent != nullptr ? part->Parent->NextStaveSymbol(part, stave) : nullptr);
}

}  // namespace

TMuzNote* ChordNoteAbove(const TMuzNote& note) {
    return SameChordNote(note, PrevOnStave(note));
}

TMuzNote* ChordNoteBelow(const TMuzNote& note) {
    return SameChordNote(note, NextOnStave(note));
}

TXTouchMuzSymbol* FindSymbolLeft(TXTouchMuzSymbol& from, const TNoteStave* stave) {
    switch (from.GetMuzSymbolKind()) {
        case muzSymbolBar: {
            TSinglePartMuz* part = static_cast<TMuzBar&>(from).SinglePartMuz;
            if (part->Parent == nullptr) return nullptr;
            return Landing(part->Parent->PrevStaveSymbol(part, stave));
        }
        case muzSymbolLoop: {
            auto& sign = static_cast<TLoopPartSymbol&>(from);
            return Landing(sign.LoopPartMuz->SymbolLeftOf(sign, stave));
        }
        default: {
            auto& symbol = static_cast<TStaveSymbol&>(from);
            return LeftOfStaveSymbol(symbol, symbol.NoteStave);
        }
    }
}

TXTouchMuzSymbol* FindSymbolRight(TXTouchMuzSymbol& from, const TNoteStave* stave) {
    switch (from.GetMuzSymbolKind()) {
        case muzSymbolBar: {
            // The bar stands at the start key: go on from the part's first symbol.
            TSinglePartMuz* part = static_cast<TMuzBar&>(from).SinglePartMuz;
            TStaveSymbol* first = part->FirstSymbolOfStave(stave);
            if (first == nullptr) {
                if (part->Parent == nullptr) return nullptr;
                return Landing(part->Parent->NextStaveSymbol(part, stave));
            }
            const TKey* key = AsKey(first);
            if (key != nullptr && key->IsStartKey()) return RightOfStaveSymbol(*first, stave);
            return Landing(first);
        }
        case muzSymbolLoop: {
            auto& sign = static_cast<TLoopPartSymbol&>(from);
            return Landing(sign.LoopPartMuz->SymbolRightOf(sign, stave));
        }
        default: {
            auto& symbol = static_cast<TStaveSymbol&>(from);
            return RightOfStaveSymbol(symbol, symbol.NoteStave);
        }
    }
}

TXTouchMuzSymbol* FirstSymbolOfStave(TPartMuz& root, const TNoteStave* stave) {
    return root.ChildCount() > 0 ? root.FirstStaveSymbol(stave) : nullptr;
}

TXTouchMuzSymbol* LastSymbolOfStave(TPartMuz& root, const TNoteStave* stave) {
    return root.ChildCount() > 0 ? root.LastStaveSymbol(stave) : nullptr;
}

TStaveSymbol* SymbolOnStave(TXTouchMuzSymbol& from, const TNoteStave* target) {
    TSinglePartMuz* part = nullptr;
    double position = 0;
    switch (from.GetMuzSymbolKind()) {
        case muzSymbolBar:
            part = static_cast<TMuzBar&>(from).SinglePartMuz;
            break;
        case muzSymbolLoop: {
            auto& sign = static_cast<TLoopPartSymbol&>(from);
            if (sign.IsLeft()) {
                part = sign.LoopPartMuz->FirstSinglePart();
            } else {
                // Beyond the last symbol, so that the latest one is the nearest.
                part = sign.LoopPartMuz->LastSinglePart();
                const TStaveSymbol* last = part->LastSymbol();
                position = last != nullptr ? last->Position + 1.0 : 0.0;
            }
            break;
        }
        default: {
            auto& symbol = static_cast<TStaveSymbol&>(from);
            part = symbol.SinglePartMuz;
            position = symbol.Position;
            break;
        }
    }
    TStaveSymbol* nearest = nullptr;
    double nearestDistance = std::numeric_limits<double>::infinity();
    for (TStaveSymbol* s = part->FirstSymbol(); s != nullptr; s = s->Next) {
        if (s->NoteStave != target) continue;
        const double distance = std::fabs(s->Position - position);
        if (distance < nearestDistance) {
            nearest = s;
            nearestDistance = distance;
        }
    }
    return nearest;
}

TNoteGroup* PrevNoteGroup(const TMuzNote& note) {
    return note.NoteStave->FindPrevGroup(note.NoteGroup);
}

TNoteGroup* NextNoteGroup(const TMuzNote& note) {
    return note.NoteGroup->Next;
}

void MoveNoteToGroup(TMuzNote& note, TNoteGroup& group) {
    KALVORA_ASSERT(group.NoteStave == note.NoteStave);
    note.NoteGroup = &group;
    note.NoteStave->SelectedNoteGroup = &group;
}

}  // namespace kalvora
