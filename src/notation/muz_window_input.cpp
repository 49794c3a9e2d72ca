#include "notation/muz_window_input.h"

#include "music/muz_key.h"
#include "notation/muz_hit_test.h"

namespace kalvora::notation {
namespace {

TStaveSymbol* AsStaveSymbol(TXTouchMuzSymbol* symbol) {
    return symbol != nullptr && symbol->GetMuzSymbolKind() == muzSymbolStave
               ? static_cast<TStaveSymbol*>(symbol)
               : nullptr;
}

bool IsSingleShift(TNoteShiftKind kind) {
    return kind == noteShiftKruis || kind == noteShiftNormal || kind == noteShiftMol;
}

}  // namespace

void TMuzWindowInput::MouseDown(TUnitMuz& music, int x, int y) {
    if (TNoteStave* stave = StaveBorderAtY(music.Staves(), y)) {
        drag_.Start(*stave, y);
        return;
    }
    if (drag_.Active()) return;
    switch (music.UnitMuzMode) {
        case unitMuzSel:
            Edit(music, x, y);
            return;
        case unitMuzDel:
            Delete(music, x, y);
            return;
        case unitMuzNew:
            Add(music, x, y);
            return;
    }
}

// A click on the selected symbol clears the selection, so that a second click undoes the
// first.
void TMuzWindowInput::Edit(TUnitMuz& music, int x, int y) {
    TXTouchMuzSymbol* hit = SymbolAt(music.Root(), x, y);
    if (hit == nullptr) return;
    music.SelectSymbol(hit == music.SelectedSymbol() ? nullptr : hit);
}

void TMuzWindowInput::Delete(TUnitMuz& music, int x, int y) {
    TStaveSymbol* hit = AsStaveSymbol(SymbolAt(music.Root(), x, y));
    if (hit != nullptr && TUnitMuz::CanDeleteSymbol(*hit)) music.DeleteSymbol(*hit);
}

void TMuzWindowInput::Add(TUnitMuz& music, int x, int y) {
    if (music.Insert.ModeKind == insertModeNoteShift) {
        TStaveSymbol* hit = AsStaveSymbol(SymbolAt(music.Root(), x, y));
        if (hit != nullptr)
            music.ApplyNoteShiftAt(*hit, StaffPositionAtY(hit->NoteStave->Layout.MiddleY, y));
        return;
    }
    TNoteStave* stave = StaveAtY(music.Staves(), y);
    if (stave == nullptr) return;
    music.InsertAt(InsertionAt(music.Root(), *stave, x, y));
}

TNoteStave* TMuzWindowInput::MouseMove(TUnitMuz& music, TMouseButtons buttons, int y) {
    if (!drag_.Active()) return nullptr;
    if (!buttons.Any()) {
        drag_.End();
        return nullptr;
    }
    const TDragButtons which = buttons.Left && buttons.Right ? TDragButtons::both
                               : buttons.Left                ? TDragButtons::left
                                                             : TDragButtons::right;
    if (!drag_.MoveTo(which, y)) return nullptr;
    music.MarkChanged();
    return drag_.Stave();
}

void TMuzWindowInput::MouseUp(TMouseButtons buttons) {
    if (!buttons.Any()) drag_.End();
}

TMuzCursor TMuzWindowInput::CursorAt(TUnitMuz& music, int x, int y) const {
    if (StaveBorderAtY(music.Staves(), y) != nullptr) return TMuzCursor::splitVertical;
    switch (music.UnitMuzMode) {
        case unitMuzSel:
            return TMuzCursor::arrow;
        case unitMuzDel: {
            const TStaveSymbol* hit = AsStaveSymbol(SymbolAt(music.Root(), x, y));
            return hit != nullptr && TUnitMuz::CanDeleteSymbol(*hit) ? TMuzCursor::deleteSymbol
                                                                     : TMuzCursor::reject;
        }
        case unitMuzNew:
            return AddCursorAt(music, x, y);
    }
    return TMuzCursor::unchanged;
}

TMuzCursor TMuzWindowInput::AddCursorAt(TUnitMuz& music, int x, int y) const {
    switch (music.Insert.ModeKind) {
        case insertModeNote:
            return TMuzCursor::note;
        case insertModeKey:
        case insertModeSilence:
            return TMuzCursor::silence;
        case insertModeNoteShift:
            break;
    }
    const TStaveSymbol* hit = AsStaveSymbol(SymbolAt(music.Root(), x, y));
    if (hit == nullptr) return TMuzCursor::unchanged;
    if (hit->IsNote()) return TMuzCursor::note;
    if (hit->IsSilence()) return TMuzCursor::reject;
    return IsSingleShift(music.Insert.NoteShift) ? TMuzCursor::note : TMuzCursor::reject;
}

bool TMuzWindowInput::KeyDown(TUnitMuz& music, TMuzKey key, TKeyModifiers modifiers) {
    if (modifiers.Alt) return false;
    return modifiers.Ctrl ? CtrlKey(music, key, modifiers.Shift)
                          : PlainKey(music, key, modifiers.Shift);
}

bool TMuzWindowInput::PlainKey(TUnitMuz& music, TMuzKey key, bool shift) {
    const bool staveSymbol = music.SelectedStaveSymbol() != nullptr;
    switch (key) {
        case TMuzKey::left:
            return music.SelectPrev();
        case TMuzKey::right:
            return music.SelectNext();
        case TMuzKey::up:
            return music.SelectUp();
        case TMuzKey::down:
            return music.SelectDown();
        case TMuzKey::home:
            return music.EditMode() && music.SelectFirstOfStave();
        case TMuzKey::end:
            return music.EditMode() && music.SelectLastOfStave();
        case TMuzKey::pageUp:
            if (!staveSymbol) return false;
            return shift ? music.SelectFirstStave() : music.SelectStaveAbove();
        case TMuzKey::pageDown:
            if (!staveSymbol) return false;
            return shift ? music.SelectLastStave() : music.SelectStaveBelow();
        case TMuzKey::other:
            return false;
    }
    return false;
}

// The moves run only where their menu commands would be enabled.
bool TMuzWindowInput::CtrlKey(TUnitMuz& music, TMuzKey key, bool shift) {
    switch (key) {
        case TMuzKey::left:
            return music.CanMoveSymbol(TMoveDirection::left) &&
                   music.MoveSymbol(TMoveDirection::left);
        case TMuzKey::right:
            return music.CanMoveSymbol(TMoveDirection::right) &&
                   music.MoveSymbol(TMoveDirection::right);
        case TMuzKey::up:
        case TMuzKey::down: {
            const int direction = key == TMuzKey::up ? 1 : -1;
            if (shift) return music.CanMoveOctave(direction) && music.MoveOctave(direction);
            if (music.CanMoveStep(direction)) return music.MoveStep(direction);
            // A key's kind steps only where its own kind is the current one (in add mode
            // that would be the kind of keys to insert).
            return music.EditMode() && music.SelectedKey() != nullptr &&
                   music.CanStepKeyKind(direction) && music.StepKeyKind(direction);
        }
        default:
            return false;
    }
}

}  // namespace kalvora::notation
