#include "sound/channel_downmix.h"

#include <algorithm>
#include <array>

namespace kalvora {
namespace {

using P = platform::SpeakerPosition;

constexpr float kMinus3dB = 0.70710678f;

StereoWeights WeightsOf(P position) {
    switch (position) {
        case P::frontLeft:
            return {1, 0};
        case P::frontRight:
            return {0, 1};
        case P::lowFrequency:
            return {0, 0};
        case P::rearLeft:
        case P::sideLeft:
        case P::topLeft:
        case P::frontLeftOfCentre:
            return {kMinus3dB, 0};
        case P::rearRight:
        case P::sideRight:
        case P::topRight:
        case P::frontRightOfCentre:
            return {0, kMinus3dB};
        default:  // centres, mono and channels of no known place: both sides
            return {kMinus3dB, kMinus3dB};
    }
}

}  // namespace

std::vector<platform::SpeakerPosition> DefaultPositions(int channels) {
    static const std::array<std::vector<P>, 9> layouts{{
        {},
        {P::mono},
        {P::frontLeft, P::frontRight},
        {P::frontLeft, P::frontRight, P::frontCentre},
        {P::frontLeft, P::frontRight, P::rearLeft, P::rearRight},
        {P::frontLeft, P::frontRight, P::frontCentre, P::rearLeft, P::rearRight},
        {P::frontLeft, P::frontRight, P::frontCentre, P::lowFrequency, P::rearLeft, P::rearRight},
        {P::frontLeft, P::frontRight, P::frontCentre, P::lowFrequency, P::rearCentre, P::sideLeft,
         P::sideRight},
        {P::frontLeft, P::frontRight, P::frontCentre, P::lowFrequency, P::rearLeft, P::rearRight,
         P::sideLeft, P::sideRight},
    }};
    if (channels <= 0) return {};
    std::vector<P> positions = layouts[static_cast<std::size_t>(std::min(channels, 8))];
    positions.resize(static_cast<std::size_t>(channels), P::unknown);
    return positions;
}

std::vector<StereoWeights> StereoDownmix(const std::vector<platform::SpeakerPosition>& positions,
                                         int channels) {
    const std::vector<P> used =
        static_cast<int>(positions.size()) == channels ? positions : DefaultPositions(channels);
    std::vector<StereoWeights> weights;
    float leftSum = 0;
    float rightSum = 0;
    for (P position : used) {
        weights.push_back(WeightsOf(position));
        leftSum += weights.back().left;
        rightSum += weights.back().right;
    }
    const float largest = std::max(leftSum, rightSum);
    if (largest > 1) {
        for (StereoWeights& w : weights) {
            w.left /= largest;
            w.right /= largest;
        }
    }
    return weights;
}

}  // namespace kalvora
