// What the music window does with the mouse and the keys: the border drag, and by the
// document's mode selecting (edit), deleting (delete) or inserting (add) at the symbol or
// place under the mouse; the cursor shown while the mouse moves; the cursor keys that walk
// and move the selection. The window only translates its events into these calls and
// repaints. Standard C++ only.
#pragma once

#include "music/unit_muz.h"
#include "notation/stave_border_drag.h"

namespace kalvora::notation {

enum class TMuzCursor {
    unchanged,      // keep the cursor shown
    arrow,          // the default arrow
    splitVertical,  // over a stave's bottom border
    deleteSymbol,   // "DELETE"
    silence,        // "SIL"
    reject,         // "REJECT"
    note,           // "NOTE"
};

struct TMouseButtons {
    bool Left = false;
    bool Right = false;
    bool Any() const { return Left || Right; }
};

enum class TMuzKey { left, right, up, down, home, end, pageUp, pageDown, other };

struct TKeyModifiers {
    bool Shift = false;
    bool Ctrl = false;
    bool Alt = false;
};

class TMuzWindowInput {
  public:
    // A button went down at (x, y): starts a border drag on a stave's bottom border, else
    // does what the document's mode says with the symbol or place under the mouse.
    void MouseDown(TUnitMuz& music, int x, int y);
    // The mouse moved to (x, y) with `buttons` held. During a border drag the rooms of the
    // stave follow: the stave is returned when they changed (the document is marked
    // changed; the window repaints and tells whoever shows the stave). A move with no
    // button held ends the drag.
    TNoteStave* MouseMove(TUnitMuz& music, TMouseButtons buttons, int y);
    // A button went up; `buttons` are those still held.
    void MouseUp(TMouseButtons buttons);
    // The cursor for the mouse at (x, y) when no drag is under way.
    TMuzCursor CursorAt(TUnitMuz& music, int x, int y) const;

    // A key went down; false when the key means nothing here (Alt held, or no such move).
    bool KeyDown(TUnitMuz& music, TMuzKey key, TKeyModifiers modifiers);

    bool Dragging() const { return drag_.Active(); }
    const TStaveBorderDrag& Drag() const { return drag_; }
    // The document's staves are about to go (revert): a drag under way is forgotten.
    void Forget() { drag_.End(); }

  private:
    void Edit(TUnitMuz& music, int x, int y);
    void Delete(TUnitMuz& music, int x, int y);
    void Add(TUnitMuz& music, int x, int y);
    TMuzCursor AddCursorAt(TUnitMuz& music, int x, int y) const;
    bool PlainKey(TUnitMuz& music, TMuzKey key, bool shift);
    bool CtrlKey(TUnitMuz& music, TMuzKey key, bool shift);

    TStaveBorderDrag drag_;
};

}  // namespace kalvora::notation
