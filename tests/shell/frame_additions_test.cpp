// The core rules behind the frame's additions: the mouse wheel over a view, the time ruler,
// the recent files list, opening a file by its kind, the play head and the volume diagram's
// progress.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/recording_message_sink.h"
#include "shell/file_opening.h"
#include "shell/play_head.h"
#include "shell/recent_files.h"
#include "shell/time_ruler.h"
#include "shell/volume_progress.h"
#include "shell/wave_view_wheel.h"
#include "support/scratch_files.h"

namespace kalvora {
namespace {

using Kind = TWheelAction::Kind;

TWaveViewGeometry View(int width, std::int32_t n) {
    TWaveViewGeometry view;
    view.SetClient({0, 0, width, 100});
    view.SetSampleCount(n);
    return view;
}

// ---- the wheel

TEST(WheelTest, WithoutCtrlOnlyAZoomedViewScrolls) {
    TWaveViewGeometry view = View(100, 10000);
    EXPECT_EQ(WheelAction(view, 50, -120, false).kind, Kind::none);  // unzoomed: nothing

    view.ZoomTo(1000, 2000);
    const std::int64_t start = view.ScrollPosition();
    const TWheelAction down = WheelAction(view, 50, -120, false);
    ASSERT_EQ(down.kind, Kind::scroll);
    EXPECT_EQ(down.scrollPosition, start + view.ScrollIncrement());  // towards the end
    const TWheelAction up = WheelAction(view, 50, 120, false);
    ASSERT_EQ(up.kind, Kind::scroll);
    EXPECT_EQ(up.scrollPosition, start - view.ScrollIncrement());

    view.SetScrollPosition(0);  // at the start a turn away from the user goes nowhere
    EXPECT_EQ(WheelAction(view, 50, 120, false).kind, Kind::none);
    view.SetScrollPosition(view.MaxScrollPosition());
    EXPECT_EQ(WheelAction(view, 50, -120, false).kind, Kind::none);
}

TEST(WheelTest, CtrlZoomsAroundTheSampleUnderThePointer) {
    TWaveViewGeometry view = View(100, 10000);
    const double under = view.SampleAtPixel(25);
    const TWheelAction in = WheelAction(view, 25, 120, true);
    ASSERT_EQ(in.kind, Kind::zoom);
    EXPECT_NEAR(in.last - in.first, 8000.0, 1e-6);
    view.ZoomTo(in.first, in.last);
    EXPECT_NEAR(view.SampleAtPixel(25), under, 100.0);  // within a column of where it was

    // Zooming out again reaches the whole wave and unzooms.
    const TWheelAction out = WheelAction(view, 25, -240, true);
    EXPECT_EQ(out.kind, Kind::unzoom);
    // An unzoomed view cannot zoom out further.
    EXPECT_EQ(WheelAction(View(100, 10000), 25, -120, true).kind, Kind::none);
}

TEST(WheelTest, ZoomStopsAtASampleForTwoColumnsAndKeepsInsideTheWave) {
    TWaveViewGeometry view = View(100, 10000);
    view.ZoomTo(9950, 10000);
    const TWheelAction in = WheelAction(view, 99, 120 * 20, true);
    ASSERT_EQ(in.kind, Kind::zoom);
    EXPECT_GE(in.last - in.first, 50.0 - 1e-9);
    EXPECT_LE(in.last, 10000.0);
    EXPECT_GE(in.first, 0.0);
    EXPECT_EQ(WheelAction(View(100, 1), 50, 120, true).kind, Kind::none);  // nothing to zoom
}

// ---- the ruler

TEST(TimeRulerTest, TicksFollowTheGridStepAndLabelsLeaveRoom) {
    // One second over 1000 columns: 20 columns cover 0.02 s.
    const TSampleMapping mapping{0.0, 44100.0, 0, 1000};
    const TRulerScale scale = RulerScale(mapping, 44100.0, 60);
    EXPECT_DOUBLE_EQ(scale.step, 0.02);
    ASSERT_EQ(scale.ticks.size(), 50u);
    EXPECT_EQ(scale.ticks[0].x, 0);
    EXPECT_EQ(scale.ticks[1].x, 20);
    int previous = -1000;
    for (const TRulerTick& tick : scale.ticks) {
        if (!tick.labelled) continue;
        EXPECT_GE(tick.x - previous, 60);
        previous = tick.x;
    }
    EXPECT_EQ(scale.ticks[0].label, "0.0");
    EXPECT_TRUE(scale.ticks[5].labelled);
    EXPECT_EQ(scale.ticks[5].label, "0.1");
}

TEST(TimeRulerTest, ScrolledViewStartsAtTheFirstMultipleOfTheStep) {
    // Seconds 10.01 .. 11.01 over 1000 columns.
    const TSampleMapping mapping{10.01 * 1000, 11.01 * 1000, 0, 1000};
    const TRulerScale scale = RulerScale(mapping, 1000.0, 60);
    ASSERT_FALSE(scale.ticks.empty());
    EXPECT_EQ(scale.ticks[0].x, 10);                                     // 10.02 s
    EXPECT_TRUE(RulerScale({0, 0, 0, 1000}, 1000.0, 60).ticks.empty());  // no time shown
    EXPECT_TRUE(RulerScale({0, 100, 0, 1}, 1000.0, 60).ticks.empty());   // no width
}

TEST(TimeRulerTest, LabelsShowWhatTheStepNeeds) {
    struct Case {
        double seconds, step;
        const char* text;
    };
    const Case cases[] = {
        {0.25, 0.05, "0.25"},   {12.0, 1.0, "12"},       {65.5, 0.5, "1:05.5"},
        {59.96, 0.1, "1:00.0"}, {3600.0, 10.0, "60:00"}, {0.0, 0.002, "0.000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RulerLabel(c.seconds, c.step), c.text) << c.seconds << " by " << c.step;
}

// ---- recent files

class RecentFilesTest : public testing::ScratchFolderTest {};

TEST_F(RecentFilesTest, NewestFirstOnceAtMostEightAndKeptAcrossRuns) {
    const std::filesystem::path settings = folder_ / "config" / "kalvora" / "recent-files";
    {
        TRecentFiles recent(settings);
        for (int i = 0; i < 10; ++i)
            recent.Add((folder_ / ("w" + std::to_string(i) + ".wav")).string());
        recent.Add((folder_ / "w5.wav").string());  // again: moves to the front
        ASSERT_EQ(recent.Files().size(), TRecentFiles::kMaxCount);
        EXPECT_EQ(recent.Files()[0], (folder_ / "w5.wav").string());
        EXPECT_EQ(recent.Files()[1], (folder_ / "w9.wav").string());
        EXPECT_EQ(recent.Files()[7], (folder_ / "w2.wav").string());
    }
    TRecentFiles again(settings);
    again.Load();
    ASSERT_EQ(again.Files().size(), 8u);
    EXPECT_EQ(again.Files()[0], (folder_ / "w5.wav").string());
    EXPECT_EQ(testing::Contents(settings).rfind("# Kalvora recent files\n", 0), 0u);
}

TEST_F(RecentFilesTest, RelativeNamesBecomeAbsoluteAndLineBreaksAreNotKept) {
    TRecentFiles recent;  // for this run only
    recent.Add("some.wav");
    recent.Add("bad\nname.wav");
    ASSERT_EQ(recent.Files().size(), 1u);
    EXPECT_TRUE(std::filesystem::path(recent.Files()[0]).is_absolute());
}

TEST_F(RecentFilesTest, AMissingFileIsRemovedWithAMessage) {
    const std::filesystem::path settings = folder_ / "recent-files";
    TRecentFiles recent(settings);
    const std::string there = (folder_ / "there.wav").string();
    const std::string gone = (folder_ / "gone.wav").string();
    testing::Put(there, "x");
    recent.Add(gone);
    recent.Add(there);
    platform::RecordingMessageSink sink;
    EXPECT_TRUE(recent.CheckExists(there));
    EXPECT_TRUE(sink.Messages().empty());
    EXPECT_FALSE(recent.CheckExists(gone));
    ASSERT_EQ(sink.Messages().size(), 1u);
    EXPECT_EQ(sink.Messages()[0].text, "The file \"" + gone +
                                           "\" no longer exists. It has been removed from the "
                                           "recent files.");
    EXPECT_EQ(sink.Messages()[0].caption, "File Error");
    TRecentFiles reread(settings);
    reread.Load();
    EXPECT_EQ(reread.Files(), std::vector<std::string>{there});
}

TEST_F(RecentFilesTest, ASettingsFileThatCannotBeWrittenIsReportedOnce) {
    testing::Put(folder_ / "file", "x");  // a file where the folder should be
    TRecentFiles recent(folder_ / "file" / "recent-files");
    platform::RecordingMessageSink sink;
    recent.Add("/a.wav");
    recent.Add("/b.wav");
    ASSERT_EQ(sink.Messages().size(), 1u);
    EXPECT_EQ(sink.Messages()[0].caption, "File Error");
    EXPECT_EQ(recent.Files().size(), 2u);  // the list still works for the run
}

TEST(RecentFilesLocationTest, FollowsTheDesktopsConfigFolder) {
    EXPECT_EQ(RecentFilesLocation("/x/cfg", "/home/u"), "/x/cfg/kalvora/recent-files");
    EXPECT_EQ(RecentFilesLocation(nullptr, "/home/u"), "/home/u/.config/kalvora/recent-files");
    EXPECT_EQ(RecentFilesLocation("relative", "/home/u"), "/home/u/.config/kalvora/recent-files");
    EXPECT_TRUE(RecentFilesLocation(nullptr, nullptr).empty());
    EXPECT_EQ(RecentFileCaption(0, "/a/b/Tom & Jerry.wav"), "&1 Tom && Jerry.wav");
}

// ---- opening by kind

TEST(FileOpeningTest, TheKindDecidesAndImportTakesWhatOpenRefuses) {
    struct Case {
        const char* name;
        bool waveReadable, importable;
        std::optional<FileOpening> opening;
        const char* message;  // nullptr: none
    };
    const Case cases[] = {
        {"/a/song.wav", true, true, FileOpening::wave, nullptr},
        {"/a/SONG.WAV", true, false, FileOpening::wave, nullptr},
        {"/a/float.wav", false, true, FileOpening::import, nullptr},
        {"/a/broken.wav", false, false, FileOpening::wave, nullptr},  // Open says why
        {"/a/tune.kvm", false, false, FileOpening::music, nullptr},
        {"/a/work.KVP", false, false, FileOpening::project, nullptr},
        {"/a/take.flac", false, true, FileOpening::import, nullptr},
        {"/a/notes.txt", false, false, std::nullopt, "Invalid extension \"txt\" used."},
        {"/a.b/noext", false, false, std::nullopt,
         "Cannot read the file: \"/a.b/noext\" File has no extension"},
    };
    for (const Case& c : cases) {
        platform::RecordingMessageSink sink;
        EXPECT_EQ(ChooseFileOpening(
                      c.name, [&] { return c.waveReadable; }, [&] { return c.importable; }),
                  c.opening)
            << c.name;
        if (c.message == nullptr) {
            EXPECT_TRUE(sink.Messages().empty()) << c.name;
        } else {
            ASSERT_EQ(sink.Messages().size(), 1u) << c.name;
            EXPECT_EQ(sink.Messages()[0].text, c.message);
            EXPECT_EQ(sink.Messages()[0].caption, "File Error");
        }
    }
}

// ---- the play head

TEST(PlayHeadTest, FollowsThePlayedTimeInsideThePlayedRange) {
    TPlayHead head;
    EXPECT_FALSE(head.SampleAt(1.0).has_value());
    int document = 0;
    head.Started(&document, 1000, 45100, 44100);
    EXPECT_EQ(head.Document(), &document);
    EXPECT_DOUBLE_EQ(head.TotalSeconds(), 1.0);
    EXPECT_DOUBLE_EQ(*head.SampleAt(0.0), 1000.0);
    EXPECT_DOUBLE_EQ(*head.SampleAt(0.5), 23050.0);
    EXPECT_DOUBLE_EQ(*head.SampleAt(3.0), 45100.0);  // the sink may report a little more
    head.Ended();
    EXPECT_FALSE(head.SampleAt(0.5).has_value());
    EXPECT_EQ(head.Document(), nullptr);
}

// A sound device being stopped may read 0 again: the head stays where it was heard, and a new
// play starts from its own beginning.
TEST(PlayHeadTest, TheHeardTimeNeverGoesBackWithinAPlay) {
    TPlayHead head;
    head.Started(nullptr, 0, 44100, 44100);
    EXPECT_DOUBLE_EQ(head.Heard(0.25), 0.25);
    EXPECT_DOUBLE_EQ(head.Heard(0.75), 0.75);
    EXPECT_DOUBLE_EQ(head.Heard(0.0), 0.75);
    head.Started(nullptr, 0, 44100, 44100);
    EXPECT_DOUBLE_EQ(head.Heard(0.1), 0.1);
}

TEST(PlayHeadTest, TimesReadAsMinutesSecondsAndTenths) {
    EXPECT_EQ(PlayClockText(0.0), "0:00.0");
    EXPECT_EQ(PlayClockText(65.37), "1:05.3");
    EXPECT_EQ(PlayClockText(3720.0), "62:00.0");
    EXPECT_EQ(PlayClockText(-1.0), "0:00.0");
    EXPECT_EQ(PlayTimeText(2.05, 1.5), "0:01.5 / 0:01.5");
    EXPECT_EQ(RecordTimeText(3.25), "Recording 0:03.2");
}

// ---- the volume diagram's progress

TEST(VolumeProgressTest, CountsFilledColumnsOfAllArrays) {
    TVolumeArray left(100, 4);
    TVolumeArray right(100, 4);
    left.SetFilled(100);
    right.SetFilled(50);
    EXPECT_EQ(VolumeDiagramPercent(&left, &right), 75);
    EXPECT_EQ(VolumeDiagramPercent(&right), 50);
    EXPECT_EQ(VolumeDiagramPercent(nullptr), 100);
    EXPECT_EQ(VolumeDiagramProgressText(42), "Volume diagram 42%");
}

}  // namespace
}  // namespace kalvora
