// Changing the format of a wave document ("Properties").
#include <gtest/gtest.h>

#include "document_test_support.h"
#include "documents/wave_document.h"
#include "documents/workspace.h"

namespace kalvora {
namespace {

using namespace kalvora::testing;

class WaveFormatTest : public ::testing::Test {
  protected:
    TWorkspace workspace_;
};

TEST_F(WaveFormatTest, ARateChangeResamplesAndScalesTheSelection) {
    TUnitWave wave(workspace_, Mono(Ramp(4001), 44100));
    wave.SetEnds(3000, 1000);
    wave.ChangeWaveFileProps(wave.GetWaveFileProps(), {22050, 1, 2});
    EXPECT_EQ(wave.GetFreq(), 22050);
    EXPECT_EQ(wave.GetValues(), 2001);
    EXPECT_EQ(wave.FirstEnd(), 1500);
    EXPECT_EQ(wave.SecondEnd(), 500);
    EXPECT_TRUE(wave.SoundChanged());
}

TEST_F(WaveFormatTest, StereoToMonoAveragesAndTellsTheWindow) {
    TUnitWave wave(workspace_, Stereo({10, 20}, {30, -20}));
    RecordingWaveWindow window;
    wave.LinkWindow(&window);
    wave.ChangeWaveFileProps(wave.GetWaveFileProps(), {44100, 1, 2});
    EXPECT_EQ(wave.GetMoSt(), 1);
    EXPECT_EQ(LeftSamples(wave.TheSound()), (Samples{20, 0}));
    EXPECT_EQ(window.calls,
              (std::vector<std::string>{"StopSoundReaders", "ChannelsChanged", "Refresh"}));
}

TEST_F(WaveFormatTest, MonoToStereoCopiesTheWaveIntoBothChannels) {
    TUnitWave wave(workspace_, Mono({5, 6}, 8000, 1));
    wave.ChangeWaveFileProps(wave.GetWaveFileProps(), {8000, 2, 1});
    EXPECT_EQ(wave.GetMoSt(), 2);
    EXPECT_EQ(LeftSamples(wave.TheSound()), (Samples{5, 6}));
    EXPECT_EQ(RightSamples(wave.TheSound()), (Samples{5, 6}));
    EXPECT_EQ(wave.GetBytesPSample(), 1);
}

TEST_F(WaveFormatTest, AWidthChangeKeepsTheSamplesAndUndoRestoresTheWidth) {
    TUnitWave wave(workspace_, Mono({-32768, 1, 32767}));
    wave.ChangeWaveFileProps(wave.GetWaveFileProps(), {44100, 1, 1});
    EXPECT_EQ(wave.GetBytesPSample(), 1);
    EXPECT_EQ(LeftSamples(wave.TheSound()), (Samples{-32768, 1, 32767}));
    workspace_.Undo().DoUndo();
    EXPECT_EQ(wave.GetBytesPSample(), 2);
}

TEST_F(WaveFormatTest, AnUnchangedFormatChangesNothing) {
    TUnitWave wave(workspace_, Mono({1, 2}));
    const auto before = wave.SharedSound();
    wave.ChangeWaveFileProps(wave.GetWaveFileProps(), wave.GetWaveFileProps());
    EXPECT_EQ(wave.SharedSound(), before);
    EXPECT_FALSE(wave.SoundChanged());
    EXPECT_FALSE(workspace_.Undo().HasUndo());
}

TEST_F(WaveFormatTest, AnEmptyWaveTakesTheNewFormat) {
    TUnitWave wave(workspace_, Stereo({}, {}, 44100, 2));
    wave.ChangeWaveFileProps(wave.GetWaveFileProps(), {11025, 1, 1});
    EXPECT_EQ(wave.GetWaveFileProps(), (waveFileProps{11025, 1, 1}));
    EXPECT_EQ(wave.GetValues(), 0);
}

}  // namespace
}  // namespace kalvora
