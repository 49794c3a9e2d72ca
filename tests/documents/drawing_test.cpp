// The hand drawing of a wave document: its nodes, its synthesis and the drawing commands.
#include <gtest/gtest.h>

#include "document_test_support.h"
#include "documents/draw_nodes.h"
#include "documents/wave_document.h"
#include "documents/workspace.h"
#include "platform/recording_message_sink.h"

namespace kalvora {
namespace {

using namespace kalvora::testing;

std::vector<double> Positions(const TDrawNodes& nodes) {
    std::vector<double> positions;
    for (const TDrawNode& node : nodes)
        positions.push_back(node.position);
    return positions;
}

TEST(DrawNodesTest, InsertKeepsPositionOrderAndRejectsATakenPosition) {
    TDrawNodes nodes;
    nodes.Insert(0, 0);
    nodes.Insert(1, 0);
    TDrawNode* middle = nodes.Insert(0.5, 100);
    ASSERT_NE(middle, nullptr);
    nodes.Insert(0.25, 50);
    EXPECT_EQ(nodes.Insert(0.5, 7), nullptr);
    EXPECT_EQ(Positions(nodes), (std::vector<double>{0, 0.25, 0.5, 1}));
    EXPECT_EQ(nodes.Previous(middle)->position, 0.25);
    EXPECT_EQ(nodes.Next(middle)->position, 1);
    EXPECT_EQ(nodes.Previous(nodes.First()), nullptr);
    EXPECT_EQ(nodes.Next(nodes.Last()), nullptr);
    nodes.Delete(middle);
    EXPECT_EQ(Positions(nodes), (std::vector<double>{0, 0.25, 1}));
    nodes.Append(0.1, 0);  // as read from a file: order kept
    EXPECT_EQ(Positions(nodes), (std::vector<double>{0, 0.25, 1, 0.1}));
}

TEST(DrawNodesTest, ValueEditsOfTheEffects) {
    TDrawNodes nodes;
    nodes.Insert(0, 100);
    nodes.Insert(0.5, -200);
    nodes.Insert(1, 300);
    nodes.ScaleValues(2);
    EXPECT_EQ(nodes.First()->value, 200);
    nodes.MaximizeValues();  // largest 600 becomes 32767
    EXPECT_EQ(nodes.Last()->value, 32767);
    EXPECT_EQ(nodes.Next(nodes.First())->value, -21844);  // -400 * 32767 / 600, truncated
    nodes.ScaleValues(2);                                 // wraps like every sample
    EXPECT_EQ(nodes.Last()->value, -2);

    TDrawNodes line;
    line.Insert(0, 0);
    line.Insert(1, 1000);
    line.NormalizeValues();  // mean of the line is 500
    EXPECT_EQ(line.First()->value, -500);
    EXPECT_EQ(line.Last()->value, 500);

    TDrawNodes single;
    single.Insert(0.3, 77);
    single.NormalizeValues();
    EXPECT_EQ(single.First()->value, 0);

    TDrawNodes silent;
    silent.Insert(0, 0);
    silent.MaximizeValues();
    EXPECT_EQ(silent.First()->value, 0);
}

TEST(SynthesisTest, LinearPartsInterpolateBetweenNodes) {
    TDrawNodes nodes;
    nodes.Insert(0, 0);
    nodes.Insert(0.5, 1000);
    nodes.Insert(1, -1000);
    Samples samples(8);
    SynthesizeDrawing(nodes, TDrawKind::linear, samples);
    EXPECT_EQ(samples, (Samples{0, 250, 500, 750, 1000, 500, 0, -500}));
}

TEST(SynthesisTest, SmoothPartsHaveFlatEndsAtEveryNode) {
    TDrawNodes nodes;
    nodes.Insert(0, 0);
    nodes.Insert(1, 1000);
    Samples samples(4);
    SynthesizeDrawing(nodes, TDrawKind::smooth, samples);
    // y = -2000 t^3 + 3000 t^2
    EXPECT_EQ(samples, (Samples{0, 156, 500, 843}));
}

TEST(SynthesisTest, NodesAtOnePositionGiveTheirMeanOrSilence) {
    TDrawNodes nodes;
    nodes.Append(0, 100);
    nodes.Append(0, 300);
    Samples linear(1);
    SynthesizeDrawing(nodes, TDrawKind::linear, linear);
    EXPECT_EQ(linear[0], 200);
    Samples smooth(1);
    SynthesizeDrawing(nodes, TDrawKind::smooth, smooth);
    EXPECT_EQ(smooth[0], 0);
}

class DrawingTest : public ::testing::Test {
  protected:
    void SetUp() override { wave_.LinkWindow(&window_); }

    TWorkspace workspace_;
    TUnitWave wave_{workspace_, Stereo(Ramp(10), Ramp(10), 44100, 1)};
    RecordingWaveWindow window_;
};

TEST_F(DrawingTest, StartingADrawingMakesOneSecondOfSilenceWithoutUndo) {
    wave_.SetFileName("/x.wav");
    wave_.DrawWave(TDrawKind::linear);
    EXPECT_TRUE(wave_.UserDrawing());
    EXPECT_EQ(wave_.GetValues(), 44101);
    EXPECT_EQ(wave_.GetMoSt(), 1);
    EXPECT_EQ(wave_.GetBytesPSample(), 2);
    EXPECT_EQ(wave_.GetFreq(), 44100);
    EXPECT_EQ(wave_.TheSound().GetLeftWave().getMaxAbs(wave_.Error(), 0, 44101), 0);
    EXPECT_EQ(Positions(wave_.DrawNodes()), (std::vector<double>{0, 1}));
    EXPECT_FALSE(workspace_.Undo().HasUndo());
    EXPECT_TRUE(wave_.ShadowChanged());
    EXPECT_FALSE(wave_.SoundChanged());
    EXPECT_NE(std::find(window_.calls.begin(), window_.calls.end(), "DrawingModeChanged"),
              window_.calls.end());
    EXPECT_TRUE(wave_.CanSaveFile());
    // The clipboard commands and sound effects stay out of a drawing.
    EXPECT_FALSE(wave_.Delete());
    EXPECT_FALSE(wave_.Copy());
    EXPECT_FALSE(wave_.ApplyToWorkRange([](const Sound& s, ErrorFlag* e, std::int32_t&,
                                           std::int32_t&) { return s.MakeSilence(e, 1); }));
    EXPECT_EQ(wave_.GetValues(), 44101);
}

TEST_F(DrawingTest, NodeEditsRecomputeTheSoundAndMarkItChanged) {
    wave_.DrawWave(TDrawKind::linear);
    wave_.DrawNodes().Insert(0.5, 1000);
    wave_.DrawingEdited();
    EXPECT_TRUE(wave_.SoundChanged());
    EXPECT_EQ(wave_.TheSound().GetLeftWave().wave[22050], 999);  // t = 22050 / 44101
    wave_.EditDrawing([](TDrawNodes& nodes, double& length) {
        nodes.ScaleValues(2);
        length *= 2;
    });
    EXPECT_EQ(wave_.GetValues(), 88201);
    EXPECT_DOUBLE_EQ(wave_.DrawLength(), 2);
    EXPECT_EQ(wave_.TheSound().GetLeftWave().wave[44100], 1999);
}

TEST_F(DrawingTest, ADrawingTooLongForAWaveIsReportedAndKeepsTheSound) {
    platform::RecordingMessageSink messages;
    wave_.DrawWave(TDrawKind::linear);
    const auto before = wave_.SharedSound();
    wave_.EditDrawing([](TDrawNodes&, double& length) { length = 1e6; });
    EXPECT_EQ(wave_.SharedSound(), before);
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text, "There is not enough memmory for this operation.");
    wave_.EditDrawing([](TDrawNodes&, double& length) { length = 0.5; });  // works again
    EXPECT_EQ(wave_.GetValues(), 22051);
}

TEST_F(DrawingTest, TheOtherKindSwitchesAndTheSameKindEndsKeepingTheSound) {
    wave_.DrawWave(TDrawKind::linear);
    wave_.DrawNodes().Insert(0.5, 1000);
    wave_.DrawWave(TDrawKind::smooth);
    EXPECT_TRUE(wave_.UserDrawing());
    EXPECT_EQ(wave_.DrawKind(), TDrawKind::smooth);
    const std::int16_t smoothQuarter = wave_.TheSound().GetLeftWave().wave[11025];
    EXPECT_EQ(smoothQuarter, 499);  // halfway up the flat-ended curve

    const auto drawn = wave_.SharedSound();
    wave_.DrawWave(TDrawKind::smooth);
    EXPECT_FALSE(wave_.UserDrawing());
    EXPECT_TRUE(wave_.DrawNodes().Empty());
    EXPECT_EQ(wave_.SharedSound(), drawn);
}

}  // namespace
}  // namespace kalvora
