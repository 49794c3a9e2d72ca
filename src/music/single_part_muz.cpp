#include "music/single_part_muz.h"

#include <algorithm>

#include "music/music_math.h"
#include "music/muz_key.h"
#include "music/stave_time_symbol.h"
#include "platform/assertion.h"

namespace kalvora {

TSinglePartMuz::TSinglePartMuz(TUnitMuz* unitMuz, int noteLength, int countNotes, int extraCount)
    : TPartMuz(unitMuz),
      MuzBar(std::make_unique<TMuzBar>(this, noteLength, countNotes, extraCount)) {
    KALVORA_ASSERT(MuzBar->GetSinglePartMuz() == this);
}

TSinglePartMuz::~TSinglePartMuz() {
    while (First != nullptr) {
        TStaveSymbol* next = First->Next;
        delete First;
        First = next;
    }
}

TStaveSymbol* TSinglePartMuz::LastSymbol() const {
    TStaveSymbol* last = First;
    while (last != nullptr && last->Next != nullptr)
        last = last->Next;
    return last;
}

TStaveSymbol* TSinglePartMuz::FirstSymbolOfStave(const TNoteStave* stave) const {
    for (TStaveSymbol* s = First; s != nullptr; s = s->Next) {
        if (s->NoteStave == stave) return s;
    }
    return nullptr;
}

TStaveSymbol* TSinglePartMuz::LastSymbolOfStave(const TNoteStave* stave) const {
    TStaveSymbol* last = nullptr;
    for (TStaveSymbol* s = First; s != nullptr; s = s->Next) {
        if (s->NoteStave == stave) last = s;
    }
    return last;
}

TStaveSymbol* TSinglePartMuz::StartKeyOfStave(const TNoteStave* stave) const {
    for (TStaveSymbol* s = First; s != nullptr && SamePosition(s->Position, 0.0); s = s->Next) {
        const TKey* key = AsKey(s);
        if (key != nullptr && s->NoteStave == stave && key->IsStartKey()) return s;
    }
    return nullptr;
}

bool TSinglePartMuz::Contains(const TStaveSymbol* symbol) const {
    for (const TStaveSymbol* s = First; s != nullptr; s = s->Next) {
        if (s == symbol) return true;
    }
    return false;
}

TKey* TSinglePartMuz::KeyInEffectAt(const TNoteStave* stave, double position) const {
    TKey* key = nullptr;
    for (TStaveSymbol* s = First; s != nullptr && !PositionBefore(position, s->Position);
         s = s->Next) {
        if (s->NoteStave == stave && s->IsKey()) key = static_cast<TKey*>(s);
    }
    return key;
}

bool TSinglePartMuz::InsertSymbol(std::unique_ptr<TStaveSymbol>& symbol) {
    if (symbol == nullptr || symbol->SinglePartMuz != this) return false;
    TStaveSymbol* added = symbol.release();
    if (First == nullptr || !Before(*First, *added)) {
        Link(nullptr, added);
        return true;
    }
    TStaveSymbol* after = First;
    while (after->Next != nullptr && Before(*after->Next, *added))
        after = after->Next;
    Link(after, added);
    return true;
}

bool TSinglePartMuz::DeleteSymbol(TStaveSymbol* symbol) {
    if (symbol->SinglePartMuz != this) return false;
    UnlinkSymbol(symbol);  // the handed-over symbol is freed here
    return true;
}

std::unique_ptr<TStaveSymbol> TSinglePartMuz::UnlinkSymbol(TStaveSymbol* symbol) {
    KALVORA_ASSERT(symbol->SinglePartMuz == this);
    Unlink(symbol);
    return std::unique_ptr<TStaveSymbol>(symbol);
}

bool TSinglePartMuz::ResortSymbol(TStaveSymbol* symbol) {
    if (symbol->SinglePartMuz != this) return false;
    if (symbol->Next != nullptr && Before(*symbol->Next, *symbol)) {
        TStaveSymbol* after = symbol->Next;
        while (after->Next != nullptr && Before(*after->Next, *symbol))
            after = after->Next;
        Unlink(symbol);
        Link(after, symbol);
    } else if (symbol->Prev != nullptr && Before(*symbol, *symbol->Prev)) {
        TStaveSymbol* before = symbol->Prev;
        while (before->Prev != nullptr && Before(*symbol, *before->Prev))
            before = before->Prev;
        Unlink(symbol);
        Link(before->Prev, symbol);
    }
    return true;
}

void TSinglePartMuz::RemoveStaveSymbols(const TNoteStave* stave) {
    for (TStaveSymbol* s = First; s != nullptr;) {
        TStaveSymbol* next = s->Next;
        if (s->NoteStave == stave) DeleteSymbol(s);
        s = next;
    }
}

void TSinglePartMuz::RemoveGroupNotes(const TNoteGroup* group) {
    for (TStaveSymbol* s = First; s != nullptr;) {
        TStaveSymbol* next = s->Next;
        const TMuzNote* note = AsNote(s);
        if (note != nullptr && note->NoteGroup == group) DeleteSymbol(s);
        s = next;
    }
}

void TSinglePartMuz::FillSilences(TNoteStave* stave) {
    double filledUntil = 0;
    for (TStaveSymbol* s = First; s != nullptr; s = s->Next) {
        if (s->NoteStave != stave) continue;
        // The new silences lie before s, so the walk goes on from s undisturbed.
        if (PositionBefore(filledUntil, s->Position)) FillGap(stave, filledUntil, s->Position);
        const TStaveTimeSymbol* timed = AsTimeSymbol(s);
        const double end = s->Position + (timed != nullptr ? timed->GetTotalLength() : 0.0);
        filledUntil = std::max(filledUntil, end);
    }
}

void TSinglePartMuz::FillGap(TNoteStave* stave, double from, double to) {
    static constexpr int kSilenceKinds[] = {1, 2, 4, 8, 16, 32};
    double at = from;
    while (PositionBefore(at, to)) {
        // Up to the next bar line that is really after `at`, so every round moves on.
        const double end = std::min(MuzBar->BarEnd(at + kPositionTolerance), to);
        for (const int kind : kSilenceKinds) {
            const double length = 1.0 / kind;
            while (!PositionBefore(end - at, length)) {
                std::unique_ptr<TStaveSymbol> silence =
                    std::make_unique<TSilence>(stave, this, at, TTiming{kind, 0, sool, 0});
                InsertSymbol(silence);
                at += length;
            }
        }
        at = end;  // a rest shorter than a thirty-second stays open
    }
}

void TSinglePartMuz::AddStave(TNoteStave* stave) {
    std::unique_ptr<TStaveSymbol> key =
        std::make_unique<TKey>(stave, this, UnitMuz, 0.0, keyKindG, 0, 1);
    InsertSymbol(key);
}

TXTouchMuzSymbol* TSinglePartMuz::NextStaveSymbol(const TPartMuz*, const TNoteStave* stave) {
    if (TStaveSymbol* first = FirstSymbolOfStave(stave)) return first;
    return Parent != nullptr ? Parent->NextStaveSymbol(this, stave) : nullptr;
}

TXTouchMuzSymbol* TSinglePartMuz::PrevStaveSymbol(const TPartMuz*, const TNoteStave* stave) {
    if (TStaveSymbol* last = LastSymbolOfStave(stave)) return last;
    return Parent != nullptr ? Parent->PrevStaveSymbol(this, stave) : nullptr;
}

double TSinglePartMuz::GetLength() {
    double length = 0;
    for (TStaveSymbol* s = First; s != nullptr; s = s->Next) {
        if (const TMuzNote* note = AsNote(s)) {
            length = std::max(length, note->Position + note->TStaveTimeSymbol::GetTotalLength());
        }
    }
    return length;
}

bool TSinglePartMuz::Generate(TPartGeneration& generation) {
    if (!generation.Renderer.RenderSinglePart(*this, generation.T0,
                                              ClampTransposition(generation.Transposition),
                                              generation.ErrorText)) {
        return false;
    }
    generation.T0 += generation.Tempo * GetLength();
    return true;
}

void TSinglePartMuz::Link(TStaveSymbol* after, TStaveSymbol* symbol) {
    TStaveSymbol* next = after != nullptr ? after->Next : First;
    symbol->Prev = after;
    symbol->SetNext(next);
    if (next != nullptr) next->Prev = symbol;
    if (after != nullptr) {
        after->SetNext(symbol);
    } else {
        First = symbol;
    }
}

void TSinglePartMuz::Unlink(TStaveSymbol* symbol) {
    if (symbol->Prev != nullptr) {
        symbol->Prev->SetNext(symbol->Next);
    } else {
        First = symbol->Next;
    }
    if (symbol->Next != nullptr) symbol->Next->Prev = symbol->Prev;
    symbol->Next = nullptr;
    symbol->Prev = nullptr;
}

}  // namespace kalvora
