#include "music/rolled_out_sample.h"

#include <algorithm>

#include "platform/assertion.h"
#include "sound/sample.h"

namespace kalvora {

RolledOutSample::RolledOutSample(const Wave& source, std::int32_t begin, std::int32_t end,
                                 std::int64_t repeats)
    : source_(source),
      begin_(begin),
      end_(end),
      middleEnd_(begin + repeats * (end - begin)),
      length_(middleEnd_ + (source.values - end)) {
    KALVORA_ASSERT(0 <= begin && begin < end && end <= source.values && repeats >= 0);
}

std::int16_t RolledOutSample::At(std::int64_t i) const {
    if (i < begin_) return source_.wave[i];
    if (i < middleEnd_) return source_.wave[begin_ + (i - begin_) % (end_ - begin_)];
    return source_.wave[end_ + (i - middleEnd_)];
}

std::unique_ptr<Wave> RolledOutSample::Build(ErrorFlag* error) const {
    auto result = std::make_unique<Wave>(error, static_cast<std::int32_t>(length_));
    if (ErrorIsSet(error)) return nullptr;
    const std::int32_t piece = end_ - begin_;
    result->copyPart(error, source_, 0, begin_, 0);
    for (std::int64_t at = begin_; at < middleEnd_ && !ErrorIsSet(error); at += piece) {
        result->copyPart(error, source_, begin_, end_, static_cast<std::int32_t>(at));
    }
    result->copyPart(error, source_, end_, source_.values, static_cast<std::int32_t>(middleEnd_));
    return ErrorIsSet(error) ? nullptr : std::move(result);
}

std::unique_ptr<Wave> RolledOutSample::Resampled(ErrorFlag* error, std::int32_t n) const {
    KALVORA_ASSERT(length_ > 0 && n > 0);
    auto result = std::make_unique<Wave>(error, n);
    if (ErrorIsSet(error)) return nullptr;
    const std::int64_t last = length_ - 1;
    const double step = static_cast<double>(length_) / n;
    double position = 0;
    std::int16_t* target = result->wave;
    ForEachRun(error, 0, n, [&](std::int64_t first, std::int64_t stop) {
        for (std::int64_t j = first; j < stop; ++j) {
            const auto i = static_cast<std::int64_t>(position);
            const double f = position - static_cast<double>(i);
            const double a = At(std::min(i, last));
            const double b = At(std::min(i + 1, last));
            target[j] = ToSample((1 - f) * a + f * b);
            position += step;
        }
    });
    return ErrorIsSet(error) ? nullptr : std::move(result);
}

}  // namespace kalvora
