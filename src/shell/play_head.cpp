#include "shell/play_head.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kalvora {

void TPlayHead::Started(const void* document, std::int32_t begin, std::int32_t end, int freq) {
    playing_ = true;
    document_ = document;
    begin_ = begin;
    end_ = std::max(begin, end);
    freq_ = freq;
    heard_ = 0.0;
}

double TPlayHead::Heard(double seconds) {
    heard_ = std::max(heard_, seconds);
    return heard_;
}

double TPlayHead::TotalSeconds() const {
    return freq_ > 0 ? static_cast<double>(end_ - begin_) / freq_ : 0.0;
}

std::optional<double> TPlayHead::SampleAt(double seconds) const {
    if (!playing_ || freq_ <= 0) return std::nullopt;
    const double sample = begin_ + std::max(0.0, seconds) * freq_;
    return std::min(sample, static_cast<double>(end_));
}

std::string PlayClockText(double seconds) {
    if (!(seconds > 0.0)) seconds = 0.0;
    const auto tenths = static_cast<long long>(std::floor(seconds * 10.0 + 1e-9));
    char text[48];
    std::snprintf(text, sizeof text, "%lld:%02lld.%lld", tenths / 600, tenths / 10 % 60,
                  tenths % 10);
    return text;
}

std::string PlayTimeText(double elapsed, double total) {
    return PlayClockText(std::min(elapsed, total)) + " / " + PlayClockText(total);
}

std::string RecordTimeText(double elapsed) {
    return "Recording " + PlayClockText(elapsed);
}

}  // namespace kalvora
