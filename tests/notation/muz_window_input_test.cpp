#include "notation/muz_window_input.h"

#include <gtest/gtest.h>

#include "../music/music_document_fakes.h"
#include "notation/muz_hit_test.h"
#include "notation/muz_scroll.h"
#include "notation/notation_painter.h"
#include "notation/stave_border_drag.h"
#include "platform/memory_canvas.h"

namespace kalvora::notation {
namespace {

TEST(StaffPositionAtYTest, RoundsToTheNearestStepAwayFromTheMiddleLine) {
    struct Case {
        int y;
        int position;
    };
    // Middle line at 100; five pixels a step, upward positive.
    const Case cases[] = {{100, 0}, {98, 0},   {97, 1},   {95, 1},   {93, 1},   {92, 2}, {90, 2},
                          {102, 0}, {103, -1}, {105, -1}, {107, -1}, {108, -2}, {40, 12}};
    for (const Case& c : cases)
        EXPECT_EQ(StaffPositionAtY(100, c.y), c.position) << "y " << c.y;
}

TEST(SplitBorderDragTest, SharesTheMovementAndKeepsBothRoomsAtTheMinimum) {
    struct Case {
        int dy, up, down;
        bool extraBelow;
        int wantUp, wantDown;
    };
    const Case cases[] = {
        {8, 80, 80, true, 4, 4},       // even: halves
        {-7, 80, 80, true, -3, -4},    // odd: the extra pixel below
        {-7, 80, 80, false, -4, -3},   // ... or above
        {-20, 35, 80, true, -5, -15},  // the room above stops at 30, the rest goes below
        {-20, 80, 33, true, -17, -3},  // the room below stops at 30, the rest goes above
        {-20, 32, 33, true, -2, -3},   // both stop
        {100, 30, 30, true, 50, 50},   // growing is not limited by the minimum
    };
    for (const Case& c : cases) {
        const TBorderSplit split = SplitBorderDrag(c.dy, c.up, c.down, c.extraBelow);
        EXPECT_EQ(split.Up, c.wantUp) << c.dy << " " << c.up << " " << c.down;
        EXPECT_EQ(split.Down, c.wantDown) << c.dy << " " << c.up << " " << c.down;
    }
}

// A new document with one more stave, painted once so that the layout (middle lines, touch
// areas, drawn heights) is known.
struct PaintedMusic : test::MusicDocument {
    PaintedMusic() { Paint(); }
    void Paint() {
        platform::MemoryCanvas canvas(800, 600);
        TNotationPainter(canvas, unit.Staves(), unit.SelectedSymbol(), {0, 0, 800, 600})
            .Paint(unit.Root());
    }
    int Border(TNoteStave* stave) { return stave->Layout.MiddleY + stave->RoomDown.GetValue(); }
    // Inserts a note in add mode by clicking at (x, staff position p on the stave).
    int YOf(int staffPosition, TNoteStave* stave = nullptr) {
        return (stave != nullptr ? stave : Stave())->Layout.MiddleY - 5 * staffPosition;
    }
    static int Centre(const TXTouchMuzSymbol& symbol) {
        return (symbol.TouchLeft + symbol.TouchRight) / 2;
    }
    static int NoteY(const TMuzNote& note) {
        return note.NoteStave->Layout.MiddleY - 5 * note.DrawHeight;
    }
    TMuzWindowInput input;
};

TEST(StaveBorderTest, AClickTwoPixelsBelowTheBorderStartsADragFourPixelsBelowDoesNot) {
    PaintedMusic music;
    TNoteStave* second = music.AddStave();
    music.Paint();
    TNoteStave* first = music.Stave();
    const int border = music.Border(first);
    EXPECT_EQ(StaveBorderAtY(music.unit.Staves(), border + 2), first);
    EXPECT_EQ(StaveBorderAtY(music.unit.Staves(), border - 3), first);
    EXPECT_EQ(StaveBorderAtY(music.unit.Staves(), border + 4), nullptr);
    EXPECT_EQ(StaveBorderAtY(music.unit.Staves(), border - 4), nullptr);
    // Four below lands in the next stave's band.
    EXPECT_EQ(StaveAtY(music.unit.Staves(), border + 4), second);

    music.input.MouseDown(music.unit, 300, border + 2);
    EXPECT_TRUE(music.input.Dragging());
    music.input.MouseUp({});
    EXPECT_FALSE(music.input.Dragging());
    music.input.MouseDown(music.unit, 300, border + 4);
    EXPECT_FALSE(music.input.Dragging());
}

TEST(StaveBorderTest, TheLeftButtonMovesTheBorderAndStopsAtTheMinimum) {
    PaintedMusic music;
    TNoteStave* stave = music.Stave();
    const int border = music.Border(stave);
    const int up = stave->RoomUp.GetValue();
    music.input.MouseDown(music.unit, 300, border);
    EXPECT_EQ(music.input.MouseMove(music.unit, {true, false}, border + 10), stave);
    EXPECT_EQ(stave->RoomDown.GetValue(), TNoteStave::kDefaultRoom + 10);
    EXPECT_TRUE(music.unit.NeedsSave());
    music.input.MouseMove(music.unit, {true, false}, border - 200);
    EXPECT_EQ(stave->RoomDown.GetValue(), TNoteStave::kMinRoom);
    EXPECT_EQ(stave->RoomUp.GetValue(), up);
    // Held beyond the limit, the border stays: nothing changes any more.
    EXPECT_EQ(music.input.MouseMove(music.unit, {true, false}, border - 210), nullptr);
    // A move without a button ends the drag.
    music.input.MouseMove(music.unit, {}, border);
    EXPECT_FALSE(music.input.Dragging());
}

TEST(StaveBorderTest, TheRightButtonMovesTheRoomAbove) {
    PaintedMusic music;
    TNoteStave* stave = music.Stave();
    const int border = music.Border(stave);
    music.input.MouseDown(music.unit, 300, border);
    music.input.MouseMove(music.unit, {false, true}, border + 15);
    EXPECT_EQ(stave->RoomUp.GetValue(), TNoteStave::kDefaultRoom + 15);
    EXPECT_EQ(stave->RoomDown.GetValue(), TNoteStave::kDefaultRoom);
}

TEST(StaveBorderTest, BothButtonsSplitAnOddMovementAlternately) {
    PaintedMusic music;
    TNoteStave* stave = music.Stave();
    const int border = music.Border(stave);
    music.input.MouseDown(music.unit, 300, border);
    music.input.MouseMove(music.unit, {true, true}, border - 7);
    EXPECT_EQ(stave->RoomUp.GetValue(), TNoteStave::kDefaultRoom - 3);
    EXPECT_EQ(stave->RoomDown.GetValue(), TNoteStave::kDefaultRoom - 4);
    music.input.MouseMove(music.unit, {true, true}, border - 14);
    EXPECT_EQ(stave->RoomUp.GetValue(), TNoteStave::kDefaultRoom - 7);
    EXPECT_EQ(stave->RoomDown.GetValue(), TNoteStave::kDefaultRoom - 7);
    EXPECT_EQ(music.input.Drag().DragY(), border - 14);
}

TEST(HitTest, ABarIsHitOnlyWithinAboutTenPixels) {
    PaintedMusic music;
    TMuzBar& bar = music.Part().GetMuzBar();
    const int middle = music.Stave()->Layout.MiddleY;
    EXPECT_EQ(HitScore(bar, bar.TouchRight + 10, middle), 14400.0);
    EXPECT_EQ(SymbolAt(music.unit.Root(), bar.TouchLeft - 10, middle + 200), &bar);
    EXPECT_EQ(SymbolAt(music.unit.Root(), bar.TouchLeft - 11, middle + 200), nullptr);
}

TEST(HitTest, TheNearestSymbolWinsAndAClickFarAwayHitsNothing) {
    PaintedMusic music;
    TStaveSymbol* key = music.Part().StartKeyOfStave(music.Stave());
    ASSERT_TRUE(music.InsertAfter(key, 2));
    TMuzNote* note = music.unit.SelectedNote();
    ASSERT_NE(note, nullptr);
    music.Paint();
    EXPECT_EQ(SymbolAt(music.unit.Root(), PaintedMusic::Centre(*note), PaintedMusic::NoteY(*note)),
              note);
    // Two hundred pixels right of the last symbol: the score is far above the limit.
    const int right = music.Part().LastSymbol()->TouchRight;
    EXPECT_EQ(SymbolAt(music.unit.Root(), right + 200, PaintedMusic::NoteY(*note)), nullptr);
}

TEST(HitTest, PartsThatAreNotDrawnCanNeitherBeHitNorInsertedInto) {
    PaintedMusic music;
    TStaveSymbol* key = music.Part().StartKeyOfStave(music.Stave());
    const int x = PaintedMusic::Centre(*key);
    const int y = music.Stave()->Layout.MiddleY;
    ASSERT_EQ(SymbolAt(music.unit.Root(), x, y), key);
    music.Part().PlayDraw = 0;
    EXPECT_EQ(SymbolAt(music.unit.Root(), x, y), nullptr);
    const TMuzInsertion place = InsertionAt(music.unit.Root(), *music.Stave(), x + 300, y);
    EXPECT_EQ(place.After, nullptr);
    EXPECT_EQ(place.HitNote, nullptr);
}

TEST(MouseModeTest, InEditModeClickingTheSelectedNoteAgainClearsTheSelection) {
    PaintedMusic music;
    ASSERT_TRUE(music.InsertAfter(music.Part().StartKeyOfStave(music.Stave()), 1));
    TMuzNote* note = music.unit.SelectedNote();
    music.unit.SetModeSel();
    music.unit.SelectSymbol(nullptr);
    music.Paint();
    const int x = PaintedMusic::Centre(*note);
    const int y = PaintedMusic::NoteY(*note);
    music.input.MouseDown(music.unit, x, y);
    EXPECT_EQ(music.unit.SelectedSymbol(), note);
    music.input.MouseDown(music.unit, x, y);
    EXPECT_EQ(music.unit.SelectedSymbol(), nullptr);
    // Nothing hit: nothing happens.
    music.unit.SelectSymbol(note);
    music.input.MouseDown(music.unit, x + 400, y);
    EXPECT_EQ(music.unit.SelectedSymbol(), note);
}

TEST(MouseModeTest, InAddModeAClickOnANotesColumnAddsAChordNoteAtTheClickedHeight) {
    PaintedMusic music;
    ASSERT_TRUE(music.InsertAfter(music.Part().StartKeyOfStave(music.Stave()), 0));
    TMuzNote* note = music.unit.SelectedNote();
    const double after = music.Part().LastSymbolOfStave(music.Stave())->Position;
    music.Paint();
    music.input.MouseDown(music.unit, PaintedMusic::Centre(*note), music.YOf(4));
    TMuzNote* chord = music.unit.SelectedNote();
    ASSERT_NE(chord, nullptr);
    ASSERT_NE(chord, note);
    EXPECT_EQ(chord->Position, note->Position);
    EXPECT_EQ(chord->Pitch, note->Pitch + 4);
    // The chord takes no time of its own: what follows stays where it was.
    EXPECT_EQ(music.Part().LastSymbolOfStave(music.Stave())->Position, after);
}

TEST(MouseModeTest, InAddModeAClickBetweenSymbolsInsertsAfterTheOneWhoseCentreIsLeftOfIt) {
    PaintedMusic music;
    TStaveSymbol* key = music.Part().StartKeyOfStave(music.Stave());
    ASSERT_TRUE(music.InsertAfter(key, 0));
    TMuzNote* first = music.unit.SelectedNote();
    ASSERT_TRUE(music.InsertAfter(first, 2));
    TMuzNote* second = music.unit.SelectedNote();
    music.Paint();
    // Just right of the first note's touch area, before the second's centre: the new note
    // goes between them, a quarter after the first.
    const int x = first->TouchRight + 1;
    ASSERT_LT(x, PaintedMusic::Centre(*second));
    ASSERT_LT(x, second->TouchLeft) << "the notes are drawn apart";
    const TMuzInsertion place = InsertionAt(music.unit.Root(), *music.Stave(), x, music.YOf(4));
    EXPECT_EQ(place.After, first);
    EXPECT_EQ(place.StaffPosition, 4);
    music.input.MouseDown(music.unit, x, music.YOf(4));
    TMuzNote* inserted = music.unit.SelectedNote();
    ASSERT_NE(inserted, nullptr);
    EXPECT_DOUBLE_EQ(inserted->Position, 0.25);
    EXPECT_DOUBLE_EQ(second->Position, 0.5);
    // Right of every centre: after the stave's last symbol.
    const TMuzInsertion end =
        InsertionAt(music.unit.Root(), *music.Stave(), second->TouchRight + 100, music.YOf(0));
    EXPECT_EQ(end.After, music.Part().LastSymbolOfStave(music.Stave()));
}

TEST(MouseModeTest, InDeleteModeAClickDeletesWhatMayBeDeleted) {
    PaintedMusic music;
    TStaveSymbol* key = music.Part().StartKeyOfStave(music.Stave());
    ASSERT_TRUE(music.InsertAfter(key, 0));
    TMuzNote* note = music.unit.SelectedNote();
    music.unit.SetModeDel();
    music.Paint();
    const int x = PaintedMusic::Centre(*note);
    const int y = PaintedMusic::NoteY(*note);
    EXPECT_EQ(music.input.CursorAt(music.unit, x, y), TMuzCursor::deleteSymbol);
    // The start key cannot go.
    const int keyX = PaintedMusic::Centre(*key);
    const int middle = music.Stave()->Layout.MiddleY;
    EXPECT_EQ(music.input.CursorAt(music.unit, keyX, middle), TMuzCursor::reject);
    music.input.MouseDown(music.unit, keyX, middle);
    EXPECT_EQ(music.Part().StartKeyOfStave(music.Stave()), key);
    music.input.MouseDown(music.unit, x, y);
    for (TStaveSymbol* s = music.Part().FirstSymbol(); s != nullptr; s = s->Next)
        EXPECT_NE(s, note);
}

TEST(MouseModeTest, TheCursorFollowsTheModeAndWhatLiesUnderTheMouse) {
    PaintedMusic music;
    TStaveSymbol* key = music.Part().StartKeyOfStave(music.Stave());
    ASSERT_TRUE(music.InsertAfter(key, 0));
    TMuzNote* note = music.unit.SelectedNote();
    music.Paint();
    const int noteX = PaintedMusic::Centre(*note), noteY = PaintedMusic::NoteY(*note);
    const int keyX = PaintedMusic::Centre(*key), middle = music.Stave()->Layout.MiddleY;
    TUnitMuz& unit = music.unit;
    EXPECT_EQ(music.input.CursorAt(unit, noteX, music.Border(music.Stave())),
              TMuzCursor::splitVertical);
    EXPECT_EQ(music.input.CursorAt(unit, noteX, noteY), TMuzCursor::note);
    unit.SetSilenceLength(8);
    EXPECT_EQ(music.input.CursorAt(unit, noteX, noteY), TMuzCursor::silence);
    unit.SetNoteShift(noteShiftKruis);
    EXPECT_EQ(music.input.CursorAt(unit, noteX, noteY), TMuzCursor::note);
    EXPECT_EQ(music.input.CursorAt(unit, keyX, middle), TMuzCursor::note);
    EXPECT_EQ(music.input.CursorAt(unit, noteX + 500, noteY + 200), TMuzCursor::unchanged);
    unit.SetNoteShift(noteShiftDoubleKruis);
    EXPECT_EQ(music.input.CursorAt(unit, keyX, middle), TMuzCursor::reject);
    unit.SetModeSel();
    EXPECT_EQ(music.input.CursorAt(unit, noteX, noteY), TMuzCursor::arrow);
}

TEST(MouseModeTest, ANoteShiftClickAltersTheNoteUnderTheMouse) {
    PaintedMusic music;
    ASSERT_TRUE(music.InsertAfter(music.Part().StartKeyOfStave(music.Stave()), 0));
    TMuzNote* note = music.unit.SelectedNote();
    music.unit.SetNoteShift(noteShiftMol);
    music.Paint();
    music.input.MouseDown(music.unit, PaintedMusic::Centre(*note), PaintedMusic::NoteY(*note));
    EXPECT_EQ(note->NoteShiftKind, noteShiftMol);
}

TEST(CursorKeyTest, ArrowsWalkAndCtrlArrowsMoveWhereTheCommandsAllowIt) {
    PaintedMusic music;
    TStaveSymbol* key = music.Part().StartKeyOfStave(music.Stave());
    ASSERT_TRUE(music.InsertAfter(key, 0));
    TMuzNote* first = music.unit.SelectedNote();
    ASSERT_TRUE(music.InsertAfter(first, 2));
    TMuzNote* second = music.unit.SelectedNote();
    music.unit.SetModeSel();
    TMuzWindowInput& input = music.input;
    TUnitMuz& unit = music.unit;
    EXPECT_TRUE(input.KeyDown(unit, TMuzKey::left, {}));
    EXPECT_EQ(unit.SelectedSymbol(), first);
    EXPECT_FALSE(input.KeyDown(unit, TMuzKey::right, {false, false, true}));  // Alt: ignored
    EXPECT_EQ(unit.SelectedSymbol(), first);
    const int pitch = first->Pitch;
    EXPECT_TRUE(input.KeyDown(unit, TMuzKey::up, {false, true, false}));
    EXPECT_EQ(first->Pitch, pitch + 1);
    EXPECT_TRUE(input.KeyDown(unit, TMuzKey::up, {true, true, false}));
    EXPECT_EQ(first->Pitch, pitch + 8);
    EXPECT_TRUE(input.KeyDown(unit, TMuzKey::right, {false, true, false}));
    EXPECT_DOUBLE_EQ(first->Position, 0.25);
    EXPECT_DOUBLE_EQ(second->Position, 0.0);
    EXPECT_TRUE(input.KeyDown(unit, TMuzKey::home, {}));
    EXPECT_EQ(unit.SelectedSymbol(), key);
    EXPECT_TRUE(input.KeyDown(unit, TMuzKey::end, {}));
    EXPECT_EQ(unit.SelectedSymbol(), music.Part().LastSymbolOfStave(music.Stave()));
    // A key steps its kind with Ctrl+Up and Ctrl+Down: G cannot go higher, C lies below.
    unit.SelectSymbol(key);
    EXPECT_FALSE(input.KeyDown(unit, TMuzKey::up, {false, true, false}));
    EXPECT_TRUE(input.KeyDown(unit, TMuzKey::down, {false, true, false}));
    EXPECT_EQ(AsKey(key)->KeyKind, keyKindC);
}

TEST(CursorKeyTest, PageKeysGoToOtherStaves) {
    PaintedMusic music;
    TNoteStave* second = music.AddStave();
    TNoteStave* third = music.AddStave();
    music.Select(music.Part().StartKeyOfStave(music.Stave()));
    TMuzWindowInput& input = music.input;
    EXPECT_TRUE(input.KeyDown(music.unit, TMuzKey::pageDown, {}));
    EXPECT_EQ(music.unit.SelectedStaveSymbol()->NoteStave, second);
    EXPECT_TRUE(input.KeyDown(music.unit, TMuzKey::pageDown, {true, false, false}));
    EXPECT_EQ(music.unit.SelectedStaveSymbol()->NoteStave, third);
    EXPECT_TRUE(input.KeyDown(music.unit, TMuzKey::pageUp, {true, false, false}));
    EXPECT_EQ(music.unit.SelectedStaveSymbol()->NoteStave, music.Stave());
}

TEST(ScrollTest, ARangeIsBroughtIntoViewByItsFarEnd) {
    struct Case {
        int a, b, client, want;
    };
    const Case cases[] = {
        {100, 200, 1000, 0},       // inside
        {900, 950, 1000, 50},      // beyond 90 %: its right end to 90 %
        {-300, -250, 1000, -400},  // before 10 %: its left end to 10 %
        {50, 80, 1000, -50},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HorizontalScrollToShow(c.a, c.b, c.client), c.want) << c.a << ".." << c.b;
    EXPECT_EQ(VerticalScrollToShow(700, 900, 1000), 100);
    EXPECT_EQ(VerticalScrollToShow(100, 300, 1000), -100);
}

TEST(ScrollTest, NotesScrollByTheirHeadKeysByTheMiddleLineBarsNotVertically) {
    PaintedMusic music;
    ASSERT_TRUE(music.InsertAfter(music.Part().StartKeyOfStave(music.Stave()), 3));
    TMuzNote* note = music.unit.SelectedNote();
    music.Paint();
    const int middle = music.Stave()->Layout.MiddleY;
    const TScrollRanges noteRanges = ScrollRangesOf(*note);
    EXPECT_TRUE(noteRanges.Vertical);
    EXPECT_EQ(noteRanges.Top, middle - 15 - 10);
    EXPECT_EQ(noteRanges.Left, note->TouchLeft);
    const TScrollRanges keyRanges = ScrollRangesOf(*music.Part().FirstSymbol());
    EXPECT_EQ(keyRanges.Bottom, middle + 25);
    EXPECT_FALSE(ScrollRangesOf(music.Part().GetMuzBar()).Vertical);
}

}  // namespace
}  // namespace kalvora::notation
