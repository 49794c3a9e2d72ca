// The documents of split and merge, and the checks and choices of their dialogs.
#include <gtest/gtest.h>

#include "document_test_support.h"
#include "documents/merge_split_records.h"
#include "documents/wave_merge_split.h"
#include "documents/workspace.h"
#include "platform/recording_message_sink.h"

namespace kalvora {
namespace {

using namespace kalvora::testing;

class MergeSplitDocumentsTest : public ::testing::Test {
  protected:
    platform::RecordingMessageSink messages_;
    TWorkspace workspace_;
};

TEST_F(MergeSplitDocumentsTest, SplitVerticallyNamesTheChannelsInOrderWithoutUndo) {
    auto source = std::make_unique<TUnitWave>(workspace_, Stereo({1, 2}, {3, 4}, 22050, 1));
    source->SetSelection(0, 1);
    ASSERT_TRUE(source->Delete());  // an undo record of the source
    auto parts = SplitWaveVertically(*source);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0]->Name(), "NONAME1");
    EXPECT_EQ(parts[1]->Name(), "NONAME2");
    EXPECT_TRUE(parts[0]->HasNoFile());
    EXPECT_EQ(LeftSamples(parts[0]->TheSound()), Samples({2}));
    EXPECT_EQ(LeftSamples(parts[1]->TheSound()), Samples({4}));
    EXPECT_EQ(parts[1]->GetWaveFileProps(), (waveFileProps{22050, 1, 1}));
    // Closing the source drops its undo record and leaves the parts whole.
    source.reset();
    EXPECT_FALSE(workspace_.Undo().HasUndo());
    parts[0]->SetSelection(0, 1);
    EXPECT_TRUE(parts[0]->Delete());
}

TEST_F(MergeSplitDocumentsTest, SplitHorizontallyCutsAtTheSelection) {
    TUnitWave source(workspace_, Mono(Ramp(1000)));
    source.SetSelection(100, 200);
    TSplitHorDocuments split = SplitWaveHorizontally(source, TSplitHorResult::threeParts);
    ASSERT_EQ(split.parts.size(), 3u);
    EXPECT_EQ(split.parts[1]->GetValues(), 100);
    EXPECT_EQ(LeftSamples(split.parts[2]->TheSound()).front(), 200);
    EXPECT_EQ(split.cuts.firstEnd, 100);
    EXPECT_EQ(split.cuts.lastBegin, 200);
    EXPECT_EQ(split.parts[2]->Name(), "NONAME3");
}

TEST_F(MergeSplitDocumentsTest, MergedWaveOutlivesItsSourcesAndCanBeEdited) {
    auto first = std::make_unique<TUnitWave>(workspace_, Mono({1, 2}));
    auto last = std::make_unique<TUnitWave>(workspace_, Mono({3}));
    TMergeProps props;
    auto merged = MergeWaves(TMergeKind::horizontally, *first, *last, props);
    ASSERT_TRUE(merged);
    first.reset();
    last.reset();
    EXPECT_EQ(LeftSamples(merged->TheSound()), Samples({1, 2, 3}));
    merged->SetSelection(0, 1);
    EXPECT_TRUE(merged->Delete());
    EXPECT_EQ(LeftSamples(merged->TheSound()), Samples({2, 3}));
}

TEST_F(MergeSplitDocumentsTest, MergeUsesTheChosenFormatOnlyWhereTheSourcesDiffer) {
    TUnitWave left(workspace_, Mono({10, 20}, 44100, 2));
    TUnitWave right(workspace_, Stereo({1}, {3}, 44100, 1));
    TMergeProps props;
    props.Freq = 11025;  // ignored: both are at 44100 Hz
    props.BytesPSample = 1;
    props.lengths = TMakeLengthsEqual::silenceAtBegin;
    auto merged = MergeWaves(TMergeKind::vertically, left, right, props);
    ASSERT_TRUE(merged);
    EXPECT_EQ(merged->GetWaveFileProps(), (waveFileProps{44100, 2, 1}));
    EXPECT_EQ(LeftSamples(merged->TheSound()), Samples({10, 20}));
    EXPECT_EQ(RightSamples(merged->TheSound()), Samples({0, 2}));
}

TEST_F(MergeSplitDocumentsTest, MergeDialogChecksTheChoiceInOrder) {
    struct Case {
        TMergeKind kind;
        int first, second;
        const char* message;
    };
    const Case cases[] = {
        {TMergeKind::horizontally, -1, -1, "In First: You have to select a Wave"},
        {TMergeKind::horizontally, 0, -1, "In Last: You have to select a Wave"},
        {TMergeKind::vertically, -1, 1, "In Left: You have to select a Wave"},
        {TMergeKind::vertically, 1, 1, "The chosen Waves must be different"},
        {TMergeKind::vertically, 0, 1, nullptr},
    };
    for (const Case& c : cases) {
        messages_.Clear();
        TMergeProps props;
        props.first = c.first;
        props.second = c.second;
        EXPECT_EQ(CheckMergeProps(c.kind, props), c.message == nullptr);
        if (c.message != nullptr) {
            ASSERT_EQ(messages_.Messages().size(), 1u);
            EXPECT_EQ(messages_.Messages()[0].text, c.message);
            EXPECT_EQ(messages_.Messages()[0].caption, "Input Error");
        } else {
            EXPECT_TRUE(messages_.Messages().empty());
        }
    }
}

TEST_F(MergeSplitDocumentsTest, TabsShowOnlyWhereTheDocumentsDiffer) {
    const TMergeSource monoShort{"a", {44100, 1, 2}, 100};
    const TMergeSource stereoLong{"b", {44100, 2, 2}, 200};
    const TMergeSource otherRate{"c", {22050, 1, 1}, 50};
    TMergeTabs tabs = MergeTabsFor(TMergeKind::horizontally, monoShort, stereoLong, false);
    EXPECT_TRUE(tabs.monoStereo);
    EXPECT_FALSE(tabs.length || tabs.frequency || tabs.bits || tabs.display);
    tabs = MergeTabsFor(TMergeKind::vertically, monoShort, stereoLong, true);
    EXPECT_TRUE(tabs.length && tabs.display);
    EXPECT_FALSE(tabs.monoStereo || tabs.frequency || tabs.bits);
    // Equal durations at two rates: the counts may differ at the new rate.
    tabs = MergeTabsFor(TMergeKind::vertically, monoShort, otherRate, false);
    EXPECT_TRUE(tabs.length && tabs.frequency && tabs.bits);
}

TEST_F(MergeSplitDocumentsTest, FrequencyTabOffersEachDocumentsOwnRate) {
    const auto choices = MergeFrequencyChoices(48000, 8000);
    ASSERT_EQ(choices.size(), 8u);
    EXPECT_EQ(choices.front().rate, 5512);
    EXPECT_GE(SampleFrequencyIndex(choices, 48000), 0);
    EXPECT_GE(SampleFrequencyIndex(choices, 8000), 0);
    for (std::size_t i = 1; i < choices.size(); ++i)
        EXPECT_LT(choices[i - 1].rate, choices[i].rate);
    EXPECT_EQ(MergeFrequencyChoices(44100, 22050).size(), 6u);
    EXPECT_EQ(MergeFrequencyChoices(48000, 48000).size(), 7u);
}

}  // namespace
}  // namespace kalvora
