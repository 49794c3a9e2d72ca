#include "shell/wave_frame_document.h"

#include <gtest/gtest.h>

#include "documents/wave_creation.h"
#include "documents/workspace.h"
#include "platform/recording_message_sink.h"
#include "shell/command_update.h"

namespace kalvora {
namespace {

using C = CommandId;

std::unique_ptr<Sound> StereoRamp(std::int32_t n, int rate) {
    ErrorFlag error = 0;
    Wave left(&error, n);
    Wave right(&error, n);
    for (std::int32_t i = 0; i < n; ++i) {
        left.wave[i] = static_cast<std::int16_t>(i);
        right.wave[i] = static_cast<std::int16_t>(-i);
    }
    return std::make_unique<StereoSound>(std::move(left), std::move(right), rate, 2);
}

class WaveFrameDocumentTest : public ::testing::Test {
  protected:
    WaveFrameDocument& Add(std::unique_ptr<TUnitWave> wave) {
        documents_.push_back(std::make_unique<WaveFrameDocument>(std::move(wave)));
        workspace_.Registry().Activate(*documents_.back()->Unit());
        return *documents_.back();
    }

    FrameSnapshot Snapshot(const WaveFrameDocument& document) {
        FrameSnapshot snapshot;
        snapshot.activeKind = WindowKind::wave;
        snapshot.documentWindowCount = static_cast<int>(documents_.size());
        document.Describe(snapshot);
        DescribeWorkspace(workspace_, snapshot);
        return snapshot;
    }

    platform::RecordingMessageSink messages_;
    TWorkspace workspace_;
    std::vector<std::unique_ptr<WaveFrameDocument>> documents_;
};

TEST_F(WaveFrameDocumentTest, FactsFollowTheDocument) {
    WaveFrameDocument& document = Add(NamedWave(workspace_, StereoRamp(1000, 22050)));
    document.Wave().SetSelection(100, 300);
    FrameSnapshot snapshot = Snapshot(document);
    EXPECT_EQ(document.Name(), "NONAME1");
    EXPECT_EQ(snapshot.wave.sampleCount, 1000);
    EXPECT_EQ(snapshot.wave.rate, 22050);
    EXPECT_EQ(snapshot.wave.channels, 2);
    EXPECT_EQ(snapshot.wave.bytesPerSample, 2);
    EXPECT_EQ(snapshot.wave.selectionFirst, 100);
    EXPECT_EQ(snapshot.wave.selectionSecond, 300);
    EXPECT_FALSE(snapshot.wave.hasFile);
    EXPECT_TRUE(snapshot.wave.needsSave);
    EXPECT_FALSE(snapshot.clipboard);
    EXPECT_FALSE(snapshot.undoRecord);
    StatusPanelTexts panels = ComputeStatusPanels(snapshot);
    EXPECT_EQ(panels[3], "22.050 kHz");
    EXPECT_EQ(panels[6], "3.90 kb");
    EXPECT_EQ(panels[7], "New");

    // A cut fills the clipboard and takes an undo record: Paste and Undo become possible.
    ASSERT_TRUE(document.Wave().Cut());
    snapshot = Snapshot(document);
    EXPECT_EQ(snapshot.wave.sampleCount, 800);
    EXPECT_TRUE(snapshot.clipboard);
    EXPECT_TRUE(snapshot.undoRecord);
    CommandStates states = ComputeCommandStates(snapshot);
    EXPECT_TRUE(states[Index(C::EditPaste)].enabled);
    EXPECT_TRUE(states[Index(C::Undo)].enabled);
}

TEST_F(WaveFrameDocumentTest, UndoOfADocumentBeingDrawnIsNotOffered) {
    WaveFrameDocument& document = Add(NewWave(workspace_, {44100, 1, 2}));
    document.Wave().DrawWave(TDrawKind::smooth);
    document.Wave().DrawNodes().Insert(0.5, 1000);
    document.Wave().DrawingEdited();
    workspace_.Undo().TakeUndo(document.Wave());
    FrameSnapshot snapshot = Snapshot(document);
    EXPECT_TRUE(snapshot.wave.userDrawing);
    EXPECT_EQ(snapshot.wave.drawKind, 1);
    EXPECT_EQ(snapshot.wave.drawNodeCount, 3);
    EXPECT_DOUBLE_EQ(snapshot.wave.drawLength, 1.0);
    EXPECT_TRUE(snapshot.undoRecord);
    EXPECT_TRUE(snapshot.undoDocumentDrawing);
    EXPECT_FALSE(ComputeCommandStates(snapshot)[Index(C::Undo)].enabled);
}

TEST_F(WaveFrameDocumentTest, RenamingGoesThroughTheRegistry) {
    WaveFrameDocument& first = Add(NamedWave(workspace_, StereoRamp(10, 44100)));
    WaveFrameDocument& second = Add(NamedWave(workspace_, StereoRamp(10, 44100)));
    EXPECT_TRUE(second.Rename("Lead"));
    EXPECT_EQ(second.Name(), "Lead");
    EXPECT_FALSE(first.Rename("Lead"));
    EXPECT_EQ(first.Name(), "NONAME1");
    ASSERT_EQ(messages_.Messages().size(), 1u);
    EXPECT_EQ(messages_.Messages()[0].text, "A window with name \"Lead\" already exists.");
    EXPECT_TRUE(first.Rename("lead"));  // letter case makes another name
}

TEST_F(WaveFrameDocumentTest, ClosingLeavesTheRegistryAndDropsItsUndo) {
    WaveFrameDocument& first = Add(NamedWave(workspace_, StereoRamp(10, 44100)));
    WaveFrameDocument& second = Add(NamedWave(workspace_, StereoRamp(10, 44100)));
    ASSERT_TRUE(second.Wave().Delete());
    ASSERT_TRUE(workspace_.Undo().HasUndo());
    first.Closed();  // the record belongs to the other document
    EXPECT_TRUE(workspace_.Undo().HasUndo());
    EXPECT_EQ(workspace_.Registry().FindUnit("NONAME1"), nullptr);
    second.Closed();
    EXPECT_FALSE(workspace_.Undo().HasUndo());
    EXPECT_TRUE(workspace_.Registry().Units().empty());
}

}  // namespace
}  // namespace kalvora
