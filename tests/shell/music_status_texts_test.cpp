#include "shell/music_status_texts.h"

#include <gtest/gtest.h>

#include "../music/music_document_fakes.h"

namespace kalvora {
namespace {

TEST(FractionTextTest, WritesMixedFractionsOverPowersOfTwo) {
    struct Case {
        double x;
        const char* text;
    };
    const Case cases[] = {
        {3.0, "3"},
        {0.0, "0"},
        {0.375, "3/8"},
        {2.25, "2 1/4"},
        {0.25, "1/4"},
        {1.5, "1 1/2"},
        {1.0 / 64, "1/64"},
        {1.0 / 128, "1/128"},
        // A triplet eighth is no power-of-two fraction: truncated to 128ths.
        {1.0 / 12, "10/128"},
        {1.0 + 1.0 / 3, "1 42/128"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FractionText(c.x), c.text) << c.x;
}

TEST(NoteNameTest, NamesLettersAlterationsAndOctaves) {
    struct Case {
        int pitch;
        TNoteShiftKind shift;
        const char* name;
    };
    const Case cases[] = {
        {0, noteShiftNormal, "c4"},       {-1, noteShiftNormal, "b3"},
        {5, noteShiftNormal, "a4"},       {1, noteShiftKruis, "dis4"},
        {2, noteShiftMol, "es4"},         {-1, noteShiftMol, "bes3"},
        {-2, noteShiftMol, "as3"},        {-2, noteShiftDoubleMol, "ases3"},
        {2, noteShiftDoubleMol, "eses4"}, {3, noteShiftDoubleKruis, "fisis4"},
        {7, noteShiftNormal, "c5"},       {-43, noteShiftNormal, "b-3"},
        {43, noteShiftNormal, "d10"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NoteName(c.pitch, c.shift), c.name) << c.pitch;
}

TEST(MusicStatusTextsTest, DescribeTheSelection) {
    test::MusicDocument music;
    TKey* key = music.StartKey();
    ASSERT_TRUE(music.InsertAfter(key, 0));
    TMuzNote* note = music.unit.SelectedNote();
    note->Points = 1;

    auto panels = MusicStatusTexts(music.unit);
    EXPECT_EQ(panels[0], "Note");
    EXPECT_EQ(panels[1], "pos: 0");
    EXPECT_EQ(panels[2], "len: 3/8");
    EXPECT_EQ(panels[3], "b4");  // the G clef's middle line

    music.Select(key);
    panels = MusicStatusTexts(music.unit);
    EXPECT_EQ(panels[0], "Key");
    EXPECT_EQ(panels[2], "");
    EXPECT_EQ(panels[3], "");

    music.Select(&music.Part().GetMuzBar());
    panels = MusicStatusTexts(music.unit);
    EXPECT_EQ(panels[0], "Bar");
    EXPECT_FALSE(panels[1].has_value());
    EXPECT_FALSE(panels[3].has_value());

    music.unit.SelectSymbol(nullptr);
    panels = MusicStatusTexts(music.unit);
    for (const auto& panel : panels)
        EXPECT_EQ(panel, "");
}

}  // namespace
}  // namespace kalvora
