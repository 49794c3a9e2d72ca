// Inserting and deleting stave symbols of the music document.
#include <algorithm>

#include "music/music_math.h"
#include "music/stave_shifting.h"
#include "music/unit_muz.h"

namespace kalvora {

namespace {

// Where a symbol placed after `after` starts: at its end.
double EndOf(const TStaveSymbol& after) {
    const auto* timed =
        after.IsTimeSymbol() ? static_cast<const TStaveTimeSymbol*>(&after) : nullptr;
    return after.Position + (timed != nullptr ? timed->GetTotalLength() : 0.0);
}

template <typename Symbol>
Symbol* Place(TSinglePartMuz& part, std::unique_ptr<Symbol> symbol) {
    Symbol* raw = symbol.get();
    std::unique_ptr<TStaveSymbol> owned = std::move(symbol);
    part.InsertSymbol(owned);
    return raw;
}

}  // namespace

bool TUnitMuz::InsertAt(const TMuzInsertion& place) {
    if (!AddMode() || place.Stave == nullptr) return false;
    // Everything the window found must lie on the clicked stave.
    for (const TStaveSymbol* s : {static_cast<const TStaveSymbol*>(place.HitNote),
                                  static_cast<const TStaveSymbol*>(place.HitSilence),
                                  static_cast<const TStaveSymbol*>(place.After)}) {
        if (s != nullptr && s->NoteStave != place.Stave) return false;
    }
    switch (Insert.ModeKind) {
        case insertModeNote:
            return InsertNote(place);
        case insertModeSilence:
            return InsertSilence(place);
        case insertModeKey:
            return InsertKey(place);
        case insertModeNoteShift:
            if (place.HitNote != nullptr) return ApplyNoteShiftAt(*place.HitNote, 0);
            return false;
    }
    return false;
}

bool TUnitMuz::InsertNote(const TMuzInsertion& place) {
    TNoteStave* stave = place.Stave;
    TNoteGroup* group = stave->SelectedNoteGroup;
    if (place.HitNote != nullptr) {
        TMuzNote& hit = *place.HitNote;
        const TKey* key = KeyAtOrBefore(hit);
        if (key == nullptr || !key->IsValidStaffPosition(place.StaffPosition)) return false;
        const int pitch = key->PitchOf(place.StaffPosition);
        for (const TMuzNote* member : SameOolNotes(hit)) {
            if (member->Pitch == pitch) return false;  // the chord has that height already
        }
        TMuzNote* note =
            Place(*hit.SinglePartMuz,
                  std::make_unique<TMuzNote>(
                      stave, group, this, hit.SinglePartMuz, hit.Position, hit.GetTiming(), pitch,
                      noteShiftNormal, static_cast<TNoteArtKind>(hit.ArtKind), Insert.StickKind));
        Changed();
        SelectSymbol(note);
        return true;
    }
    if (place.HitSilence != nullptr) {
        TSilence& hit = *place.HitSilence;
        TSinglePartMuz& part = *hit.SinglePartMuz;
        const TKey* key = KeyAtOrBefore(hit);
        if (key == nullptr || !key->IsValidStaffPosition(place.StaffPosition)) return false;
        auto note = std::make_unique<TMuzNote>(stave, group, this, &part, hit.Position,
                                               hit.GetTiming(), key->PitchOf(place.StaffPosition),
                                               noteShiftNormal, artNormal, Insert.StickKind);
        RemoveSymbols(part, {&hit});
        TMuzNote* placed = Place(part, std::move(note));
        Changed();
        SelectSymbol(placed);
        return true;
    }
    if (place.After == nullptr) return false;
    TStaveSymbol& after = *GroupEnd(*place.After);
    TSinglePartMuz& part = *after.SinglePartMuz;
    const double position = EndOf(*place.After);
    // The key before the place, not one at the same position that will make room.
    const TKey* key = KeyAtOrBefore(after);
    if (key == nullptr || !key->IsValidStaffPosition(place.StaffPosition)) return false;
    const TTiming timing{Insert.LengthKind, Insert.Points, sool, 0};
    if (!IsValidTiming(timing)) return false;
    auto note = std::make_unique<TMuzNote>(stave, group, this, &part, position, timing,
                                           key->PitchOf(place.StaffPosition), noteShiftNormal,
                                           Insert.Art, Insert.StickKind);
    // Make room first, so that the new note cannot be mistaken for one that follows.
    ShiftFollowing(after, note->GetTotalLength(), stave);
    TMuzNote* placed = Place(part, std::move(note));
    Changed();
    SelectSymbol(placed);
    return true;
}

bool TUnitMuz::InsertSilence(const TMuzInsertion& place) {
    if (place.After == nullptr) return false;
    TStaveSymbol& after = *GroupEnd(*place.After);
    TSinglePartMuz& part = *after.SinglePartMuz;
    const TTiming timing{Insert.LengthKind, Insert.Points, sool, 0};
    if (!IsValidTiming(timing)) return false;
    auto silence = std::make_unique<TSilence>(place.Stave, &part, EndOf(*place.After), timing);
    ShiftFollowing(after, silence->GetTotalLength(), place.Stave);
    TSilence* placed = Place(part, std::move(silence));
    Changed();
    SelectSymbol(placed);
    return true;
}

bool TUnitMuz::InsertKey(const TMuzInsertion& place) {
    if (place.After == nullptr) return false;
    TStaveSymbol& after = *GroupEnd(*place.After);
    TSinglePartMuz& part = *after.SinglePartMuz;
    const double position = EndOf(*place.After);
    if (SamePosition(position, 0.0)) return false;  // the start key holds position 0
    const TKey* previous = AsKey(&after);
    const int volgnr = previous != nullptr && SamePosition(previous->Position, position)
                           ? previous->Volgnr + 1
                           : 1;
    // The later keys of the stave at that position make room.
    for (TStaveSymbol* s = part.FirstSymbol(); s != nullptr; s = s->Next) {
        TKey* key = s->NoteStave == place.Stave ? AsKey(s) : nullptr;
        if (key != nullptr && SamePosition(key->Position, position) && key->Volgnr >= volgnr) {
            ++key->Volgnr;
        }
    }
    TKey* key = Place(part, std::make_unique<TKey>(place.Stave, &part, this, position,
                                                   Insert.KeyKind, 0, volgnr));
    RenumberKeys(part, place.Stave);
    Changed();
    SelectSymbol(key);
    return true;
}

bool TUnitMuz::ApplyNoteShiftAt(TStaveSymbol& symbol, int staffPosition) {
    const TNoteShiftKind kind = Insert.NoteShift;
    if (TMuzNote* note = AsNote(&symbol)) {
        note->NoteShiftKind = kind;
        Changed();
        PlayIfAuto(note);
        return true;
    }
    TKey* key = AsKey(&symbol);
    if (key == nullptr) return false;
    if (kind != noteShiftKruis && kind != noteShiftMol && kind != noteShiftNormal) return false;
    key->SetKeyNoteShift(staffPosition, kind);
    Changed();
    return true;
}

// ---- Deleting ----

bool TUnitMuz::CanDeleteSymbol(const TStaveSymbol& symbol) {
    switch (symbol.GetStaveSymbolKind()) {
        case staveSymbolKey: {
            if (!SamePosition(symbol.Position, 0.0)) return true;
            // Not the only key of its stave at position 0.
            for (const TStaveSymbol* s = symbol.SinglePartMuz->FirstSymbol();
                 s != nullptr && SamePosition(s->Position, 0.0); s = s->Next) {
                if (s != &symbol && s->IsKey() && s->NoteStave == symbol.NoteStave) return true;
            }
            return false;
        }
        case staveSymbolNote:
            return true;
        case staveSymbolSilence:
            return static_cast<const TStaveTimeSymbol&>(symbol).MultiOol == sool;
    }
    return false;
}

bool TUnitMuz::CanDeleteSelected() const {
    const TStaveSymbol* symbol = SelectedStaveSymbol();
    return symbol != nullptr && UnitMuzMode != unitMuzDel && CanDeleteSymbol(*symbol);
}

bool TUnitMuz::DeleteSelected() {
    TStaveSymbol* symbol = SelectedStaveSymbol();
    return symbol != nullptr && DeleteSymbol(*symbol);
}

TStaveSymbol* TUnitMuz::NeighbourAfterDeletion(const TStaveSymbol& first,
                                               const TStaveSymbol& last) const {
    if (TStaveSymbol* next = NextOnStave(last)) return next;
    return PrevOnStave(first);
}

void TUnitMuz::RemoveSymbols(TSinglePartMuz& part, const std::vector<TStaveSymbol*>& symbols) {
    TMusicDeletion deletion;
    for (const TStaveSymbol* s : symbols)
        deletion.AddSymbol(s);
    ForgetDeleted(references_, staves_, deletion);
    for (TStaveSymbol* s : symbols)
        part.DeleteSymbol(s);
}

bool TUnitMuz::CollapseSilentTuplet(TStaveTimeSymbol& member, TStaveSymbol*& neighbour) {
    if (member.MultiOol == sool) return false;
    std::vector<TStaveTimeSymbol*> members = ChordMembers(member);
    for (const TStaveTimeSymbol* m : members) {
        if (!m->IsSilence()) return false;
    }
    TSinglePartMuz& part = *member.SinglePartMuz;
    const TNoteStave* stave = member.NoteStave;
    neighbour = NeighbourAfterDeletion(*members.front(), *members.back());
    ShiftFollowing(*members.back(), -member.GetTotalLength(), stave);
    RemoveSymbols(part, std::vector<TStaveSymbol*>(members.begin(), members.end()));
    return true;
}

bool TUnitMuz::DeleteSymbol(TStaveSymbol& symbol) {
    if (!CanDeleteSymbol(symbol)) return false;
    TSinglePartMuz& part = *symbol.SinglePartMuz;
    const TNoteStave* stave = symbol.NoteStave;
    TStaveSymbol* neighbour = NeighbourAfterDeletion(symbol, symbol);
    if (TMuzNote* note = AsNote(&symbol)) {
        PlayIfAuto(note);
        if (SameOolNotes(*note).size() > 1) {
            RemoveSymbols(part, {note});
        } else if (note->MultiOol == sool) {
            ShiftFollowing(*GroupEnd(*note), -note->GetTotalLength(), stave);
            RemoveSymbols(part, {note});
        } else {
            // A tuplet keeps its time: the note leaves a silence behind.
            TStaveSymbol* silence = ReplaceBySilence(part, {note});
            CollapseSilentTuplet(*static_cast<TStaveTimeSymbol*>(silence), neighbour);
        }
    } else if (TKey* key = AsKey(&symbol)) {
        RemoveSymbols(part, {key});
        RenumberKeys(part, stave);
    } else {
        auto& silence = static_cast<TStaveTimeSymbol&>(symbol);
        ShiftFollowing(*GroupEnd(silence), -silence.GetTotalLength(), stave);
        RemoveSymbols(part, {&silence});
    }
    Changed();
    if (UnitMuzMode != unitMuzDel) SelectQuietly(neighbour);
    return true;
}

TStaveSymbol* TUnitMuz::ReplaceBySilence(TSinglePartMuz& part,
                                         const std::vector<TMuzNote*>& notes) {
    const TMuzNote& first = *notes.front();
    auto silence =
        std::make_unique<TSilence>(first.NoteStave, &part, first.Position, first.GetTiming());
    RemoveSymbols(part, std::vector<TStaveSymbol*>(notes.begin(), notes.end()));
    return Place(part, std::move(silence));
}

}  // namespace kalvora
