// The shadow file from the window's side: what a saved wave keeps of its window comes back
// when the wave is opened again or reverted.
#include <gtest/gtest.h>

#include <QMdiArea>
#include <cmath>

#include "gui/mdi_child_wave.h"
#include "gui/view_wave.h"
#include "gui/view_wave_group.h"
#include "gui/wave_test_support.h"

namespace kalvora::gui {
namespace {

using C = CommandId;
using testing::StereoSine;
using testing::WriteWav;

class ShadowFileWindowTest : public ::testing::Test, public testing::FrameFixture {
  protected:
    TMDIChildWave* Open(const std::string& file) {
        EXPECT_TRUE(frame.OpenWaveFile(file));
        Settle();
        return frame.ActiveWaveWindow();
    }

    // Within the samples of one pixel column of view.
    static double Column(TViewWave& view) {
        const TWaveViewGeometry& geometry = view.Geometry();
        return (geometry.LastVisible() - geometry.FirstVisible()) / geometry.Width() + 1;
    }
};

TEST_F(ShadowFileWindowTest, ASavedWaveComesBackWithItsSelectionZoomDisplayAndSettings) {
    const std::string file = WriteWav(folder, "take.wav", *StereoSine(88200));
    TMDIChildWave* window = Open(file);
    ASSERT_NE(window, nullptr);
    window->resize(700, 360);
    Settle();
    TViewWaveGroup& group = window->Group();

    TWaveViewProps wave = group.WaveSettings();
    wave.ValuesPerPixel = 31;
    wave.GridColor = 0x204060;
    wave.DrawSingle = false;
    group.SetWaveSettings(wave);
    TVoldViewProps volume = group.VolumeSettings();
    volume.XResolution = 120;
    volume.YResolution = 24;
    volume.Sensitivity = TVoldViewProps::SensHigh;
    volume.BackgroundColor = 0x102030;
    group.SetVolumeSettings(volume);
    window->Wave().SetSelection(1000, 30000);
    group.SetSplitPosition(0.3);
    Settle();
    ASSERT_TRUE(group.ViewSecond().ZoomTo(5000, 40000, true));
    Settle();
    const double split = group.SplitPosition();
    const double first = group.ViewSecond().Geometry().FirstVisible();
    const double last = group.ViewSecond().Geometry().LastVisible();
    ASSERT_TRUE(testing::WaitForWorker(*window));

    ASSERT_TRUE(window->Wave().NeedsSave());
    ASSERT_TRUE(frame.RunCommand(C::FileSave));
    EXPECT_FALSE(window->Wave().NeedsSave());
    EXPECT_TRUE(QFile::exists(folder.filePath("take.kvw")));
    ASSERT_TRUE(frame.RunCommand(C::FileClose));
    Settle();
    ASSERT_EQ(frame.ActiveWaveWindow(), nullptr);

    TMDIChildWave* again = Open(file);
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(messages.Messages().empty());
    TViewWaveGroup& reopened = again->Group();
    EXPECT_EQ(again->Wave().SelMin(), 1000);
    EXPECT_EQ(again->Wave().SelMax(), 30000);
    EXPECT_EQ(reopened.Kind(), TWaveWindKind::waveWindVolume);
    EXPECT_TRUE(reopened.VolumeSettings().Equals(volume));
    EXPECT_EQ(reopened.WaveSettings(), wave);
    EXPECT_FALSE(reopened.ViewFirst().Zoomed());
    ASSERT_TRUE(reopened.ViewSecond().Zoomed());
    // The window opens in its own size: the split keeps its share, the zoom its samples.
    const int total = reopened.ViewFirst().width() + reopened.ViewSecond().width();
    EXPECT_NEAR(reopened.SplitPosition(), split, 1.0 / total + 1e-9);
    TViewWave& second = reopened.ViewSecond();
    EXPECT_NEAR(second.Geometry().FirstVisible(), first, Column(second));
    EXPECT_NEAR(second.Geometry().LastVisible(), last, Column(second));
    EXPECT_FALSE(again->Wave().NeedsSave());
    ASSERT_TRUE(testing::WaitForWorker(*again));
    Settle();
    EXPECT_FALSE(again->Wave().NeedsSave());  // painting what the file said changes nothing
}

TEST_F(ShadowFileWindowTest, RevertBringsBackTheSavedSelectionAndViews) {
    const std::string file = WriteWav(folder, "revert.wav", *StereoSine(20000));
    TMDIChildWave* window = Open(file);
    ASSERT_NE(window, nullptr);
    window->Wave().SetSelection(100, 900);
    ASSERT_TRUE(frame.RunCommand(C::FileSave));

    window->Wave().SetCursor(5000);
    ASSERT_TRUE(window->Group().ViewSecond().ZoomTo(2000, 8000, true));
    Settle();
    ASSERT_TRUE(window->Wave().NeedsSave());
    ASSERT_TRUE(frame.RunCommand(C::FileRevert));
    Settle();
    EXPECT_EQ(window->Wave().SelMin(), 100);
    EXPECT_EQ(window->Wave().SelMax(), 900);
    EXPECT_FALSE(window->Group().ViewSecond().Zoomed());
    EXPECT_FALSE(window->Wave().NeedsSave());
}

TEST_F(ShadowFileWindowTest, ABrokenShadowFileIsReportedAndTheWaveOpensWithDefaultViews) {
    const std::string file = WriteWav(folder, "broken.wav", *StereoSine(1000));
    QFile shadow(folder.filePath("broken.kvw"));
    ASSERT_TRUE(shadow.open(QIODevice::WriteOnly));
    shadow.write("<?xml?>\n<!DOCTYPE>\n<UnitWave>\n  <Version>9.0</Version>\n</UnitWave>\n");
    shadow.close();
    TMDIChildWave* window = Open(file);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text,
              "Cannot read the file: \"" + FileNameToCore(folder.filePath("broken.kvw")) +
                  "\" Unknown Version \"9.0\": this program reads Wave Shadow Files of version "
                  "8.0 only.");
    EXPECT_EQ(window->Group().Kind(), TWaveWindKind::waveWindWave);
    EXPECT_EQ(window->Group().WaveSettings(), frame.DefaultWaveViewProps());
    EXPECT_FALSE(window->Wave().NeedsSave());
}

}  // namespace
}  // namespace kalvora::gui
