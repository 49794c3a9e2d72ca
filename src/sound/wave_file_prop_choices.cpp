#include "sound/wave_file_prop_choices.h"

#include <algorithm>

namespace kalvora {

const std::array<TSampleFrequencyChoice, 6>& StandardSampleFrequencies() {
    static const std::array<TSampleFrequencyChoice, 6> choices = {{
        {5512, "5 kHz"},
        {11025, "11 kHz"},
        {22050, "22 kHz"},
        {44100, "44 kHz"},
        {88200, "88 kHz"},
        {176128, "176 kHz"},
    }};
    return choices;
}

std::vector<TSampleFrequencyChoice> SampleFrequencyChoices(int current) {
    const auto& standard = StandardSampleFrequencies();
    std::vector<TSampleFrequencyChoice> choices(standard.begin(), standard.end());
    if (current > 0 && SampleFrequencyIndex(choices, current) < 0) {
        auto at = std::find_if(choices.begin(), choices.end(),
                               [current](const auto& choice) { return choice.rate > current; });
        choices.insert(at, {current, std::to_string(current) + " Hz"});
    }
    return choices;
}

int SampleFrequencyIndex(const std::vector<TSampleFrequencyChoice>& choices, int rate) {
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (choices[i].rate == rate) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace kalvora
