// The clipboard commands of a wave document and the command frame they run in.
#include <gtest/gtest.h>

#include "document_test_support.h"
#include "documents/wave_document.h"
#include "documents/workspace.h"
#include "platform/busy_cursor.h"
#include "platform/recording_message_sink.h"
#include "sound/sample_memory.h"

namespace kalvora {
namespace {

using namespace kalvora::testing;

class CountingBusyIndicator final : public platform::BusyIndicator {
  public:
    CountingBusyIndicator() { platform::SetBusyIndicator(this); }
    ~CountingBusyIndicator() override { platform::SetBusyIndicator(nullptr); }
    void Begin() override { ++begins; }
    void End() override { ++ends; }
    int begins = 0;
    int ends = 0;
};

class EditCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window_.document = &wave_;
        wave_.LinkWindow(&window_);
    }
    void SetClipboard(std::unique_ptr<Sound> sound) {
        workspace_.Clipboard().SetSound(std::move(sound));
    }
    const Sound* Clip() const { return workspace_.Clipboard().ClipBoardSound().get(); }

    platform::RecordingMessageSink messages_;
    TWorkspace workspace_;
    TUnitWave wave_{workspace_, Mono(Ramp(10))};
    RecordingWaveWindow window_;
};

TEST_F(EditCommandsTest, WithACursorDeleteRemovesTheWholeWave) {
    wave_.SetCursor(4);
    window_.calls.clear();
    ASSERT_TRUE(wave_.Delete());
    EXPECT_EQ(wave_.GetValues(), 0);
    EXPECT_EQ(wave_.FirstEnd(), 0);
    EXPECT_EQ(wave_.SecondEnd(), 0);
    EXPECT_TRUE(wave_.SoundChanged());
    EXPECT_EQ(window_.calls,
              (std::vector<std::string>{"BeforeChange 0 10", "StopSoundReaders",
                                        "SelectionChanged 4 4", "AfterChange 0 0", "Refresh"}));
    EXPECT_EQ(window_.valuesAtStop, (std::vector<std::int32_t>{10}));  // stopped before
    EXPECT_FALSE(wave_.Delete());                                      // nothing left to delete

    SetClipboard(Mono({7, 8}));
    ASSERT_TRUE(wave_.Paste());  // into the empty wave
    EXPECT_EQ(LeftSamples(wave_.TheSound()), (Samples{7, 8}));
    EXPECT_EQ(wave_.SelMax(), 2);
}

TEST_F(EditCommandsTest, DeleteLeavesTheCursorAtTheStartOfTheRange) {
    wave_.SetSelection(2, 5);
    ASSERT_TRUE(wave_.Delete());
    EXPECT_EQ(LeftSamples(wave_.TheSound()), (Samples{0, 1, 5, 6, 7, 8, 9}));
    EXPECT_EQ(wave_.FirstEnd(), 2);
    EXPECT_EQ(wave_.SecondEnd(), 2);
}

TEST_F(EditCommandsTest, WithACursorCopyCopiesTheWholeWaveAndPasteInsertsAtTheCursor) {
    wave_.SetCursor(3);
    ASSERT_TRUE(wave_.Copy());
    EXPECT_EQ(LeftSamples(*Clip()), Ramp(10));
    EXPECT_FALSE(wave_.SoundChanged());
    EXPECT_FALSE(workspace_.Undo().HasUndo());  // copy changes nothing

    ASSERT_TRUE(wave_.Paste());
    EXPECT_EQ(wave_.GetValues(), 20);
    EXPECT_EQ(wave_.FirstEnd(), 3);
    EXPECT_EQ(wave_.SecondEnd(), 13);
    Samples expected = {0, 1, 2};
    for (int i = 0; i < 10; ++i)
        expected.push_back(static_cast<std::int16_t>(i));
    for (int i = 3; i < 10; ++i)
        expected.push_back(static_cast<std::int16_t>(i));
    EXPECT_EQ(LeftSamples(wave_.TheSound()), expected);
}

TEST_F(EditCommandsTest, PasteReplacesTheSelection) {
    SetClipboard(Mono({100, 101}));
    wave_.SetSelection(2, 8);
    ASSERT_TRUE(wave_.Paste());
    EXPECT_EQ(LeftSamples(wave_.TheSound()), (Samples{0, 1, 100, 101, 8, 9}));
    EXPECT_EQ(wave_.SelMin(), 2);
    EXPECT_EQ(wave_.SelMax(), 4);
}

TEST_F(EditCommandsTest, PasteAtAHigherRateSelectsExactlyTheInsertedSamples) {
    TUnitWave wave(workspace_, Mono(Ramp(100), 44100));
    SetClipboard(Mono(Ramp(1000), 22050));
    wave.SetCursor(40);
    ASSERT_TRUE(wave.Paste());
    EXPECT_EQ(wave.GetValues(), 100 + 1999);  // 1000 samples resampled by 2
    EXPECT_EQ(wave.SelMin(), 40);
    EXPECT_EQ(wave.SelMax(), 40 + 1999);
    EXPECT_EQ(wave.TheSound().GetLeftWave().wave[40 + 1999], 40);  // the old tail follows
}

TEST_F(EditCommandsTest, PasteAtALowerRateSelectsTheInsertedSamples) {
    TUnitWave wave(workspace_, Mono(Ramp(100), 22050));
    SetClipboard(Mono(Ramp(1000), 44100));
    wave.SetCursor(100);
    ASSERT_TRUE(wave.Paste());
    EXPECT_EQ(wave.SelMax() - wave.SelMin(), wave.GetValues() - 100);
    EXPECT_EQ(wave.SelMax(), wave.GetValues());
}

TEST_F(EditCommandsTest, SwapWithACursorInsertsAndLeavesAnEmptyClipboard) {
    SetClipboard(Stereo({7, 8}, {9, 10}, 22050));
    wave_.SetCursor(5);
    ASSERT_TRUE(wave_.Swap());
    EXPECT_EQ(wave_.GetValues(), 13);  // two samples at half the rate become three
    EXPECT_EQ(wave_.SelMin(), 5);
    EXPECT_EQ(wave_.SelMax(), 8);
    ASSERT_TRUE(workspace_.Clipboard().HasSound());
    EXPECT_EQ(Clip()->GetValues(), 0);

    // Paste, Mix and Swap of the empty clipboard insert or mix in nothing.
    const Samples samples = LeftSamples(wave_.TheSound());
    wave_.SetSelection(2, 6);
    EXPECT_TRUE(wave_.Paste());
    EXPECT_EQ(wave_.GetValues(), 9);  // the selection was replaced by nothing
    EXPECT_EQ(wave_.SelMin(), 2);
    EXPECT_EQ(wave_.SelMax(), 2);
    for (const TMixPlace place : {TMixPlace::alignBegin, TMixPlace::alignEnd, TMixPlace::stretch}) {
        wave_.SetSelection(1, 4);
        const Samples before = LeftSamples(wave_.TheSound());
        wave_.Mix(place);
        EXPECT_EQ(LeftSamples(wave_.TheSound()), before);
    }
    wave_.SetCursor(3);
    EXPECT_TRUE(wave_.Swap());
    EXPECT_EQ(wave_.GetValues(), 9);
    EXPECT_EQ(Clip()->GetValues(), 0);
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(EditCommandsTest, SwapExchangesTheSelectionWithTheClipboard) {
    SetClipboard(Mono({100, 101, 102}));
    wave_.SetSelection(1, 3);
    ASSERT_TRUE(wave_.Swap());
    EXPECT_EQ(LeftSamples(wave_.TheSound()), (Samples{0, 100, 101, 102, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(LeftSamples(*Clip()), (Samples{1, 2}));
    EXPECT_EQ(wave_.SelMin(), 1);
    EXPECT_EQ(wave_.SelMax(), 4);
}

TEST_F(EditCommandsTest, TrimKeepsOnlyTheSelectionSelectedFromZero) {
    wave_.SetEnds(7, 3);
    window_.calls.clear();
    ASSERT_TRUE(wave_.Trim());
    EXPECT_EQ(LeftSamples(wave_.TheSound()), (Samples{3, 4, 5, 6}));
    EXPECT_EQ(wave_.SelMin(), 0);
    EXPECT_EQ(wave_.SelMax(), 4);
    EXPECT_EQ(window_.calls.front(), "BeforeChange 3 7");
    EXPECT_NE(std::find(window_.calls.begin(), window_.calls.end(), "AfterChange 0 4"),
              window_.calls.end());
    wave_.SetCursor(1);
    EXPECT_FALSE(wave_.Trim());  // needs a selection
}

TEST_F(EditCommandsTest, CutCopiesAndRemoves) {
    wave_.SetSelection(6, 9);
    ASSERT_TRUE(wave_.Cut());
    EXPECT_EQ(LeftSamples(*Clip()), (Samples{6, 7, 8}));
    EXPECT_EQ(LeftSamples(wave_.TheSound()), (Samples{0, 1, 2, 3, 4, 5, 9}));
    EXPECT_EQ(wave_.FirstEnd(), 6);
    EXPECT_EQ(wave_.SecondEnd(), 6);
}

TEST_F(EditCommandsTest, ExtractSilencesTheRangeAndKeepsTheLength) {
    TUnitWave wave(workspace_, Stereo(Ramp(6, 1), Ramp(6, 11)));
    wave.SetSelection(2, 4);
    ASSERT_TRUE(wave.Extract());
    EXPECT_EQ(LeftSamples(wave.TheSound()), (Samples{1, 2, 0, 0, 5, 6}));
    EXPECT_EQ(RightSamples(wave.TheSound()), (Samples{11, 12, 0, 0, 15, 16}));
    EXPECT_EQ(LeftSamples(*Clip()), (Samples{3, 4}));
    EXPECT_EQ(RightSamples(*Clip()), (Samples{13, 14}));
    EXPECT_EQ(wave.SelMin(), 2);
    EXPECT_EQ(wave.SelMax(), 4);
    // The undo record still holds the untouched samples.
    EXPECT_EQ(LeftSamples(*workspace_.Undo().Record()->TheSound()), Ramp(6, 1));
}

struct MixCase {
    const char* name;
    TMixPlace place;
    std::int32_t first, second;
    Samples expected;
};

class MixTest : public EditCommandsTest, public ::testing::WithParamInterface<MixCase> {};

TEST_P(MixTest, AddsTheClipboardAtItsPlaceAndKeepsTheSelection) {
    const MixCase& c = GetParam();
    SetClipboard(Mono({100, 200, 300}));
    wave_.SetEnds(c.first, c.second);
    ASSERT_TRUE(wave_.Mix(c.place));
    EXPECT_EQ(LeftSamples(wave_.TheSound()), c.expected);
    EXPECT_EQ(wave_.FirstEnd(), c.first);
    EXPECT_EQ(wave_.SecondEnd(), c.second);
    EXPECT_EQ(wave_.Records().mixPlace, c.place);
    EXPECT_EQ(workspace_.Records().mixPlace, c.place);
}

INSTANTIATE_TEST_SUITE_P(
    Places, MixTest,
    ::testing::Values(
        // Align Begin: the selection's length of the clipboard from the smaller end.
        MixCase{"BeginSelection", TMixPlace::alignBegin, 6, 4, {0, 1, 2, 3, 104, 205, 6, 7, 8, 9}},
        // With a cursor all of the clipboard, from the cursor.
        MixCase{
            "BeginCursor", TMixPlace::alignBegin, 8, 8, {0, 1, 2, 3, 4, 5, 6, 7, 108, 209, 300}},
        // Align End: the last part of the clipboard ends at the larger end.
        MixCase{"EndSelection", TMixPlace::alignEnd, 2, 4, {0, 1, 202, 303, 4, 5, 6, 7, 8, 9}},
        // Reaching before the start, the wave grows at the front.
        MixCase{"EndCursor", TMixPlace::alignEnd, 2, 2, {100, 200, 301, 2, 3, 4, 5, 6, 7, 8, 9}},
        // Stretch: over the work range; the last clipboard sample is never reached.
        MixCase{"Stretch", TMixPlace::stretch, 0, 3, {100, 151, 202, 3, 4, 5, 6, 7, 8, 9}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditCommandsTest, MixIntoAnEmptyWaveTakesTheClipboardWhateverThePlace) {
    for (TMixPlace place : {TMixPlace::alignBegin, TMixPlace::alignEnd, TMixPlace::stretch}) {
        TUnitWave empty(workspace_, Mono({}));
        SetClipboard(Mono({5, 6}));
        ASSERT_TRUE(empty.Mix(place));
        EXPECT_EQ(LeftSamples(empty.TheSound()), (Samples{5, 6}));
    }
}

TEST_F(EditCommandsTest, ClipboardOfAnotherKindIsMatchedChannelByChannel) {
    TUnitWave stereo(workspace_, Stereo({0, 0, 0}, {1, 1, 1}));
    SetClipboard(Mono({10, 20}));
    stereo.SetCursor(1);
    ASSERT_TRUE(stereo.Paste());
    EXPECT_EQ(LeftSamples(stereo.TheSound()), (Samples{0, 10, 20, 0, 0}));
    EXPECT_EQ(RightSamples(stereo.TheSound()), (Samples{1, 10, 20, 1, 1}));
}

TEST_F(EditCommandsTest, EveryCommandShowsTheBusyCursorOnce) {
    CountingBusyIndicator busy;
    wave_.SetSelection(1, 2);
    wave_.Copy();
    wave_.Paste();
    wave_.Cut();
    EXPECT_EQ(busy.begins, 3);
    EXPECT_EQ(busy.ends, 3);
    EXPECT_FALSE(platform::IsBusy());
}

TEST_F(EditCommandsTest, OutOfMemoryKeepsTheSoundAndLaterCommandsStillWork) {
    wave_.SetFileName("/x.wav");
    wave_.SetSelection(2, 5);
    const auto before = wave_.SharedSound();
    {
        SampleAllocationLimit noMemory(0);
        EXPECT_FALSE(wave_.Delete());
    }
    EXPECT_EQ(wave_.SharedSound(), before);
    EXPECT_FALSE(wave_.SoundChanged());
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text, "There is not enough memmory for this operation.");
    EXPECT_EQ(wave_.SelMin(), 2);  // the selection stays
    EXPECT_EQ(wave_.SelMax(), 5);
    EXPECT_EQ(window_.calls.back(), "AfterChange 2 5");  // the views are released

    // The flag of the failure does not block the next command.
    EXPECT_TRUE(wave_.Delete());
    EXPECT_EQ(wave_.GetValues(), 7);
}

TEST_F(EditCommandsTest, ClearingTheClipboardLeavesNoneAndAnEmptySoundIsKept) {
    workspace_.Clipboard().SetSound(Mono({1}));
    EXPECT_TRUE(workspace_.Clipboard().HasSound());
    workspace_.Clipboard().Clear();
    EXPECT_FALSE(workspace_.Clipboard().HasSound());
    workspace_.Clipboard().SetSound(Mono({}, 8000));
    EXPECT_TRUE(workspace_.Clipboard().HasSound());
}

TEST_F(EditCommandsTest, TheClipboardOutlivesTheDocument) {
    {
        TUnitWave other(workspace_, Mono({4, 5}));
        other.Copy();
    }
    ASSERT_TRUE(workspace_.Clipboard().HasSound());
    EXPECT_EQ(LeftSamples(*Clip()), (Samples{4, 5}));
}

TEST_F(EditCommandsTest, EffectsPlugIntoTheCommandFrame) {
    wave_.SetSelection(2, 4);
    ASSERT_TRUE(wave_.ApplyToWorkRange(
        [](const Sound& s, ErrorFlag* e, std::int32_t& b, std::int32_t& end) {
            auto result = s.Extract(e, 0, s.GetValues());
            result->ScaleInPlace(e, 2, b, end);
            return result;
        }));
    EXPECT_EQ(LeftSamples(wave_.TheSound()), (Samples{0, 1, 4, 6, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(wave_.SelMin(), 2);
    EXPECT_EQ(wave_.SelMax(), 4);
    // A generator inserts at the cursor and selects what it made.
    wave_.SetCursor(1);
    ASSERT_TRUE(wave_.GenerateAtInsertRange(
        [](const Sound& s, ErrorFlag* e, std::int32_t& b, std::int32_t& end) {
            auto silence = s.MakeSilence(e, 3);
            end = b + 3;
            return s.Replace(e, *silence, b, b);
        }));
    EXPECT_EQ(wave_.GetValues(), 13);
    EXPECT_EQ(wave_.SelMin(), 1);
    EXPECT_EQ(wave_.SelMax(), 4);
}

}  // namespace
}  // namespace kalvora
