// The model of the dialog "Color Palette".
#include "shell/color_palette_editor.h"

#include "documents/unit_factor.h"
#include "platform/assertion.h"
#include "platform/messages.h"
#include "shell/view_settings_xml.h"

namespace kalvora {
namespace {

void Refuse(const std::string& message) {
    platform::ShowMessage(message, platform::caption::inputError,
                          platform::MessageIcon::information);
}

}  // namespace

TColorPaletteEditor::TColorPaletteEditor(const TColorPalette1DItem& palette)
    : palette_(palette), current_(&palette_) {}

void TColorPaletteEditor::First() {
    current_ = &palette_;
}

void TColorPaletteEditor::Previous() {
    if (TColorPalette1DItem* previous = palette_.GetPrevious(current_)) current_ = previous;
}

void TColorPaletteEditor::Next() {
    if (current_->NextColorPalette1DItem) current_ = current_->NextColorPalette1DItem.get();
}

void TColorPaletteEditor::Last() {
    current_ = palette_.GetLastItem();
}

void TColorPaletteEditor::Add() {
    double middle;
    if (current_->NextColorPalette1DItem) {
        middle = (current_->Position + current_->NextColorPalette1DItem->Position) / 2.0;
    } else {
        middle = (palette_.GetPrevious(current_)->Position + current_->Position) / 2.0;
    }
    // Stops closer than a double can tell apart leave no room for another one.
    for (const TColorPalette1DItem* stop = &palette_; stop != nullptr;
         stop = stop->NextColorPalette1DItem.get()) {
        if (stop->Position == middle) return;
    }
    current_ = palette_.InsertItem(middle, palette_.GetColor(middle));
}

void TColorPaletteEditor::Delete() {
    KALVORA_ASSERT(IsInner());
    current_ = palette_.DeleteItem(current_);
}

std::string TColorPaletteEditor::PositionText() const {
    return unitFactorPosMoreLess1(current_->Position, current_->PositionUnit).GetText();
}

bool TColorPaletteEditor::SetPositionText(std::string_view text) {
    KALVORA_ASSERT(IsInner());
    bool ok = true;
    unitFactorPosMoreLess1 position(current_->Position, current_->PositionUnit);
    position.Check(ok, text, "Position");
    if (!ok) return false;
    const double value = position.GetValue();
    if (value == current_->Position) {
        current_->PositionUnit = position.GetDisplayUnit();
        return true;
    }
    for (const TColorPalette1DItem* stop = &palette_; stop != nullptr;
         stop = stop->NextColorPalette1DItem.get()) {
        if (stop->Position == value) {
            Refuse("This Position already exists in the pallette.");
            return false;
        }
    }
    // Move the stop to its place in order, so that the colour bar follows the positions.
    const Color before = current_->ColorBefore;
    const std::uint8_t useAfter = current_->UseColorAfter;
    const Color after = current_->ColorAfter;
    palette_.DeleteItem(current_);
    current_ = palette_.InsertItem(value, before);
    current_->UseColorAfter = useAfter;
    current_->ColorAfter = after;
    current_->PositionUnit = position.GetDisplayUnit();
    return true;
}

bool TColorPaletteEditor::SetColorBeforeText(std::string_view text) {
    std::string error;
    Color color = 0;
    if (!ReadColorText(text, "Color (Before)", color, error)) {
        Refuse(error);
        return false;
    }
    current_->SetColorBefore(color);
    return true;
}

bool TColorPaletteEditor::SetColorAfterText(std::string_view text) {
    std::string error;
    Color color = 0;
    if (!ReadColorText(text, "Color After", color, error)) {
        Refuse(error);
        return false;
    }
    current_->SetColorAfter(color);
    return true;
}

void TColorPaletteEditor::CopyPreviousColor() {
    if (const TColorPalette1DItem* previous = palette_.GetPrevious(current_)) {
        current_->SetColorBefore(previous->GetStartColor());
    }
}

void TColorPaletteEditor::CopyNextColor() {
    const TColorPalette1DItem* next = current_->NextColorPalette1DItem.get();
    if (next == nullptr) return;
    if (current_->UseColorAfter) {
        current_->SetColorAfter(next->ColorBefore);
    } else {
        current_->SetColorBefore(next->ColorBefore);
    }
}

void DrawPaletteBar(platform::Canvas& canvas, const platform::Rect& client,
                    const TColorPalette1DItem& palette) {
    if (client.IsEmpty()) return;
    const Color outline = palette.GetColor(0.0);
    const int right = client.right - 1;  // the last column and row inside client
    const int bottom = client.bottom - 1;
    canvas.HorizontalLine(client.left, right, client.top, outline);
    canvas.HorizontalLine(client.left, right, bottom, outline);
    canvas.VerticalLine(client.left, client.top, bottom, outline);
    canvas.VerticalLine(right, client.top, bottom, outline);
    const double span = (client.right - 1) - (client.left + 1);
    if (bottom - 1 < client.top + 1) return;
    for (int x = client.left + 1; x <= client.right - 2; ++x) {
        const Color color = palette.GetColor((x - (client.left + 1)) / span);
        canvas.VerticalLine(x, client.top + 1, bottom - 1, color);
    }
}

}  // namespace kalvora
