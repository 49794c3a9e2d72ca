#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory_canvas.h"
#include "platform/recording_message_sink.h"
#include "shell/color_palette_editor.h"
#include "shell/vold_view_dialog.h"
#include "shell/wave_view_dialog.h"

namespace kalvora {
namespace {

// The single message shown, or "" when none was.
std::string OnlyMessage(const platform::RecordingMessageSink& sink) {
    if (sink.Messages().empty()) return "";
    EXPECT_EQ(sink.Messages().size(), 1u);
    EXPECT_EQ(sink.Messages()[0].caption, "Input Error");
    return sink.Messages()[0].text;
}

TEST(WaveViewDialog, ChecksFieldsInOrderAndKeepsTheDefaultOnFailure) {
    platform::RecordingMessageSink sink;
    TWaveViewProps defaults;
    TWaveViewDialog dialog(defaults);
    EXPECT_EQ(dialog.ValuesPerPixelText, "15");
    EXPECT_EQ(dialog.EnvelopeStrengthText, "20 %");
    dialog.UseAsDefault = true;
    dialog.Settings.GridColor = 0x123456;
    dialog.ValuesPerPixelText = "0";
    dialog.StrengthText = "x";
    EXPECT_FALSE(dialog.Accept(defaults));
    EXPECT_EQ(OnlyMessage(sink).rfind("In Values per Pixel: ", 0), 0u) << OnlyMessage(sink);
    EXPECT_EQ(defaults, TWaveViewProps());

    sink.Clear();
    dialog.ValuesPerPixelText = "8";
    dialog.StrengthText = "2";
    ASSERT_TRUE(dialog.Accept(defaults));
    EXPECT_EQ(OnlyMessage(sink), "");
    EXPECT_EQ(defaults.ValuesPerPixel, 8);
    EXPECT_EQ(defaults.Strength, 2.0);
    EXPECT_EQ(defaults.GridColor, 0x123456u);
}

TEST(WaveViewDialog, DrawEnvelopeNeedsAWave) {
    platform::RecordingMessageSink sink;
    TWaveViewProps defaults;
    TWaveViewDialog dialog(defaults);
    dialog.EnvelopeEdited();
    dialog.EnvelopeStrengthText = "50 %";
    EXPECT_FALSE(dialog.Accept(defaults));
    EXPECT_EQ(OnlyMessage(sink), "In Envelope: Choose the wave to draw as envelope.");

    sink.Clear();
    dialog.EnvelopeNameText = "Drums";
    ASSERT_TRUE(dialog.Accept(defaults));
    EXPECT_TRUE(dialog.Settings.DrawEnvelope);
    EXPECT_EQ(dialog.Settings.EnvelopeName, "Drums");
    EXPECT_EQ(dialog.Settings.EnvelopeStrength, 0.5);
    EXPECT_EQ(defaults, TWaveViewProps());  // "Use As Default" unchecked

    dialog.EnvelopeStrengthText = "150 %";
    EXPECT_FALSE(dialog.Accept(defaults));
    EXPECT_EQ(OnlyMessage(sink).rfind("In Background Strength: ", 0), 0u);
}

TEST(VoldViewDialog, RaisesTooShortPeriodsAndChecksTheFrequencies) {
    platform::RecordingMessageSink sink;
    TVoldViewProps stored;
    stored.TimeTop = 0.00001;
    TVoldViewDialog dialog(stored, 2, 44100, 301, 800);
    EXPECT_DOUBLE_EQ(dialog.Settings.TimeTop, 2.0 / 44100);
    EXPECT_EQ(dialog.BottomText, "20 Hz");

    struct Case {
        const char* top;
        const char* bottom;
        const char* message;
    };
    const Case cases[] = {
        {"50 kHz", "20 Hz", "Top Frequency may not be higher than the sample Frequency."},
        {"100 Hz", "100 Hz", "Top Frequency and Bottom Frequency must be different."},
        {"20 kHz", "50 kHz", "Bottom Frequency may not be higher than the sample Frequency."},
        {"20 Hz", "20 kHz", ""},  // upside down is allowed
        {"x", "20 Hz", "In Top Frequency: "},
    };
    for (const Case& c : cases) {
        sink.Clear();
        TVoldViewDialog attempt(stored, 2, 44100, 301, 800);
        attempt.TopText = c.top;
        attempt.BottomText = c.bottom;
        TVoldViewProps defaults;
        const bool accepted = attempt.Accept(defaults);
        EXPECT_EQ(accepted, std::string(c.message).empty()) << c.top;
        EXPECT_EQ(OnlyMessage(sink).substr(0, std::string(c.message).size()), c.message);
        if (accepted) {
            EXPECT_DOUBLE_EQ(attempt.Settings.TimeTop, 0.05);
            EXPECT_DOUBLE_EQ(attempt.Settings.TimeBottom, 0.00005);
        }
    }
}

TEST(VoldViewDialog, WindowButtonsAndDefault) {
    TVoldViewDialog dialog(TVoldViewProps(), 2, 44100, 301, 800);
    dialog.HorizontalFromWindow();
    dialog.VerticalFromWindow();
    EXPECT_EQ(dialog.HorizontalText, "800");
    EXPECT_EQ(dialog.VerticalText, "151");
    dialog.Settings.DrawSingle = 0;
    dialog.VerticalFromWindow();
    EXPECT_EQ(dialog.VerticalText, "301");
    TVoldViewDialog mono(TVoldViewProps(), 1, 44100, 301, 800);
    mono.VerticalFromWindow();
    EXPECT_EQ(mono.VerticalText, "301");

    TColorPalette1DItem palette;
    palette.InsertItem(0.5, 0x0000FF);
    dialog.TakePalette(palette);
    dialog.UseAsDefault = true;
    TVoldViewProps defaults;
    ASSERT_TRUE(dialog.Accept(defaults));
    EXPECT_EQ(defaults.XResolution, 800);
    EXPECT_EQ(defaults.UseColorPalette1D, 1);
    EXPECT_EQ(defaults.ColorPalette1D.Count(), 3);
}

// What the user typed comes back in the unit typed: in the settings and when the dialogs
// open again on them.
TEST(ViewSettingsDialogs, TypedUnitsAreKept) {
    platform::RecordingMessageSink sink;
    TVoldViewProps defaults;
    TVoldViewDialog volume(defaults, 1, 44100, 300, 800);
    volume.TopText = "0.1 ms";
    volume.BottomText = "0.05 s";
    volume.WidthText = "50 %";
    volume.StrengthText = "130 %";
    ASSERT_TRUE(volume.Accept(defaults)) << OnlyMessage(sink);
    const TVoldViewDialog again(volume.Settings, 1, 44100, 300, 800);
    EXPECT_EQ(again.TopText, "0.1 ms");
    EXPECT_EQ(again.BottomText, "0.05 s");
    EXPECT_EQ(again.WidthText, "50 %");
    EXPECT_EQ(again.StrengthText, "130 %");

    TWaveViewProps waveDefaults;
    TWaveViewDialog wave(waveDefaults);
    wave.StrengthText = "150 %";
    wave.EnvelopeStrengthText = "0.5";
    ASSERT_TRUE(wave.Accept(waveDefaults)) << OnlyMessage(sink);
    const TWaveViewDialog waveAgain(wave.Settings);
    EXPECT_EQ(waveAgain.StrengthText, "150 %");
    EXPECT_EQ(waveAgain.EnvelopeStrengthText, "0.5");

    TColorPaletteEditor palette{TColorPalette1DItem()};
    palette.Add();
    EXPECT_EQ(palette.PositionText(), "50 %");  // a new stop
    ASSERT_TRUE(palette.SetPositionText("0.25"));
    EXPECT_EQ(palette.PositionText(), "0.25");
    ASSERT_TRUE(palette.SetPositionText("1/4"));  // the same place, typed plainly again
    EXPECT_EQ(palette.PositionText(), "0.25");
}

TEST(ColorPaletteEditor, AddAndDeleteKeepTheBarAndTheEnds) {
    TColorPaletteEditor editor{TColorPalette1DItem()};
    EXPECT_FALSE(editor.IsInner());
    EXPECT_FALSE(editor.CanGoBack());
    editor.Add();
    EXPECT_EQ(editor.Current().Position, 0.5);
    EXPECT_EQ(editor.Current().ColorBefore, 0x7F7F7Fu);
    EXPECT_EQ(editor.PositionText(), "50 %");
    EXPECT_TRUE(editor.IsInner());
    editor.Delete();
    EXPECT_EQ(editor.Current().Position, 0.0);
    EXPECT_EQ(editor.Palette().Count(), 2);

    editor.Last();
    EXPECT_FALSE(editor.CanGoForward());
    editor.Add();  // at the last stop: between its previous stop and it
    EXPECT_EQ(editor.Current().Position, 0.5);
    editor.Next();
    editor.Add();
    EXPECT_EQ(editor.Current().Position, 0.75);
    EXPECT_EQ(editor.Palette().Count(), 4);
}

TEST(ColorPaletteEditor, ATakenPositionIsRefusedBeforeItIsStored) {
    platform::RecordingMessageSink sink;
    TColorPalette1DItem palette;
    palette.InsertItem(0.25, 0x00FF00);
    palette.InsertItem(0.5, 0x0000FF);
    TColorPaletteEditor editor(palette);
    editor.Next();  // 25 %
    EXPECT_FALSE(editor.SetPositionText("50 %"));
    EXPECT_EQ(OnlyMessage(sink), "This Position already exists in the pallette.");
    EXPECT_EQ(editor.Current().Position, 0.25);

    sink.Clear();
    EXPECT_FALSE(editor.SetPositionText("100 %"));
    EXPECT_EQ(OnlyMessage(sink).rfind("In Position: ", 0), 0u);

    sink.Clear();
    ASSERT_TRUE(editor.SetPositionText("0.75"));  // beyond its neighbour: moves into order
    EXPECT_EQ(editor.Current().Position, 0.75);
    EXPECT_EQ(editor.Current().ColorBefore, 0x00FF00u);
    EXPECT_EQ(editor.Palette().NextColorPalette1DItem->Position, 0.5);
    EXPECT_EQ(editor.Palette().GetColor(0.75), 0x00FF00u);
    EXPECT_EQ(OnlyMessage(sink), "");
}

TEST(ColorPaletteEditor, ColoursAcceptOnly24BitTexts) {
    platform::RecordingMessageSink sink;
    TColorPaletteEditor editor{TColorPalette1DItem()};
    editor.Add();
    EXPECT_FALSE(editor.SetColorBeforeText("1000000"));
    EXPECT_EQ(OnlyMessage(sink),
              "In Color (Before): Color value must lie between 000000 and FFFFFF.");
    ASSERT_TRUE(editor.SetColorBeforeText("0000FF"));
    editor.SetUseColorAfter(true);
    EXPECT_EQ(editor.ShownColorAfter(), 0u);
    editor.CopyNextColor();  // "< Next" with "Color After": the gradient after is flat
    EXPECT_EQ(editor.Current().ColorAfter, 0xFFFFFFu);
    EXPECT_EQ(editor.Current().ColorBefore, 0x0000FFu);
    editor.CopyPreviousColor();
    EXPECT_EQ(editor.Current().ColorBefore, 0u);
}

// The bar: outlined in the colour at 0, the inner columns running from 0 toward 1 (the last
// column stops one step short of 1).
TEST(ColorPaletteEditor, BarShowsThePaletteInsideItsOutline) {
    platform::MemoryCanvas canvas(8, 5, 0x00FF00);
    DrawPaletteBar(canvas, platform::Rect{1, 0, 7, 4}, TColorPalette1DItem());
    const std::vector<platform::Color> inner = {0x000000, 0x3F3F3F, 0x7F7F7F, 0xBFBFBF};
    for (int x = 1; x <= 6; ++x) {
        EXPECT_EQ(canvas.GetPixel(x, 0), 0u) << x;
        EXPECT_EQ(canvas.GetPixel(x, 3), 0u) << x;
    }
    for (int y = 1; y <= 2; ++y) {
        EXPECT_EQ(canvas.GetPixel(1, y), 0u);
        EXPECT_EQ(canvas.GetPixel(6, y), 0u);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(canvas.GetPixel(2 + i, y), inner[static_cast<std::size_t>(i)]) << i;
    }
    EXPECT_EQ(canvas.GetPixel(0, 1), 0x00FF00u);
    EXPECT_EQ(canvas.GetPixel(7, 1), 0x00FF00u);
    EXPECT_EQ(canvas.GetPixel(3, 4), 0x00FF00u);
    // Too small for an inside: only the outline, and no division by zero.
    platform::MemoryCanvas tiny(2, 2, 0x00FF00);
    DrawPaletteBar(tiny, platform::Rect{0, 0, 2, 2}, TColorPalette1DItem(0x0000FF, 0xFFFFFF));
    EXPECT_EQ(tiny.GetPixel(1, 1), 0x0000FFu);
}

}  // namespace
}  // namespace kalvora
