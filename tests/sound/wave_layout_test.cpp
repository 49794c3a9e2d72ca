#include "sound/wave_layout.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include <unistd.h>

#include "sound/wave_file.h"
#include "wave_samples.h"

namespace kalvora {
namespace {

std::optional<WaveLayout> Layout(const std::string& bytes, std::string& errorText) {
    std::istringstream in(bytes);
    return ReadWaveLayout(in, errorText);
}

// A header with the given fmt size and an optional fact chunk before data.
std::string Header(int channels, int bits, int rate, std::uint32_t claimed, bool fact = false,
                   std::uint32_t fmtSize = 16) {
    std::string bytes;
    auto put = [&](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes += static_cast<char>(value >> (8 * i));
    };
    bytes += "RIFF";
    put(36 + claimed, 4);
    bytes += "WAVEfmt ";
    put(fmtSize, 4);
    put(1, 2);
    put(channels, 2);
    put(rate, 4);
    put(rate * channels * bits / 8, 4);
    put(channels * bits / 8, 2);
    put(bits, 2);
    bytes += std::string(fmtSize - 16, '\0');
    if (fact) {
        bytes += "fact";
        put(4, 4);
        put(0, 4);
    }
    bytes += "data";
    put(claimed, 4);
    return bytes;
}

TEST(WaveLayoutTest, FindsTheFormatAndTheSamplesTheFileHolds) {
    std::string errorText;
    auto layout = Layout(Header(2, 16, 22050, 8) + std::string(8, 'x'), errorText);
    ASSERT_TRUE(layout) << errorText;
    EXPECT_EQ(layout->channels, 2);
    EXPECT_EQ(layout->rate, 22050);
    EXPECT_EQ(layout->bytesPerSample, 2);
    EXPECT_EQ(layout->dataOffset, 44);
    EXPECT_EQ(layout->Frames(), 2);
    // A fact chunk and a longer fmt chunk move the samples; a short file gives whole frames
    // of what is there.
    layout = Layout(Header(1, 8, 8000, 100, true, 18) + std::string(7, 'x'), errorText);
    ASSERT_TRUE(layout) << errorText;
    EXPECT_EQ(layout->dataOffset, 58);
    EXPECT_EQ(layout->dataBytes, 7);
    layout = Layout(Header(2, 16, 8000, 100) + std::string(7, 'x'), errorText);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->dataBytes, 4);
}

TEST(WaveLayoutTest, RefusesWhatTheReaderRefusesWithItsTexts) {
    const std::pair<std::string, std::string_view> cases[] = {
        {"RIFX", waveFileText::noRiff},
        {Header(3, 16, 8000, 0), waveFileText::badChannels},
        {Header(1, 24, 8000, 0), waveFileText::badBits},
        {Header(1, 16, 0, 0), waveFileText::badRate},
        {Header(1, 16, 8000, 0).substr(0, 36) + "LIST", waveFileText::noData},
    };
    for (const auto& [bytes, text] : cases) {
        std::string errorText;
        EXPECT_FALSE(Layout(bytes, errorText));
        EXPECT_EQ(errorText, text);
    }
    std::string errorText;
    EXPECT_FALSE(ReadWaveLayout(std::filesystem::temp_directory_path(), errorText));
    EXPECT_EQ(errorText, waveFileText::cannotOpen);
}

TEST(WaveLayoutTest, AgreesWithTheWriter) {
    ErrorFlag error = 0;
    StereoSound sound(testing::MakeWave({1, 2, 3}), testing::MakeWave({4, 5, 6}), 11025, 1);
    const auto file = std::filesystem::temp_directory_path() /
                      ("kalvora-wave-layout-test-" + std::to_string(::getpid()) + ".wav");
    ASSERT_TRUE(WriteWaveFile(sound, &error, file, 0, 3));
    std::string errorText;
    const auto layout = ReadWaveLayout(file, errorText);
    ASSERT_TRUE(layout) << errorText;
    EXPECT_EQ(layout->Frames(), 3);
    EXPECT_EQ(layout->bytesPerSample, 1);
    EXPECT_EQ(layout->dataOffset + layout->dataBytes,
              static_cast<std::int64_t>(std::filesystem::file_size(file)));
    std::filesystem::remove(file);
}

}  // namespace
}  // namespace kalvora
