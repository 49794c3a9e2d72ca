#include "notation/notation_painter.h"

#include <algorithm>

#include "notation/key_glyph.h"
#include "notation/measure_glyphs.h"

namespace kalvora::notation {
namespace {

constexpr Color kHatchColor = platform::MakeColor(64, 64, 64);
constexpr Color kWindowColor = 0xFFFFFF;

TGlyphInk InkOf(const TNoteStave& stave) {
    return TGlyphInk{stave.ForegroundColor, stave.BackgroundColor};
}

}  // namespace

TNotationPainter::TNotationPainter(Canvas& canvas, const TStaveList& staves,
                                   const TXTouchMuzSymbol* selection, TNotationView view)
    : canvas_(canvas), selection_(selection), view_(view) {
    for (TNoteStave* s = staves.FirstStave(); s != nullptr; s = s->GetNext())
        staves_.push_back(s);
}

TNotationExtent TNotationPainter::Paint(TStartPartMuz& root) {
    originX_ = -view_.ScrollX;
    originY_ = -view_.ScrollY;
    LayOutVertically();
    PaintBackgrounds();
    if (!staves_.empty()) {
        DrawPart(root);
        DrawEnd();
        DrawStaffLines();
    }
    return extent_;
}

void TNotationPainter::LayOutVertically() {
    int middleY = originY_ + 40;
    for (std::size_t i = 0; i < staves_.size(); ++i) {
        TNoteStave& stave = *staves_[i];
        middleY += (i == 0 ? 0 : staves_[i - 1]->RoomDown.GetValue()) + stave.RoomUp.GetValue();
        stave.Layout.MiddleY = middleY;
        stave.Layout.BottomY = middleY + stave.RoomDown.GetValue();
        stave.Layout.DrawKey = nullptr;
        drawX_.push_back(originX_ + 5);
        flushes_.push_back(std::make_unique<TStaveFlush>(stave, selection_));
    }
    // Measured without the scroll offset, so the scroll range does not move while scrolling.
    extent_.Height = staves_.empty() ? 0 : staves_.back()->Layout.BottomY + 40 - originY_;
    extent_.Width = view_.ClientWidth;
}

void TNotationPainter::PaintBackgrounds() {
    const int width = view_.ClientWidth;
    if (staves_.empty()) {
        canvas_.HatchRect(Rect{0, 0, width, view_.ClientHeight}, platform::Hatch::vertical,
                          kHatchColor, kWindowColor);
        return;
    }
    const TNoteStave& first = *staves_.front();
    const TNoteStave& last = *staves_.back();
    const int top = first.Layout.MiddleY - first.RoomUp.GetValue();
    canvas_.HatchRect(Rect{0, std::min(0, top), width, top}, platform::Hatch::forwardDiagonal,
                      kHatchColor, kWindowColor);
    for (const TNoteStave* stave : staves_) {
        canvas_.FillRect(
            Rect{0, stave->Layout.MiddleY - stave->RoomUp.GetValue(), width, stave->Layout.BottomY},
            stave->BackgroundColor);
    }
    canvas_.HatchRect(
        Rect{0, last.Layout.BottomY, width, std::max(last.Layout.BottomY, view_.ClientHeight)},
        platform::Hatch::backwardDiagonal, kHatchColor, kWindowColor);
}

std::size_t TNotationPainter::StaveIndex(const TNoteStave* stave) const {
    return static_cast<std::size_t>(std::find(staves_.begin(), staves_.end(), stave) -
                                    staves_.begin());
}

int TNotationPainter::RightmostX() const {
    return *std::max_element(drawX_.begin(), drawX_.end());
}

void TNotationPainter::SetAllX(int x) {
    std::fill(drawX_.begin(), drawX_.end(), x);
}

void TNotationPainter::FlushAll(double t) {
    for (std::size_t i = 0; i < staves_.size(); ++i)
        drawX_[i] = std::max(drawX_[i], flushes_[i]->DrawUntil(canvas_, t, drawX_[i]));
}

void TNotationPainter::DrawPart(TPartMuz& part) {
    switch (part.GetPartMuzKind()) {
        case partMuzSingle:
            DrawSinglePart(static_cast<TSinglePartMuz&>(part));
            return;
        case partMuzLoop:
            DrawLoop(static_cast<TLoopPartMuz&>(part));
            return;
        case partMuzStart:
        case partMuzConcat:
        case partMuzSelect:
            // A child switched off for playing and drawing is left out, whatever its kind.
            for (int i = 0; i < part.ChildCount(); ++i) {
                TPartMuz* child = part.Child(i);
                if (child != nullptr && child->PlayDraw != 0) DrawPart(*child);
            }
            return;
    }
}

void TNotationPainter::DrawLoop(TLoopPartMuz& loop) {
    const auto sign = [&](TLoopPartSymbol& symbol) {
        const int x = RightmostX();
        int end = x;
        for (const TNoteStave* stave : staves_) {
            end = DrawRepeatSign(canvas_, InkOf(*stave), stave->Layout.MiddleY, x, symbol.IsLeft(),
                                 loop.GetCount(), selection_ == &symbol);
        }
        symbol.TouchLeft = x - 2;
        symbol.TouchRight = end;
        symbol.HasTouch = 1;
        SetAllX(end);
    };
    sign(loop.GetLeftLoopSymbol());
    if (loop.GetLoopPart() != nullptr && loop.GetLoopPart()->PlayDraw != 0)
        DrawPart(*loop.GetLoopPart());
    sign(loop.GetRightLoopSymbol());
}

void TNotationPainter::DrawSinglePart(TSinglePartMuz& part) {
    TStaveSymbol* symbol = part.FirstSymbol();
    // Start keys, all at the x where the part begins.
    const int keyX = RightmostX();
    for (; symbol != nullptr && symbol->IsKey(); symbol = symbol->Next) {
        auto& key = static_cast<TKey&>(*symbol);
        if (key.Volgnr > 1) break;
        const std::size_t i = StaveIndex(key.NoteStave);
        if (i >= staves_.size()) continue;
        flushes_[i]->SetKey(key);
        key.NoteStave->Layout.DrawKey = &key;
        drawX_[i] = DrawKeyGlyph(canvas_, InkOf(*key.NoteStave), key.NoteStave->Layout.MiddleY, key,
                                 keyX, selection_ == &key);
    }
    // The time signature on every stave.
    TMuzBar& bar = part.GetMuzBar();
    const int barX = RightmostX();
    int end = barX;
    for (const TNoteStave* stave : staves_) {
        end = DrawTimeSignature(canvas_, InkOf(*stave), stave->Layout.MiddleY, barX, bar.CountNotes,
                                bar.NoteLength, selection_ == &bar);
    }
    bar.TouchLeft = barX - 2;
    bar.TouchRight = end + 2;
    bar.HasTouch = 1;
    SetAllX(end);
    barTime_ = bar.BarEnd(0);

    for (; symbol != nullptr; symbol = symbol->Next) {
        TNoteStave* stave = symbol->NoteStave;
        const std::size_t i = StaveIndex(stave);
        if (i >= staves_.size()) continue;  // symbols always lie on one of the staves
        TStaveFlush& flush = *flushes_[i];
        if (!symbol->IsKey()) symbol->HasTouch = 0;
        while (!(symbol->Position < barTime_ - 1e-9))
            DrawBarLine(part);
        if (auto* key = AsKey(symbol)) {
            drawX_[i] = std::max(drawX_[i], flush.DrawUntil(canvas_, key->Position, drawX_[i]));
            drawX_[i] = DrawKeyGlyph(canvas_, InkOf(*stave), stave->Layout.MiddleY, *key, drawX_[i],
                                     selection_ == key);
            flush.SetKey(*key);
            stave->Layout.DrawKey = key;
        } else if (auto* note = AsNote(symbol)) {
            flush.RegisterNote(*note);
        } else {
            flush.RegisterSilence(static_cast<TSilence&>(*symbol));
        }
    }
    // Closing: every part ends with a bar line, and bar lines follow until nothing waits.
    do {
        DrawBarLine(part);
    } while (std::any_of(flushes_.begin(), flushes_.end(),
                         [](const auto& f) { return f->HasPending(); }));
}

void TNotationPainter::DrawBarLine(TSinglePartMuz& part) {
    FlushAll(barTime_);
    const int x = std::max(RightmostX(), originX_);
    for (const TNoteStave* stave : staves_) {
        canvas_.VerticalLine(x + 3, stave->Layout.MiddleY - 20, stave->Layout.MiddleY + 20,
                             stave->ForegroundColor);
    }
    SetAllX(x + 8);
    barTime_ = part.GetMuzBar().BarEnd(barTime_);
    FlushAll(barTime_);
    for (auto& flush : flushes_)
        flush->ResetAccidentals();
}

void TNotationPainter::DrawEnd() {
    const int x = RightmostX();
    for (const TNoteStave* stave : staves_) {
        const int m = stave->Layout.MiddleY;
        canvas_.VerticalLine(x, m - 20, m + 20, stave->ForegroundColor);
        canvas_.FillRect(Rect{x + 3, m - 20, x + 7, m + 21}, stave->ForegroundColor);
    }
    extent_.Width = x - originX_ + view_.ClientWidth - 80;
    extent_.ContentWidth = x - originX_ + 7;
}

void TNotationPainter::DrawStaffLines() {
    for (const TNoteStave* stave : staves_) {
        const int m = stave->Layout.MiddleY;
        int from = -2, to = 2;
        if (stave->ExtraLines != 0) {
            from = -(stave->RoomUp.GetValue() / 10);
            to = stave->RoomDown.GetValue() / 10;
        }
        const Color faint =
            platform::BlendColor(stave->BackgroundColor, stave->ForegroundColor, 0.25);
        for (int i = from; i <= to; ++i) {
            canvas_.HorizontalLine(0, view_.ClientWidth - 1, m + 10 * i,
                                   i >= -2 && i <= 2 ? stave->ForegroundColor : faint);
        }
    }
}

}  // namespace kalvora::notation
