#include "notation/muz_hit_test.h"

#include <cstdlib>
#include <functional>

#include "music/single_part_muz.h"

namespace kalvora::notation {
namespace {

// Calls visit for every touchable symbol of the drawn parts, in part order: a loop's two
// repeat signs, a single part's bar, then its symbols in list order. Only symbols the last
// paint placed (HasTouch) count.
void ForEachDrawnSymbol(TPartMuz& part, const std::function<void(TXTouchMuzSymbol&)>& visit) {
    if (part.PlayDraw == 0) return;
    switch (part.GetPartMuzKind()) {
        case partMuzSingle: {
            auto& single = static_cast<TSinglePartMuz&>(part);
            if (single.GetMuzBar().HasTouch != 0) visit(single.GetMuzBar());
            for (TStaveSymbol* s = single.FirstSymbol(); s != nullptr; s = s->Next) {
                if (s->HasTouch != 0) visit(*s);
            }
            return;
        }
        case partMuzLoop: {
            auto& loop = static_cast<TLoopPartMuz&>(part);
            if (loop.GetLeftLoopSymbol().HasTouch != 0) visit(loop.GetLeftLoopSymbol());
            if (loop.GetRightLoopSymbol().HasTouch != 0) visit(loop.GetRightLoopSymbol());
            if (loop.GetLoopPart() != nullptr) ForEachDrawnSymbol(*loop.GetLoopPart(), visit);
            return;
        }
        case partMuzStart:
        case partMuzConcat:
        case partMuzSelect:
            for (int i = 0; i < part.ChildCount(); ++i) {
                if (TPartMuz* child = part.Child(i)) ForEachDrawnSymbol(*child, visit);
            }
            return;
    }
}

void ForEachDrawnStaveSymbol(TStartPartMuz& root, const TNoteStave& stave,
                             const std::function<void(TStaveSymbol&)>& visit) {
    ForEachDrawnSymbol(root, [&](TXTouchMuzSymbol& symbol) {
        if (symbol.GetMuzSymbolKind() != muzSymbolStave) return;
        auto& staveSymbol = static_cast<TStaveSymbol&>(symbol);
        if (staveSymbol.NoteStave == &stave) visit(staveSymbol);
    });
}

bool TouchHolds(const TXTouchMuzSymbol& symbol, int x) {
    return TouchDistance(symbol, x) == 0;
}

int TouchCentre(const TXTouchMuzSymbol& symbol) {
    // Halved as a wide integer: touch areas far out must not overflow.
    return static_cast<int>((static_cast<long long>(symbol.TouchLeft) + symbol.TouchRight) / 2);
}

}  // namespace

int TouchDistance(const TXTouchMuzSymbol& symbol, int x) {
    if (x < symbol.TouchLeft) return symbol.TouchLeft - x;
    if (x > symbol.TouchRight) return x - symbol.TouchRight;
    return 0;
}

double HitScore(const TXTouchMuzSymbol& symbol, int x, int y) {
    const double dx = TouchDistance(symbol, x);
    if (symbol.GetMuzSymbolKind() != muzSymbolStave) return (12.0 * dx) * (12.0 * dx);
    const double dy = static_cast<const TStaveSymbol&>(symbol).VerticalDistance(y);
    return (2.5 * dx) * (2.5 * dx) + dy * dy;
}

TNoteStave* StaveAtY(const TStaveList& staves, int y) {
    for (TNoteStave* s = staves.FirstStave(); s != nullptr; s = s->GetNext()) {
        const int middle = s->Layout.MiddleY;
        if (y >= middle - s->RoomUp.GetValue() && y <= middle + s->RoomDown.GetValue()) return s;
    }
    return nullptr;
}

int StaffPositionAtY(int middleY, int y) {
    const int above = middleY - y;
    return above >= 0 ? (above + 2) / 5 : (above - 2) / 5;
}

TNoteStave* StaveBorderAtY(const TStaveList& staves, int y) {
    for (TNoteStave* s = staves.FirstStave(); s != nullptr; s = s->GetNext()) {
        const int border = s->Layout.MiddleY + s->RoomDown.GetValue();
        if (y >= border - 3 && y <= border + 2) return s;
    }
    return nullptr;
}

TXTouchMuzSymbol* SymbolAt(TStartPartMuz& root, int x, int y) {
    TXTouchMuzSymbol* best = nullptr;
    double bestScore = kHitScoreLimit;
    ForEachDrawnSymbol(root, [&](TXTouchMuzSymbol& symbol) {
        const double score = HitScore(symbol, x, y);
        if (score < bestScore) {
            bestScore = score;
            best = &symbol;
        }
    });
    return best;
}

TMuzInsertion InsertionAt(TStartPartMuz& root, TNoteStave& stave, int x, int y) {
    TMuzInsertion place;
    place.Stave = &stave;
    place.StaffPosition = StaffPositionAtY(stave.Layout.MiddleY, y);
    TStaveSymbol* last = nullptr;
    bool passed = false;  // a symbol whose centre lies right of x has been met
    ForEachDrawnStaveSymbol(root, stave, [&](TStaveSymbol& symbol) {
        if (place.HitNote == nullptr && symbol.IsNote() && TouchHolds(symbol, x))
            place.HitNote = static_cast<TMuzNote*>(&symbol);
        if (place.HitSilence == nullptr && symbol.IsSilence() && TouchHolds(symbol, x))
            place.HitSilence = static_cast<TSilence*>(&symbol);
        if (passed) return;
        if (TouchCentre(symbol) > x) {
            passed = true;
            place.After = last;
        }
        last = &symbol;
    });
    if (!passed) place.After = last;
    return place;
}

}  // namespace kalvora::notation
