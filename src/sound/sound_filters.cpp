// The filters of Sound: each channel through the Wave filter, the two channels of a stereo
// sound side by side.
#include <cmath>
#include <optional>

#include "platform/assertion.h"
#include "sound/channel_map.h"
#include "sound/filter.h"
#include "sound/filter_pairs.h"
#include "sound/sample_memory.h"
#include "sound/sound.h"

namespace kalvora {
namespace {

// The stereo sound of a filtered pair of channels, or nullptr.
std::unique_ptr<Sound> FromPair(ErrorFlag* error, const Sound& like, FilteredPair pair) {
    if (!pair.left || !pair.right || ErrorIsSet(error)) return nullptr;
    ChannelWaves waves{std::move(pair.left), std::move(pair.right)};
    return channels::Adopt(like, std::move(waves));
}

}  // namespace

std::unique_ptr<Sound> Sound::FilterChannels(ErrorFlag* error, LowHighKind kind, double period,
                                             double factor, std::int32_t countBer,
                                             std::int32_t countCmd, std::int32_t begin,
                                             std::int32_t end) const {
    if (ErrorIsSet(error)) return nullptr;
    const auto frequency = FilterFrequency::Constant(Freq * period);
    if (MoSt == 2) {
        return FromPair(
            error, *this,
            FilterLowHighPair(error, GetLeftWave(), GetRightWave(), kind, {frequency, frequency},
                              factor, countBer, countCmd, begin, end));
    }
    return channels::Map(error, *this, [&](const Wave& wave, int) {
        return wave.filterLowHigh(error, kind, frequency, factor, countBer, countCmd, begin, end);
    });
}

std::unique_ptr<Sound> Sound::FilterChannelsEnvelope(ErrorFlag* error, LowHighKind kind,
                                                     const Sound& envelope, double factor,
                                                     std::int32_t countBer, std::int32_t countCmd,
                                                     std::int32_t begin, std::int32_t end) const {
    const channels::Matched matched(error, *this, envelope);
    if (!matched) return nullptr;
    auto frequencyOf = [&](int c) { return FilterFrequency::Envelope(matched[c], Freq); };
    if (MoSt == 2) {
        return FromPair(error, *this,
                        FilterLowHighPair(error, GetLeftWave(), GetRightWave(), kind,
                                          {frequencyOf(0), frequencyOf(1)}, factor, countBer,
                                          countCmd, begin, end));
    }
    return channels::Map(error, *this, [&](const Wave& wave, int c) {
        return wave.filterLowHigh(error, kind, frequencyOf(c), factor, countBer, countCmd, begin,
                                  end);
    });
}

std::unique_ptr<Sound> Sound::ResNotch(ErrorFlag* error, ResNotchKind kind, double period,
                                       double width, const Sound* frequencyEnvelope,
                                       const Sound* widthEnvelope, std::int32_t begin,
                                       std::int32_t end) const {
    if (ErrorIsSet(error)) return nullptr;
    std::optional<channels::Matched> frequencies;
    std::optional<channels::Matched> widths;
    if (frequencyEnvelope != nullptr) {
        frequencies.emplace(error, *this, *frequencyEnvelope);
        if (!*frequencies) return nullptr;
    }
    if (widthEnvelope != nullptr) {
        widths.emplace(error, *this, *widthEnvelope);
        if (!*widths) return nullptr;
    }
    auto frequencyOf = [&](int c) {
        return frequencies ? FilterFrequency::Envelope((*frequencies)[c], Freq)
                           : FilterFrequency::Constant(Freq * period);
    };
    auto widthOf = [&](int c) {
        return widths ? FilterWidth::Envelope((*widths)[c]) : FilterWidth::Constant(width);
    };
    if (MoSt == 2) {
        return FromPair(error, *this,
                        FilterResNotchPair(error, GetLeftWave(), GetRightWave(), kind,
                                           {frequencyOf(0), frequencyOf(1)},
                                           {widthOf(0), widthOf(1)}, begin, end));
    }
    return channels::Map(error, *this, [&](const Wave& wave, int c) {
        return wave.filterResNotch(error, kind, frequencyOf(c), widthOf(c), begin, end);
    });
}

namespace {

// A block time too long for any wave: the extension cannot be held, as when memory runs out.
bool BlockTimeFits(ErrorFlag* error, double x) {
    if (std::isfinite(x)) return true;
    ReportAllocationFailure(error);
    return false;
}

}  // namespace

std::unique_ptr<Sound> Sound::BlockFilter(ErrorFlag* error, double time, std::int32_t& begin,
                                          std::int32_t& end) const {
    if (ErrorIsSet(error)) return nullptr;
    const double x = Freq * time;
    if (!BlockTimeFits(error, x)) return nullptr;
    return channels::MapRange(error, *this, begin, end,
                              [&](const Wave& wave, int, std::int32_t& b, std::int32_t& e) {
                                  return wave.blockFilter(error, x, b, e);
                              });
}

std::unique_ptr<Sound> Sound::BlockFilterEnvelope(ErrorFlag* error, const Sound& envelope,
                                                  double time, std::int32_t& begin,
                                                  std::int32_t& end) const {
    const channels::Matched matched(error, *this, envelope);
    if (!matched) return nullptr;
    const double x = Freq * time;
    if (!BlockTimeFits(error, x)) return nullptr;
    return channels::MapRange(error, *this, begin, end,
                              [&](const Wave& wave, int c, std::int32_t& b, std::int32_t& e) {
                                  return wave.blockFilterEnvelope(error, x, matched[c], b, e);
                              });
}

}  // namespace kalvora
