#include "sound/wave_file_prop_choices.h"

#include <gtest/gtest.h>

namespace kalvora {
namespace {

std::vector<int> Rates(const std::vector<TSampleFrequencyChoice>& choices) {
    std::vector<int> rates;
    for (const auto& choice : choices)
        rates.push_back(choice.rate);
    return rates;
}

TEST(WaveFilePropChoicesTest, StandardRatesOfferOnlyTheList) {
    auto choices = SampleFrequencyChoices(44100);
    EXPECT_EQ(Rates(choices), (std::vector<int>{5512, 11025, 22050, 44100, 88200, 176128}));
    EXPECT_EQ(choices[5].text, "176 kHz");
    EXPECT_EQ(SampleFrequencyIndex(choices, 44100), 3);
    EXPECT_EQ(SampleFrequencyIndex(choices, 176400), -1);
}

// A rate outside the list must survive the dialog: it is offered as an entry of its own
// instead of falling back to the first entry (which would resample the wave to 5512 Hz).
TEST(WaveFilePropChoicesTest, OtherRatesGetAnExtraEntryInRateOrder) {
    struct Case {
        int rate;
        int index;
    };
    for (Case c : {Case{48000, 4}, Case{8000, 1}, Case{1000, 0}, Case{192000, 6}}) {
        auto choices = SampleFrequencyChoices(c.rate);
        ASSERT_EQ(choices.size(), 7u) << c.rate;
        EXPECT_EQ(SampleFrequencyIndex(choices, c.rate), c.index) << c.rate;
        EXPECT_EQ(choices[static_cast<std::size_t>(c.index)].text, std::to_string(c.rate) + " Hz");
    }
    EXPECT_EQ(SampleFrequencyChoices(0).size(), 6u);
}

}  // namespace
}  // namespace kalvora
