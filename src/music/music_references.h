// The places where a music document and its dialogs keep pointers into the model, and the
// one helper that forgets whatever is about to be deleted. Every bulk delete (symbols,
// note groups, staves, one-players, parts, turn items) collects what goes in a
// TMusicDeletion and calls ForgetDeleted before it frees anything, so that no selection
// or dialog is left pointing at freed memory. Standard C++ only.
#pragma once

#include <unordered_set>

namespace kalvora {

class TCompoundPlayer;
class TMusTreeItem;
class TNoteGroup;
class TNoteStave;
class TOnePlayer;
class TStaveList;
class TXTouchMuzSymbol;

// The document's own references; the dialogs' current group and one-player live in the
// stave and the compound player.
struct TMusicReferences {
    TXTouchMuzSymbol* SelectedSymbol = nullptr;
    TNoteStave* SelectedInStave = nullptr;  // stave of the last selected stave symbol
    TMusTreeItem* SelectedPart = nullptr;   // part or turn item selected in the music tree
    TNoteStave* DialogStave = nullptr;      // stave the music dialog shows
};

// Sets the selection. A bar or repeat sign keeps the stave of the last selected stave
// symbol as SelectedInStave; a stave symbol makes its own stave that stave.
void SetSelectedSymbol(TMusicReferences& references, TXTouchMuzSymbol* symbol);

// The stave the selection is on: the selected stave symbol's, or the remembered one while
// a bar or repeat sign (or nothing) is selected.
TNoteStave* StaveOfSelection(const TMusicReferences& references);

// What is about to be deleted. Whatever a deleted thing owns counts as deleted too: the
// symbols of a stave, group or part, the groups of a stave, the one-players of a group, the
// subtree and turn items of a part.
class TMusicDeletion {
  public:
    void AddSymbol(const TXTouchMuzSymbol* symbol) { symbols_.insert(symbol); }
    void AddGroup(const TNoteGroup* group);
    void AddStave(const TNoteStave* stave);
    void AddOnePlayer(const TOnePlayer* player) { players_.insert(player); }
    // A part with its subtree, or a turn item.
    void AddTreeItem(const TMusTreeItem* item) { items_.insert(item); }

    bool IsGone(const TXTouchMuzSymbol* symbol) const;
    bool IsGone(const TNoteGroup* group) const;
    bool IsGone(const TNoteStave* stave) const { return staves_.count(stave) != 0; }
    bool IsGone(const TOnePlayer* player) const;
    bool IsGone(const TMusTreeItem* item) const;

  private:
    std::unordered_set<const void*> symbols_;
    std::unordered_set<const void*> groups_;
    std::unordered_set<const void*> staves_;
    std::unordered_set<const void*> compounds_;
    std::unordered_set<const void*> players_;
    std::unordered_set<const void*> items_;
};

// Clears the references to deleted things. The dialog's stave, and in every remaining
// stave its selected and dialog group and in every remaining group its dialog one-player,
// move to the next remaining neighbour, or the previous one when none follows. Call it
// while the deleted things still exist.
void ForgetDeleted(TMusicReferences& references, TStaveList& staves,
                   const TMusicDeletion& deletion);

}  // namespace kalvora
