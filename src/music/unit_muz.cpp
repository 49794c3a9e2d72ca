#include "music/unit_muz.h"

#include "music/selection_moves.h"
#include "music/stave_editing.h"

namespace kalvora {

TUnitMuz::TUnitMuz(TUnitRegistry& registry, bool empty) : TUnit(registry, TUnitKind::music) {
    if (empty) return;
    root_ = NewPartTree(this);
    CreateDefaultStave(staves_, nullptr, *root_, this, references_);
    SetSelectedSymbol(references_, root_->FirstSymbol());
}

TUnitMuz::~TUnitMuz() = default;

void TUnitMuz::LinkWindow(MuzWindow* window) {
    window_ = window;
    LinkUnitWindow(window);
}

bool TUnitMuz::SetWaveFileProps(const waveFileProps& props) {
    if (props.Freq <= 0 || (props.MoSt != 1 && props.MoSt != 2) ||
        (props.BytesPSample != 1 && props.BytesPSample != 2)) {
        return false;
    }
    Freq = props.Freq;
    MoSt = props.MoSt;
    BytesPSample = props.BytesPSample;
    return true;
}

void TUnitMuz::ChangeWaveFileProps(const waveFileProps& /*oldProps*/,
                                   const waveFileProps& newProps) {
    // The music file keeps no format, so there is nothing to save: no changed mark.
    SetWaveFileProps(newProps);
}

void TUnitMuz::MarkChanged() {
    if (TrackChanges()) changed_ = true;
}

void TUnitMuz::Changed() {
    MarkChanged();
    if (window_ != nullptr) window_->Redraw();
}

TStaveSymbol* TUnitMuz::SelectedStaveSymbol() const {
    TXTouchMuzSymbol* symbol = references_.SelectedSymbol;
    if (symbol == nullptr || symbol->GetMuzSymbolKind() != muzSymbolStave) return nullptr;
    return static_cast<TStaveSymbol*>(symbol);
}

TMuzBar* TUnitMuz::SelectedBar() const {
    TXTouchMuzSymbol* symbol = references_.SelectedSymbol;
    if (symbol == nullptr || symbol->GetMuzSymbolKind() != muzSymbolBar) return nullptr;
    return static_cast<TMuzBar*>(symbol);
}

// ---- Modes ----

void TUnitMuz::SetModeNew() {
    UnitMuzMode = unitMuzNew;
    if (const TKey* key = SelectedKey()) {
        Insert.ModeKind = insertModeKey;
        Insert.KeyKind = key->GetKeyKind();
    } else if (const TMuzNote* note = SelectedNote()) {
        Insert.ModeKind = insertModeNote;
        Insert.LengthKind = note->NoteLengthKind;
        Insert.Points = note->Points;
        Insert.Art = static_cast<TNoteArtKind>(note->ArtKind);
        Insert.StickKind = static_cast<TDrawStickKind>(note->DrawStickKind);
    } else if (const TStaveTimeSymbol* silence = SelectedTimeSymbol()) {
        Insert.ModeKind = insertModeSilence;
        Insert.LengthKind = silence->NoteLengthKind;
        Insert.Points = silence->Points;
    }
    if (window_ != nullptr) window_->Redraw();
}

void TUnitMuz::SetModeSel() {
    UnitMuzMode = unitMuzSel;
    if (window_ != nullptr) window_->Redraw();
}

void TUnitMuz::SetModeDel() {
    UnitMuzMode = unitMuzDel;
    SetSelectedSymbol(references_, nullptr);
    if (window_ != nullptr) window_->Redraw();
}

// ---- Selection ----

void TUnitMuz::SelectQuietly(TXTouchMuzSymbol* symbol) {
    SetSelectedSymbol(references_, symbol);
    if (window_ != nullptr) {
        if (symbol != nullptr) window_->ScrollIntoView(*symbol);
        window_->Redraw();
    }
}

void TUnitMuz::SelectSymbol(TXTouchMuzSymbol* symbol) {
    SelectQuietly(symbol);
    PlayIfAuto(SelectedNote());
}

TMuzNote* TUnitMuz::SelectUpTarget() const {
    const TMuzNote* note = SelectedNote();
    return note != nullptr ? ChordNoteAbove(*note) : nullptr;
}

TMuzNote* TUnitMuz::SelectDownTarget() const {
    const TMuzNote* note = SelectedNote();
    return note != nullptr ? ChordNoteBelow(*note) : nullptr;
}

TXTouchMuzSymbol* TUnitMuz::SelectPrevTarget() const {
    TXTouchMuzSymbol* symbol = references_.SelectedSymbol;
    const TNoteStave* stave = StaveOfSelection(references_);
    if (symbol == nullptr || stave == nullptr) return nullptr;
    return FindSymbolLeft(*symbol, stave);
}

TXTouchMuzSymbol* TUnitMuz::SelectNextTarget() const {
    TXTouchMuzSymbol* symbol = references_.SelectedSymbol;
    const TNoteStave* stave = StaveOfSelection(references_);
    if (symbol == nullptr || stave == nullptr) return nullptr;
    return FindSymbolRight(*symbol, stave);
}

namespace {

bool SelectIfAny(TUnitMuz& unit, TXTouchMuzSymbol* target) {
    if (target == nullptr) return false;
    unit.SelectSymbol(target);
    return true;
}

}  // namespace

bool TUnitMuz::SelectUp() {
    return SelectIfAny(*this, SelectUpTarget());
}

bool TUnitMuz::SelectDown() {
    return SelectIfAny(*this, SelectDownTarget());
}

bool TUnitMuz::SelectPrev() {
    return SelectIfAny(*this, SelectPrevTarget());
}

bool TUnitMuz::SelectNext() {
    return SelectIfAny(*this, SelectNextTarget());
}

bool TUnitMuz::SelectFirstOfStave() {
    const TNoteStave* stave = StaveOfSelection(references_);
    return stave != nullptr && SelectIfAny(*this, FirstSymbolOfStave(*root_, stave));
}

bool TUnitMuz::SelectLastOfStave() {
    const TNoteStave* stave = StaveOfSelection(references_);
    return stave != nullptr && SelectIfAny(*this, LastSymbolOfStave(*root_, stave));
}

namespace {

bool SelectOnStave(TUnitMuz& unit, const TNoteStave* target) {
    TXTouchMuzSymbol* symbol = unit.SelectedSymbol();
    if (symbol == nullptr || target == nullptr) return false;
    return SelectIfAny(unit, SymbolOnStave(*symbol, target));
}

}  // namespace

bool TUnitMuz::SelectStaveAbove() {
    const TNoteStave* stave = StaveOfSelection(references_);
    return stave != nullptr && SelectOnStave(*this, stave->Prev);
}

bool TUnitMuz::SelectStaveBelow() {
    const TNoteStave* stave = StaveOfSelection(references_);
    return stave != nullptr && SelectOnStave(*this, stave->Next);
}

bool TUnitMuz::SelectFirstStave() {
    return SelectOnStave(*this, staves_.FirstStave());
}

bool TUnitMuz::SelectLastStave() {
    return SelectOnStave(*this, staves_.LastStave());
}

TNoteGroup* TUnitMuz::NoteGroupPrevTarget() const {
    const TMuzNote* note = SelectedNote();
    return note != nullptr ? PrevNoteGroup(*note) : nullptr;
}

TNoteGroup* TUnitMuz::NoteGroupNextTarget() const {
    const TMuzNote* note = SelectedNote();
    return note != nullptr ? NextNoteGroup(*note) : nullptr;
}

namespace {

bool MoveToGroup(TMuzNote* note, TNoteGroup* group) {
    if (note == nullptr || group == nullptr) return false;
    MoveNoteToGroup(*note, *group);
    return true;
}

}  // namespace

bool TUnitMuz::NoteGroupPrev() {
    if (!MoveToGroup(SelectedNote(), NoteGroupPrevTarget())) return false;
    Changed();
    PlayIfAuto(SelectedNote());
    return true;
}

bool TUnitMuz::NoteGroupNext() {
    if (!MoveToGroup(SelectedNote(), NoteGroupNextTarget())) return false;
    Changed();
    PlayIfAuto(SelectedNote());
    return true;
}

// ---- Playing ----

void TUnitMuz::Play(const TMuzNote& note) {
    // A note that cannot sound leaves the edit as it is: the result is not needed.
    if (player_ != nullptr) player_->PlayNote(note, Tempo.GetValue());
}

void TUnitMuz::PlayIfAuto(const TMuzNote* note) {
    if (AutoPlay && note != nullptr) Play(*note);
}

bool TUnitMuz::PlaySelectedNote() {
    const TMuzNote* note = SelectedNote();
    if (note == nullptr || player_ == nullptr) return false;
    return player_->PlayNote(*note, Tempo.GetValue());
}

}  // namespace kalvora
