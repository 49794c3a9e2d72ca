#include "documents/undo.h"

#include <gtest/gtest.h>

#include "document_test_support.h"
#include "documents/wave_document.h"
#include "documents/workspace.h"
#include "platform/recording_message_sink.h"
#include "sound/sample_memory.h"

namespace kalvora {
namespace {

using namespace kalvora::testing;

class UndoTest : public ::testing::Test {
  protected:
    TUndoStore& undo() { return workspace_.Undo(); }

    platform::RecordingMessageSink messages_;
    TWorkspace workspace_;
    TUnitWave a_{workspace_, Mono(Ramp(10))};
};

TEST_F(UndoTest, UndoTwiceReturnsToTheStateAfterTheCommandAndMarksChangedEachTime) {
    a_.SetFileName("/a.wav");
    a_.SetSelection(2, 5);
    ASSERT_TRUE(a_.Delete());
    const auto afterDelete = a_.SharedSound();

    a_.MarkSaved();
    undo().DoUndo();
    EXPECT_EQ(LeftSamples(a_.TheSound()), Ramp(10));
    EXPECT_EQ(a_.FirstEnd(), 2);
    EXPECT_EQ(a_.SecondEnd(), 5);
    EXPECT_TRUE(a_.SoundChanged());

    a_.MarkSaved();
    undo().DoUndo();
    EXPECT_EQ(a_.SharedSound(), afterDelete);  // the very sound object, no copy
    EXPECT_EQ(a_.FirstEnd(), 2);
    EXPECT_EQ(a_.SecondEnd(), 2);
    EXPECT_TRUE(a_.SoundChanged());
}

TEST_F(UndoTest, UndoStopsReadersAndRepaints) {
    RecordingWaveWindow window;
    window.document = &a_;
    a_.LinkWindow(&window);
    a_.SetSelection(0, 4);
    ASSERT_TRUE(a_.Delete());
    window.calls.clear();
    undo().DoUndo();
    EXPECT_EQ(window.calls,
              (std::vector<std::string>{"StopSoundReaders", "SelectionChanged 0 0", "Refresh"}));
    EXPECT_EQ(window.valuesAtStop.back(), 6);
}

TEST_F(UndoTest, ACommandOnAnotherWaveReplacesTheRecord) {
    TUnitWave b(workspace_, Mono(Ramp(5)));
    a_.SetSelection(0, 1);
    ASSERT_TRUE(a_.Delete());
    b.SetSelection(0, 1);
    ASSERT_TRUE(b.Delete());
    EXPECT_EQ(&undo().Record()->Document(), &b);

    undo().DoUndo();
    EXPECT_EQ(LeftSamples(b.TheSound()), Ramp(5));
    EXPECT_EQ(a_.GetValues(), 9);  // A keeps its change
}

TEST_F(UndoTest, ClosingTheDocumentOfTheRecordDropsIt) {
    auto b = std::make_unique<TUnitWave>(workspace_, Mono(Ramp(5)));
    ASSERT_TRUE(b->Delete());
    EXPECT_TRUE(undo().UndoEnabled());
    a_.Copy();  // no undo: the record still belongs to B
    b.reset();
    EXPECT_FALSE(undo().HasUndo());
    EXPECT_FALSE(undo().UndoEnabled());
    undo().DoUndo();  // nothing to do
}

TEST_F(UndoTest, ClosingAnotherDocumentKeepsTheRecord) {
    ASSERT_TRUE(a_.Delete());
    { TUnitWave b(workspace_, Mono(Ramp(5))); }
    EXPECT_TRUE(undo().HasUndo());
}

TEST_F(UndoTest, UndoAfterARateChangeRestoresSoundAndSelection) {
    TUnitWave wave(workspace_, Stereo(Ramp(4000), Ramp(4000), 44100));
    wave.SetSelection(1000, 3000);
    wave.ChangeWaveFileProps(wave.GetWaveFileProps(), {22050, 2, 2});
    EXPECT_EQ(wave.GetFreq(), 22050);
    EXPECT_EQ(wave.SelMin(), 500);
    EXPECT_EQ(wave.SelMax(), 1500);

    undo().DoUndo();
    EXPECT_EQ(wave.GetFreq(), 44100);
    EXPECT_EQ(wave.GetValues(), 4000);
    EXPECT_EQ(wave.SelMin(), 1000);
    EXPECT_EQ(wave.SelMax(), 3000);
}

TEST_F(UndoTest, AfterAFailedCommandTheRecordHoldsTheCurrentSound) {
    const auto before = a_.SharedSound();
    {
        SampleAllocationLimit noMemory(0);
        a_.SetSelection(1, 3);
        EXPECT_FALSE(a_.Delete());
    }
    ASSERT_TRUE(undo().HasUndo());
    EXPECT_EQ(undo().Record()->TheSound(), before);
    a_.SetCursor(7);
    undo().DoUndo();  // only the selection changes
    EXPECT_EQ(a_.SharedSound(), before);
    EXPECT_EQ(a_.SelMin(), 1);
    EXPECT_EQ(a_.SelMax(), 3);
    undo().DropUndo();
    EXPECT_EQ(LeftSamples(a_.TheSound()), Ramp(10));  // dropping deleted nothing in use
}

TEST_F(UndoTest, TheRecordOwnsOnlyTheSoundTheDocumentNoLongerHolds) {
    std::weak_ptr<const Sound> original = a_.SharedSound();
    ASSERT_TRUE(a_.Delete());
    EXPECT_FALSE(original.expired());  // kept by the record
    undo().DropUndo();
    EXPECT_TRUE(original.expired());
}

TEST_F(UndoTest, UndoIsDisabledWhileItsDocumentIsDrawn) {
    ASSERT_TRUE(a_.Delete());
    a_.DrawWave(TDrawKind::linear);
    EXPECT_TRUE(undo().HasUndo());
    EXPECT_FALSE(undo().UndoEnabled());
    const auto drawn = a_.SharedSound();
    undo().DoUndo();  // refused: the drawing's sound stays
    EXPECT_EQ(a_.SharedSound(), drawn);
    a_.DrawWave(TDrawKind::linear);  // ends drawing
    EXPECT_TRUE(undo().UndoEnabled());
}

}  // namespace
}  // namespace kalvora
