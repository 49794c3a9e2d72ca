// kalvora-cli apply with PerEcho and RndEcho: the random seed on the command line, the
// program's command with the same record giving the same sound, and refused input.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/cli.h"
#include "cli/cli_fixture.h"
#include "documents/effect_assignments.h"
#include "documents/effect_command.h"
#include "documents/workspace.h"
#include "sound/wave_file.h"

namespace kalvora::cli {
namespace {

using ::testing::HasSubstr;

using Samples = std::vector<std::int16_t>;

class EchoVerbsTest : public CliFolderTest {
  protected:
    // A mono 16-bit file at 8000 Hz.
    std::unique_ptr<Sound> Write(const std::string& name, const Samples& samples) {
        ErrorFlag error = 0;
        Wave wave(&error, static_cast<std::int32_t>(samples.size()));
        std::copy(samples.begin(), samples.end(), wave.wave);
        auto sound = std::make_unique<MonoSound>(std::move(wave), 8000, 2);
        EXPECT_TRUE(WriteWaveFile(*sound, &error, Path(name), 0, sound->GetValues()));
        return sound;
    }

    static Samples Of(const Wave& wave) { return Samples(wave.wave, wave.wave + wave.values); }
};

Samples Rough(int n) {
    Samples samples(n);
    for (int i = 0; i < n; ++i)
        samples[i] = static_cast<std::int16_t>((i * 7919) % 20001 - 10000);
    return samples;
}

TEST_F(EchoVerbsTest, TheSeedOnTheCommandLineGivesTheProgramsEchoes) {
    std::unique_ptr<Sound> sound = Write("in.wav", Rough(400));
    const std::vector<std::string> fields{
        "count=7",           "randomSeed=99",      "timeDifference=5ms",
        "volumeKind=Linear", "balanceKind=Linear", "cyclable=on"};
    std::vector<std::string> args{"apply", Path("in.wav"), Path("a.wav"), "RndEcho"};
    args.insert(args.end(), fields.begin(), fields.end());
    ASSERT_EQ(Run(args), exitSuccess) << err.str();
    args[2] = Path("b.wav");
    ASSERT_EQ(Run(args), exitSuccess) << err.str();
    auto a = Read("a.wav");
    auto b = Read("b.wav");
    ASSERT_EQ(a->MoSt, 2);
    EXPECT_EQ(a->GetValues(), 41);  // cyclable: trunc(M + 1) with M = 40
    EXPECT_EQ(Of(a->GetLeftWave()), Of(b->GetLeftWave()));
    EXPECT_EQ(Of(a->GetRightWave()), Of(b->GetRightWave()));

    // The program's command with the same record.
    TWorkspace workspace;
    TUnitWave document(workspace, std::move(sound));
    workspace.Registry().Activate(document);
    TEffectDialogModel dialog = MakeEffectDialog(document, *FindEffect("RndEcho"));
    dialog.Show();
    std::vector<TFieldText> texts;
    for (const std::string& field : fields) {
        const auto equals = field.find('=');
        texts.push_back({field.substr(0, equals), field.substr(equals + 1)});
    }
    ASSERT_FALSE(ApplyFieldTexts(dialog, texts));
    ASSERT_TRUE(dialog.Ok());
    ASSERT_TRUE(RunEffect(document, dialog.Record()));
    EXPECT_EQ(Of(document.TheSound().GetLeftWave()), Of(a->GetLeftWave()));
    EXPECT_EQ(Of(document.TheSound().GetRightWave()), Of(a->GetRightWave()));

    args[2] = Path("c.wav");
    args[5] = "randomSeed=100";
    ASSERT_EQ(Run(args), exitSuccess) << err.str();
    EXPECT_NE(Of(Read("c.wav")->GetLeftWave()), Of(a->GetLeftWave()));
}

TEST_F(EchoVerbsTest, PeriodEchoOfTheWholeFile) {
    Write("in.wav", {8000, 0, 0, 0});
    // 0.125 ms is one sample at 8000 Hz.
    ASSERT_EQ(Run({"apply", Path("in.wav"), Path("out.wav"), "PerEcho", "echoTime=0.125ms",
                   "volume=0.5", "count=3"}),
              exitSuccess)
        << err.str();
    EXPECT_EQ(Of(Read("out.wav")->GetLeftWave()),
              (Samples{8000, 4000, 2000, 1000, 0, 0, 0, 0, 0, 0}));
}

TEST_F(EchoVerbsTest, RefusedInputSaysWhy) {
    Write("in.wav", {1, 2, 3});
    Write("env.wav", {100});
    EXPECT_EQ(Run({"apply", Path("in.wav"), Path("out.wav"), "PerEcho", "echoTime=-1ms",
                   "timeEnvelope=" + Path("env.wav")}),
              exitUsageError);
    EXPECT_THAT(err.str(), HasSubstr("In Time: The echo time may not be negative"));
    EXPECT_EQ(Run({"apply", Path("in.wav"), Path("out.wav"), "RndEcho", "timeDifference=-1s"}),
              exitUsageError);
    EXPECT_THAT(err.str(), HasSubstr("In Time Difference:"));
    EXPECT_EQ(Run({"apply", Path("in.wav"), Path("out.wav"), "RndEcho", "timeSource=Die7"}),
              exitUsageError);
    EXPECT_THAT(err.str(), HasSubstr("\"Die7\" is not one of: Die1, Die2"));
}

}  // namespace
}  // namespace kalvora::cli
