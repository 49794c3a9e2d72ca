// Mixing the two channels of a stereo sound into each other.
#include "platform/assertion.h"
#include "sound/sound.h"

namespace kalvora {

std::unique_ptr<Sound> Sound::MixLeftRight(ErrorFlag* error, double leftToLeft, double leftToRight,
                                           double rightToLeft, double rightToRight,
                                           std::int32_t begin, std::int32_t end) const {
    KALVORA_ASSERT(MoSt == 2 && GetValues() > 0 && 0 <= begin && begin <= end &&
                   end <= GetValues());
    if (ErrorIsSet(error)) return nullptr;
    const Wave& left = GetLeftWave();
    const Wave& right = GetRightWave();
    auto newLeft = left.combine(error, leftToLeft, right, rightToLeft, begin, end);
    if (!newLeft || ErrorIsSet(error)) return nullptr;
    auto newRight = right.combine(error, rightToRight, left, leftToRight, begin, end);
    if (!newRight || ErrorIsSet(error)) return nullptr;
    return std::make_unique<StereoSound>(std::move(*newLeft), std::move(*newRight), Freq,
                                         BytesPSample);
}

}  // namespace kalvora
