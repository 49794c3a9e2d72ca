// The turn items of a select part: a list headed by a root-turn item, then one item per
// turn of the enclosing loop in which the select part plays, each with a transposition.
// Standard C++ only.
#pragma once

#include <string>

#include "music/mus_tree_item.h"

namespace kalvora {

class TSelectPartMuz;

class TSelectPartItem : public TMusTreeItem {
  public:
    ~TSelectPartItem() override = default;
    TMusTreeItemKind GetMusTreeItemKind() const override { return musTreeItemSelectPartItem; }
    virtual bool IsStartItem() const = 0;

    TSelectPartItem* GetNext() const { return Next; }
    TSelectPartMuz* GetSelectPartMuz() const { return SelectPartMuz; }

    TSelectPartItem* Next = nullptr;
    TSelectPartMuz* SelectPartMuz;

  protected:
    explicit TSelectPartItem(TSelectPartMuz* owner) : SelectPartMuz(owner) {}
};

// The head of the list ("root turn" in the tree).
class TStartSelectPartItem : public TSelectPartItem {
  public:
    explicit TStartSelectPartItem(TSelectPartMuz* owner) : TSelectPartItem(owner) {}
    bool IsStartItem() const override { return true; }
    std::string DefaultTreeText() const override { return "root turn"; }
};

// Plays the select part's content in turn Count, transposed by Pitch semitones.
class TCountSelectPartItem : public TSelectPartItem {
  public:
    // count >= 1; the pitch is kept within the transposition bound.
    TCountSelectPartItem(TSelectPartMuz* owner, int count, int pitch);
    bool IsStartItem() const override { return false; }
    std::string DefaultTreeText() const override { return "turn " + std::to_string(Count); }

    int GetCount() const { return Count; }
    void SetCount(int count);
    int GetPitch() const { return Pitch; }
    void SetPitch(int pitch);

  private:
    int Count;
    int Pitch;
};

}  // namespace kalvora
