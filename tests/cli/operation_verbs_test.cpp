// kalvora-cli apply with the simple operations and filters: fields as text, envelope and
// curve fields naming WAV files, and the dialogs' refusals.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "cli/cli_fixture.h"
#include "sound/wave_file.h"

namespace kalvora::cli {
namespace {

using ::testing::HasSubstr;

using Samples = std::vector<std::int16_t>;

class OperationVerbsTest : public CliFolderTest {
  protected:
    // Writes a mono (right empty) or stereo 16-bit file at rate.
    void Write(const std::string& name, const Samples& left, const Samples& right = {},
               std::int32_t rate = 1000) {
        ErrorFlag error = 0;
        auto wave = [&](const Samples& samples) {
            Wave made(&error, static_cast<std::int32_t>(samples.size()));
            std::copy(samples.begin(), samples.end(), made.wave);
            return made;
        };
        std::unique_ptr<Sound> sound;
        if (right.empty()) {
            sound = std::make_unique<MonoSound>(wave(left), rate, 2);
        } else {
            sound = std::make_unique<StereoSound>(wave(left), wave(right), rate, 2);
        }
        ASSERT_TRUE(WriteWaveFile(*sound, &error, Path(name), 0, sound->GetValues()));
    }

    Samples Left(const std::string& name) {
        auto sound = Read(name);
        const Wave& wave = sound->GetLeftWave();
        return Samples(wave.wave, wave.wave + wave.values);
    }
};

TEST_F(OperationVerbsTest, AppliesOperationsWithTheirFields) {
    Write("in.wav", {20000, 100, -3, 7}, {1, 2, 3, 4});
    ASSERT_EQ(Run({"apply", Path("in.wav"), Path("out.wav"), "Volume", "factor=2"}), exitSuccess)
        << err.str();
    EXPECT_EQ(Left("out.wav"), (Samples{-25536, 200, -6, 14}));
    auto stereo = Read("out.wav");
    EXPECT_EQ(stereo->MoSt, 2);
    EXPECT_EQ(stereo->GetRightWave().wave[3], 8);

    ASSERT_EQ(Run({"apply", Path("in.wav"), Path("out.wav"), "reverse", "--select", "1:4"}),
              exitSuccess);
    EXPECT_EQ(Left("out.wav"), (Samples{20000, 7, -3, 100}));

    ASSERT_EQ(Run({"apply", Path("in.wav"), Path("out.wav"), "MoveV", "addValue=-100$"}),
              exitSuccess);
    EXPECT_EQ(Left("out.wav"), (Samples{19900, 0, -103, -93}));

    // Fields of an alternative choose it.
    ASSERT_EQ(Run({"apply", Path("in.wav"), Path("out.wav"), "Length", "newLength=7ms"}),
              exitSuccess)
        << err.str();
    EXPECT_EQ(Read("out.wav")->GetValues(), 6);  // trunc(7/4·(4 - 1) + 1)
    ASSERT_EQ(
        Run({"apply", Path("in.wav"), Path("out.wav"), "Rotate", "shiftTo=Right", "factor=25%"}),
        exitSuccess)
        << err.str();
    EXPECT_EQ(Left("out.wav"), (Samples{7, 20000, 100, -3}));
}

TEST_F(OperationVerbsTest, EnvelopeAndCurveFieldsNameWaveFiles) {
    Write("in.wav", {1000, 1000, 1000}, {}, 1000);
    Write("rise.wav", {0, 32767}, {}, 8000);
    ASSERT_EQ(
        Run({"apply", Path("in.wav"), Path("out.wav"), "Volume", "envelope=" + Path("rise.wav")}),
        exitSuccess)
        << err.str();
    EXPECT_EQ(Left("out.wav"), (Samples{0, 500, 1000}));

    Write("invert.wav", {32767, -32768});
    ASSERT_EQ(Run({"apply", Path("in.wav"), Path("out.wav"), "Distort",
                   "distortEnvelope=" + Path("invert.wav")}),
              exitSuccess)
        << err.str();
    EXPECT_EQ(Left("out.wav"), (Samples{-1000, -1000, -1000}));

    EXPECT_EQ(Run({"apply", Path("in.wav"), Path("out.wav"), "Distort",
                   "distortEnvelope=" + Path("missing.wav")}),
              exitFileError);
    EXPECT_THAT(err.str(), HasSubstr("missing.wav"));
}

TEST_F(OperationVerbsTest, RefusesWhatTheDialogsRefuse) {
    Write("in.wav", std::vector<std::int16_t>(100, 5), {}, 1000);
    struct Case {
        std::vector<std::string> fields;
        std::string error;
    };
    const std::vector<Case> cases = {
        {{"RollIn", "length=0.5ms"}, "In Length: Length may not be shorter than one sample.\n"},
        {{"FilterBlock", "blockTime=0s"}, "In Block Time: Block Time may not be 0.\n"},
        {{"FilterRes", "frequency=2kHz"},
         "In Frequency: Frequency may not be higher than the sample frequency (1.0000 kHz).\n"},
        {{"Rotate", "time=0.2s"}, "In Time: Time may not be longer than the time of the sound.\n"},
        {{"FilterLow", "factor=1.5"}, "In Volume Factor: "},
        {{"Volume", "kind=Envelope"}, "In Envelope: You have to select a Wave\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"apply", Path("in.wav"), Path("out.wav")};
        args.insert(args.end(), c.fields.begin(), c.fields.end());
        EXPECT_EQ(Run(args), exitUsageError) << c.fields[0];
        EXPECT_THAT(err.str(), HasSubstr(c.error)) << c.fields[0];
    }
    EXPECT_FALSE(std::filesystem::exists(Path("out.wav")));
}

TEST_F(OperationVerbsTest, FiltersRunFromTheCommandLine) {
    Samples impulse(200, 0);
    impulse[0] = 30000;
    Write("impulse.wav", impulse, {}, 1000);
    for (const char* command : {"FilterLow", "FilterHigh", "FilterRes", "FilterNotch"}) {
        ASSERT_EQ(Run({"apply", Path("impulse.wav"), Path("out.wav"), command, "frequency=50Hz"}),
                  exitSuccess)
            << command << ": " << err.str();
        EXPECT_EQ(Read("out.wav")->GetValues(), 200) << command;
    }
    ASSERT_EQ(Run({"apply", Path("impulse.wav"), Path("out.wav"), "FilterLow", "count=3",
                   "maximizeVolume=on"}),
              exitSuccess)
        << err.str();
    ASSERT_EQ(Run({"apply", Path("impulse.wav"), Path("out.wav"), "FilterBlock", "blockTime=-5ms"}),
              exitSuccess);
    EXPECT_EQ(Read("out.wav")->GetValues(), 206);

    ASSERT_EQ(Run({"help", "FilterNotch"}), exitSuccess);
    EXPECT_THAT(out.str(), HasSubstr("frequency=1000Hz"));
    EXPECT_THAT(out.str(), HasSubstr("width=0.25"));
}

}  // namespace
}  // namespace kalvora::cli
