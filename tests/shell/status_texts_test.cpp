#include "shell/status_texts.h"

#include <gtest/gtest.h>

namespace kalvora {
namespace {

TEST(StatusTextsTest, RateIsWrittenInKilohertzWithThreeDecimals) {
    EXPECT_EQ(RateText(22050), "22.050 kHz");
    EXPECT_EQ(RateText(44100), "44.100 kHz");
    EXPECT_EQ(RateText(8000), "8.000 kHz");
    EXPECT_EQ(RateText(11025), "11.025 kHz");
}

// The number writer cuts after adding a tenth of the last written unit, so a value just below a
// boundary shows the boundary ("10.00 kb" for 9.999 kb) while 3.906 stays "3.90".
TEST(StatusTextsTest, DataSizeIsTruncatedInItsUnit) {
    struct Case {
        std::int64_t bytes;
        const char* text;
    };
    for (Case c : {Case{0, "0 b"}, Case{300, "300 b"}, Case{1023, "1023 b"}, Case{1024, "1.00 kb"},
                   Case{4000, "3.90 kb"}, Case{10230, "9.99 kb"}, Case{10239, "10.00 kb"},
                   Case{10240, "10.0 kb"}, Case{102300, "99.9 kb"}, Case{102400, "100 kb"},
                   Case{1048000, "1023 kb"}, Case{1048575, "1024 kb"}, Case{1048576, "1.00 Mb"},
                   Case{635040000, "605 Mb"}, Case{1073000000, "1023 Mb"},
                   Case{1073741824, "1.00 Gb"}, Case{5000000000, "4.65 Gb"}}) {
        EXPECT_EQ(DataSizeText(c.bytes), c.text) << c.bytes;
    }
}

TEST(StatusTextsTest, DurationShowsMinutesAndHoursOnlyWhenThereAreAny) {
    EXPECT_EQ(DurationText(5.25), "5.25000 s");
    EXPECT_EQ(DurationText(0), "0.00000 s");
    EXPECT_EQ(DurationText(61.5), "1:01.50000");
    EXPECT_EQ(DurationText(3600.5), "1:00:00.50000");
    EXPECT_EQ(DurationText(3725.0), "1:02:05.00000");
}

TEST(StatusTextsTest, WavePanelsForTheTableCases) {
    WaveFacts stereo;
    stereo.sampleCount = 1000;
    stereo.channels = 2;
    stereo.bytesPerSample = 2;
    stereo.rate = 44100;
    stereo.hasFile = true;
    stereo.needsSave = true;
    auto texts = WaveStatusTexts(stereo);
    EXPECT_EQ(texts[1], "44.100 kHz");
    EXPECT_EQ(texts[2], "16");
    EXPECT_EQ(texts[3], "ST");
    EXPECT_EQ(texts[4], "3.90 kb");
    EXPECT_EQ(texts[5], "Changed");

    WaveFacts mono;
    mono.sampleCount = 300;
    mono.channels = 1;
    mono.bytesPerSample = 1;
    mono.rate = 22050;
    mono.hasFile = true;
    texts = WaveStatusTexts(mono);
    EXPECT_EQ(texts[2], "8");
    EXPECT_EQ(texts[3], "MO");
    EXPECT_EQ(texts[4], "300 b");
    EXPECT_EQ(texts[5], "");

    WaveFacts drawn = mono;
    drawn.userDrawing = true;
    drawn.drawLength = 1.0;
    EXPECT_EQ(WaveStatusTexts(drawn)[0], "1.00000 s");
}

}  // namespace
}  // namespace kalvora
