#include "music/music_references.h"

#include "music/muz_key.h"
#include "music/part_muz_nodes.h"
#include "music/single_part_muz.h"
#include "music/stave_list.h"
#include "music/stave_time_symbol.h"

namespace kalvora {

void SetSelectedSymbol(TMusicReferences& references, TXTouchMuzSymbol* symbol) {
    references.SelectedSymbol = symbol;
    if (symbol != nullptr && symbol->GetMuzSymbolKind() == muzSymbolStave) {
        references.SelectedInStave = static_cast<TStaveSymbol*>(symbol)->NoteStave;
    }
}

TNoteStave* StaveOfSelection(const TMusicReferences& references) {
    const TXTouchMuzSymbol* symbol = references.SelectedSymbol;
    if (symbol != nullptr && symbol->GetMuzSymbolKind() == muzSymbolStave) {
        return static_cast<const TStaveSymbol*>(symbol)->NoteStave;
    }
    return references.SelectedInStave;
}

void TMusicDeletion::AddGroup(const TNoteGroup* group) {
    groups_.insert(group);
    compounds_.insert(group->CompoundPlayer.get());
}

void TMusicDeletion::AddStave(const TNoteStave* stave) {
    staves_.insert(stave);
    for (const TNoteGroup* group = stave->StartNoteGroup; group != nullptr; group = group->Next) {
        AddGroup(group);
    }
}

bool TMusicDeletion::IsGone(const TXTouchMuzSymbol* symbol) const {
    if (symbol == nullptr) return false;
    if (symbols_.count(symbol) != 0) return true;
    switch (symbol->GetMuzSymbolKind()) {
        case muzSymbolBar:
            return IsGone(static_cast<const TMuzBar*>(symbol)->SinglePartMuz);
        case muzSymbolLoop:
            return IsGone(static_cast<const TLoopPartSymbol*>(symbol)->LoopPartMuz);
        default:
            break;
    }
    const auto* staveSymbol = static_cast<const TStaveSymbol*>(symbol);
    if (IsGone(staveSymbol->NoteStave) || IsGone(staveSymbol->SinglePartMuz)) return true;
    const TMuzNote* note =
        staveSymbol->IsNote() ? static_cast<const TMuzNote*>(staveSymbol) : nullptr;
    return note != nullptr && IsGone(note->NoteGroup);
}

bool TMusicDeletion::IsGone(const TNoteGroup* group) const {
    if (group == nullptr) return false;
    return groups_.count(group) != 0 || IsGone(group->NoteStave);
}

bool TMusicDeletion::IsGone(const TOnePlayer* player) const {
    if (player == nullptr) return false;
    return players_.count(player) != 0 || compounds_.count(player->CompoundPlayer) != 0;
}

bool TMusicDeletion::IsGone(const TMusTreeItem* item) const {
    if (item == nullptr) return false;
    if (items_.count(item) != 0) return true;
    if (item->GetMusTreeItemKind() == musTreeItemSelectPartItem) {
        return IsGone(static_cast<const TSelectPartItem*>(item)->SelectPartMuz);
    }
    const auto* part = static_cast<const TPartMuz*>(item);
    for (const TPartMuz* p = part->Parent; p != nullptr; p = p->Parent) {
        if (items_.count(p) != 0) return true;
    }
    return false;
}

namespace {

TNoteStave* RemainingStave(TNoteStave* stave, const TMusicDeletion& deletion) {
    for (TNoteStave* s = stave->Next; s != nullptr; s = s->Next) {
        if (!deletion.IsGone(s)) return s;
    }
    for (TNoteStave* s = stave->Prev; s != nullptr; s = s->Prev) {
        if (!deletion.IsGone(s)) return s;
    }
    return nullptr;
}

TNoteGroup* RemainingGroup(TNoteStave& stave, TNoteGroup* group, const TMusicDeletion& deletion) {
    for (TNoteGroup* g = group->Next; g != nullptr; g = g->Next) {
        if (!deletion.IsGone(g)) return g;
    }
    TNoteGroup* previous = nullptr;
    for (TNoteGroup* g = stave.StartNoteGroup; g != group; g = g->Next) {
        if (!deletion.IsGone(g)) previous = g;
    }
    return previous;
}

TOnePlayer* RemainingPlayer(TCompoundPlayer& compound, TOnePlayer* player,
                            const TMusicDeletion& deletion) {
    for (TOnePlayer* p = player->Next; p != nullptr; p = p->Next) {
        if (!deletion.IsGone(p)) return p;
    }
    TOnePlayer* previous = nullptr;
    for (TOnePlayer* p = compound.GetStartOnePlayer(); p != player; p = p->Next) {
        if (!deletion.IsGone(p)) previous = p;
    }
    return previous;
}

void ForgetInStave(TNoteStave& stave, const TMusicDeletion& deletion) {
    if (stave.SelectedNoteGroup != nullptr && deletion.IsGone(stave.SelectedNoteGroup)) {
        stave.SelectedNoteGroup = RemainingGroup(stave, stave.SelectedNoteGroup, deletion);
    }
    if (stave.DialogNoteGroup != nullptr && deletion.IsGone(stave.DialogNoteGroup)) {
        stave.DialogNoteGroup = RemainingGroup(stave, stave.DialogNoteGroup, deletion);
    }
    for (TNoteGroup* group = stave.StartNoteGroup; group != nullptr; group = group->Next) {
        if (deletion.IsGone(group)) continue;
        TCompoundPlayer& compound = *group->CompoundPlayer;
        TOnePlayer* shown = compound.GetDialogOnePlayer();
        if (shown != nullptr && deletion.IsGone(shown)) {
            compound.SetDialogOnePlayer(RemainingPlayer(compound, shown, deletion));
        }
    }
}

}  // namespace

void ForgetDeleted(TMusicReferences& references, TStaveList& staves,
                   const TMusicDeletion& deletion) {
    if (deletion.IsGone(references.SelectedSymbol)) references.SelectedSymbol = nullptr;
    if (references.SelectedInStave != nullptr && deletion.IsGone(references.SelectedInStave)) {
        references.SelectedInStave = nullptr;
    }
    if (deletion.IsGone(references.SelectedPart)) references.SelectedPart = nullptr;
    if (references.DialogStave != nullptr && deletion.IsGone(references.DialogStave)) {
        references.DialogStave = RemainingStave(references.DialogStave, deletion);
    }
    for (TNoteStave* stave = staves.FirstStave(); stave != nullptr; stave = stave->Next) {
        if (!deletion.IsGone(stave)) ForgetInStave(*stave, deletion);
    }
}

}  // namespace kalvora
