// The verbs split and merge: the files they write, the cuts and choices they refuse as the
// program disables them, and a split that writes all its files or none.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli_fixture.h"

namespace kalvora::cli {
namespace {

class MergeSplitVerbsTest : public CliFolderTest {
  protected:
    // A wave whose samples count 0, 1, 2, ... (the right channel negated).
    void WriteRamp(const std::string& name, std::int32_t n, std::int16_t channels,
                   std::int32_t rate = 1000) {
        ErrorFlag error = 0;
        Wave left(&error, n);
        Wave right(&error, n);
        for (std::int32_t i = 0; i < n; ++i) {
            left.wave[i] = static_cast<std::int16_t>(i);
            right.wave[i] = static_cast<std::int16_t>(-i);
        }
        std::unique_ptr<Sound> sound;
        if (channels == 1) {
            sound = std::make_unique<MonoSound>(std::move(left), rate, 2);
        } else {
            sound = std::make_unique<StereoSound>(std::move(left), std::move(right), rate, 2);
        }
        ASSERT_TRUE(WriteWaveFile(*sound, &error, Path(name), 0, n));
    }

    bool Exists(const std::string& name) { return std::filesystem::exists(Path(name)); }
};

TEST_F(MergeSplitVerbsTest, SplitVerticallyWritesLeftThenRight) {
    WriteRamp("in.wav", 10, 2);
    ASSERT_EQ(Run({"split", Path("in.wav"), Path(""), "SplitV"}), 0) << err.str();
    auto left = Read("in-1.wav");
    auto right = Read("in-2.wav");
    ASSERT_TRUE(left && right);
    EXPECT_EQ(left->MoSt, 1);
    EXPECT_EQ(left->GetLeftWave().wave[3], 3);
    EXPECT_EQ(right->GetLeftWave().wave[3], -3);
}

TEST_F(MergeSplitVerbsTest, SplitHorizontallyWritesThePartsInTimeOrder) {
    WriteRamp("in.wav", 1000, 1);
    ASSERT_EQ(Run({"split", Path("in.wav"), Path(""), "SplitH", "--select", "100:200",
                   "result=Twoparts,bothinclusiveselectedpart"}),
              0)
        << err.str();
    EXPECT_EQ(Read("in-1.wav")->GetValues(), 200);
    EXPECT_EQ(Read("in-2.wav")->GetValues(), 900);
    EXPECT_FALSE(Exists("in-3.wav"));

    ASSERT_EQ(Run({"split", Path("in.wav"), Path(""), "SplitH", "--select", "100:200"}), 0);
    EXPECT_EQ(Read("in-3.wav")->GetLeftWave().wave[0], 200);
    ASSERT_EQ(Run({"split", Path("in.wav"), Path(""), "SplitH", "--select", "400:400"}), 0);
    EXPECT_EQ(Read("in-1.wav")->GetValues(), 400);
    EXPECT_EQ(Read("in-2.wav")->GetValues(), 600);
}

TEST_F(MergeSplitVerbsTest, RefusesWhatTheProgramDisablesAndWritesNothing) {
    WriteRamp("mono.wav", 1000, 1);
    const std::vector<std::vector<std::string>> refused = {
        {"split", Path("mono.wav"), Path(""), "SplitV"},
        {"split", Path("mono.wav"), Path(""), "SplitH"},
        {"split", Path("mono.wav"), Path(""), "SplitH", "--select", "0:0"},
        {"split", Path("mono.wav"), Path(""), "SplitH", "--select", "0:200"},
        {"split", Path("mono.wav"), Path(""), "SplitH", "--select", "1000:1000"},
        {"split", Path("mono.wav"), Path(""), "SplitH", "--select", "1:2", "result=Four"},
        {"split", Path("mono.wav"), Path(""), "Split"},
        {"merge", Path("mono.wav"), Path("mono.wav"), Path("out.wav"), "MergeH", "bits=12Bits"},
        {"merge", Path("mono.wav"), Path("mono.wav"), Path("out.wav"), "MergeV", "monoStereo=Mono"},
    };
    for (const auto& args : refused) {
        SCOPED_TRACE(args.back());
        EXPECT_EQ(Run(args), 2);
        EXPECT_FALSE(err.str().empty());
    }
    EXPECT_FALSE(Exists("mono-1.wav"));
    EXPECT_FALSE(Exists("out.wav"));
}

TEST_F(MergeSplitVerbsTest, ASplitThatCannotWriteEveryFileWritesNone) {
    WriteRamp("in.wav", 10, 2);
    // The second file's place is taken by a folder: it cannot be written.
    std::filesystem::create_directory(Path("in-2.wav"));
    std::filesystem::create_directory(Path(".in-2.wav.part"));
    EXPECT_EQ(Run({"split", Path("in.wav"), Path(""), "SplitV"}), 1);
    EXPECT_FALSE(Exists("in-1.wav"));
    EXPECT_FALSE(Exists(".in-1.wav.part"));
}

TEST_F(MergeSplitVerbsTest, MergeHorizontallyConvertsKindThenRate) {
    WriteRamp("mono.wav", 100, 1, 1000);
    WriteRamp("stereo.wav", 50, 2, 500);
    ASSERT_EQ(Run({"merge", Path("mono.wav"), Path("stereo.wav"), Path("out.wav"), "MergeH",
                   "monoStereo=Mono", "frequency=1000Hz", "bits=8Bits"}),
              0)
        << err.str();
    auto merged = Read("out.wav");
    ASSERT_TRUE(merged);
    EXPECT_EQ(merged->MoSt, 1);
    EXPECT_EQ(merged->Freq, 1000);
    EXPECT_EQ(merged->BytesPSample,
              2);  // both are 16 bits: the field counts only where they differ
    EXPECT_EQ(merged->GetValues(), 100 + 99);  // 50 samples at twice the rate
}

TEST_F(MergeSplitVerbsTest, MergeVerticallyMakesLengthsEqual) {
    WriteRamp("long.wav", 100, 1);
    WriteRamp("short.wav", 40, 2);
    ASSERT_EQ(Run({"merge", Path("long.wav"), Path("short.wav"), Path("out.wav"), "MergeV",
                   "makeLengthsEqual=AddSilenceatthebeginoftheshortestwave"}),
              0)
        << err.str();
    auto merged = Read("out.wav");
    ASSERT_TRUE(merged);
    EXPECT_EQ(merged->MoSt, 2);
    EXPECT_EQ(merged->GetValues(), 100);
    EXPECT_EQ(merged->GetRightWave().wave[59], 0);
    EXPECT_EQ(merged->GetLeftWave().wave[99], 99);
}

TEST_F(MergeSplitVerbsTest, HelpListsTheAlternatives) {
    ASSERT_EQ(Run({"help", "SplitH"}), 0);
    EXPECT_NE(out.str().find("Twoparts,bothexclusiveselectedpart"), std::string::npos);
    ASSERT_EQ(Run({"help", "mergeh"}), 0);
    EXPECT_NE(out.str().find("monoStereo"), std::string::npos);
    EXPECT_NE(out.str().find("MergeH: Merge Horizontally"), std::string::npos);
    ASSERT_EQ(Run({"help", "MergeV"}), 0);
    EXPECT_NE(out.str().find("Stretchthelongestwave"), std::string::npos);
    ASSERT_EQ(Run({"help", "SplitV"}), 0);
    // Captions without the menus' accelerator marks.
    for (const char* command : {"SplitH", "SplitV", "MergeH", "MergeV"}) {
        ASSERT_EQ(Run({"help", command}), 0);
        EXPECT_EQ(out.str().find('&'), std::string::npos) << out.str();
    }
}

}  // namespace
}  // namespace kalvora::cli
