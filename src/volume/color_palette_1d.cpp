#include "volume/color_palette_1d.h"

#include <utility>

#include "platform/assertion.h"

namespace kalvora {

TColorPalette1DItem::TColorPalette1DItem() : TColorPalette1DItem(0x000000, 0xFFFFFF) {}

TColorPalette1DItem::TColorPalette1DItem(Color begin, Color end) : ColorBefore(begin) {
    NextColorPalette1DItem.reset(new TColorPalette1DItem(*this, OneStop{}));
    NextColorPalette1DItem->ColorBefore = end;
    NextColorPalette1DItem->Position = 1.0;
}

TColorPalette1DItem::TColorPalette1DItem(const TColorPalette1DItem& other, OneStop)
    : ColorBefore(other.ColorBefore),
      UseColorAfter(other.UseColorAfter),
      ColorAfter(other.ColorAfter),
      Position(other.Position),
      PositionUnit(other.PositionUnit) {}

TColorPalette1DItem::TColorPalette1DItem(const TColorPalette1DItem& other)
    : TColorPalette1DItem(other, OneStop{}) {
    // Iteratively, so that a long list does not recurse once per stop.
    TColorPalette1DItem* into = this;
    for (const auto* from = other.NextColorPalette1DItem.get(); from != nullptr;
         from = from->NextColorPalette1DItem.get()) {
        into->NextColorPalette1DItem.reset(new TColorPalette1DItem(*from, OneStop{}));
        into = into->NextColorPalette1DItem.get();
    }
}

TColorPalette1DItem& TColorPalette1DItem::operator=(const TColorPalette1DItem& other) {
    if (this != &other) *this = TColorPalette1DItem(other);
    return *this;
}

TColorPalette1DItem::~TColorPalette1DItem() {
    // Unlinks the rest iteratively for the same reason.
    auto rest = std::move(NextColorPalette1DItem);
    while (rest)
        rest = std::move(rest->NextColorPalette1DItem);
}

Color TColorPalette1DItem::GetColor(double p) const {
    const TColorPalette1DItem* stop = this;
    for (;;) {
        if (stop->Position > p) p = stop->Position;
        const TColorPalette1DItem* next = stop->NextColorPalette1DItem.get();
        if (next == nullptr) return stop->ColorBefore;
        if (p > next->Position) {
            stop = next;
            continue;
        }
        const double span = next->Position - stop->Position;
        const double t = span > 0.0 ? (p - stop->Position) / span : 1.0;
        return platform::BlendColor(stop->GetStartColor(), next->ColorBefore, t);
    }
}

void TColorPalette1DItem::SetColorAfter(Color color) {
    KALVORA_ASSERT(UseColorAfter);
    ColorAfter = color;
}

TColorPalette1DItem* TColorPalette1DItem::InsertItem(double position, Color color) {
    KALVORA_ASSERT(position > 0.0 && position < 1.0);
    TColorPalette1DItem* before = this;
    while (before->NextColorPalette1DItem->Position < position) {
        before = before->NextColorPalette1DItem.get();
    }
    KALVORA_ASSERT(before->NextColorPalette1DItem->Position != position);
    std::unique_ptr<TColorPalette1DItem> stop(new TColorPalette1DItem(*this, OneStop{}));
    stop->ColorBefore = color;
    stop->UseColorAfter = 0;
    stop->ColorAfter = 0;
    stop->Position = position;
    stop->PositionUnit = DisplayUnit::percent;
    stop->NextColorPalette1DItem = std::move(before->NextColorPalette1DItem);
    before->NextColorPalette1DItem = std::move(stop);
    return before->NextColorPalette1DItem.get();
}

TColorPalette1DItem* TColorPalette1DItem::DeleteItem(TColorPalette1DItem* stop) {
    KALVORA_ASSERT(stop != nullptr && stop->Position > 0.0 && stop->Position < 1.0);
    TColorPalette1DItem* before = GetPrevious(stop);
    KALVORA_ASSERT(before != nullptr);
    before->NextColorPalette1DItem = std::move(stop->NextColorPalette1DItem);
    return before;
}

TColorPalette1DItem* TColorPalette1DItem::GetPrevious(const TColorPalette1DItem* stop) {
    for (TColorPalette1DItem* item = this; item != nullptr;
         item = item->NextColorPalette1DItem.get()) {
        if (item->NextColorPalette1DItem.get() == stop) return item;
    }
    return nullptr;
}

TColorPalette1DItem* TColorPalette1DItem::GetLastItem() {
    TColorPalette1DItem* item = this;
    while (item->NextColorPalette1DItem)
        item = item->NextColorPalette1DItem.get();
    return item;
}

const TColorPalette1DItem* TColorPalette1DItem::GetLastItem() const {
    return const_cast<TColorPalette1DItem*>(this)->GetLastItem();
}

int TColorPalette1DItem::Count() const {
    int count = 0;
    for (const auto* item = this; item != nullptr; item = item->NextColorPalette1DItem.get()) {
        ++count;
    }
    return count;
}

bool TColorPalette1DItem::SameStops(const TColorPalette1DItem& other) const {
    const TColorPalette1DItem* a = this;
    const TColorPalette1DItem* b = &other;
    for (; a != nullptr && b != nullptr;
         a = a->NextColorPalette1DItem.get(), b = b->NextColorPalette1DItem.get()) {
        if (a->ColorBefore != b->ColorBefore || a->ColorAfter != b->ColorAfter ||
            a->Position != b->Position || a->UseColorAfter != b->UseColorAfter) {
            return false;
        }
    }
    return a == nullptr && b == nullptr;
}

void TColorPalette1DItem::BlendToward(Color a, double s) {
    for (auto* item = this; item != nullptr; item = item->NextColorPalette1DItem.get()) {
        item->ColorBefore = platform::BlendColor(a, item->ColorBefore, s);
        item->ColorAfter = platform::BlendColor(a, item->ColorAfter, s);
    }
}

}  // namespace kalvora
