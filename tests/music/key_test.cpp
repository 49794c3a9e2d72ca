#include <gtest/gtest.h>

#include "music/muz_key.h"

namespace kalvora {
namespace {

constexpr TKeyKind kKinds[] = {keyKindF, keyKindC, keyKindG};

std::unique_ptr<TKey> MakeKey(TKeyKind kind) {
    return std::make_unique<TKey>(nullptr, nullptr, nullptr, 0, kind);
}

using Entries = std::vector<std::pair<int, TNoteShiftKind>>;

// A C key with accidentals by note name (C = 0 ... B = 6).
std::unique_ptr<TKey> CKeyWith(const Entries& entries) {
    std::unique_ptr<TKey> key = MakeKey(keyKindC);
    for (const auto& [index, kind] : entries)
        key->SetKeyNoteShift(index, kind);
    return key;
}

TEST(KeyTest, StaffPositionsFollowTheClefAndOctaves) {
    const std::unique_ptr<TKey> gOwner = MakeKey(keyKindG);
    TKey& g = *gOwner;
    EXPECT_EQ(g.StaffPosition(6), 0);  // B on the middle line
    EXPECT_EQ(g.PitchOf(0), 6);
    const std::unique_ptr<TKey> fOwner = MakeKey(keyKindF);
    TKey& f = *fOwner;
    EXPECT_EQ(f.StaffPosition(-6), 0);  // the D below middle C
    f.AddOctaves = -1;
    EXPECT_EQ(f.PitchOf(0), -13);
    EXPECT_TRUE(g.IsValidStaffPosition(37));
    EXPECT_FALSE(g.IsValidStaffPosition(38));
    EXPECT_TRUE(g.IsValidStaffPosition(-49));
    EXPECT_FALSE(g.IsValidStaffPosition(-50));
}

TEST(KeyTest, SharpsAndFlatsFollowTheCircleOfFifths) {
    const std::unique_ptr<TKey> cOwner = MakeKey(keyKindC);
    TKey& c = *cOwner;
    const int sharps[] = {3, 0, 4, 1, 5, 2, 6};  // F C G D A E B
    const int flats[] = {6, 2, 5, 1, 4, 0, 3};   // B E A D G C F
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(c.SharpPlace(k), sharps[k]);
        EXPECT_EQ(c.FlatPlace(k), flats[k]);
    }
    // The same notes under the other clefs: F is staff index 4 under G and 2 under F.
    EXPECT_EQ(MakeKey(keyKindG)->SharpPlace(0), 4);
    EXPECT_EQ(MakeKey(keyKindF)->SharpPlace(0), 2);
}

TEST(KeyTest, ToonLadderAcceptsOnlyPlainScales) {
    struct Case {
        const char* name;
        Entries entries;
        bool ok;
        int count;
    };
    const Case cases[] = {
        {"none", {}, true, 0},
        {"F# C#", {{3, noteShiftKruis}, {0, noteShiftKruis}}, true, 2},
        {"C# alone", {{0, noteShiftKruis}}, false, 0},
        {"Bb F#", {{6, noteShiftMol}, {3, noteShiftKruis}}, false, 0},
        {"Bb Eb", {{6, noteShiftMol}, {2, noteShiftMol}}, true, -2},
        {"Eb alone", {{2, noteShiftMol}}, false, 0},
        {"F# G#", {{3, noteShiftKruis}, {4, noteShiftKruis}}, false, 0},
        {"all sharps",
         {{0, noteShiftKruis},
          {1, noteShiftKruis},
          {2, noteShiftKruis},
          {3, noteShiftKruis},
          {4, noteShiftKruis},
          {5, noteShiftKruis},
          {6, noteShiftKruis}},
         true,
         7},
    };
    for (const Case& c : cases) {
        int count = 99;
        EXPECT_EQ(CKeyWith(c.entries)->ToonLadder(count), c.ok) << c.name;
        if (c.ok) {
            EXPECT_EQ(count, c.count) << c.name;
        }
    }
    std::unique_ptr<TKey> hole = MakeKey(keyKindC);
    hole->NoteShiftKinds[1] = noteShiftNone;
    int count = 0;
    EXPECT_FALSE(hole->ToonLadder(count));
}

TEST(KeyTest, ChangingTheClefKeepsTheSoundingSignature) {
    const std::unique_ptr<TKey> keyOwner = MakeKey(keyKindG);
    TKey& key = *keyOwner;
    key.SetKeyNoteShift(key.SharpPlace(0), noteShiftKruis);
    EXPECT_EQ(key.SharpPlace(0), 4);
    key.SetKeyKind(keyKindC);
    EXPECT_EQ(key.NoteShiftKinds[3], noteShiftKruis);
    EXPECT_EQ(key.NoteShiftKinds[4], noteShiftNormal);
}

TEST(KeyTest, EveryEntryRotatesToTheSameNoteForEveryChangeOfClef) {
    for (const TKeyKind from : kKinds) {
        for (const TKeyKind to : kKinds) {
            for (int index = 0; index < 7; ++index) {
                const std::unique_ptr<TKey> keyOwner = MakeKey(from);
                TKey& key = *keyOwner;
                key.SetKeyNoteShift(index, noteShiftMol);
                const int pitch = key.PitchOf(index);
                key.SetKeyKind(to);
                EXPECT_EQ(key.GetKeyKind(), to);
                for (int p = -43; p <= 43; ++p) {
                    const TNoteShiftKind expected =
                        ((p - pitch) % 7 == 0) ? noteShiftMol : noteShiftNormal;
                    ASSERT_EQ(key.KeyNoteShiftOfPitch(p), expected)
                        << int(from) << " -> " << int(to) << " index " << index << " pitch " << p;
                }
            }
        }
    }
}

TEST(KeyTest, NegativeStaffPositionsReadTheirEntry) {
    const std::unique_ptr<TKey> keyOwner = MakeKey(keyKindC);
    TKey& key = *keyOwner;
    key.SetKeyNoteShift(-1, noteShiftMol);  // B below middle C
    EXPECT_EQ(key.NoteShiftKinds[6], noteShiftMol);
    EXPECT_EQ(key.GetKeyNoteShift(-8), noteShiftMol);
    EXPECT_EQ(key.GetKeyNoteShift(-43), noteShiftMol);
    EXPECT_EQ(key.GetKeyNoteShift(6), noteShiftMol);
    EXPECT_EQ(key.GetKeyNoteShift(-2), noteShiftNormal);
}

TEST(KeyTest, SignatureGlyphsAreDrawnInTheirSevenPlaces) {
    for (const TKeyKind kind : kKinds) {
        const std::unique_ptr<TKey> keyOwner = MakeKey(kind);
        const TKey& key = *keyOwner;
        for (int index = 0; index < 7; ++index) {
            for (const bool sharp : {true, false}) {
                const int base = (sharp ? -2 : -4) + kind / 6;
                const int position = key.SignatureDrawPosition(index, sharp);
                EXPECT_GE(position, base);
                EXPECT_LT(position, base + 7);
                EXPECT_EQ(((position - index) % 7 + 7) % 7, 0);
            }
        }
    }
}

TEST(KeyTest, MergingFillsOnlyTheHoles) {
    TKeySignature target;
    target.fill(noteShiftNone);
    target[2] = noteShiftKruis;
    TKeySignature source;
    source.fill(noteShiftMol);
    MergeSignature(target, source);
    EXPECT_EQ(target[2], noteShiftKruis);
    for (int i : {0, 1, 3, 4, 5, 6})
        EXPECT_EQ(target[i], noteShiftMol);
}

TEST(KeyTest, TheStartKeyIsTheFirstKeyAtPositionZero) {
    EXPECT_TRUE(TKey(nullptr, nullptr, nullptr, 0, keyKindG, 0, 1).IsStartKey());
    EXPECT_FALSE(TKey(nullptr, nullptr, nullptr, 0, keyKindG, 0, 2).IsStartKey());
    EXPECT_FALSE(TKey(nullptr, nullptr, nullptr, 0.25, keyKindG, 0, 1).IsStartKey());
}

}  // namespace
}  // namespace kalvora
