// The selection of a wave document, its queries and the changed marks.
#include <gtest/gtest.h>

#include "document_test_support.h"
#include "documents/wave_document.h"
#include "documents/workspace.h"

namespace kalvora {
namespace {

using namespace kalvora::testing;

class WaveSelectionTest : public ::testing::Test {
  protected:
    TWorkspace workspace_;
    TUnitWave wave_{workspace_, Mono(Ramp(100), 50)};
};

TEST_F(WaveSelectionTest, CursorMeansTheWholeWaveForEffectsAndAnInsertPointForPaste) {
    wave_.SetCursor(30);
    EXPECT_FALSE(wave_.HasSelection());
    EXPECT_EQ(wave_.WorkRange(), (TSampleRange{0, 100}));
    EXPECT_EQ(wave_.InsertRange(), (TSampleRange{30, 30}));
    EXPECT_DOUBLE_EQ(wave_.SelSeconds(), 2.0);
}

TEST_F(WaveSelectionTest, SelectionQueriesTakeTheSmallerAndLargerEnd) {
    wave_.SetEnds(80, 20);
    EXPECT_EQ(wave_.SelStart(), 20);
    EXPECT_EQ(wave_.SelEnd(), 80);
    EXPECT_EQ(wave_.SelMin(), 20);
    EXPECT_EQ(wave_.SelMax(), 80);
    EXPECT_DOUBLE_EQ(wave_.SelSeconds(), 60.0 / 50);
}

TEST_F(WaveSelectionTest, SettersClampAndNeverExchangeTheRolesOfTheEnds) {
    wave_.SetEnds(-5, 500);
    EXPECT_EQ(wave_.FirstEnd(), 0);
    EXPECT_EQ(wave_.SecondEnd(), 100);
    wave_.SetEnds(60, 10);  // the first end is the larger one
    wave_.SetSelection(20, 40);
    EXPECT_EQ(wave_.FirstEnd(), 40);
    EXPECT_EQ(wave_.SecondEnd(), 20);
    wave_.MoveFirstEnd(5);
    EXPECT_EQ(wave_.FirstEnd(), 5);
    EXPECT_EQ(wave_.SecondEnd(), 20);
    wave_.SetEnds(1, 2);
    wave_.SetSelection(20, 40);
    EXPECT_EQ(wave_.FirstEnd(), 20);
    EXPECT_EQ(wave_.SecondEnd(), 40);
}

TEST_F(WaveSelectionTest, ChangedSelectionIsRepaintedAndMarksTheShadowOnly) {
    RecordingWaveWindow window;
    wave_.LinkWindow(&window);
    wave_.SetFileName("/x.wav");
    window.calls.clear();
    wave_.SetSelection(10, 20);
    wave_.SetSelection(10, 20);  // no change: no repaint, no mark needed
    EXPECT_EQ(window.calls, (std::vector<std::string>{"SelectionChanged 0 0"}));
    EXPECT_TRUE(wave_.ShadowChanged());
    EXPECT_FALSE(wave_.SoundChanged());
    EXPECT_EQ(wave_.StatusText(), "Changed");
}

TEST_F(WaveSelectionTest, NothingIsMarkedWhileChangesAreNotTracked) {
    wave_.SetTrackChanges(false);
    wave_.SetCursor(3);
    wave_.MarkChanged();
    EXPECT_FALSE(wave_.ShadowChanged());
    EXPECT_FALSE(wave_.SoundChanged());
}

TEST_F(WaveSelectionTest, SaveNeedsFollowFileAndMarks) {
    EXPECT_EQ(wave_.StatusText(), "New");
    EXPECT_TRUE(wave_.NeedsSaveWave());  // never saved
    wave_.SetFileName("/x.wav");
    EXPECT_FALSE(wave_.NeedsSave());
    EXPECT_EQ(wave_.StatusText(), "");
    wave_.MarkChanged();
    EXPECT_TRUE(wave_.NeedsSaveWave());
    EXPECT_TRUE(wave_.NeedsSaveShadow());
    wave_.MarkSaved();
    EXPECT_FALSE(wave_.NeedsSave());

    TUnitWave empty(workspace_, Mono({}));
    EXPECT_FALSE(empty.CanSaveFile());
    EXPECT_FALSE(empty.NeedsSave());  // nothing to save, even without a file
    EXPECT_EQ(empty.StatusText(), "New");
}

}  // namespace
}  // namespace kalvora
