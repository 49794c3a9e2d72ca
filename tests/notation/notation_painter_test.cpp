#include "notation/notation_painter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../music/music_fixture.h"
#include "platform/memory_canvas.h"
#include "platform/recording_canvas.h"

namespace kalvora::notation {
namespace {

using platform::RecordingCanvas;
using test::AddNote;
using test::AddSilence;

// One stave (G clef, no accidentals, 4/4, black on white) whose part holds only what a
// test adds; the stave's first middle line lies at y 120.
struct Piece {
    test::MusicModel model;
    TNoteStave* stave = model.AddStave();
    TSinglePartMuz& part = model.FirstPart();
    double time = 0;

    Piece() {
        std::vector<TStaveSymbol*> filled;
        for (TStaveSymbol* s = part.FirstSymbol(); s != nullptr; s = s->Next) {
            if (!s->IsKey()) filled.push_back(s);
        }
        for (TStaveSymbol* s : filled)
            part.DeleteSymbol(s);
    }

    // A note at the running time on staff position p (the G clef's middle line is 6).
    TMuzNote* Note(int p, int kind, int points = 0, int shift = noteShiftNormal) {
        TTiming timing;
        timing.NoteLengthKind = kind;
        timing.Points = points;
        TMuzNote* note = AddNote(part, stave, time, p + 6, timing);
        note->NoteShiftKind = static_cast<std::uint8_t>(shift);
        time += TotalLengthOf(kind, points);
        return note;
    }
    TSilence* Rest(int kind) {
        TTiming timing;
        timing.NoteLengthKind = kind;
        TSilence* rest = AddSilence(part, stave, time, timing);
        time += TotalLengthOf(kind, 0);
        return rest;
    }
    void Tuplet(int kind, int p) {
        for (int j = 0; j < 3; ++j) {
            TTiming timing;
            timing.NoteLengthKind = kind;
            timing.MultiOol = triool;
            timing.PosInOol = j;
            AddNote(part, stave, time, p + 6 + j, timing);
        }
        time += 1.0 / kind;
    }

    std::vector<std::string> Paint(TNotationView view = {0, 0, 1000, 400},
                                   TNotationExtent* extent = nullptr) {
        RecordingCanvas canvas(view.ClientWidth, view.ClientHeight);
        TNotationPainter painter(canvas, model.staves, nullptr, view);
        const TNotationExtent e = painter.Paint(*model.root);
        if (extent != nullptr) *extent = e;
        return canvas.Calls();
    }
};

bool StartsWith(const std::string& call, const std::string& prefix) {
    return call.rfind(prefix, 0) == 0;
}

int CountCalls(const std::vector<std::string>& calls, const std::string& prefix) {
    return static_cast<int>(std::count_if(
        calls.begin(), calls.end(), [&](const std::string& c) { return StartsWith(c, prefix); }));
}

// Note heads are filled ellipses 10 pixels wide; x of their left edges in drawing order.
struct Head {
    int x;
    int y;
    bool hollow;
};
std::vector<Head> Heads(const std::vector<std::string>& calls) {
    std::vector<Head> heads;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        int l = 0, t = 0, r = 0, b = 0;
        if (std::sscanf(calls[i].c_str(), "Ellipse %d,%d-%d,%d", &l, &t, &r, &b) != 4) continue;
        if (r - l != 10 || b - t != 9) continue;
        const bool hollow = i + 1 < calls.size() && StartsWith(calls[i + 1], "Ellipse") &&
                            calls[i + 1].find("fill #FFFFFF") != std::string::npos;
        heads.push_back({l, t + 4, hollow});
    }
    return heads;
}

// x of the bar lines: one-pixel lines of 41 rows through the stave.
std::vector<int> BarLines(const std::vector<std::string>& calls) {
    std::vector<int> xs;
    for (const std::string& c : calls) {
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        if (std::sscanf(c.c_str(), "Line %d,%d %d,%d", &x1, &y1, &x2, &y2) == 4 && x1 == x2 &&
            y1 == 100 && y2 == 140) {
            xs.push_back(x1);
        }
    }
    return xs;
}

int CountSlurs(const std::vector<std::string>& calls) {
    return static_cast<int>(std::count_if(calls.begin(), calls.end(), [](const std::string& c) {
        return StartsWith(c, "Polygon") && std::count(c.begin(), c.end(), ',') == 50;
    }));
}

int CountFlags(const std::vector<std::string>& calls) {
    return static_cast<int>(std::count_if(calls.begin(), calls.end(), [](const std::string& c) {
        return StartsWith(c, "Polygon") && std::count(c.begin(), c.end(), ',') == 13;
    }));
}

// Rows of beams: lines that are not vertical nor on a staff line, drawn five at a time.
int CountBeamRows(const std::vector<std::string>& calls) {
    int rows = 0;
    for (const std::string& c : calls) {
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        if (std::sscanf(c.c_str(), "Line %d,%d %d,%d", &x1, &y1, &x2, &y2) == 4 && x1 != x2 &&
            x2 - x1 < 900) {
            ++rows;
        }
    }
    return rows;
}

TEST(NotationPainterTest, DottedQuarterOverABarLineIsAnEighthTiedToAQuarter) {
    Piece piece;
    piece.Note(0, 2, 1);  // a dotted half
    piece.Note(0, 8);
    piece.Note(1, 4, 1);  // starts an eighth before the bar line
    const auto calls = piece.Paint();
    const std::vector<int> bars = BarLines(calls);
    ASSERT_GE(bars.size(), 2u);
    const std::vector<Head> heads = Heads(calls);
    ASSERT_EQ(heads.size(), 4u);
    EXPECT_LT(heads[2].x, bars[0]);
    EXPECT_GT(heads[3].x, bars[0]);
    EXPECT_LT(heads[3].x, bars[1]);
    EXPECT_EQ(CountSlurs(calls), 1);
    // The two eighths before the bar line share a beam; the quarter after it has neither
    // flag nor beam, and no dot.
    EXPECT_EQ(CountFlags(calls), 0);
    EXPECT_EQ(CountBeamRows(calls), 5);
    EXPECT_EQ(CountCalls(calls, "Ellipse " + std::to_string(heads[3].x + 12)), 0);
}

TEST(NotationPainterTest, WholeNoteWithThreeDotsIsAWholeTiedToADoubleDottedHalf) {
    Piece piece;
    piece.Note(0, 1, 3);
    const auto calls = piece.Paint();
    const std::vector<int> bars = BarLines(calls);
    const std::vector<Head> heads = Heads(calls);
    ASSERT_EQ(heads.size(), 2u);
    ASSERT_GE(bars.size(), 2u);
    EXPECT_TRUE(heads[0].hollow);
    EXPECT_TRUE(heads[1].hollow);
    EXPECT_LT(heads[0].x, bars[0]);
    EXPECT_GT(heads[1].x, bars[0]);
    EXPECT_EQ(CountSlurs(calls), 1);
    // Two dots after the half, none after the whole.
    const auto dotsAfter = [&](int headX) {
        return CountCalls(calls, "Ellipse " + std::to_string(headX + 12)) +
               CountCalls(calls, "Ellipse " + std::to_string(headX + 16));
    };
    EXPECT_EQ(dotsAfter(heads[0].x), 0);
    EXPECT_EQ(dotsAfter(heads[1].x), 2);
}

// Sharp and natural signs drawn: two wide strokes each, less the G clef's own two.
std::pair<int, int> SharpsAndNaturals(const std::vector<std::string>& calls) {
    int w2 = 0, w3 = 0;
    for (const std::string& call : calls) {
        if (StartsWith(call, "WideLine") && call.find(" w2 ") != std::string::npos) ++w2;
        if (StartsWith(call, "WideLine") && call.find(" w3 ") != std::string::npos) ++w3;
    }
    return {(w2 - 1) / 2, (w3 - 1) / 2};
}

TEST(NotationPainterTest, AccidentalsCarryThroughTheBarAndStartAgainAfterIt) {
    Piece piece;
    piece.Note(4, 4, 0, noteShiftKruis);   // F sharp: a sharp
    piece.Note(4, 4, 0, noteShiftKruis);   // again: nothing
    piece.Note(4, 4, 0, noteShiftNormal);  // F: a natural
    piece.Note(6, 4);
    piece.Note(4, 4, 0, noteShiftKruis);  // after the bar line: a sharp again
    EXPECT_EQ(SharpsAndNaturals(piece.Paint()), (std::pair{2, 1}));
}

TEST(NotationPainterTest, TwoAlterationsAtOnePositionMakeTheNextOneShowItsSign) {
    Piece piece;
    piece.Note(4, 4, 0, noteShiftKruis);
    piece.time = 0;
    piece.Note(4, 4, 0, noteShiftNormal);  // with the sharp: nothing new to show
    piece.Note(4, 4, 0, noteShiftKruis);   // after the mixed position: a sharp
    piece.Note(4, 4, 0, noteShiftKruis);   // then the sharp holds: nothing
    EXPECT_EQ(SharpsAndNaturals(piece.Paint()), (std::pair{2, 0}));
    Piece natural;
    natural.Note(4, 4, 0, noteShiftKruis);
    natural.time = 0;
    natural.Note(4, 4, 0, noteShiftNormal);
    natural.Note(4, 4, 0, noteShiftNormal);  // a natural now shows its sign too
    EXPECT_EQ(SharpsAndNaturals(natural.Paint()), (std::pair{1, 1}));
}

TEST(NotationPainterTest, AutomaticStemsPointDownFromTheMiddleLineAndUpBelowIt) {
    struct Case {
        int p;
        bool down;
    };
    for (const Case c : {Case{0, true}, Case{-1, false}, Case{3, true}}) {
        Piece piece;
        piece.stave->StartNoteGroup->DrawStickKind = drawStickAuto;
        piece.Note(c.p, 4);
        const auto calls = piece.Paint();
        const int y = 120 - 5 * c.p;
        const std::vector<Head> heads = Heads(calls);
        ASSERT_EQ(heads.size(), 1u);
        const std::string stem =
            c.down ? "Line " + std::to_string(heads[0].x) + "," + std::to_string(y) + " " +
                         std::to_string(heads[0].x) + "," + std::to_string(y + 34)
                   : "Line " + std::to_string(heads[0].x + 10) + "," + std::to_string(y) + " " +
                         std::to_string(heads[0].x + 10) + "," + std::to_string(y - 34);
        EXPECT_EQ(CountCalls(calls, stem), 1) << c.p;
    }
}

TEST(NotationPainterTest, EighthsShareBeamsWhereTheStaveAllowsAndFlagsOtherwise) {
    struct Case {
        const char* name;
        int drawFlagKind;
        bool restInside;
        int flags;
        int beamRows;
    };
    const Case cases[] = {
        {"joined", AllowJoinFlags, false, 0, 5 * 3},
        {"not joined", drawFlagNoJoin, false, 4, 0},
        {"a rest ends the group", AllowJoinFlags, true, 2, 0},
    };
    for (const Case& c : cases) {
        Piece piece;
        piece.stave->DrawFlagKind = static_cast<std::uint8_t>(c.drawFlagKind);
        if (c.restInside) {
            piece.Note(1, 8);
            piece.Rest(8);
            piece.Note(1, 8);
        } else {
            for (int i = 0; i < 4; ++i)
                piece.Note(i, 8);
        }
        const auto calls = piece.Paint();
        EXPECT_EQ(CountFlags(calls), c.flags) << c.name;
        EXPECT_EQ(CountBeamRows(calls), c.beamRows) << c.name;
    }
}

TEST(NotationPainterTest, ShorterNotesInsideABeamGetStubs) {
    // An eighth then a sixteenth: one joined beam, the sixteenth's second as a left stub.
    Piece leftStub;
    leftStub.Note(1, 8);
    leftStub.Note(1, 16);
    auto calls = leftStub.Paint();
    EXPECT_EQ(CountBeamRows(calls), 10);
    std::vector<Head> heads = Heads(calls);
    ASSERT_EQ(heads.size(), 2u);
    const int stem = heads[1].x + 10;  // stems up
    EXPECT_EQ(CountCalls(calls, "Line " + std::to_string(stem - 8) + ","), 5);

    // Sixteenth, eighth, sixteenth: a right stub on the first and a left stub on the last.
    Piece both;
    both.Note(1, 16);
    both.Note(1, 8);
    both.Note(1, 16);
    calls = both.Paint();
    heads = Heads(calls);
    ASSERT_EQ(heads.size(), 3u);
    EXPECT_EQ(CountBeamRows(calls), 5 * 4);
    EXPECT_EQ(CountCalls(calls, "Line " + std::to_string(heads[0].x + 10) + ","), 5 * 2 + 1);
    EXPECT_EQ(CountCalls(calls, "Line " + std::to_string(heads[2].x + 10 - 8) + ","), 5);
}

TEST(NotationPainterTest, TripletsGetABracketWithTheirNumber) {
    struct Case {
        int kind;
        int beamRows;
    };
    for (const Case c : {Case{4, 10}, Case{2, 0}}) {  // eighths and quarters
        Piece piece;
        piece.Tuplet(c.kind, 0);
        const auto calls = piece.Paint();
        EXPECT_EQ(CountCalls(calls, "Text") - 2, 1) << c.kind;  // beside the 4/4
        const auto three = std::find_if(calls.begin(), calls.end(), [](const std::string& s) {
            return StartsWith(s, "Text") &&
                   s.find("\"3\" Times New Roman 12 bold") != std::string::npos;
        });
        EXPECT_NE(three, calls.end()) << c.kind;
        EXPECT_EQ(CountFlags(calls), 0) << c.kind;
        // Four bracket strokes besides the beams (and the bar lines, which are vertical).
        EXPECT_EQ(CountBeamRows(calls), c.beamRows + 2) << c.kind;
        EXPECT_EQ(Heads(calls).size(), 3u);
    }
}

TEST(NotationPainterTest, ExtentIsMeasuredInDocumentCoordinates) {
    Piece piece;
    piece.Note(0, 4);
    TNotationExtent home, scrolled;
    const auto calls = piece.Paint({0, 0, 1000, 400}, &home);
    piece.Paint({300, 50, 1000, 400}, &scrolled);
    EXPECT_EQ(home.Width, scrolled.Width);
    EXPECT_EQ(home.Height, scrolled.Height);
    EXPECT_EQ(home.Height, 40 + 80 + 80 + 40);
    // The final double bar: a thin line and a thick one 3 to its right.
    const std::vector<int> bars = BarLines(calls);
    ASSERT_FALSE(bars.empty());
    const int end = bars.back();
    EXPECT_EQ(CountCalls(calls, "FillRect " + std::to_string(end + 3) + ",100-" +
                                    std::to_string(end + 7) + ",141"),
              1);
    EXPECT_EQ(home.Width, end + 1000 - 80);
    EXPECT_EQ(home.ContentWidth, end + 7);
    EXPECT_EQ(scrolled.ContentWidth, home.ContentWidth);
}

TEST(NotationPainterTest, EmptyPartsEndWithABarLineAndTurnsThatAreOnAreDrawn) {
    Piece piece;
    const auto calls = piece.Paint();
    // The part's bar line, then the final double bar's thin line.
    EXPECT_EQ(BarLines(calls).size(), 2u);

    Piece turns;
    turns.Note(0, 4);
    auto select = std::make_unique<TSelectPartMuz>(nullptr, nullptr);
    TStartPartMuz& root = *turns.model.root;
    std::unique_ptr<TPartMuz>* slot = root.ChildSlot(root.GetPartMuz());
    ASSERT_NE(slot, nullptr);
    std::unique_ptr<TPartMuz> single = std::move(*slot);
    select->SetSelectPart(std::move(single));
    root.SetPartMuz(std::move(select));
    EXPECT_EQ(Heads(turns.Paint()).size(), 1u);
    root.GetPartMuz()->Child(0)->PlayDraw = 0;
    EXPECT_EQ(Heads(turns.Paint()).size(), 0u);
}

TEST(NotationPainterTest, WindowWithoutStavesIsHatchedWithVerticalLines) {
    test::MusicModel empty;
    RecordingCanvas canvas(200, 100);
    TNotationPainter painter(canvas, empty.staves, nullptr, {0, 0, 200, 100});
    painter.Paint(*empty.root);
    ASSERT_EQ(canvas.Calls().size(), 1u);
    EXPECT_EQ(canvas.Calls()[0], "Hatch 0,0-200,100 vertical #404040 on #FFFFFF");
}

TEST(NotationPainterTest, NotesAndRestsGetTouchAreasAndDrawnHeights) {
    Piece piece;
    TMuzNote* note = piece.Note(2, 8, 1, noteShiftKruis);
    TSilence* rest = piece.Rest(4);
    piece.Paint();
    ASSERT_EQ(note->HasTouch, 1);
    EXPECT_EQ(note->DrawHeight, 2);
    // From the sharp's left edge to 4 beyond the head: 13 + 10 + 4.
    EXPECT_EQ(note->TouchRight - note->TouchLeft, 27);
    ASSERT_EQ(rest->HasTouch, 1);
    EXPECT_EQ(rest->TouchRight - rest->TouchLeft, 14);
    EXPECT_GT(rest->TouchLeft, note->TouchRight);
}

TEST(NotationPainterTest, RemaindersShorterThanA64thAreLeftOut) {
    // A dotted 64th starting a 128th before the bar line: its parts are a 128th, drawn as
    // a 64th (there is no shorter value), and a 64th after the bar line.
    Piece dotted;
    dotted.time = 1 - 1.0 / 128;
    dotted.Note(0, 64, 1);
    const auto calls = dotted.Paint();
    EXPECT_EQ(Heads(calls).size(), 2u);
    EXPECT_EQ(CountSlurs(calls), 1);
    // A 64th starting a 256th before the bar line: after it remain three 256ths, less
    // than any value: they are drawn as a 64th, the shortest there is.
    Piece odd;
    odd.time = 1 - 1.0 / 256;
    odd.Note(0, 64, 0);
    EXPECT_EQ(Heads(odd.Paint()).size(), 2u);
}

TEST(NotationPainterTest, LoopsDrawTheirRepeatSignsOnEveryStaveAndAKeyInsideAPart) {
    Piece piece;
    TNoteStave* second = piece.model.AddStave(piece.stave);
    piece.Note(0, 2);
    // A key on the first stave at a half: the F clef.
    std::unique_ptr<TStaveSymbol> key =
        std::make_unique<TKey>(piece.stave, &piece.part, nullptr, 0.5, keyKindF, 0, 2);
    TKey* raw = static_cast<TKey*>(key.get());
    piece.part.InsertSymbol(key);
    piece.Note(0, 2);
    TStartPartMuz& root = *piece.model.root;
    std::unique_ptr<TPartMuz> single = std::move(*root.ChildSlot(root.GetPartMuz()));
    auto loop = std::make_unique<TLoopPartMuz>(nullptr, std::move(single), 3);
    TLoopPartMuz* rawLoop = loop.get();
    root.SetPartMuz(std::move(loop));
    const auto calls = piece.Paint();
    // Each sign draws a thick line on each of the two staves.
    const int clefStrokes = 2 * 2;  // the G clefs' spine and foot; the F clef has none
    EXPECT_EQ(CountCalls(calls, "WideLine") - clefStrokes, 2 * 2);
    EXPECT_EQ(rawLoop->GetLeftLoopSymbol().HasTouch, 1);
    EXPECT_EQ(rawLoop->GetRightLoopSymbol().HasTouch, 1);
    EXPECT_EQ(rawLoop->GetRightLoopSymbol().TouchRight - rawLoop->GetRightLoopSymbol().TouchLeft,
              26 + 5 + 2);
    const int counts =
        static_cast<int>(std::count_if(calls.begin(), calls.end(), [](const auto& c) {
            return StartsWith(c, "Text") && c.find("\"3\"") != std::string::npos;
        }));
    EXPECT_EQ(counts, 2 * 2);
    ASSERT_EQ(raw->HasTouch, 1);
    const std::vector<Head> heads = Heads(calls);
    ASSERT_EQ(heads.size(), 2u);
    EXPECT_GT(raw->TouchLeft, heads[0].x);
    EXPECT_LT(raw->TouchRight, heads[1].x);
    // The second half stands under the F clef: a height of 6 is two steps above its
    // middle line (which is D, height -6... counted from the key's kind).
    EXPECT_EQ(heads[1].y, 120 - 5 * (6 - keyKindF));
    (void)second;
}

TEST(NotationPainterTest, ArticulationStandsOnTheSideAwayFromTheStem) {
    struct Case {
        int p;
        int art;
        const char* mark;  // relative to the head's centre x (cx) and its y (u)
        int dx, dy;
    };
    const Case cases[] = {
        {2, artStaccato, "Ellipse", -2, -10},  // stem down: dot above
        {-2, artStaccato, "Ellipse", -2, 7},   // stem up: dot below
        {-2, artPortato, "Line", -5, 8},       // a stroke below
        {2, artStaccatissimo, "WideLine", 0, -8},
    };
    for (const Case& c : cases) {
        Piece piece;
        piece.stave->StartNoteGroup->DrawStickKind = drawStickAuto;
        piece.Note(c.p, 4)->ArtKind = static_cast<std::uint8_t>(c.art);
        const auto calls = piece.Paint();
        const std::vector<Head> heads = Heads(calls);
        ASSERT_EQ(heads.size(), 1u);
        const int cx = heads[0].x + 5;
        const int u = 120 - 5 * c.p;
        const std::string expected =
            std::string(c.mark) + " " + std::to_string(cx + c.dx) + "," + std::to_string(u + c.dy);
        EXPECT_EQ(CountCalls(calls, expected), 1) << expected;
    }
}

TEST(NotationPainterTest, LedgerLinesReachTheNotesOutsideTheStave) {
    struct Case {
        int p;
        std::vector<int> rows;  // y of the ledger lines
    };
    const Case cases[] = {{-6, {150}}, {-5, {}},      {-4, {}},
                          {6, {90}},   {8, {90, 80}}, {-9, {150, 160}}};
    for (const Case& c : cases) {
        Piece piece;
        piece.Note(c.p, 4);
        const auto calls = piece.Paint();
        const std::vector<Head> heads = Heads(calls);
        ASSERT_EQ(heads.size(), 1u);
        int found = 0;
        for (const int y : c.rows) {
            found += CountCalls(
                calls, "Line " + std::to_string(heads[0].x - 6) + "," + std::to_string(y) + " " +
                           std::to_string(heads[0].x + 16) + "," + std::to_string(y));
        }
        EXPECT_EQ(found, static_cast<int>(c.rows.size())) << c.p;
        EXPECT_EQ(CountCalls(calls, "Line " + std::to_string(heads[0].x - 6) + ","),
                  static_cast<int>(c.rows.size()))
            << c.p;
    }
}

TEST(NotationPainterTest, TheLowerNoteOfASecondMovesToTheStemsOtherSide) {
    for (const bool down : {false, true}) {
        Piece piece;
        piece.stave->StartNoteGroup->DrawStickKind = down ? drawStickDown : drawStickUp;
        piece.Note(-4, 4);  // D
        piece.time = 0;
        piece.Note(-5, 4);  // C
        const std::vector<Head> heads = Heads(piece.Paint());
        ASSERT_EQ(heads.size(), 2u);
        EXPECT_EQ(heads[0].y, 140);  // D first, in its place
        EXPECT_EQ(heads[1].y, 145);
        EXPECT_EQ(heads[1].x - heads[0].x, down ? -10 : 10) << down;
    }
}

// The stems of the heads, in head order: the y where each ends.
std::vector<int> StemEnds(const std::vector<std::string>& calls, const std::vector<Head>& heads) {
    std::vector<int> ends;
    for (const Head& head : heads) {
        for (const std::string& c : calls) {
            int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
            if (std::sscanf(c.c_str(), "Line %d,%d %d,%d", &x1, &y1, &x2, &y2) == 4 && x1 == x2 &&
                (x1 == head.x || x1 == head.x + 10) && y1 == head.y) {
                ends.push_back(y2);
            }
        }
    }
    return ends;
}

TEST(NotationPainterTest, BeamsFollowTheNotesOrLieFlatOverAnInnerExtreme) {
    struct Case {
        const char* name;
        std::vector<int> positions;
        std::vector<int> stemEnds;
    };
    const Case cases[] = {
        // Rising eighths, stems up: the beam rises with them, 32 above each head.
        {"rising", {-4, -2, 0, 2}, {108, 98, 88, 78}},
        // The highest notes around the group's middle: the beam lies flat over them.
        {"inner extreme", {-4, 2, 2, -4}, {78, 78, 78, 78}},
        // The highest note early: the beam runs from it down to the last stem.
        {"early extreme", {-4, 2, -4, -4}, {63, 78, 93, 108}},
    };
    for (const Case& c : cases) {
        Piece piece;
        for (const int p : c.positions)
            piece.Note(p, 8);
        const auto calls = piece.Paint();
        const std::vector<Head> heads = Heads(calls);
        ASSERT_EQ(heads.size(), c.positions.size()) << c.name;
        EXPECT_EQ(StemEnds(calls, heads), c.stemEnds) << c.name;
    }
}

TEST(NotationPainterTest, TheSelectedNoteOrRestStandsOnAHighlight) {
    Piece piece;
    TMuzNote* note = piece.Note(0, 4);
    TSilence* rest = piece.Rest(2);
    for (TXTouchMuzSymbol* selected :
         {static_cast<TXTouchMuzSymbol*>(note), static_cast<TXTouchMuzSymbol*>(rest)}) {
        RecordingCanvas canvas(1000, 400);
        TNotationPainter painter(canvas, piece.model.staves, selected, {0, 0, 1000, 400});
        painter.Paint(*piece.model.root);
        const auto& calls = canvas.Calls();
        if (selected == note) {
            // Block from 2 left of the head to 2 right of it, head in white on it.
            const std::string block = "FillRect " + std::to_string(note->TouchLeft - 2) + ",114-" +
                                      std::to_string(note->TouchLeft + 12) + ",127 #000000";
            EXPECT_EQ(CountCalls(calls, block), 1);
            EXPECT_EQ(CountCalls(calls, "Ellipse " + std::to_string(note->TouchLeft) + ",116-" +
                                            std::to_string(note->TouchLeft + 10) +
                                            ",125 #FFFFFF fill #FFFFFF"),
                      1);
        } else {
            // The half rest in white on its block.
            EXPECT_EQ(CountCalls(calls, "FillRect " + std::to_string(rest->TouchLeft) + ",115-" +
                                            std::to_string(rest->TouchLeft + 14) + ",120 #FFFFFF"),
                      1);
        }
    }
}

TEST(NotationPainterTest, SelectedTimeSignatureIsReversed) {
    Piece piece;
    piece.Note(0, 1);
    RecordingCanvas canvas(1000, 400);
    TMuzBar& bar = piece.part.GetMuzBar();
    TNotationPainter painter(canvas, piece.model.staves, &bar, {0, 0, 1000, 400});
    painter.Paint(*piece.model.root);
    EXPECT_EQ(bar.HasTouch, 1);
    EXPECT_EQ(bar.TouchRight - bar.TouchLeft, 2 + 21 + 2);
    const std::string highlight = "FillRect " + std::to_string(bar.TouchLeft) + ",97-" +
                                  std::to_string(bar.TouchLeft + 16) + ",144 #000000";
    EXPECT_EQ(CountCalls(canvas.Calls(), highlight), 1);
    EXPECT_EQ(CountCalls(canvas.Calls(), "Text"), 2);
    for (const std::string& call : canvas.Calls()) {
        if (StartsWith(call, "Text")) {
            EXPECT_NE(call.find("#FFFFFF"), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace kalvora::notation
