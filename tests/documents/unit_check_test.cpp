#include <gtest/gtest.h>

#include "documents/unit_factor.h"
#include "documents/unit_integer.h"
#include "documents/unit_time.h"
#include "platform/recording_message_sink.h"

namespace kalvora {
namespace {

// A dialog checks its fields in order with one flag: only the first bad field is reported.
TEST(UnitCheckTest, FirstBadFieldIsTheOnlyOneReported) {
    platform::RecordingMessageSink sink;
    unitFactor amplitude(1, DisplayUnit::none);
    unitFreq frequency(440, DisplayUnit::hertz);
    unitIntegerPosMore count(1);
    unit* fields[] = {&amplitude, &frequency, &count};
    const char* texts[] = {"50 %", "0 s", "-3"};
    const char* labels[] = {"Amplitude", "Frequency", "Count"};

    bool ok = true;
    for (int i = 0; i < 3; ++i)
        fields[i]->Check(ok, texts[i], labels[i]);

    EXPECT_FALSE(ok);
    EXPECT_DOUBLE_EQ(amplitude.GetValue(), 0.5);
    EXPECT_EQ(count.GetValue(), 1);
    ASSERT_EQ(sink.Messages().size(), 1u);
    EXPECT_EQ(sink.Messages()[0].text, "In Frequency: You cannot use 0 with 's'.");
    EXPECT_EQ(sink.Messages()[0].caption, "Input Error");
    EXPECT_EQ(sink.Messages()[0].icon, platform::MessageIcon::information);
}

TEST(UnitCheckTest, GoodFieldsShowNothing) {
    platform::RecordingMessageSink sink;
    unitTime time(1, DisplayUnit::second);
    bool ok = true;
    time.Check(ok, "20 ms", "Time");
    EXPECT_TRUE(ok);
    EXPECT_TRUE(sink.Messages().empty());
    EXPECT_DOUBLE_EQ(time.GetValue(), 0.02);
}

}  // namespace
}  // namespace kalvora
