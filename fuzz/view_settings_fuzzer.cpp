// Feeds arbitrary files to the readers of the view settings: ViewWave, ViewVolume and
// ColorPalette1D, each through its grammar. Nothing may crash or reach an assertion; what
// reads must keep the settings' invariants (24-bit colours, positive values, a palette from
// 0 to 1 in strictly rising positions) and must write a file that reads back with the same
// colours, flags, choices and whole numbers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "shell/view_settings_xml.h"
#include "xml/xml_document.h"

namespace {

using namespace kalvora;

void Require(bool condition) {
    if (!condition) std::abort();
}

TXMLReadResult Read(std::string_view bytes, const TDTDNode& grammar) {
    return ReadXMLText(bytes, "", [&](const std::string&) { return grammar.get(); });
}

std::string Written(const TXMLComplexElement& element) {
    std::string error;
    Require(element.CheckWritable(error));
    std::string bytes;
    element.WriteDocument(bytes);
    return bytes;
}

void CheckPalette(const TColorPalette1DItem& palette) {
    Require(palette.Position == 0.0);
    const TColorPalette1DItem* stop = &palette;
    for (; stop->NextColorPalette1DItem; stop = stop->NextColorPalette1DItem.get()) {
        Require(stop->ColorBefore <= 0xFFFFFF && stop->ColorAfter <= 0xFFFFFF);
        Require(stop->NextColorPalette1DItem->Position > stop->Position);
    }
    Require(stop->Position == 1.0 && stop->ColorBefore <= 0xFFFFFF);
    for (double p : {0.0, 0.25, 0.5, 0.999, 1.0})
        Require(palette.GetColor(p) <= 0xFFFFFF);
}

void SamePaletteColours(const TColorPalette1DItem& a, const TColorPalette1DItem& b) {
    Require(a.Count() == b.Count());
    for (const TColorPalette1DItem *x = &a, *y = &b; x != nullptr;
         x = x->NextColorPalette1DItem.get(), y = y->NextColorPalette1DItem.get()) {
        Require(x->ColorBefore == y->ColorBefore && x->UseColorAfter == y->UseColorAfter &&
                x->ColorAfter == y->ColorAfter);
    }
}

void ExerciseViewWave(std::string_view bytes) {
    const TXMLReadResult file = Read(bytes, ViewWaveGrammar());
    if (file.outcome != TXMLReadOutcome::read) return;
    TWaveViewProps props;
    std::string error;
    if (!ReadViewWave(file.Document(), props, error)) {
        Require(!error.empty());
        return;
    }
    for (platform::Color color : {props.GridColor, props.CursorColor, props.BackgroundColor,
                                  props.SingleColor, props.LeftColor, props.RightColor})
        Require(color <= 0xFFFFFF);
    Require(props.ValuesPerPixel > 0 && props.Strength > 0);
    Require(props.EnvelopeStrength >= 0 && props.EnvelopeStrength <= 1);
    Require(!props.DrawEnvelope || !props.EnvelopeName.empty());

    const TXMLReadResult again = Read(Written(*WriteViewWave(props)), ViewWaveGrammar());
    Require(again.outcome == TXMLReadOutcome::read);
    TWaveViewProps back;
    Require(ReadViewWave(again.Document(), back, error));
    Require(back.DrawStyle == props.DrawStyle && back.Distribution == props.Distribution &&
            back.ValuesPerPixel == props.ValuesPerPixel && back.UseGrid == props.UseGrid &&
            back.GridColor == props.GridColor && back.CursorColor == props.CursorColor &&
            back.BackgroundColor == props.BackgroundColor &&
            back.SingleColor == props.SingleColor && back.DrawSingle == props.DrawSingle &&
            back.LeftColor == props.LeftColor && back.RightColor == props.RightColor &&
            back.Front == props.Front && back.DrawEnvelope == props.DrawEnvelope &&
            (!props.DrawEnvelope || back.EnvelopeName == props.EnvelopeName));
}

void ExercisePalette(std::string_view bytes) {
    const TXMLReadResult file = Read(bytes, ColorPalette1DGrammar());
    if (file.outcome != TXMLReadOutcome::read) return;
    TColorPalette1DItem palette;
    palette.InsertItem(0.5, 0x123456);
    std::string error;
    if (!ReadColorPalette1D(file.Document(), palette, error)) {
        Require(!error.empty());
        CheckPalette(palette);
        Require(palette.Count() == 3);  // left as it was
        return;
    }
    CheckPalette(palette);
    const TXMLReadResult again =
        Read(Written(*WriteColorPalette1D(palette)), ColorPalette1DGrammar());
    Require(again.outcome == TXMLReadOutcome::read);
    TColorPalette1DItem back;
    Require(ReadColorPalette1D(again.Document(), back, error));
    SamePaletteColours(palette, back);
}

void ExerciseViewVolume(std::string_view bytes) {
    const TXMLReadResult file = Read(bytes, ViewVolumeGrammar());
    if (file.outcome != TXMLReadOutcome::read) return;
    TVoldViewProps props;
    std::string error;
    if (!ReadViewVolume(file.Document(), props, error)) {
        Require(!error.empty());
        CheckPalette(props.ColorPalette1D);
        return;
    }
    CheckPalette(props.ColorPalette1D);
    Require(props.XResolution > 0 && props.YResolution > 0);
    Require(props.TimeTop > 0 && props.TimeBottom > 0 && props.TimeTop != props.TimeBottom);
    Require(props.YWidth > 0 && props.Strength > 0);
    for (platform::Color color : {props.BackgroundColor, props.SingleColor, props.LeftColor,
                                  props.RightColor, props.CursorColor})
        Require(color <= 0xFFFFFF);
    // The sample rate checks of a wave never crash, whatever the settings.
    (void)props.Problem(8000);
    (void)props.PeriodAt(0.5);

    const TXMLReadResult again = Read(Written(*WriteViewVolume(props)), ViewVolumeGrammar());
    Require(again.outcome == TXMLReadOutcome::read);
    TVoldViewProps back;
    Require(ReadViewVolume(again.Document(), back, error));
    Require(back.XResolution == props.XResolution && back.YResolution == props.YResolution &&
            back.YScale == props.YScale && back.Sensitivity == props.Sensitivity &&
            back.DrawSingle == props.DrawSingle &&
            back.UseColorPalette1D == props.UseColorPalette1D &&
            back.BackgroundColor == props.BackgroundColor &&
            back.SingleColor == props.SingleColor && back.LeftColor == props.LeftColor &&
            back.RightColor == props.RightColor && back.CursorColor == props.CursorColor);
    SamePaletteColours(props.ColorPalette1D, back.ColorPalette1D);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ExerciseViewWave(bytes);
    ExercisePalette(bytes);
    ExerciseViewVolume(bytes);
    return 0;
}
