// TColorPalette1DItem: a colour palette for single volume diagrams, a list of stops from
// position 0 to position 1 with a gradient between neighbours. The first stop owns the
// list; copying it copies the whole list. Standard C++ and the platform's colours only.
//
// Invariants: the list begins with a stop at 0 and ends with a stop at 1, which are never
// removed or moved; every stop in between lies strictly between 0 and 1; no two stops share
// a position.
#pragma once

#include <cstdint>
#include <memory>

#include "documents/display_unit.h"
#include "platform/color.h"

namespace kalvora {

using platform::Color;

class TColorPalette1DItem {
  public:
    Color ColorBefore = 0;           // the colour the gradient from the previous stop reaches
    std::uint8_t UseColorAfter = 0;  // the gradient to the next stop starts from ColorAfter
    Color ColorAfter = 0;            // kept even while UseColorAfter is clear
    double Position = 0.0;           // 0 .. 1
    // The unit the position is shown in: percent for a new stop, then the one last typed.
    DisplayUnit PositionUnit = DisplayUnit::percent;
    std::unique_ptr<TColorPalette1DItem> NextColorPalette1DItem;

    // The default palette: black at 0, white at 1.
    TColorPalette1DItem();
    // A two-stop palette from begin (at 0) to end (at 1).
    TColorPalette1DItem(Color begin, Color end);
    TColorPalette1DItem(const TColorPalette1DItem& other);
    TColorPalette1DItem& operator=(const TColorPalette1DItem& other);
    TColorPalette1DItem(TColorPalette1DItem&&) noexcept = default;
    TColorPalette1DItem& operator=(TColorPalette1DItem&&) noexcept = default;
    ~TColorPalette1DItem();

    double GetDPosition() const { return Position; }

    // The colour at position p (0 <= p <= 1), called on the first stop.
    Color GetColor(double p) const;
    // The colour that starts the gradient to the next stop.
    Color GetStartColor() const { return UseColorAfter ? ColorAfter : ColorBefore; }

    void SetColorBefore(Color color) { ColorBefore = color; }
    // Only while UseColorAfter is set.
    void SetColorAfter(Color color);

    // Called on the first stop. A new stop with ColorBefore = color in front of the first
    // stop whose position is larger; position must lie strictly between 0 and 1 and be free.
    TColorPalette1DItem* InsertItem(double position, Color color);
    // Called on the first stop. Removes the inner stop; returns the stop before it.
    TColorPalette1DItem* DeleteItem(TColorPalette1DItem* stop);
    // Called on the first stop: the stop before stop, nullptr for the first.
    TColorPalette1DItem* GetPrevious(const TColorPalette1DItem* stop);
    // The stop at position 1.
    TColorPalette1DItem* GetLastItem();
    const TColorPalette1DItem* GetLastItem() const;

    // The number of stops from this one to the end.
    int Count() const;
    // Every stop equal in ColorBefore, ColorAfter, Position and UseColorAfter.
    bool SameStops(const TColorPalette1DItem& other) const;
    // ColorBefore and ColorAfter of every stop become per channel
    // trunc((1 - s)·a + s·colour).
    void BlendToward(Color a, double s);

  private:
    struct OneStop {};
    // A copy of other's own fields, without the stops after it.
    TColorPalette1DItem(const TColorPalette1DItem& other, OneStop);
};

}  // namespace kalvora
