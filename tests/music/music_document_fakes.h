// Recording stand-ins for what a music document asks of its window and of playing, and a
// small fixture around a new document.
#pragma once

#include <string_view>
#include <vector>

#include "documents/document_registry.h"
#include "music/stave_editing.h"
#include "music/unit_muz.h"

namespace kalvora::test {

class FakeMuzWindow final : public MuzWindow {
  public:
    void CaptionChanged() override {}
    void NameChanged(std::string_view) override {}
    void Redraw() override { ++redraws; }
    void ScrollIntoView(const TXTouchMuzSymbol& symbol) override { scrolledTo.push_back(&symbol); }

    int redraws = 0;
    std::vector<const TXTouchMuzSymbol*> scrolledTo;
};

class FakeNotePlayer final : public MuzNotePlayer {
  public:
    bool PlayNote(const TMuzNote& note, double tempo) override {
        pitches.push_back(note.Pitch);
        lastTempo = tempo;
        return sounds;
    }

    std::vector<int> pitches;
    double lastTempo = 0;
    bool sounds = true;
};

// A new document linked to the fakes, with its first stave and part at hand.
struct MusicDocument {
    TUnitRegistry registry;
    TUnitMuz unit{registry};
    FakeMuzWindow window;
    FakeNotePlayer player;

    MusicDocument() {
        unit.LinkWindow(&window);
        unit.SetNotePlayer(&player);
    }

    TSinglePartMuz& Part() { return *unit.Root().FirstSinglePart(); }
    TNoteStave* Stave() { return unit.Staves().FirstStave(); }
    TKey* StartKey(TNoteStave* stave = nullptr) {
        return AsKey(Part().StartKeyOfStave(stave != nullptr ? stave : Stave()));
    }
    TNoteStave* AddStave() {
        return CreateDefaultStave(unit.Staves(), unit.Staves().LastStave(), unit.Root(), &unit,
                                  unit.References());
    }
    // Inserts in add mode after `after` at a staff position (0 = middle line).
    bool InsertAfter(TStaveSymbol* after, int staffPosition, TNoteStave* stave = nullptr) {
        TMuzInsertion place;
        place.Stave = stave != nullptr ? stave : Stave();
        place.StaffPosition = staffPosition;
        place.After = after;
        return unit.InsertAt(place);
    }
    void Select(TXTouchMuzSymbol* symbol) {
        unit.SetModeSel();
        unit.SelectSymbol(symbol);
    }
};

}  // namespace kalvora::test
