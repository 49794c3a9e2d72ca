// Long work and its cancel: a cancelled effect leaves the wave and the undo record of the
// previous command as they were; work on a thread of its own sees a cancel from another
// thread between runs of samples.
#include "documents/long_work.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

#include "document_test_support.h"
#include "documents/effect_command.h"
#include "documents/workspace.h"
#include "effect_test_support.h"
#include "platform/recording_message_sink.h"

namespace kalvora {
namespace {

using testing::Effect;
using testing::LeftSamples;
using testing::Mono;
using testing::Ramp;

// Cancels every work it is given before it starts: the operation finds the flag set.
class CancellingRunner final : public TLongWorkRunner {
  public:
    void Run(const std::function<void()>& work, ErrorFlag* error) override {
        ++runs;
        CancelWork(error);
        work();
    }
    int runs = 0;
};

// Runs every work in place, as if it finished before any progress window.
class PlainRunner final : public TLongWorkRunner {
  public:
    void Run(const std::function<void()>& work, ErrorFlag* /*error*/) override {
        ++runs;
        work();
    }
    int runs = 0;
};

TEST(LongWorkTest, ACancelledEffectKeepsTheSamplesAndThePreviousUndoRecord) {
    platform::RecordingMessageSink messages;
    TWorkspace workspace;
    TUnitWave wave(workspace, Mono(Ramp(1000)));
    workspace.Registry().Activate(wave);
    PlainRunner plain;
    workspace.SetLongWorkRunner(&plain);
    ASSERT_TRUE(RunEffect(wave, wave.Records().effects.Of(Effect("Reverse"))));
    EXPECT_EQ(plain.runs, 1);
    const TUndoUnit* before = workspace.Undo().Record();
    ASSERT_NE(before, nullptr);
    const std::shared_ptr<Sound> undoSound = before->TheSound();
    const std::shared_ptr<const Sound> current = wave.SharedSound();
    wave.MarkSaved();

    CancellingRunner cancelling;
    workspace.SetLongWorkRunner(&cancelling);
    EXPECT_FALSE(RunEffect(wave, wave.Records().effects.Of(Effect("Reverse"))));
    EXPECT_EQ(cancelling.runs, 1);
    EXPECT_EQ(wave.SharedSound(), current);  // the very same samples
    EXPECT_EQ(LeftSamples(*current)[0], 999);
    EXPECT_EQ(workspace.Undo().Record(), before);
    EXPECT_EQ(workspace.Undo().Record()->TheSound(), undoSound);
    EXPECT_FALSE(wave.SoundChanged());
    EXPECT_TRUE(messages.Messages().empty());

    // The next command runs normally again and replaces the record.
    workspace.SetLongWorkRunner(nullptr);
    ASSERT_TRUE(RunEffect(wave, wave.Records().effects.Of(Effect("Reverse"))));
    EXPECT_EQ(LeftSamples(wave.TheSound())[0], 0);
    EXPECT_NE(workspace.Undo().Record(), before);
}

TEST(LongWorkTest, BackgroundWorkStopsBetweenRunsWhenCancelled) {
    ErrorFlag error = 0;
    std::atomic<std::int64_t> done{0};
    std::atomic<bool> started{false};
    TBackgroundWork job([&] {
        // Far more runs than could pass before the cancel below.
        ForEachRun(&error, 0, std::int64_t{1} << 40, [&](std::int64_t begin, std::int64_t end) {
            started = true;
            done += end - begin;
        });
    });
    while (!started)
        std::this_thread::yield();
    EXPECT_FALSE(job.WaitFor(std::chrono::milliseconds(1)));
    CancelWork(&error);
    job.Finish();
    EXPECT_TRUE(job.Ended());
    EXPECT_TRUE(ErrorIsSet(&error));
    EXPECT_TRUE(WorkCancelled(&error));
    EXPECT_LT(done.load(), std::int64_t{1} << 40);
}

TEST(LongWorkTest, AnExceptionOfTheWorkReachesTheCaller) {
    TBackgroundWork job([] { throw std::runtime_error("out of luck"); });
    EXPECT_TRUE(job.WaitFor(std::chrono::seconds(30)));
    EXPECT_THROW(job.Finish(), std::runtime_error);
}

}  // namespace
}  // namespace kalvora
