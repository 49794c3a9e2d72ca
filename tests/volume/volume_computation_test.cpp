#include "volume/volume_computation.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/manual_main_thread.h"
#include "volume/volume_analysis.h"
#include "volume_test_sounds.h"

namespace kalvora {
namespace {

using namespace std::chrono_literals;
using platform::ManualMainThread;
using testing::Noise;

struct Columns {
    int channel;
    std::int32_t from, to;
};

// A view group stand-in: the computation, the main thread it reports to, and the column
// ranges it was asked to repaint.
class VolumeComputationTest : public ::testing::Test {
  protected:
    VolumeComputationTest()
        : computation_(mainThread_, [this](int channel, std::int32_t from, std::int32_t to) {
              drawn_.push_back({channel, from, to});
          }) {}

    // Plays the main thread until the worker has ended and its end has been handled.
    void Finish() {
        ASSERT_TRUE(mainThread_.RunUntil([this] { return !computation_.Running(); }, 60s));
    }

    // The columns repainted for channel, in order, as one list of column numbers.
    std::vector<std::int32_t> DrawnColumns(int channel) const {
        std::vector<std::int32_t> columns;
        for (const Columns& c : drawn_) {
            if (c.channel != channel) continue;
            for (std::int32_t x = c.from; x < c.to; ++x)
                columns.push_back(x);
        }
        return columns;
    }

    ManualMainThread mainThread_;
    std::vector<Columns> drawn_;
    TVolumeComputation computation_;
};

std::unique_ptr<TVolumeArray> AnalysedAlone(const std::vector<std::int16_t>& samples,
                                            const TVoldViewProps& settings) {
    auto array = std::make_unique<TVolumeArray>(settings.XResolution, settings.YResolution);
    TVolumeAnalysis analysis(TResonatorTuning::From(settings, 44100), samples.data(),
                             static_cast<std::int32_t>(samples.size()), *array);
    analysis.Run();
    return array;
}

bool SameCells(const TVolumeArray& a, const TVolumeArray& b) {
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight()) return false;
    for (std::int32_t x = 0; x < a.GetWidth(); ++x) {
        for (std::int32_t y = 0; y < a.GetHeight(); ++y) {
            if (a.GetVolume(x, y) != b.GetVolume(x, y)) return false;
        }
    }
    return true;
}

TEST_F(VolumeComputationTest, AMonoDiagramIsComputedInTheBackgroundAndDrawnColumnByColumn) {
    const auto samples = Noise(30000);
    const auto sound = testing::MonoOf(samples);
    const TVoldViewProps settings = testing::Settings(40, 12);
    ASSERT_FALSE(computation_.Restart(*sound, settings));
    EXPECT_TRUE(computation_.Running());
    Finish();
    const TVolumeArray* array = computation_.VolumeArraySingle();
    ASSERT_NE(array, nullptr);
    EXPECT_EQ(computation_.VolumeArrayLeft(), nullptr);
    EXPECT_TRUE(SameCells(*array, *AnalysedAlone(samples, settings)));
    EXPECT_EQ(array->GetDrawn(), array->GetFilled());
    // Every column was handed to the view once, in order; the last one perhaps again, when
    // the final stretch was written onto it after it had been drawn.
    std::vector<std::int32_t> expected;
    for (std::int32_t x = 0; x < 40; ++x)
        expected.push_back(x);
    std::vector<std::int32_t> columns = DrawnColumns(0);
    if (columns.size() == 41 && columns[40] == 39) columns.pop_back();
    EXPECT_EQ(columns, expected);
}

// The end is told once, after the last columns, for a computation that ran to its end; a
// stopped one is not told.
TEST_F(VolumeComputationTest, TheEndOfAComputationIsToldAfterItsLastColumns) {
    std::vector<std::size_t> ends;  // how many column ranges had been drawn at each end
    computation_.SetEndedHandler([this, &ends] { ends.push_back(drawn_.size()); });
    const auto sound = testing::MonoOf(Noise(30000));
    ASSERT_FALSE(computation_.Restart(*sound, testing::Settings(40, 12)));
    Finish();
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0], drawn_.size());

    const auto longSound = testing::MonoOf(Noise(44100 * 20));
    ASSERT_FALSE(computation_.Restart(*longSound, testing::Settings(500, 50)));
    computation_.Stop();
    mainThread_.RunPending();
    EXPECT_EQ(ends.size(), 1u);
}

TEST_F(VolumeComputationTest, StereoChannelsGiveTheSameResultOneAfterTheOtherOrAtOnce) {
    const auto left = Noise(20000, 1);
    const auto right = Noise(20000, 2);
    const auto sound = testing::StereoOf(left, right);
    const TVoldViewProps settings = testing::Settings(25, 9);
    const auto expectedLeft = AnalysedAlone(left, settings);
    const auto expectedRight = AnalysedAlone(right, settings);
    for (bool parallel : {false, true}) {
        drawn_.clear();
        computation_.SetChannelsInParallel(parallel);
        ASSERT_FALSE(computation_.Restart(*sound, settings));
        Finish();
        ASSERT_NE(computation_.VolumeArrayLeft(), nullptr);
        ASSERT_NE(computation_.VolumeArrayRight(), nullptr);
        EXPECT_EQ(computation_.VolumeArraySingle(), nullptr);
        EXPECT_TRUE(SameCells(*computation_.VolumeArrayLeft(), *expectedLeft)) << parallel;
        EXPECT_TRUE(SameCells(*computation_.VolumeArrayRight(), *expectedRight)) << parallel;
        EXPECT_GE(DrawnColumns(0).size(), 25u);
        EXPECT_GE(DrawnColumns(1).size(), 25u);
        const TVolumeArrays arrays = computation_.Arrays();
        EXPECT_EQ(arrays.MoSt, 2);
        EXPECT_EQ(arrays.Left, computation_.VolumeArrayLeft());
    }
}

TEST_F(VolumeComputationTest, StoppingWhileProgressIsPendingNeitherHangsNorDrawsAfterwards) {
    // The worker posts progress the main thread never runs before it stops the worker:
    // the stop must not wait for those notifications, and they must do nothing later.
    const auto samples = Noise(44100 * 20);
    const auto sound = testing::MonoOf(samples);
    ASSERT_FALSE(computation_.Restart(*sound, testing::Settings(500, 50)));
    while (mainThread_.PendingCount() == 0)
        std::this_thread::sleep_for(1ms);
    computation_.Stop();
    EXPECT_FALSE(computation_.Running());
    const std::int32_t filled = computation_.VolumeArraySingle()->GetFilled();
    EXPECT_LT(filled, 500);  // stopped well before the end
    mainThread_.RunPending();
    EXPECT_TRUE(drawn_.empty());
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(computation_.VolumeArraySingle()->GetFilled(), filled);  // nothing runs on
}

TEST_F(VolumeComputationTest, StoppingDuringTheLeftChannelLeavesTheRightOneEmpty) {
    computation_.SetChannelsInParallel(false);
    const auto left = Noise(44100 * 20, 1);
    const auto sound = testing::StereoOf(left, left);
    ASSERT_FALSE(computation_.Restart(*sound, testing::Settings(100, 50)));
    while (computation_.VolumeArrayLeft()->GetFilled() == 0)
        std::this_thread::sleep_for(1ms);
    computation_.Stop();
    EXPECT_LT(computation_.VolumeArrayLeft()->GetFilled(), 100);
    EXPECT_EQ(computation_.VolumeArrayRight()->GetFilled(), 0);
}

TEST_F(VolumeComputationTest, AnOldWorkersEndNeverClearsTheNewWorker) {
    // The first worker finishes and posts its end; before the main thread handles it, a
    // new computation starts. Handling the old end afterwards must leave the new worker.
    const auto shortSound = testing::MonoOf(Noise(3000));
    ASSERT_FALSE(computation_.Restart(*shortSound, testing::Settings(10, 5)));
    const TVolumeArray* first = computation_.VolumeArraySingle();
    while (first->GetFilled() < 10)
        std::this_thread::sleep_for(1ms);
    std::this_thread::sleep_for(20ms);  // time to post the end notification
    EXPECT_GT(mainThread_.PendingCount(), 0u);

    const auto longSound = testing::MonoOf(Noise(44100 * 20));
    ASSERT_FALSE(computation_.Restart(*longSound, testing::Settings(500, 50)));
    EXPECT_NE(computation_.VolumeArraySingle(), nullptr);
    mainThread_.RunPending();  // the old end (and perhaps new progress)
    EXPECT_TRUE(computation_.Running());
    computation_.Stop();
}

TEST_F(VolumeComputationTest, ChangedSettingsRestartOnFreshArrays) {
    const auto samples = Noise(44100 * 5);
    const auto sound = testing::MonoOf(samples);
    ASSERT_FALSE(computation_.Restart(*sound, testing::Settings(300, 30)));
    std::this_thread::sleep_for(5ms);
    // The old arrays are destroyed after the old worker has ended (the address sanitizer
    // reports any write into them afterwards).
    TVoldViewProps changed = testing::Settings(200, 20);
    changed.YScale = TVoldViewProps::YLinFreq;
    ASSERT_FALSE(computation_.Restart(*sound, changed));
    Finish();
    const TVolumeArray* array = computation_.VolumeArraySingle();
    ASSERT_NE(array, nullptr);
    EXPECT_EQ(array->GetWidth(), 200);
    EXPECT_EQ(array->GetHeight(), 20);
    EXPECT_TRUE(SameCells(*array, *AnalysedAlone(samples, changed)));
}

TEST_F(VolumeComputationTest, AnEmptySoundStopsTheWorkerAndKeepsTheArrays) {
    const auto samples = Noise(44100 * 10);
    const auto sound = testing::MonoOf(samples);
    ASSERT_FALSE(computation_.Restart(*sound, testing::Settings(100, 10)));
    const TVolumeArray* array = computation_.VolumeArraySingle();
    const MonoSound empty(44100, 2);
    EXPECT_FALSE(computation_.Restart(empty, testing::Settings(100, 10)));
    EXPECT_FALSE(computation_.Running());
    EXPECT_EQ(computation_.VolumeArraySingle(), array);
}

TEST_F(VolumeComputationTest, SettingsBeyondTheCapsAreRefusedWithoutArrays) {
    const auto sound = testing::MonoOf(Noise(1000));
    ASSERT_FALSE(computation_.Restart(*sound, testing::Settings(10, 10)));
    const auto problem = computation_.Restart(*sound, testing::Settings(65536, 4096));
    EXPECT_EQ(problem.value_or(""),
              "In Vertical Resolution: Horizontal times Vertical Resolution must be no more "
              "than 134217728.");
    EXPECT_FALSE(computation_.Running());
    EXPECT_EQ(computation_.VolumeArraySingle(), nullptr);
}

TEST(VolumeComputationLifetimeTest, ClosingDuringAComputationStopsItWithoutAHang) {
    ManualMainThread mainThread;
    const auto sound = testing::StereoOf(Noise(44100 * 30, 1), Noise(44100 * 30, 2));
    for (bool parallel : {false, true}) {
        auto computation = std::make_unique<TVolumeComputation>(mainThread, nullptr);
        computation->SetChannelsInParallel(parallel);
        ASSERT_FALSE(computation->Restart(*sound, TVoldViewProps()));
        std::this_thread::sleep_for(10ms);
        computation.reset();
        mainThread.RunPending();  // notifications of the destroyed computation do nothing
    }
}

}  // namespace
}  // namespace kalvora
