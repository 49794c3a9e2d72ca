// TColorPaletteEditor: the model of the dialog "Color Palette". It edits a copy of a palette
// and keeps a current stop; the Qt dialog shows the current stop, enables its controls by the
// Can... answers and hands typed texts to the Set... operations, which check them before
// anything is stored. Core code: value types, messages and the palette only.
#pragma once

#include <string>
#include <string_view>

#include "platform/canvas.h"
#include "volume/color_palette_1d.h"

namespace kalvora {

class TColorPaletteEditor {
  public:
    explicit TColorPaletteEditor(const TColorPalette1DItem& palette);

    // The edited copy; OK hands it back.
    const TColorPalette1DItem& Palette() const { return palette_; }
    const TColorPalette1DItem& Current() const { return *current_; }

    // First, previous and "< Previous": the current stop is not the one at 0.
    bool CanGoBack() const { return current_->Position > 0.0; }
    // Next, last and "< Next": the current stop is not the one at 1.
    bool CanGoForward() const { return current_->Position < 1.0; }
    // "Delete", the position edit and "Color After": an inner stop.
    bool IsInner() const { return CanGoBack() && CanGoForward(); }

    void First();
    void Previous();
    void Next();
    void Last();

    // "Add": a stop in the middle of the current stop and the next one (of the previous one
    // and the current, at the last stop), in the colour the palette shows there; it becomes
    // the current stop.
    void Add();
    // "Delete": removes the current inner stop; the stop before it becomes current.
    void Delete();

    // The current stop's position as shown in the edit, in percent.
    std::string PositionText() const;
    // Reads a typed position ("Position", strictly between 0 and 1) into the current inner
    // stop. A text that does not read, or a position another stop has ("This Position already
    // exists in the pallette."), is refused under "Input Error" before anything is stored.
    // The stop moves to its place in position order.
    bool SetPositionText(std::string_view text);

    // Colour texts of hexadecimal digits; only 24-bit values are taken, others are refused
    // with a message under "Input Error".
    bool SetColorBeforeText(std::string_view text);
    bool SetColorAfterText(std::string_view text);  // only while "Color After" is ticked
    void SetColorBefore(Color color) { current_->SetColorBefore(color); }
    void SetColorAfter(Color color) { current_->SetColorAfter(color); }
    void SetUseColorAfter(bool use) { current_->UseColorAfter = use ? 1 : 0; }
    // What the after box shows.
    Color ShownColorAfter() const { return current_->GetStartColor(); }

    // "< Previous": ColorBefore becomes the previous stop's start colour.
    void CopyPreviousColor();
    // "< Next": the next stop's ColorBefore goes into ColorAfter while "Color After" is
    // ticked, else into ColorBefore.
    void CopyNextColor();

  private:
    TColorPalette1DItem palette_;
    TColorPalette1DItem* current_;
};

// The palette as the dialog's colour bar over client: the outline in the colour at 0, and
// every column from left + 1 to right - 2 a vertical line from top + 1 to bottom - 2 in the
// colour at (x - (left + 1)) / ((right - 1) - (left + 1)).
void DrawPaletteBar(platform::Canvas& canvas, const platform::Rect& client,
                    const TColorPalette1DItem& palette);

}  // namespace kalvora
