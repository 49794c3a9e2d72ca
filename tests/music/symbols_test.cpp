#include <gtest/gtest.h>

#include "music/muz_key.h"
#include "music/stave_time_symbol.h"
#include "music_fixture.h"

namespace kalvora {
namespace {

using test::AddKey;
using test::AddNote;
using test::AddSilence;

TEST(NotePeriodTest, EqualTemperamentAroundA440) {
    struct Case {
        int pitch;
        TNoteShiftKind shift;
        double hertz;
    };
    const Case cases[] = {
        {5, noteShiftNormal, 440.0},       {0, noteShiftNormal, 261.6256},
        {12, noteShiftNormal, 880.0},      {-2, noteShiftNormal, 220.0},
        {-9, noteShiftNormal, 110.0},      {5, noteShiftKruis, 466.1638},
        {5, noteShiftDoubleMol, 391.9954}, {-1, noteShiftNormal, 246.9417},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(1.0 / PeriodOf(c.pitch, c.shift), c.hertz, 1e-3) << c.pitch;
    }
    // G sharp and A flat are the same key on the keyboard.
    EXPECT_DOUBLE_EQ(PeriodOf(4, noteShiftKruis), PeriodOf(5, noteShiftMol));
    EXPECT_NEAR(TransposedPeriod(PeriodOf(5, noteShiftNormal), 12), 1.0 / 880, 1e-12);
    // A transposition beyond eight octaves is bound.
    EXPECT_DOUBLE_EQ(TransposedPeriod(1.0, 200), TransposedPeriod(1.0, 96));
}

TEST(NoteLengthTest, DotsAddHalfOfThePreviousAddition) {
    EXPECT_DOUBLE_EQ(TotalLengthOf(4, 0), 0.25);
    EXPECT_DOUBLE_EQ(TotalLengthOf(4, 1), 3.0 / 8);
    EXPECT_DOUBLE_EQ(TotalLengthOf(4, 2), 7.0 / 16);
    EXPECT_DOUBLE_EQ(TotalLengthOf(4, 3), 15.0 / 32);
    EXPECT_DOUBLE_EQ(TotalLengthOf(64, 3), 15.0 / 512);
}

TEST(NoteLengthTest, ATripletOfEighthsSharesAQuarter) {
    test::MusicModel model;
    TNoteStave* stave = model.AddStave();
    TSinglePartMuz& part = model.FirstPart();
    int total = 0;
    ASSERT_TRUE(FlagLength2TotalLength(8, triool, total));
    EXPECT_EQ(total, 4);
    TMuzNote* members[3];
    for (int i = 0; i < 3; ++i) {
        members[i] = AddNote(part, stave, 0.5, 5, TTiming{total, 0, triool, i});
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(members[i]->GetStartTime(), 0.5 + i / 12.0);
        EXPECT_DOUBLE_EQ(members[i]->GetPlayLength(), 1.0 / 12);
        EXPECT_EQ(members[i]->GetFlagLength(), 8);
    }
    // The list keeps them in tuplet order.
    EXPECT_EQ(members[0]->Next, members[1]);
    EXPECT_EQ(members[1]->Next, members[2]);
}

TEST(NoteLengthTest, ArticulationScalesThePlayLength) {
    const std::pair<TNoteArtKind, double> cases[] = {{artNormal, 0.25},
                                                     {artStaccato, 0.125},
                                                     {artStaccatissimo, 0.0625},
                                                     {artPortato, 0.375},
                                                     {artLegato, 0.5}};
    for (const auto& [art, expected] : cases) {
        TMuzNote note(nullptr, nullptr, nullptr, nullptr, 0, TTiming{}, 0, noteShiftNormal, art);
        EXPECT_DOUBLE_EQ(note.GetPlayLength(), expected) << int(art);
    }
    EXPECT_EQ(ArticulationFactor(9), 0.0);
}

TEST(TupletTest, FlagAndTotalLengthsConvertAndRefuse) {
    struct Case {
        int flag;
        TMultiOol ool;
        bool accepted;
        int total;
    };
    const Case cases[] = {{8, sool, true, 8},      {1, sool, true, 1},      {8, duool, true, 4},
                          {1, triool, false, 0},   {2, kwartool, true, 1},  {16, kwintool, true, 4},
                          {2, kwintool, false, 0}, {64, kwintool, true, 16}};
    for (const Case& c : cases) {
        int total = 0;
        EXPECT_EQ(FlagLength2TotalLength(c.flag, c.ool, total), c.accepted) << c.flag;
        if (c.accepted) {
            EXPECT_EQ(total, c.total);
            EXPECT_EQ(GetFlagLength(total, c.ool), c.flag);
        }
    }
}

TEST(TupletTest, TimingsThatBreakTheRulesAreRefused) {
    EXPECT_TRUE(IsValidTiming(TTiming{4, 0, sool, 0}));
    EXPECT_TRUE(IsValidTiming(TTiming{4, 1, duool, 1}));
    EXPECT_FALSE(IsValidTiming(TTiming{4, 0, duool, 0}));     // a duool needs a dot
    EXPECT_FALSE(IsValidTiming(TTiming{4, 0, kwartool, 0}));  // so does a kwartool
    EXPECT_TRUE(IsValidTiming(TTiming{16, 0, kwintool, 4}));
    EXPECT_FALSE(IsValidTiming(TTiming{32, 0, kwintool, 0}));
    EXPECT_TRUE(IsValidTiming(TTiming{32, 0, triool, 0}));
    EXPECT_FALSE(IsValidTiming(TTiming{64, 0, triool, 0}));
    EXPECT_FALSE(IsValidTiming(TTiming{4, 0, triool, 3}));  // PosInOol beyond the tuplet
    EXPECT_FALSE(IsValidTiming(TTiming{4, 4, sool, 0}));
    EXPECT_FALSE(IsValidTiming(TTiming{3, 0, sool, 0}));
    EXPECT_FALSE(MayTotalPoints(duool, 0));
    EXPECT_TRUE(MayTotalPoints(triool, 0));
    EXPECT_EQ(MaxPointsOfLengthKind(16), 2);
    EXPECT_EQ(MaxPointsOfLengthKind(32), 1);
    EXPECT_EQ(MaxPointsOfLengthKind(64), 0);
    EXPECT_EQ(MaxPointsOfLengthKind(8), 3);
}

TEST(BarTest, BarLinesFollowTheFirstPartialBar) {
    TSinglePartMuz part(nullptr, 4, 3, 1);
    const TMuzBar& bar = part.GetMuzBar();
    EXPECT_EQ(bar.SinglePartMuz, &part);
    EXPECT_DOUBLE_EQ(bar.BarEnd(0), 0.25);
    EXPECT_DOUBLE_EQ(bar.BarEnd(0.25), 1.0);  // on a bar line: the next one
    EXPECT_DOUBLE_EQ(bar.BarEnd(0.5), 1.0);
    EXPECT_DOUBLE_EQ(bar.BarEnd(1.0), 1.75);
    TSinglePartMuz plain(nullptr, 4, 4, 0);
    EXPECT_DOUBLE_EQ(plain.GetMuzBar().BarEnd(0), 1.0);
    EXPECT_DOUBLE_EQ(plain.GetMuzBar().BarEnd(1.0), 2.0);
}

TEST(BarTest, TheFirstBarGrowsAndShrinksRoundTheBar) {
    TSinglePartMuz part(nullptr, 4, 3, 0);
    TMuzBar& bar = part.GetMuzBar();
    bar.FirstBarLonger();
    EXPECT_EQ(bar.ExtraCount, 1);
    bar.FirstBarLonger();
    bar.FirstBarLonger();
    EXPECT_EQ(bar.ExtraCount, 0);
    bar.FirstBarShorter();
    EXPECT_EQ(bar.ExtraCount, 2);
}

TEST(SymbolOrderTest, BeforeRanksPositionKindTupletAndPitch) {
    test::MusicModel model;
    TNoteStave* stave = model.AddStave();
    TSinglePartMuz& part = model.FirstPart();
    TKey key(stave, &part, nullptr, 0.5, keyKindG, 0, 1);
    TKey key2(stave, &part, nullptr, 0.5, keyKindG, 0, 2);
    TMuzNote low(stave, nullptr, nullptr, &part, 0.5, TTiming{}, 2);
    TMuzNote high(stave, nullptr, nullptr, &part, 0.5, TTiming{}, 4);
    TMuzNote second(stave, nullptr, nullptr, &part, 0.5, TTiming{4, 0, triool, 1}, 9);
    TSilence silence(stave, &part, 0.5, TTiming{});
    TMuzNote earlier(stave, nullptr, nullptr, &part, 0.25, TTiming{}, -20);
    EXPECT_TRUE(Before(earlier, key));
    EXPECT_TRUE(Before(key, key2));
    EXPECT_TRUE(Before(key2, low));
    EXPECT_TRUE(Before(high, low));
    EXPECT_FALSE(Before(low, high));
    EXPECT_TRUE(Before(low, second));
    EXPECT_FALSE(Before(silence, low));
    EXPECT_FALSE(Before(low, silence));
}

TEST(SymbolOrderTest, EqualSymbolsAreInsertedNewestFirst) {
    test::MusicModel model;
    TNoteStave* stave = model.AddStave();
    TSinglePartMuz& part = model.FirstPart();
    TSilence* older = AddSilence(part, stave, 0.25);
    TSilence* newer = AddSilence(part, stave, 0.25);
    TMuzNote* note = AddNote(part, stave, 0.25, 0);  // equal to the silences too
    const auto symbols = test::SymbolsOf(part, stave);
    ASSERT_EQ(symbols.size(), 4u);  // the start key first
    EXPECT_EQ(symbols[1], note);
    EXPECT_EQ(symbols[2], newer);
    EXPECT_EQ(symbols[3], older);
}

TEST(SymbolOrderTest, ResortMovesASymbolBothWays) {
    test::MusicModel model;
    TNoteStave* stave = model.AddStave();
    TSinglePartMuz& part = model.FirstPart();
    TMuzNote* a = AddNote(part, stave, 0.25, 0);
    TMuzNote* b = AddNote(part, stave, 0.5, 0);
    TMuzNote* c = AddNote(part, stave, 0.75, 0);
    a->Position = 1.0;
    part.ResortSymbol(a);
    EXPECT_EQ(test::SymbolsOf(part, stave),
              (std::vector<TStaveSymbol*>{part.FirstSymbol(), b, c, a}));
    c->Position = 0.0;  // after the start key: keys go first at their position
    part.ResortSymbol(c);
    EXPECT_EQ(test::SymbolsOf(part, stave),
              (std::vector<TStaveSymbol*>{part.FirstSymbol(), c, b, a}));
    b->SetPitch(3);  // nothing to move
    part.ResortSymbol(b);
    EXPECT_EQ(c->Next, b);
}

TEST(SymbolOrderTest, TheKeyInEffectIsTheLastOneAtOrBeforeAPosition) {
    test::MusicModel model;
    TNoteStave* stave = model.AddStave();
    TNoteStave* other = model.AddStave(stave);
    TSinglePartMuz& part = model.FirstPart();
    TStaveSymbol* start = part.StartKeyOfStave(stave);
    TKey* second = AddKey(part, stave, 0.5, keyKindF);
    TKey* third = AddKey(part, stave, 0.5, keyKindC, 2);
    AddKey(part, other, 0.25, keyKindC);
    EXPECT_EQ(part.KeyInEffectAt(stave, 0.25), start);
    EXPECT_EQ(part.KeyInEffectAt(stave, 0.5), third);  // the later Volgnr at the same place
    EXPECT_EQ(part.KeyInEffectAt(stave, 3.0), third);
    EXPECT_EQ(second->Next, third);
}

TEST(ChordTest, WalksStayOnTheStaveAndThePosition) {
    test::MusicModel model;
    TNoteStave* stave = model.AddStave();
    TNoteStave* other = model.AddStave(stave);
    TSinglePartMuz& part = model.FirstPart();
    TMuzNote* high = AddNote(part, stave, 0.25, 7, TTiming{4, 0, triool, 0});
    TMuzNote* low = AddNote(part, stave, 0.25, 3, TTiming{4, 0, triool, 0});
    TMuzNote* between = AddNote(part, other, 0.25, 5);
    TMuzNote* member = AddNote(part, stave, 0.25, 4, TTiming{4, 0, triool, 1});
    TMuzNote* next = AddNote(part, stave, 0.5, 4);
    EXPECT_EQ(LastChordMember(*high), member);
    EXPECT_EQ(LastSameOolMember(*high), low);
    EXPECT_EQ(PrevChordMember(*member), low);
    EXPECT_EQ(PrevSameOolMember(*member), nullptr);
    EXPECT_EQ(FirstChordMember(*member), high);
    EXPECT_EQ(FirstSameOolMember(*low), high);
    EXPECT_EQ(LastChordMember(*next), next);
    // The next note of the list is on any stave: pitch 5 sorts between 7 and 3.
    EXPECT_EQ(high->GetNextNote(), between);
    EXPECT_EQ(between->GetNextNote(), low);
}

}  // namespace
}  // namespace kalvora

namespace kalvora {
namespace {

TEST(HitDistanceTest, KeysAndSilencesCountFromABandNotesFromTheirHead) {
    test::MusicModel model;
    TNoteStave* stave = model.AddStave();
    stave->Layout.MiddleY = 100;
    TSinglePartMuz& part = model.FirstPart();
    TSilence* silence = test::AddSilence(part, stave, 0);
    EXPECT_EQ(silence->VerticalDistance(115), 0);
    EXPECT_EQ(silence->VerticalDistance(80), 5);
    TMuzNote* note = test::AddNote(part, stave, 0.25, 0);
    note->DrawHeight = 2;  // drawn at y 90
    EXPECT_EQ(note->VerticalDistance(90), 0);
    EXPECT_EQ(note->VerticalDistance(97), 7);
    // The stem follows the group while the note's own is automatic.
    EXPECT_EQ(note->GetBerDrawStickKind(), drawStickUp);
    note->DrawStickKind = drawStickDown;
    EXPECT_EQ(note->GetBerDrawStickKind(), drawStickDown);
    EXPECT_EQ(note->GetCompoundPlayer(), stave->GetStartNoteGroup()->CompoundPlayer.get());
    EXPECT_FALSE(note->IsMuted());
    stave->Mute = 1;
    EXPECT_TRUE(note->IsMuted());
}

}  // namespace
}  // namespace kalvora
