#include "sound/dicer.h"

#include <utility>

#include "platform/assertion.h"

namespace kalvora {

Dicer::Dicer(RandomSource& source, std::uint32_t seed)
    : next_([&source] { return source.Next(); }) {
    source.Seed(seed);
}

Dicer::Dicer(std::function<int()> next) : next_(std::move(next)) {}

void Dicer::Roll() {
    for (std::int32_t& die : dice_) {
        const std::int32_t high = next_();
        const std::int32_t low = next_();
        die = high * 32768 + low;
    }
}

double Dicer::Value(int dice, double a, double b) const {
    return b + Die(dice) / kDivisor * (a - b);
}

std::int32_t Dicer::Die(int dice) const {
    KALVORA_ASSERT(0 <= dice && dice < DICES);
    return dice_[static_cast<std::size_t>(dice)];
}

}  // namespace kalvora
