// A small music model for the tests: staves, a part tree and the document's references,
// with helpers that place keys, notes and silences in a single part.
#pragma once

#include <memory>

#include "music/muz_key.h"
#include "music/part_muz_nodes.h"
#include "music/part_tree.h"
#include "music/single_part_muz.h"
#include "music/stave_editing.h"
#include "music/stave_list.h"
#include "music/stave_time_symbol.h"

namespace kalvora::test {

struct MusicModel {
    TStaveList staves;
    std::unique_ptr<TStartPartMuz> root = NewPartTree(nullptr);
    TMusicReferences references;

    TSinglePartMuz& FirstPart() { return *root->FirstSinglePart(); }

    TNoteStave* AddStave(TNoteStave* after = nullptr) {
        return CreateDefaultStave(staves, after, *root, nullptr, references);
    }
};

inline TMuzNote* AddNote(TSinglePartMuz& part, TNoteStave* stave, double position, int pitch,
                         TTiming timing = {}, TNoteGroup* group = nullptr) {
    std::unique_ptr<TStaveSymbol> note =
        std::make_unique<TMuzNote>(stave, group != nullptr ? group : stave->SelectedNoteGroup,
                                   nullptr, &part, position, timing, pitch);
    auto* raw = static_cast<TMuzNote*>(note.get());
    part.InsertSymbol(note);
    return raw;
}

inline TSilence* AddSilence(TSinglePartMuz& part, TNoteStave* stave, double position,
                            TTiming timing = {}) {
    std::unique_ptr<TStaveSymbol> silence =
        std::make_unique<TSilence>(stave, &part, position, timing);
    auto* raw = static_cast<TSilence*>(silence.get());
    part.InsertSymbol(silence);
    return raw;
}

inline TKey* AddKey(TSinglePartMuz& part, TNoteStave* stave, double position, TKeyKind kind,
                    int volgnr = 1) {
    std::unique_ptr<TStaveSymbol> key =
        std::make_unique<TKey>(stave, &part, nullptr, position, kind, 0, volgnr);
    auto* raw = static_cast<TKey*>(key.get());
    part.InsertSymbol(key);
    return raw;
}

// The symbols of `stave` in `part`, in list order.
inline std::vector<TStaveSymbol*> SymbolsOf(const TSinglePartMuz& part, const TNoteStave* stave) {
    std::vector<TStaveSymbol*> symbols;
    for (TStaveSymbol* s = part.FirstSymbol(); s != nullptr; s = s->Next) {
        if (s->NoteStave == stave) symbols.push_back(s);
    }
    return symbols;
}

}  // namespace kalvora::test
