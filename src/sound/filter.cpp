// The time-domain filters of Wave: the low and high cascade, the resonant and notch
// oscillator and the block filter (a running mean).
#include "sound/filter.h"
#include "sound/filter_pairs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

#include "platform/assertion.h"
#include "sound/operation_support.h"
#include "sound/sample.h"
#include "sound/sound.h"
#include "sound/wave.h"

namespace kalvora {

double EnvelopeFrequency(double value) {
    return 20 * std::pow(10.0, (std::trunc(value) + 32768) / 21845);
}

double EnvelopeWidth(double value) {
    return (std::trunc(value) + 32768) / 65536;
}

double HighestEnvelopeFrequency(ErrorFlag* error, int channelCount, const Sound& envelope) {
    KALVORA_ASSERT(envelope.GetValues() > 0 && (channelCount == 1 || channelCount == 2));
    // The same matching as when the envelope filters: mono takes the averaged mono wave.
    std::array<ChannelWave, 2> waves;
    if (channelCount == 1) {
        waves[0] = envelope.GetMonoWave(error);
    } else {
        waves[0] = ChannelWave::Borrowed(envelope.GetLeftWave());
        waves[1] = ChannelWave::Borrowed(envelope.GetRightWave());
    }
    if (!waves[0] || ErrorIsSet(error)) return 0;
    std::int16_t highest = -32768;
    for (int c = 0; c < channelCount; ++c) {
        const Wave& wave = *waves[c];
        for (std::int32_t k = 0; k < wave.values; ++k)
            highest = std::max(highest, wave.wave[k]);
    }
    return EnvelopeFrequency(highest);
}

namespace {

using operations::EnvelopeReader;
using operations::Framed;

bool ValidRange(const Wave& wave, std::int32_t begin, std::int32_t end) {
    return 0 <= begin && begin < end && end <= wave.values;
}

// ---- Channels side by side ----
// Every channel runs its own recurrence. The channels of a stereo sound run in one loop, so
// that the processor works on both recurrences at once; each channel's arithmetic stays
// exactly that of a run on its own.

template <int N>
struct Lanes {
    std::array<const std::int16_t*, N> source;
    std::array<std::int16_t*, N> target;
};

// The state stays between the smallest and largest input, so a plain truncation converts
// it (and the difference from the input) exactly as ToSample does.
inline std::int16_t Truncated(double value) {
    return WrapToSample(static_cast<std::int32_t>(value));
}

// ---- Low and high ----

double LowHighCoefficient(double a, double period) {
    const double c = 1 - a * (2 * std::numbers::pi) / (period * std::sqrt(1 - a * a));
    return c < 0 ? 0 : c;
}

// The section coefficient of every sample: constant, or from the period the envelope asks
// for, recomputed only when the envelope's value changes.
class LowHighCoefficients {
  public:
    LowHighCoefficients() = default;
    LowHighCoefficients(const FilterFrequency& frequency, double a, std::int64_t length)
        : a_(a), rate_(frequency.rate) {
        if (frequency.envelope == nullptr) {
            c_ = LowHighCoefficient(a, frequency.period);
        } else {
            reader_ = EnvelopeReader(*frequency.envelope, length);
        }
    }

    double Next() {
        if (!reader_.Active()) return c_;
        const double value = std::trunc(reader_.Next());
        if (value != value_) {
            value_ = value;
            c_ = LowHighCoefficient(a_, rate_ / EnvelopeFrequency(value));
        }
        return c_;
    }

  private:
    double a_ = 0;
    double rate_ = 0;
    double c_ = 0;
    double value_ = std::numeric_limits<double>::quiet_NaN();
    EnvelopeReader reader_;
};

// One run of a pass: state = (1 - c)·x + c·state, storing state (low) or x - state (high).
template <int N, bool High, bool Constant>
void LowHighRun(const Lanes<N>& lanes, std::array<LowHighCoefficients, N>& coefficients,
                std::array<double, N>& state, std::int64_t first, std::int64_t last) {
    std::array<double, N> s = state;
    std::array<double, N> c{};
    if (Constant) {
        for (int i = 0; i < N; ++i)
            c[i] = coefficients[i].Next();
    }
    for (std::int64_t k = first; k < last; ++k) {
        for (int i = 0; i < N; ++i) {
            if (!Constant) c[i] = coefficients[i].Next();
            const double x = lanes.source[i][k];
            s[i] = (1 - c[i]) * x + c[i] * s[i];
            lanes.target[i][k] = Truncated(High ? x - s[i] : s[i]);
        }
    }
    state = s;
}

// countCmd passes over the range of every lane; every pass after the first reads the
// targets.
template <int N>
void LowHighLanes(ErrorFlag* error, Lanes<N> lanes, LowHighKind kind,
                  const std::array<FilterFrequency, N>& frequency, double a, std::int32_t countCmd,
                  std::int32_t begin, std::int32_t end) {
    bool constant = true;
    bool passesThrough = true;
    for (const FilterFrequency& f : frequency) {
        constant = constant && f.envelope == nullptr;
        passesThrough = passesThrough && constant && LowHighCoefficient(a, f.period) == 0;
    }
    // With c = 0 a pass stores its input (low) or silence (high), and every later pass
    // repeats that result: one pass gives the result of any count.
    if (passesThrough) countCmd = 1;
    const bool high = kind == LowHighKind::high;
    for (std::int32_t pass = 0; pass < countCmd && !ErrorIsSet(error); ++pass) {
        if (pass > 0) {
            for (int i = 0; i < N; ++i)
                lanes.source[i] = lanes.target[i];
        }
        std::array<LowHighCoefficients, N> coefficients;
        for (int i = 0; i < N; ++i)
            coefficients[i] = LowHighCoefficients(frequency[i], a, end - begin);
        std::array<double, N> state{};
        ForEachRun(error, begin, end, [&](std::int64_t first, std::int64_t last) {
            if (constant) {
                if (high) {
                    LowHighRun<N, true, true>(lanes, coefficients, state, first, last);
                } else {
                    LowHighRun<N, false, true>(lanes, coefficients, state, first, last);
                }
            } else if (high) {
                LowHighRun<N, true, false>(lanes, coefficients, state, first, last);
            } else {
                LowHighRun<N, false, false>(lanes, coefficients, state, first, last);
            }
        });
    }
}

// ---- Resonant and notch ----

struct ResonatorCoefficients {
    double e = 0;  // damping: (1 - width)^(1/P)
    double d = 0;  // coupling: the step constant / P²
};

// The resonant filter with a frequency envelope and a constant width steps its oscillator
// 20 times per sample with a finer coupling; every other variant 4 times.
bool FineSteps(ResNotchKind kind, const FilterFrequency& frequency, const FilterWidth& width) {
    return kind == ResNotchKind::resonant && frequency.envelope != nullptr &&
           width.envelope == nullptr;
}

// The oscillator's coefficients of every sample: constant, or following the envelopes,
// recomputed only when an envelope's value changes.
class ResonatorSchedule {
  public:
    ResonatorSchedule() = default;
    ResonatorSchedule(bool fineSteps, const FilterFrequency& frequency, const FilterWidth& width,
                      std::int64_t length)
        : rate_(frequency.rate),
          period_(frequency.period),
          width_(width.width),
          stepConstant_(fineSteps ? 0.09864 : 2.466) {
        if (frequency.envelope != nullptr) {
            frequencyReader_ = EnvelopeReader(*frequency.envelope, length);
        }
        if (width.envelope != nullptr) widthReader_ = EnvelopeReader(*width.envelope, length);
        // With envelopes the first sample computes its own coefficients.
        if (!frequencyReader_.Active()) Compute();
    }

    const ResonatorCoefficients& Next() {
        bool changed = false;
        if (frequencyReader_.Active()) {
            const double value = std::trunc(frequencyReader_.Next());
            if (value != frequencyValue_) {
                frequencyValue_ = value;
                period_ = rate_ / EnvelopeFrequency(value);
                changed = true;
            }
        }
        if (widthReader_.Active()) {
            const double value = std::trunc(widthReader_.Next());
            if (value != widthValue_) {
                widthValue_ = value;
                width_ = EnvelopeWidth(value);
                changed = true;
            }
        }
        if (changed) Compute();
        return coefficients_;
    }

  private:
    void Compute() {
        coefficients_.e = std::pow(1 - width_, 1 / period_);
        coefficients_.d = stepConstant_ / (period_ * period_);
    }

    double rate_ = 0;
    double period_ = 1;
    double width_ = 0;
    double stepConstant_ = 2.466;
    double frequencyValue_ = std::numeric_limits<double>::quiet_NaN();
    double widthValue_ = std::numeric_limits<double>::quiet_NaN();
    EnvelopeReader frequencyReader_;
    EnvelopeReader widthReader_;
    ResonatorCoefficients coefficients_;
};

// One run: for each input sample x the oscillator steps Steps times (y = y + d·v,
// v = v - y, y = (1 - e)·x + e·y); the output is y (resonant) or x - y (notch).
template <int N, int Steps, bool Notch, bool Constant>
void ResonatorRun(const Lanes<N>& lanes, std::array<ResonatorSchedule, N>& schedules,
                  std::array<double, N>& vState, std::array<double, N>& yState, std::int64_t first,
                  std::int64_t last) {
    std::array<double, N> v = vState;
    std::array<double, N> y = yState;
    std::array<ResonatorCoefficients, N> k;
    if (Constant) {
        for (int i = 0; i < N; ++i)
            k[i] = schedules[i].Next();
    }
    for (std::int64_t n = first; n < last; ++n) {
        for (int i = 0; i < N; ++i) {
            if (!Constant) k[i] = schedules[i].Next();
            const double x = lanes.source[i][n];
            const double input = (1 - k[i].e) * x;
            for (int step = 0; step < Steps; ++step) {
                y[i] = y[i] + k[i].d * v[i];
                v[i] = v[i] - y[i];
                y[i] = input + k[i].e * y[i];
            }
            lanes.target[i][n] = ToSample(Notch ? x - y[i] : y[i]);
        }
    }
    vState = v;
    yState = y;
}

template <int N, int Steps>
void ResonatorLoop(ErrorFlag* error, const Lanes<N>& lanes, bool notch, bool constant,
                   std::array<ResonatorSchedule, N>& schedules, std::int32_t begin,
                   std::int32_t end) {
    std::array<double, N> v{};
    std::array<double, N> y{};
    ForEachRun(error, begin, end, [&](std::int64_t first, std::int64_t last) {
        if (constant) {
            if (notch) {
                ResonatorRun<N, Steps, true, true>(lanes, schedules, v, y, first, last);
            } else {
                ResonatorRun<N, Steps, false, true>(lanes, schedules, v, y, first, last);
            }
        } else if (notch) {
            ResonatorRun<N, Steps, true, false>(lanes, schedules, v, y, first, last);
        } else {
            ResonatorRun<N, Steps, false, false>(lanes, schedules, v, y, first, last);
        }
    });
}

// The lanes share the filter's kind and which of frequency and width follow envelopes.
template <int N>
void ResNotchLanes(ErrorFlag* error, const Lanes<N>& lanes, ResNotchKind kind,
                   const std::array<FilterFrequency, N>& frequency,
                   const std::array<FilterWidth, N>& width, std::int32_t begin, std::int32_t end) {
    const bool fine = FineSteps(kind, frequency[0], width[0]);
    const bool constant = frequency[0].envelope == nullptr && width[0].envelope == nullptr;
    std::array<ResonatorSchedule, N> schedules;
    for (int i = 0; i < N; ++i)
        schedules[i] = ResonatorSchedule(fine, frequency[i], width[i], end - begin);
    const bool notch = kind == ResNotchKind::notch;
    if (fine) {
        ResonatorLoop<N, 20>(error, lanes, notch, constant, schedules, begin, end);
    } else {
        ResonatorLoop<N, 4>(error, lanes, notch, constant, schedules, begin, end);
    }
}

// ---- Block filter ----

// The input of a block filter: the range read interpolated, 0 outside it.
class RangeSignal {
  public:
    RangeSignal(const Wave& wave, std::int32_t begin, std::int32_t end)
        : samples_(wave.wave), begin_(begin), last_(end - 1) {}

    // At a whole position.
    double At(std::int64_t p) const { return p >= begin_ && p <= last_ ? samples_[p] : 0.0; }

    // At a real position: (1 - f)·s[i] + f·s[i + 1] inside the range.
    double At(double t) const {
        if (!(t >= static_cast<double>(begin_) && t <= static_cast<double>(last_))) return 0;
        const auto i = static_cast<std::int64_t>(t);
        const double f = t - static_cast<double>(i);
        if (i >= last_) return samples_[last_];
        return (1 - f) * samples_[i] + f * samples_[i + 1];
    }

  private:
    const std::int16_t* samples_;
    std::int64_t begin_;
    std::int64_t last_;
};

}  // namespace

std::unique_ptr<Wave> Wave::filterLowHigh(ErrorFlag* error, LowHighKind kind,
                                          const FilterFrequency& frequency, double factor,
                                          std::int32_t countBer, std::int32_t countCmd,
                                          std::int32_t begin, std::int32_t end) const {
    KALVORA_ASSERT(ValidRange(*this, begin, end) && 0 < factor && factor < 1 && countBer >= 1 &&
                   countCmd >= 1 && (frequency.envelope != nullptr || frequency.period > 0));
    KALVORA_ASSERT(frequency.envelope == nullptr || frequency.envelope->values > 0);
    auto result = Framed(error, *this, begin, end, end - begin);
    if (!result) return nullptr;
    const Lanes<1> lanes{{wave}, {result->wave}};
    LowHighLanes<1>(error, lanes, kind, {frequency}, std::pow(factor, 1.0 / countBer), countCmd,
                    begin, end);
    return result;
}

std::unique_ptr<Wave> Wave::filterResNotch(ErrorFlag* error, ResNotchKind kind,
                                           const FilterFrequency& frequency,
                                           const FilterWidth& width, std::int32_t begin,
                                           std::int32_t end) const {
    KALVORA_ASSERT(ValidRange(*this, begin, end));
    KALVORA_ASSERT(frequency.envelope != nullptr ? frequency.envelope->values > 0
                                                 : frequency.period >= 1);
    KALVORA_ASSERT(width.envelope != nullptr ? width.envelope->values > 0
                                             : 0 <= width.width && width.width <= 1);
    auto result = Framed(error, *this, begin, end, end - begin);
    if (!result) return nullptr;
    const Lanes<1> lanes{{wave}, {result->wave}};
    ResNotchLanes<1>(error, lanes, kind, {frequency}, {width}, begin, end);
    return result;
}

std::unique_ptr<Wave> Wave::blockFilter(ErrorFlag* error, double x, std::int32_t begin,
                                        std::int32_t& end) const {
    KALVORA_ASSERT(ValidRange(*this, begin, end) && x != 0 && std::isfinite(x));
    const double index = std::fabs(std::trunc(x)) + 1;
    const std::int64_t n = end - begin + static_cast<std::int64_t>(std::min(index, 4e9));
    auto result = Framed(error, *this, begin, end, n);
    if (!result) return nullptr;
    const RangeSignal input(*this, begin, end);
    const std::int64_t start = x > 0 ? begin - static_cast<std::int64_t>(index) : begin;
    std::int16_t* out = result->wave + begin;
    double sum = 0;
    ForEachRun(error, 0, n, [&](std::int64_t first, std::int64_t last) {
        for (std::int64_t k = first; k < last; ++k) {
            const std::int64_t p = start + k;
            sum = sum + input.At(static_cast<double>(p) + x) / x - input.At(p) / x;
            out[k] = ToSample(0.5 * sum);
        }
    });
    end = static_cast<std::int32_t>(begin + n);
    return result;
}

std::unique_ptr<Wave> Wave::blockFilterEnvelope(ErrorFlag* error, double x, const Wave& envelope,
                                                std::int32_t begin, std::int32_t& end) const {
    KALVORA_ASSERT(ValidRange(*this, begin, end) && std::isfinite(x) && envelope.values > 0);
    // The extension comes from |x| whatever its sign, as in the constant form: both the
    // fade-in before the range and the fade-out after it are A samples long.
    const double extension = std::trunc(std::fabs(x) + 1);
    const auto a = static_cast<std::int64_t>(std::min(extension, 4e9));
    const std::int64_t n = end - begin + 2 * a;
    auto result = Framed(error, *this, begin, end, n);
    if (!result) return nullptr;
    const RangeSignal input(*this, begin, end);
    EnvelopeReader reader(envelope, end - begin);
    // The window starts a whole extension before the range, where it holds only zeros.
    const std::int64_t start = begin - a;
    std::int16_t* out = result->wave + begin;
    double sum = 0;
    ForEachRun(error, 0, n, [&](std::int64_t first, std::int64_t last) {
        for (std::int64_t k = first; k < last; ++k) {
            const std::int64_t p = start + k;
            const double h = x * reader.Next() / 32767;
            if (std::fabs(h) > 1) {
                sum = sum + input.At(static_cast<double>(p) + h) / h - input.At(p) / h;
                out[k] = ToSample(0.5 * sum);
            } else {
                out[k] = ToSample(0.5 * input.At(p));
            }
        }
    });
    end = static_cast<std::int32_t>(begin + n);
    return result;
}

FilteredPair FilterLowHighPair(ErrorFlag* error, const Wave& left, const Wave& right,
                               LowHighKind kind, const std::array<FilterFrequency, 2>& frequency,
                               double factor, std::int32_t countBer, std::int32_t countCmd,
                               std::int32_t begin, std::int32_t end) {
    KALVORA_ASSERT(left.values == right.values && ValidRange(left, begin, end) && 0 < factor &&
                   factor < 1 && countBer >= 1 && countCmd >= 1);
    for (const FilterFrequency& f : frequency) {
        KALVORA_ASSERT(f.envelope != nullptr ? f.envelope->values > 0 : f.period > 0);
    }
    FilteredPair pair{Framed(error, left, begin, end, end - begin),
                      Framed(error, right, begin, end, end - begin)};
    if (!pair.left || !pair.right) return {};
    const Lanes<2> lanes{{left.wave, right.wave}, {pair.left->wave, pair.right->wave}};
    LowHighLanes<2>(error, lanes, kind, frequency, std::pow(factor, 1.0 / countBer), countCmd,
                    begin, end);
    return pair;
}

FilteredPair FilterResNotchPair(ErrorFlag* error, const Wave& left, const Wave& right,
                                ResNotchKind kind, const std::array<FilterFrequency, 2>& frequency,
                                const std::array<FilterWidth, 2>& width, std::int32_t begin,
                                std::int32_t end) {
    KALVORA_ASSERT(left.values == right.values && ValidRange(left, begin, end));
    KALVORA_ASSERT((frequency[0].envelope == nullptr) == (frequency[1].envelope == nullptr) &&
                   (width[0].envelope == nullptr) == (width[1].envelope == nullptr));
    for (int c = 0; c < 2; ++c) {
        KALVORA_ASSERT(frequency[c].envelope != nullptr ? frequency[c].envelope->values > 0
                                                        : frequency[c].period >= 1);
        KALVORA_ASSERT(width[c].envelope != nullptr ? width[c].envelope->values > 0
                                                    : 0 <= width[c].width && width[c].width <= 1);
    }
    FilteredPair pair{Framed(error, left, begin, end, end - begin),
                      Framed(error, right, begin, end, end - begin)};
    if (!pair.left || !pair.right) return {};
    const Lanes<2> lanes{{left.wave, right.wave}, {pair.left->wave, pair.right->wave}};
    ResNotchLanes<2>(error, lanes, kind, frequency, width, begin, end);
    return pair;
}

}  // namespace kalvora
