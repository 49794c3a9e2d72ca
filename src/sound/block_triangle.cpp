// Block and triangle waves, with a constant middle or one read from an envelope.
#include <cmath>

#include "platform/assertion.h"
#include "sound/generated_part.h"
#include "sound/sample.h"
#include "sound/sound.h"
#include "sound/wave.h"

namespace kalvora {
namespace {

// One period's shape between the first height a and the second height b.
class BlockTriangleShape {
  public:
    BlockTriangleShape(double a, double b, bool triangle) : a_(a), b_(b), triangle_(triangle) {}

    // Sets the middle and the two slopes that follow from it; a slope without width is 0.
    void SetMiddle(double middle) {
        middle_ = middle;
        fall_ = middle < 1 ? (a_ - b_) / (1 - middle) : 0;
    }

    double At(double phase) const {
        if (!triangle_) return phase < middle_ ? a_ : b_;
        if (phase < middle_) return a_ + (b_ - a_) * phase / middle_;  // middle_ > 0 here
        return a_ + fall_ * (phase - 1);
    }

  private:
    double a_;
    double b_;
    bool triangle_;
    double middle_ = 0;
    double fall_ = 0;
};

// The phase of a block or triangle: advances by 1 / period and keeps inside 0 .. 1.
class WrappedPhase {
  public:
    WrappedPhase(double start, double period) : phase_(start), step_(1 / period) {}
    double Value() const { return phase_; }
    void Advance() {
        phase_ += step_;
        if (phase_ >= 1) phase_ -= std::floor(phase_);
    }

  private:
    double phase_;
    double step_;
};

void RequireBlockTriangle(double period, std::int32_t n, double start) {
    KALVORA_ASSERT(period > 0 && n > 0 && start >= 0 && start < 1);
}

}  // namespace

std::unique_ptr<Wave> Wave::blockTriangle(ErrorFlag* error, double h1, double h2, double period,
                                          double middle, std::int32_t n, double start,
                                          bool triangle, std::int32_t& begin,
                                          std::int32_t& end) const {
    RequireBlockTriangle(period, n, start);
    KALVORA_ASSERT(middle >= 0 && middle <= 1);
    BlockTriangleShape shape(h2, h1, triangle);
    shape.SetMiddle(middle);
    WrappedPhase phase(start, period);
    return generated::Generate(error, *this, begin, end, n,
                               [&](std::int16_t* target, std::int64_t first, std::int64_t last) {
                                   for (std::int64_t k = first; k < last; ++k) {
                                       target[k] = ToSample(shape.At(phase.Value()));
                                       phase.Advance();
                                   }
                               });
}

std::unique_ptr<Wave> Wave::blockTriangleEnvelope(ErrorFlag* error, double h1, double h2,
                                                  double period, const Wave& envelope,
                                                  std::int32_t n, double start, bool triangle,
                                                  std::int32_t& begin, std::int32_t& end) const {
    RequireBlockTriangle(period, n, start);
    KALVORA_ASSERT(envelope.values > 0);
    BlockTriangleShape shape(h2, h1, triangle);
    WrappedPhase phase(start, period);
    const double span = envelope.values - 1;
    const double steps = n > 1 ? n - 1 : 1;
    return generated::Generate(error, *this, begin, end, n,
                               [&](std::int16_t* target, std::int64_t first, std::int64_t last) {
                                   for (std::int64_t k = first; k < last; ++k) {
                                       const double x = static_cast<double>(k) * span / steps;
                                       shape.SetMiddle(envelope.getInterpolated(x) / 65535 + 0.5);
                                       target[k] = ToSample(shape.At(phase.Value()));
                                       phase.Advance();
                                   }
                               });
}

std::unique_ptr<Sound> Sound::BlockTriangle(ErrorFlag* error, double h1, double h2, double period,
                                            double middle, double length, double start,
                                            bool triangle, std::int32_t& begin,
                                            std::int32_t& end) const {
    if (ErrorIsSet(error)) return nullptr;
    const std::int32_t n = generated::SampleCount(error, Freq * length);
    if (n < 0) return nullptr;
    const double samples = Freq * period;
    return generated::SameInEveryChannel(
        error, *this, begin, end, [&](const Wave& wave, std::int32_t& b, std::int32_t& e) {
            return wave.blockTriangle(error, h1, h2, samples, middle, n, start, triangle, b, e);
        });
}

std::unique_ptr<Sound> Sound::BlockTriangleEnvelope(ErrorFlag* error, double h1, double h2,
                                                    double period, const Sound& envelope,
                                                    double length, double start, bool triangle,
                                                    std::int32_t& begin, std::int32_t& end) const {
    if (ErrorIsSet(error)) return nullptr;
    KALVORA_ASSERT(envelope.GetValues() > 0);
    const std::int32_t n = generated::SampleCount(error, Freq * length);
    if (n < 0) return nullptr;
    const double samples = Freq * period;
    ChannelWave mono;
    if (MoSt == 1) {
        mono = envelope.GetMonoWave(error);
        if (!mono) return nullptr;
    }
    return generated::EachChannel(
        error, *this, begin, end,
        [&](const Wave& wave, int channel, std::int32_t& b, std::int32_t& e) {
            const Wave& middles = MoSt == 1      ? *mono
                                  : channel == 0 ? envelope.GetLeftWave()
                                                 : envelope.GetRightWave();
            return wave.blockTriangleEnvelope(error, h1, h2, samples, middles, n, start, triangle,
                                              b, e);
        });
}

}  // namespace kalvora
