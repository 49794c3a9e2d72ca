#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "music/muz_key.h"
#include "notation/curve_glyphs.h"
#include "notation/draw_note.h"
#include "notation/key_glyph.h"
#include "notation/measure_glyphs.h"
#include "notation/note_shift_glyph.h"
#include "notation/silence_glyph.h"
#include "platform/recording_canvas.h"

namespace kalvora::notation {
namespace {

using platform::RecordingCanvas;

constexpr TGlyphInk kInk{0x000000, 0xFFFFFF};  // black on white
constexpr Color kRedNotes = 0x0000FF;

TEST(GlyphWidthTest, AccidentalsRestsAndNoteHeadsReportTheirRoom) {
    EXPECT_EQ(TNoteShift::Width(noteShiftDoubleKruis), 15);
    EXPECT_EQ(TNoteShift::Width(noteShiftKruis), 13);
    EXPECT_EQ(TNoteShift::Width(noteShiftNormal), 10);
    EXPECT_EQ(TNoteShift::Width(noteShiftMol), 12);
    EXPECT_EQ(TNoteShift::Width(noteShiftDoubleMol), 24);
    EXPECT_EQ(TNoteShift::Width(noteShiftNone), 0);

    const std::pair<int, int> rests[] = {{1, 22},  {2, 22},  {4, 18}, {8, 20},
                                         {16, 23}, {32, 26}, {64, 29}};
    for (const auto& [kind, width] : rests) {
        EXPECT_EQ(TSilenceGlyph(kInk, kind, 0).Width(), width) << kind;
        EXPECT_EQ(TSilenceGlyph(kInk, kind, 2).Width(), width + 8) << kind;
    }

    const TDrawNote dottedSharp(kInk, kRedNotes, NoteShapeNormal, 8, 1, 0, noteShiftKruis);
    EXPECT_EQ(dottedSharp.WidthBefore(), 13);
    EXPECT_EQ(dottedSharp.WidthCore(), 10);
    EXPECT_EQ(dottedSharp.WidthAfter(), 12);
    const TDrawNote plain(kInk, kRedNotes, NoteShapeNormal, 4, 0, 0, noteShiftNone);
    EXPECT_EQ(plain.WidthBefore(), 0);
    EXPECT_EQ(plain.WidthAfter(), 8);

    EXPECT_EQ(TimeSignatureRightEnd(100, 3, 4), 121);
    EXPECT_EQ(TimeSignatureRightEnd(100, 12, 8), 139);
    EXPECT_EQ(TimeSignatureRightEnd(100, 4, 16), 139);
    EXPECT_EQ(RepeatSignWidth(2), 13);
    EXPECT_EQ(RepeatSignWidth(3), 26);
    EXPECT_EQ(RepeatSignWidth(9), 26);
    EXPECT_EQ(RepeatSignWidth(10), 40);
}

TEST(DrawNoteTest, DottedEighthWithSharpTouchesFromTheAccidentalToBeyondTheHead) {
    RecordingCanvas canvas(200, 200);
    const TDrawNote note(kInk, kRedNotes, NoteShapeNormal, 8, 1, 2, noteShiftKruis);
    const TDrawNote::Extent extent = note.Draw(canvas, 100, 50, false);
    EXPECT_EQ(extent.Left, 37);
    EXPECT_EQ(extent.Right, 64);
    EXPECT_EQ(canvas.Log(),
              "Line 39,81 39,102 #000000\n"
              "Line 44,79 44,100 #000000\n"
              "WideLine 36,90 46,84 w2 #000000\n"
              "WideLine 36,96 46,90 w2 #000000\n"
              "Ellipse 50,86-60,95 #FF0000 fill #FF0000\n"
              "Ellipse 62,92-65,95 #FF0000 fill #FF0000\n");

    const TDrawNote bare(kInk, kRedNotes, NoteShapeRectangle, 4, 0, -3, noteShiftNone);
    canvas.Clear();
    const TDrawNote::Extent bareExtent = bare.Draw(canvas, 100, 50, false);
    EXPECT_EQ(bareExtent.Left, 50);
    EXPECT_EQ(bareExtent.Right, 60);
    EXPECT_EQ(canvas.Log(), "FillRect 50,111-60,120 #FF0000\n");
}

TEST(DrawNoteTest, SelectedHalfNoteIsAForegroundBlockWithABackgroundRing) {
    RecordingCanvas canvas(200, 200);
    const TDrawNote half(kInk, kRedNotes, NoteShapeNormal, 2, 0, 0, noteShiftNone);
    half.Draw(canvas, 100, 50, true);
    EXPECT_EQ(canvas.Log(),
              "FillRect 48,94-62,107 #000000\n"
              "Ellipse 50,96-60,105 #FFFFFF fill #FFFFFF\n"
              "Ellipse 52,97-58,104 #000000 fill #000000\n");
    canvas.Clear();
    half.Draw(canvas, 100, 50, false);
    EXPECT_EQ(canvas.Log(),
              "Ellipse 50,96-60,105 #FF0000 fill #FF0000\n"
              "Ellipse 52,97-58,104 #FFFFFF fill #FFFFFF\n");
}

TEST(NoteShiftTest, AccidentalsDrawTheirStrokesAndSelectedFormsOnAHighlight) {
    RecordingCanvas canvas(200, 200);
    EXPECT_EQ(TNoteShift(kInk, noteShiftNormal, 1).Draw(canvas, 100, 20, true), 30);
    EXPECT_EQ(canvas.Log(),
              "FillRect 17,80-29,110 #000000\n"
              "Line 20,83 20,101 #FFFFFF\n"
              "Line 26,89 26,107 #FFFFFF\n"
              "WideLine 20,90 25,87 w3 #FFFFFF\n"
              "WideLine 20,101 25,98 w3 #FFFFFF\n");
    struct Case {
        TNoteShiftKind kind;
        const char* highlight;
    };
    const Case cases[] = {
        {noteShiftKruis, "FillRect 17,81-33,109 #000000"},
        {noteShiftMol, "FillRect 17,77-32,103 #000000"},
        {noteShiftDoubleMol, "FillRect 17,77-44,103 #000000"},
        {noteShiftDoubleKruis, "FillRect 17,86-35,104 #000000"},
    };
    for (const Case& c : cases) {
        canvas.Clear();
        EXPECT_EQ(TNoteShift(kInk, c.kind, 1).Draw(canvas, 100, 20, true),
                  20 + TNoteShift::Width(c.kind));
        ASSERT_GE(canvas.Calls().size(), 2u);
        EXPECT_EQ(canvas.Calls()[0], c.highlight);
        for (std::size_t i = 1; i < canvas.Calls().size(); ++i)
            EXPECT_NE(canvas.Calls()[i].find("#FFFFFF"), std::string::npos) << canvas.Calls()[i];
    }
}

TEST(SilenceGlyphTest, RestsEndWhereTheirGlyphAndDotsEnd) {
    const std::pair<int, int> ends[] = {{1, 16},  {2, 16},  {4, 14}, {8, 13},
                                        {16, 16}, {32, 19}, {64, 22}};
    for (const auto& [kind, end] : ends) {
        RecordingCanvas canvas(200, 200);
        EXPECT_EQ(TSilenceGlyph(kInk, kind, 0).Draw(canvas, 100, 0, false), end) << kind;
        EXPECT_EQ(TSilenceGlyph(kInk, kind, 2).Draw(canvas, 100, 0, false), end + 8) << kind;
    }
    RecordingCanvas canvas(200, 200);
    TSilenceGlyph(kInk, 2, 1).Draw(canvas, 100, 10, false);
    EXPECT_EQ(canvas.Log(),
              "FillRect 10,95-24,100 #000000\n"
              "Ellipse 26,95-29,98 #000000 fill #000000\n");
    canvas.Clear();
    TSilenceGlyph(kInk, 1, 0).Draw(canvas, 100, 10, true);
    EXPECT_EQ(canvas.Log(),
              "FillRect 8,78-34,123 #000000\n"
              "FillRect 10,91-24,96 #FFFFFF\n");
}

TEST(KeyGlyphTest, ThreeSharpsFollowTheClefInTheirOrder) {
    TKey key(nullptr, nullptr, nullptr, 0, keyKindG);
    for (int k = 0; k < 3; ++k)
        key.NoteShiftKinds[key.SharpPlace(k)] = noteShiftKruis;
    RecordingCanvas canvas(300, 200);
    const int end = DrawKeyGlyph(canvas, kInk, 100, key, 10, false);
    // The sharps start 3 after the clef's touch area (10 + 28) and are 13 apart.
    EXPECT_EQ(key.TouchLeft, 10);
    EXPECT_EQ(key.TouchRight, 41 + 3 * 13);
    EXPECT_EQ(key.HasTouch, 1);
    EXPECT_EQ(end, 41 + 3 * 13 + 2);
    std::vector<std::string> sharpStems;
    for (const std::string& call : canvas.Calls()) {
        if (call.rfind("Line ", 0) == 0) sharpStems.push_back(call);
    }
    // F on the top line, C in the third space, G above the top line.
    ASSERT_EQ(sharpStems.size(), 6u);
    EXPECT_EQ(sharpStems[0], "Line 43,71 43,92 #000000");
    EXPECT_EQ(sharpStems[2], "Line 56,86 56,107 #000000");
    EXPECT_EQ(sharpStems[4], "Line 69,66 69,87 #000000");
}

TEST(KeyGlyphTest, ClefsKeepToTheirBoxesAndTouchAreas) {
    struct Case {
        TKeyKind kind;
        int addOctaves;
        Rect box;  // relative to (leftX, middleY)
        int touchRight;
    };
    const Case cases[] = {
        {keyKindG, 1, {-2, -45, 29, 33}, 28},  {keyKindG, -2, {-2, -34, 29, 45}, 28},
        {keyKindC, 0, {-3, -23, 28, 23}, 28},  {keyKindF, 0, {-2, -22, 28, 13}, 27},
        {keyKindF, -1, {-2, -22, 28, 25}, 27}, {keyKindC, 2, {-3, -35, 28, 23}, 28},
    };
    for (const Case& c : cases) {
        TKey key(nullptr, nullptr, nullptr, 0, c.kind, c.addOctaves);
        RecordingCanvas canvas(300, 300);
        const int end = DrawKeyGlyph(canvas, kInk, 150, key, 100, true);
        EXPECT_EQ(key.TouchRight, 100 + c.touchRight + 3);
        EXPECT_EQ(end, key.TouchRight + 2);
        ASSERT_FALSE(canvas.Calls().empty());
        // The highlight is the first call and covers the clef with its octave mark.
        const Rect box{100 + c.box.left, 150 + c.box.top, 100 + c.box.right, 150 + c.box.bottom};
        EXPECT_EQ(canvas.Calls()[0], "FillRect " + std::to_string(box.left) + "," +
                                         std::to_string(box.top) + "-" + std::to_string(box.right) +
                                         "," + std::to_string(box.bottom) + " #000000");
    }
}

TEST(MeasureGlyphTest, TimeSignatureWritesTwoBoldNumbersOnItsBackground) {
    RecordingCanvas canvas(300, 200);
    EXPECT_EQ(DrawTimeSignature(canvas, kInk, 100, 40, 12, 8, true), 79);
    EXPECT_EQ(canvas.Log(),
              "FillRect 38,77-68,124 #000000\n"
              "FillRect 40,77-60,95 #000000\n"
              "Text 40,77 \"12\" Times New Roman 18 bold #FFFFFF\n"
              "FillRect 40,98-50,116 #000000\n"
              "Text 40,98 \"8\" Times New Roman 18 bold #FFFFFF\n");
    canvas.Clear();
    EXPECT_EQ(DrawTimeSignature(canvas, kInk, 100, 40, 3, 4, false), 61);
    EXPECT_EQ(canvas.Calls()[1], "Text 40,77 \"3\" Times New Roman 18 bold #000000");
}

TEST(MeasureGlyphTest, RepeatSignsMirrorAndShowTheirCountUnlessTwo) {
    RecordingCanvas canvas(300, 200);
    EXPECT_EQ(DrawRepeatSign(canvas, kInk, 100, 50, true, 2, false), 68);
    EXPECT_EQ(canvas.Log(),
              "WideLine 51,81 51,119 w3 #000000\n"
              "Line 55,80 55,120 #000000\n"
              "Ellipse 58,93-63,98 #000000 fill #000000\n"
              "Ellipse 58,103-63,108 #000000 fill #000000\n");
    canvas.Clear();
    EXPECT_EQ(DrawRepeatSign(canvas, kInk, 100, 50, false, 3, true), 81);
    EXPECT_EQ(canvas.Log(),
              "FillRect 47,77-80,124 #000000\n"
              "WideLine 75,81 75,119 w3 #FFFFFF\n"
              "Line 71,80 71,120 #FFFFFF\n"
              "Ellipse 64,93-69,98 #FFFFFF fill #FFFFFF\n"
              "Ellipse 64,103-69,108 #FFFFFF fill #FFFFFF\n"
              "FillRect 51,87-61,105 #000000\n"
              "Text 51,87 \"3\" Times New Roman 18 bold #FFFFFF\n");
}

TEST(CurveGlyphTest, SlurIsACrescentOfFiftyPointsBetweenItsInwardEnds) {
    RecordingCanvas canvas(300, 200);
    DrawSlur(canvas, 0x000000, {10, 50}, {60, 50}, 13);
    ASSERT_EQ(canvas.Calls().size(), 1u);
    const std::string& call = canvas.Calls()[0];
    // Outer curve from the left end, up to 13 above at the middle, back along the inner.
    EXPECT_EQ(call.rfind("Polygon 11,50 12,48 ", 0), 0u) << call;
    EXPECT_NE(call.find(" 34,37 "), std::string::npos) << call;  // t = 0.48: 50 - 12.98
    EXPECT_NE(call.find(" 59,50 "), std::string::npos) << call;  // t = 1 on the inner curve
    EXPECT_EQ(std::count(call.begin(), call.end(), ','), 50);
}

TEST(CurveGlyphTest, FlagsHangFromTheStemTowardTheHeads) {
    RecordingCanvas canvas(300, 200);
    DrawFlags(canvas, 0x000000, 100, 60, false, 2);
    ASSERT_EQ(canvas.Calls().size(), 2u);
    EXPECT_EQ(canvas.Calls()[0].rfind("Polygon 100,60 101,60 102,63 ", 0), 0u);
    EXPECT_EQ(canvas.Calls()[1].rfind("Polygon 100,66 101,66 ", 0), 0u);
    canvas.Clear();
    DrawFlags(canvas, 0x000000, 100, 140, true, 1);
    EXPECT_EQ(canvas.Calls()[0].rfind("Polygon 100,140 99,140 98,137 ", 0), 0u);
}

}  // namespace
}  // namespace kalvora::notation
