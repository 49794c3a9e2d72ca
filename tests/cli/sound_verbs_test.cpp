#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "cli/cli.h"
#include "cli/cli_fixture.h"

namespace kalvora::cli {
namespace {

using Bytes = std::vector<std::uint8_t>;
using ::testing::HasSubstr;

void Put(Bytes& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void Put(Bytes& bytes, std::string_view text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
}

// A canonical WAV file (44-byte header).
Bytes CanonicalWav(std::uint32_t channels, std::uint32_t bits, std::uint32_t rate,
                   const Bytes& data) {
    Bytes bytes;
    Put(bytes, "RIFF");
    Put(bytes, static_cast<std::uint32_t>(data.size()) + 36, 4);
    Put(bytes, "WAVEfmt ");
    Put(bytes, 16, 4);
    Put(bytes, 1, 2);
    Put(bytes, channels, 2);
    Put(bytes, rate, 4);
    Put(bytes, rate * channels * bits / 8, 4);
    Put(bytes, channels * bits / 8, 2);
    Put(bytes, bits, 2);
    Put(bytes, "data");
    Put(bytes, static_cast<std::uint32_t>(data.size()), 4);
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
}

Bytes Le16(std::initializer_list<std::int16_t> samples) {
    Bytes bytes;
    for (std::int16_t s : samples)
        Put(bytes, static_cast<std::uint16_t>(s), 2);
    return bytes;
}

class SoundVerbsTest : public CliFolderTest {
  protected:
    void Write(const std::string& name, const Bytes& bytes) const {
        std::ofstream out(Path(name), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    Bytes Contents(const std::string& name) const {
        std::ifstream in(Path(name), std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
};

TEST_F(SoundVerbsTest, InfoPrintsTheFormatAndThePeak) {
    Write("stereo.wav", CanonicalWav(2, 16, 8000, Le16({100, -32768, 5, 7, 0, 0, 0, 0})));
    EXPECT_EQ(Run({"info", Path("stereo.wav")}), exitSuccess) << err.str();
    EXPECT_EQ(out.str(),
              "rate: 8000\nchannels: 2\nbits: 16\nsamples: 4\nduration: 0.001 s\npeak: 32768\n");

    Write("mono8.wav", CanonicalWav(1, 8, 11025, {128, 64}));
    EXPECT_EQ(Run({"info", Path("mono8.wav")}), exitSuccess);
    EXPECT_THAT(out.str(), HasSubstr("channels: 1\nbits: 8\nsamples: 2\n"));
    EXPECT_THAT(out.str(), HasSubstr("peak: 16384\n"));
}

TEST_F(SoundVerbsTest, ConvertGivesBackTheSameBytesOrAnotherWidth) {
    const Bytes original = CanonicalWav(2, 16, 44100, Le16({1, -1, 32767, -32768, 256, -257}));
    Write("in.wav", original);
    EXPECT_EQ(Run({"convert", Path("in.wav"), Path("out.wav")}), exitSuccess) << err.str();
    EXPECT_EQ(Contents("out.wav"), original);

    EXPECT_EQ(Run({"convert", Path("in.wav"), Path("out8.wav"), "--bits", "8"}), exitSuccess);
    EXPECT_EQ(Contents("out8.wav"), CanonicalWav(2, 8, 44100, {128, 128, 255, 0, 129, 127}));

    EXPECT_EQ(Run({"convert", Path("out8.wav"), Path("back16.wav"), "--bits", "16"}), exitSuccess);
    EXPECT_EQ(Contents("back16.wav"),
              CanonicalWav(2, 16, 44100, Le16({0, 0, 32512, -32768, 256, -256})));

    // Converting a file onto itself is safe: the file is read completely first.
    EXPECT_EQ(Run({"convert", Path("in.wav"), Path("in.wav")}), exitSuccess);
    EXPECT_EQ(Contents("in.wav"), original);
}

TEST_F(SoundVerbsTest, ARefusedFileGivesItsTextAndWritesNothing) {
    Bytes broken = CanonicalWav(1, 24, 8000, {1, 2, 3});
    Write("broken.wav", broken);
    EXPECT_EQ(Run({"convert", Path("broken.wav"), Path("out.wav")}), exitFileError);
    EXPECT_EQ(err.str(), Path("broken.wav") + ": Only 8 and 16 bits per sample are supported.\n");
    EXPECT_FALSE(std::filesystem::exists(Path("out.wav")));

    EXPECT_EQ(Run({"info", Path("missing.wav")}), exitFileError);
    EXPECT_EQ(err.str(), Path("missing.wav") + ": Cannot open File.\n");
    EXPECT_TRUE(out.str().empty());
}

TEST_F(SoundVerbsTest, AnOutputThatCannotBeWrittenIsAFileError) {
    Write("in.wav", CanonicalWav(1, 16, 8000, Le16({1})));
    EXPECT_EQ(Run({"convert", Path("in.wav"), Path("missing/out.wav")}), exitFileError);
    EXPECT_THAT(err.str(), HasSubstr("Cannot save Wave: Operating System cannot open file for "
                                     "writing, maybe the file is readonly."));
}

TEST_F(SoundVerbsTest, UsageErrors) {
    EXPECT_EQ(Run({"info"}), exitUsageError);
    EXPECT_THAT(err.str(), HasSubstr("usage: kalvora-cli info FILE.wav"));
    EXPECT_EQ(Run({"info", "a.wav", "b.wav"}), exitUsageError);
    EXPECT_EQ(Run({"convert", "a.wav"}), exitUsageError);
    EXPECT_EQ(Run({"convert", "a.wav", "b.wav", "--rate", "8000"}), exitUsageError);
    EXPECT_EQ(Run({"convert", "a.wav", "b.wav", "--bits", "12"}), exitUsageError);
    EXPECT_EQ(err.str(), "In --bits: the sample width must be 8 or 16.\n");
    EXPECT_EQ(Run({"convert", "a.wav", "b.wav", "--bits", "x"}), exitUsageError);
}

}  // namespace
}  // namespace kalvora::cli
