// Lengths, dots, bars and tuplets of the music document.
#include <algorithm>
#include <cmath>

#include "music/music_math.h"
#include "music/stave_shifting.h"
#include "music/unit_muz.h"

namespace kalvora {

namespace {

constexpr int kMaxCountNotes = 99;

// The timing a symbol would get with flag length `flag`, or false when its tuplet cannot be
// drawn that long or the dots do not fit.
bool TimingForFlag(const TStaveTimeSymbol& symbol, int flag, TTiming& timing) {
    if (!IsLengthKind(flag) || MaxPointsOfLengthKind(flag) < symbol.Points) return false;
    int total = 0;
    if (!FlagLength2TotalLength(flag, symbol.GetMultiOol(), total)) return false;
    timing = symbol.GetTiming();
    timing.NoteLengthKind = total;
    return IsValidTiming(timing);
}

// Gives every chord member of `symbol` the length kind and dots of `timing` and moves what
// follows on the stave by the change of length.
void SetChordLength(TStaveTimeSymbol& symbol, int lengthKind, int points) {
    const double before = symbol.GetTotalLength();
    std::vector<TStaveTimeSymbol*> members = ChordMembers(symbol);
    for (TStaveTimeSymbol* member : members) {
        member->NoteLengthKind = static_cast<std::uint8_t>(lengthKind);
        member->Points = points;
    }
    const double delta = symbol.GetTotalLength() - before;
    if (delta != 0) ShiftFollowing(*members.back(), delta, symbol.NoteStave);
}

int ScaledCount(int count, int newLength, int oldLength) {
    return static_cast<int>(std::floor(static_cast<double>(count) * newLength / oldLength + 0.5));
}

}  // namespace

bool TUnitMuz::CanSetLength(int lengthKind, bool silence) const {
    if (!IsLengthKind(lengthKind)) return false;
    if (AddMode()) return MaxPointsOfLengthKind(lengthKind) >= Insert.Points;
    if (!EditMode()) return false;
    if (SelectedBar() != nullptr) return !silence;
    const TStaveTimeSymbol* symbol = SelectedTimeSymbol();
    TTiming timing;
    return symbol != nullptr && TimingForFlag(*symbol, lengthKind, timing);
}

bool TUnitMuz::CanSetNoteLength(int lengthKind) const {
    return CanSetLength(lengthKind, false);
}

bool TUnitMuz::CanSetSilenceLength(int lengthKind) const {
    return CanSetLength(lengthKind, true);
}

bool TUnitMuz::SetNoteLength(int lengthKind) {
    if (!CanSetLength(lengthKind, false)) return false;
    if (AddMode()) {
        Insert.LengthKind = lengthKind;
        Insert.ModeKind = insertModeNote;
        Insert.Points = 0;
        if (window_ != nullptr) window_->Redraw();
        return true;
    }
    if (TMuzBar* bar = SelectedBar()) return SetBarLength(*bar, lengthKind);
    return SetTimeLength(*SelectedTimeSymbol(), lengthKind, false);
}

bool TUnitMuz::SetSilenceLength(int lengthKind) {
    if (!CanSetLength(lengthKind, true)) return false;
    if (AddMode()) {
        Insert.LengthKind = lengthKind;
        Insert.ModeKind = insertModeSilence;
        if (window_ != nullptr) window_->Redraw();
        return true;
    }
    return SetTimeLength(*SelectedTimeSymbol(), lengthKind, true);
}

bool TUnitMuz::SetBarLength(TMuzBar& bar, int lengthKind) {
    // The bar keeps its length as well as whole beats allow; so does the first bar.
    const int count =
        std::clamp(ScaledCount(bar.CountNotes, lengthKind, bar.NoteLength), 1, kMaxCountNotes);
    const int extra =
        std::clamp(ScaledCount(bar.ExtraCount, lengthKind, bar.NoteLength), 0, count - 1);
    bar.CountNotes = count;
    bar.ExtraCount = extra;
    bar.NoteLength = static_cast<std::uint8_t>(lengthKind);
    Changed();
    return true;
}

// The length changes first, for the whole chord; then a silence becomes a note, or the notes
// of the chord's place become one silence, with the new timing.
bool TUnitMuz::SetTimeLength(TStaveTimeSymbol& symbol, int lengthKind, bool silence) {
    TTiming timing;
    if (!TimingForFlag(symbol, lengthKind, timing)) return false;
    SetChordLength(symbol, timing.NoteLengthKind, timing.Points);
    TSinglePartMuz& part = *symbol.SinglePartMuz;
    TNoteStave* stave = symbol.NoteStave;
    if (!silence && symbol.IsSilence()) {
        const TKey* key = KeyAtOrBefore(symbol);
        const int pitch = key != nullptr ? key->PitchOf(0) : 0;
        auto note = std::make_unique<TMuzNote>(stave, stave->SelectedNoteGroup, this, &part,
                                               symbol.Position, symbol.GetTiming(), pitch,
                                               noteShiftNormal, artNormal, Insert.StickKind);
        TMuzNote* raw = note.get();
        RemoveSymbols(part, {&symbol});
        std::unique_ptr<TStaveSymbol> owned = std::move(note);
        part.InsertSymbol(owned);
        Changed();
        SelectSymbol(raw);
        return true;
    }
    if (silence && symbol.IsNote()) {
        std::vector<TMuzNote*> notes = SameOolNotes(symbol);
        TStaveSymbol* placed = ReplaceBySilence(part, notes);
        TStaveSymbol* selection = placed;
        CollapseSilentTuplet(*static_cast<TStaveTimeSymbol*>(placed), selection);
        Changed();
        SelectQuietly(selection);
        return true;
    }
    Changed();
    PlayIfAuto(AsNote(&symbol));
    return true;
}

// ---- The current length ----

int TUnitMuz::CurrentLengthKind() const {
    if (AddMode()) return Insert.LengthKind;
    if (!EditMode()) return 0;
    if (const TMuzBar* bar = SelectedBar()) return bar->NoteLength;
    const TStaveTimeSymbol* symbol = SelectedTimeSymbol();
    return symbol != nullptr ? symbol->GetFlagLength() : 0;
}

bool TUnitMuz::CurrentIsSilence() const {
    if (AddMode()) return Insert.ModeKind == insertModeSilence;
    const TStaveSymbol* symbol = SelectedStaveSymbol();
    return symbol != nullptr && symbol->IsSilence();
}

bool TUnitMuz::CanApplyCurrentLength(bool silence) const {
    return CanSetLength(CurrentLengthKind(), silence);
}

bool TUnitMuz::ApplyCurrentLength(bool silence) {
    const int kind = CurrentLengthKind();
    return silence ? SetSilenceLength(kind) : SetNoteLength(kind);
}

int TUnitMuz::LongerLengthKind() const {
    const int kind = CurrentLengthKind();
    return kind > 1 ? kind / 2 : 0;  // a whole note is the longest
}

int TUnitMuz::ShorterLengthKind() const {
    const int kind = CurrentLengthKind();
    return kind >= 1 && kind < 64 ? kind * 2 : 0;
}

bool TUnitMuz::CanLengthLonger() const {
    return CanSetLength(LongerLengthKind(), CurrentIsSilence());
}

bool TUnitMuz::CanLengthShorter() const {
    return CanSetLength(ShorterLengthKind(), CurrentIsSilence());
}

bool TUnitMuz::LengthLonger() {
    const int kind = LongerLengthKind();
    return CurrentIsSilence() ? SetSilenceLength(kind) : SetNoteLength(kind);
}

bool TUnitMuz::LengthShorter() {
    const int kind = ShorterLengthKind();
    return CurrentIsSilence() ? SetSilenceLength(kind) : SetNoteLength(kind);
}

// ---- Dots ----

bool TUnitMuz::CanChangePoints(int delta) const {
    if (AddMode()) {
        const int points = Insert.Points + delta;
        return points >= 0 && points <= MaxPointsOfLengthKind(Insert.LengthKind);
    }
    if (!EditMode()) return false;
    if (const TMuzBar* bar = SelectedBar()) {
        const int count = bar->CountNotes + delta;
        return count >= 1 && count <= kMaxCountNotes;
    }
    const TStaveTimeSymbol* symbol = SelectedTimeSymbol();
    return symbol != nullptr && MayTotalPoints(symbol->GetMultiOol(), symbol->Points + delta);
}

bool TUnitMuz::CanAddPoint() const {
    return CanChangePoints(1);
}

bool TUnitMuz::CanDeletePoint() const {
    return CanChangePoints(-1);
}

bool TUnitMuz::AddPoint() {
    return ChangePoints(1);
}

bool TUnitMuz::DeletePoint() {
    return ChangePoints(-1);
}

bool TUnitMuz::ChangePoints(int delta) {
    if (!CanChangePoints(delta)) return false;
    if (AddMode()) {
        Insert.Points += delta;
        if (window_ != nullptr) window_->Redraw();
        return true;
    }
    if (TMuzBar* bar = SelectedBar()) {
        bar->CountNotes += delta;
        bar->ExtraCount = std::min(bar->ExtraCount, bar->CountNotes - 1);
        Changed();
        return true;
    }
    TStaveTimeSymbol& symbol = *SelectedTimeSymbol();
    SetChordLength(symbol, symbol.NoteLengthKind, symbol.Points + delta);
    Changed();
    PlayIfAuto(AsNote(&symbol));
    return true;
}

// ---- Tuplets ----

bool TUnitMuz::CanMakeTuplet(int n) const {
    if (!EditMode() || n < duool || n > kwintool) return false;
    const TMuzNote* note = SelectedNote();
    if (note == nullptr || note->MultiOol != sool) return false;
    const auto multiOol = static_cast<TMultiOol>(n);
    if (!MayTotalPoints(multiOol, note->Points)) return false;
    if (note->NoteLengthKind > (multiOol == kwintool ? 16 : 32)) return false;
    // Only where the tuplet can be drawn with the note's length as its flag.
    int total = 0;
    if (!FlagLength2TotalLength(note->NoteLengthKind, multiOol, total)) return false;
    return IsValidTiming(TTiming{total, note->Points, multiOol, 0});
}

bool TUnitMuz::MakeTuplet(int n) {
    if (!CanMakeTuplet(n)) return false;
    TMuzNote& selected = *SelectedNote();
    const auto multiOol = static_cast<TMultiOol>(n);
    int total = 0;
    FlagLength2TotalLength(selected.NoteLengthKind, multiOol, total);
    TSinglePartMuz& part = *selected.SinglePartMuz;
    std::vector<TMuzNote*> notes;
    for (TStaveTimeSymbol* member : ChordMembers(selected)) {
        if (TMuzNote* note = AsNote(member)) notes.push_back(note);
    }
    const double delta = TotalLengthOf(total, selected.Points) - selected.GetTotalLength();
    ShiftFollowing(*GroupEnd(selected), delta, selected.NoteStave);
    for (TMuzNote* note : notes) {
        const TTiming timing{total, note->Points, multiOol, 0};
        note->SetTiming(timing);
        for (int place = 1; place < n; ++place) {
            TTiming copyTiming = timing;
            copyTiming.PosInOol = place;
            std::unique_ptr<TStaveSymbol> copy = std::make_unique<TMuzNote>(
                note->NoteStave, note->NoteGroup, this, &part, note->Position, copyTiming,
                note->Pitch, static_cast<TNoteShiftKind>(note->NoteShiftKind),
                static_cast<TNoteArtKind>(note->ArtKind),
                static_cast<TDrawStickKind>(note->DrawStickKind));
            part.InsertSymbol(copy);
        }
    }
    Changed();
    PlayIfAuto(&selected);
    return true;
}

}  // namespace kalvora
