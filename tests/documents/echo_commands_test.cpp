// Period Echo and Random Echo as commands of a wave document: the ranges they work on and
// select, the envelopes their records choose, the seed of the random echo, and the input
// their dialogs refuse.
#include <gtest/gtest.h>

#include <functional>

#include "document_test_support.h"
#include "documents/effect_command.h"
#include "documents/workspace.h"
#include "platform/recording_message_sink.h"
#include "scripted_effect_dialog.h"

namespace kalvora {
namespace {

using testing::Effect;
using testing::LeftSamples;
using testing::Mono;
using testing::Ramp;
using testing::RightSamples;
using testing::ScriptedDialog;
using testing::Stereo;

using Samples = std::vector<std::int16_t>;

class EchoCommandsTest : public ::testing::Test {
  protected:
    void Make(std::unique_ptr<Sound> sound) {
        wave_ = std::make_unique<TUnitWave>(workspace_, std::move(sound));
        workspace_.Registry().Activate(*wave_);
    }

    // A named document the records can choose as an envelope.
    void OpenWave(const std::string& name, std::unique_ptr<Sound> sound) {
        others_.push_back(std::make_unique<TUnitWave>(workspace_, std::move(sound)));
        others_.back()->SetName(name);
        workspace_.Registry().Activate(*others_.back());
        workspace_.Registry().Activate(*wave_);
    }

    bool Run(std::string_view command, ScriptedDialog dialog) {
        return RunEffectCommand(*wave_, Effect(command), std::ref(dialog));
    }

    platform::RecordingMessageSink messages_;
    TWorkspace workspace_;
    std::unique_ptr<TUnitWave> wave_;
    std::vector<std::unique_ptr<TUnitWave>> others_;
};

TEST_F(EchoCommandsTest, PeriodEchoSelectsTheRegionItChangedAndUndoes) {
    Make(Mono(Ramp(10, 100), 100));
    wave_->SetSelection(2, 4);
    // 0.02 s is 2 samples: two echoes reach 2·3 samples past the selection.
    ASSERT_TRUE(Run("PerEcho", {.texts = {{"echoTime", "0.02 s"}, {"count", "2"}},
                                .choices = {{"volumeKind", 0}},
                                .checks = {{"timeEnvelopeOn", false}}}));
    EXPECT_EQ(LeftSamples(wave_->TheSound()),
              (Samples{100, 101, 102, 103, 104 + 102, 105 + 103, 106 + 102, 107 + 103, 108, 109}));
    EXPECT_EQ(wave_->WorkRange().begin, 2);
    EXPECT_EQ(wave_->WorkRange().end, 10);
    workspace_.Undo().DoUndo();
    EXPECT_EQ(LeftSamples(wave_->TheSound()), Ramp(10, 100));
}

TEST_F(EchoCommandsTest, PeriodEchoReadsTheChosenEnvelopes) {
    Make(Mono({1000, 0, 0, 0}, 100));
    OpenWave("Half", Mono({16384}, 100));
    OpenWave("Full", Mono({32767}, 100));
    ASSERT_TRUE(Run("PerEcho", {.texts = {{"echoTime", "0.01 s"}},
                                .choices = {{"volumeKind", 1}},
                                .waves = {{"timeEnvelope", "Full"}, {"volumeEnvelope", "Half"}},
                                .checks = {{"timeEnvelopeOn", true}}}));
    // The time envelope grows both sides by 2 samples; the echo is one sample later at half
    // volume.
    EXPECT_EQ(LeftSamples(wave_->TheSound()), (Samples{0, 0, 1000, 500, 0, 0, 0, 0}));
    EXPECT_EQ(wave_->WorkRange().begin, 0);
    EXPECT_EQ(wave_->WorkRange().end, 8);
}

TEST_F(EchoCommandsTest, PeriodEchoRefusesWhatItCannotDo) {
    struct Case {
        const char* name;
        std::int32_t selectionEnd;
        ScriptedDialog dialog;
        const char* message;
    };
    const std::vector<Case> cases{
        {"negative time with a time envelope",
         10,
         {.texts = {{"echoTime", "-0.01 s"}},
          .waves = {{"timeEnvelope", "Env"}},
          .checks = {{"timeEnvelopeOn", true}}},
         "In Time: The echo time may not be negative with a time envelope; the envelope gives "
         "the direction."},
        {"one sample",
         3,
         {.texts = {{"echoTime", "0.01 s"}}},
         "Period Echo needs at least two samples to echo; select more of the wave."},
        {"too long",
         10,
         {.texts = {{"echoTime", "1000 s"}, {"count", "1000"}}},
         "In Echo Count: So many echoes this far apart make the wave longer than a wave can "
         "be."},
    };
    for (const Case& c : cases) {
        Make(Mono(Ramp(10), 44100));
        OpenWave("Env", Mono({100, 200}, 44100));
        wave_->SetSelection(2, c.selectionEnd);
        messages_.Clear();
        EXPECT_FALSE(Run("PerEcho", c.dialog)) << c.name;
        ASSERT_EQ(messages_.Messages().size(), 1u) << c.name;
        EXPECT_EQ(messages_.Messages()[0].caption, "Input Error");
        EXPECT_EQ(messages_.Messages()[0].text, c.message);
        EXPECT_EQ(LeftSamples(wave_->TheSound()), Ramp(10)) << c.name;
    }
}

TEST_F(EchoCommandsTest, RandomEchoReplacesTheWholeWaveTheSameWayForTheSameSeed) {
    const Samples input = Ramp(200, -100);
    Make(Mono(input, 8000));
    wave_->SetSelection(10, 20);  // the random echo ignores the selection
    const ScriptedDialog dialog{
        .texts = {{"count", "5"}, {"randomSeed", "1234"}, {"timeDifference", "0.01 s"}},
        .choices = {{"volumeKind", 1}, {"balanceKind", 1}}};
    ASSERT_TRUE(Run("RndEcho", dialog));
    EXPECT_EQ(wave_->GetMoSt(), 2);  // balanced echoes are stereo
    // 200 + 80 + 1 + 8000/3400 samples.
    EXPECT_EQ(wave_->GetValues(), 283);
    EXPECT_EQ(wave_->WorkRange().begin, 10);
    EXPECT_EQ(wave_->WorkRange().end, 20);
    const Samples left = LeftSamples(wave_->TheSound());
    const Samples right = RightSamples(wave_->TheSound());
    EXPECT_NE(left, right);

    workspace_.Undo().DoUndo();
    EXPECT_EQ(LeftSamples(wave_->TheSound()), input);
    ASSERT_TRUE(Run("RndEcho", dialog));
    EXPECT_EQ(LeftSamples(wave_->TheSound()), left);
    EXPECT_EQ(RightSamples(wave_->TheSound()), right);

    workspace_.Undo().DoUndo();
    ScriptedDialog otherSeed = dialog;
    otherSeed.texts[1].second = "1235";
    ASSERT_TRUE(Run("RndEcho", otherSeed));
    EXPECT_NE(LeftSamples(wave_->TheSound()), left);
}

TEST_F(EchoCommandsTest, RandomEchoUsesEveryEnvelopeItIsGiven) {
    Make(Stereo(Ramp(300, 50), Ramp(300, -50), 8000));
    OpenWave("Shape", Mono({-32768, 0, 32767}, 8000));
    ScriptedDialog dialog{
        .texts = {{"count", "4"}, {"timeDifference", "0.02 s"}, {"blockSize", "1 ms"}},
        .choices = {{"timeKind", 1},
                    {"volumeKind", 2},
                    {"lengthKind", 1},
                    {"balanceKind", 2},
                    {"pitchKind", 1},
                    {"tempoKind", 1},
                    {"quality", 1},
                    {"pitchSource", 0}}};
    for (const char* field : {"timeEnvelope", "volumeEnvelope", "lengthEnvelope", "balanceEnvelope",
                              "pitchEnvelope", "tempoEnvelope"}) {
        dialog.waves.emplace_back(field, "Shape");
    }
    ASSERT_TRUE(Run("RndEcho", dialog));
    EXPECT_TRUE(messages_.Messages().empty());
    EXPECT_EQ(wave_->GetValues(), 300 + 160 + 1 + 2);
}

TEST_F(EchoCommandsTest, RandomEchoRefusesBlocksBelowOneOrTwoSamples) {
    struct Case {
        const char* blockSize;
        int quality;
        const char* message;
    };
    const std::vector<Case> cases{
        {"0.5 ms", 0, "In Block Size: Block Size may not be shorter than one sample."},
        {"1.5 ms", 1,
         "In Block Size: Block Size may not be shorter than two samples in high "
         "quality."},
    };
    for (const Case& c : cases) {
        Make(Mono(Ramp(10), 1000));
        messages_.Clear();
        EXPECT_FALSE(Run("RndEcho", {.texts = {{"blockSize", c.blockSize}},
                                     .choices = {{"quality", c.quality}}}));
        ASSERT_EQ(messages_.Messages().size(), 1u);
        EXPECT_EQ(messages_.Messages()[0].text, c.message);
        EXPECT_EQ(messages_.Messages()[0].caption, "Input Error");
    }
}

TEST_F(EchoCommandsTest, RandomEchoLeavesAnEmptyWaveAlone) {
    Make(Mono({}, 44100));
    EXPECT_FALSE(Run("RndEcho", {}));
    EXPECT_FALSE(workspace_.Undo().HasUndo());
}

}  // namespace
}  // namespace kalvora
