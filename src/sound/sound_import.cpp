#include "sound/sound_import.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <vector>

#include "sound/channel_downmix.h"
#include "sound/sample_memory.h"
#include "sound/tpdf_dither.h"
#include "sound/wave_kernels.h"

namespace kalvora {
namespace {

constexpr std::int64_t kBlockFrames = 8192;
constexpr std::int64_t kMostFrames = std::numeric_limits<std::int32_t>::max();

// The waves being filled: one segment per channel when the file states its length
// truthfully, more when it delivers more than it stated. Finish joins them.
class WaveCollector {
  public:
    WaveCollector(int channels, ErrorFlag* error) : channels_(channels), error_(error) {}

    bool AddSegment(std::int64_t frames) {
        std::array<Wave, 2> segment;
        for (int c = 0; c < channels_; ++c) {
            segment[c] = Wave(error_, static_cast<std::int32_t>(frames));
            if (ErrorIsSet(error_)) return false;
        }
        segments_.push_back(std::move(segment));
        used_ = 0;
        return true;
    }
    std::int64_t Room() const { return segments_.empty() ? 0 : segments_.back()[0].values - used_; }
    std::int16_t* At(int channel) { return segments_.back()[channel].wave + used_; }
    void Advance(std::int64_t frames) {
        used_ += frames;
        total_ += frames;
    }
    std::int64_t Total() const { return total_; }

    // The collected samples as one wave per channel, copied only when they did not arrive
    // exactly as stated.
    bool Finish(std::array<Wave, 2>& waves) {
        if (segments_.size() == 1 && Room() == 0) {
            waves = std::move(segments_.front());
            return true;
        }
        for (int c = 0; c < channels_; ++c) {
            waves[c] = Wave(error_, static_cast<std::int32_t>(total_));
            if (ErrorIsSet(error_)) return false;
        }
        std::int64_t at = 0;
        for (std::size_t s = 0; s < segments_.size(); ++s) {
            const bool last = s + 1 == segments_.size();
            const std::int64_t count = last ? used_ : segments_[s][0].values;
            for (int c = 0; c < channels_; ++c) {
                if (count > 0) {
                    std::memcpy(waves[c].wave + at, segments_[s][c].wave,
                                static_cast<std::size_t>(count) * sizeof(std::int16_t));
                }
                segments_[s][c] = Wave();
            }
            at += count;
        }
        return true;
    }

  private:
    int channels_;
    ErrorFlag* error_;
    std::vector<std::array<Wave, 2>> segments_;
    std::int64_t used_ = 0;
    std::int64_t total_ = 0;
};

// Floats in full scale -1 .. 1 to 16-bit samples: dithered, rounded and held within 16 bits.
// Values beyond full scale are counted as clipped; the top step of a wider file (just below
// 1.0, above the largest 16-bit value) is held at 32767 without counting. The loop has no
// branches and no chain from sample to sample, so that the compiler can run it in vectors.
class Quantizer {
  public:
    // count values, every stride-th of in, into out.
    void Run(const float* in, std::ptrdiff_t stride, std::int16_t* out, std::int64_t count) {
        std::int64_t clipped = 0;
        for (std::int64_t i = 0; i < count; ++i) {
            float scaled = in[i * stride] * 32768.0f;
            const bool nan = scaled != scaled;
            // Bitwise, not short-circuit: no branch.
            clipped += (scaled > 32768.0f) | (scaled < -32768.0f) | nan;
            scaled = nan ? 0.0f : scaled;
            float dithered = scaled + TpdfDither::At(static_cast<std::uint32_t>(counter_ + i));
            dithered = dithered < -32768.0f ? -32768.0f : dithered;
            dithered = dithered > 32767.0f ? 32767.0f : dithered;
            // Adding and taking away 1.5 * 2^23 rounds to the nearest integer (ties to even).
            constexpr float round = 12582912.0f;
            out[i] =
                static_cast<std::int16_t>(static_cast<std::int32_t>((dithered + round) - round));
        }
        counter_ += static_cast<std::uint64_t>(count);
        clipped_ += clipped;
    }
    std::int64_t Clipped() const { return clipped_; }

  private:
    std::uint64_t counter_ = 0;
    std::int64_t clipped_ = 0;
};

// Decodes the file block by block into the collector.
class ImportReader {
  public:
    explicit ImportReader(platform::SoundDecoder& decoder)
        : decoder_(decoder), info_(decoder.Info()), exact_(!info_.wide && info_.channels <= 2) {
        if (info_.channels > 2) {
            weights_ = StereoDownmix(info_.positions, info_.channels);
            mixedLeft_.resize(static_cast<std::size_t>(kBlockFrames));
            mixedRight_.resize(static_cast<std::size_t>(kBlockFrames));
        }
        const auto samples = static_cast<std::size_t>(kBlockFrames * info_.channels);
        if (exact_) {
            shorts_.resize(samples);
        } else {
            floats_.resize(samples);
        }
    }

    bool Exact() const { return exact_; }
    std::int64_t Clipped() const { return quantizer_.Clipped(); }

    // Up to frames frames decoded into the block buffer; 0 at the end.
    std::int64_t Read(std::int64_t frames) {
        frames = std::min(frames, kBlockFrames);
        return exact_ ? decoder_.ReadShorts(shorts_.data(), frames)
                      : decoder_.ReadFloats(floats_.data(), frames);
    }

    // Frames first .. first + count - 1 of the block into the waves at left and right.
    void Convert(std::int64_t first, std::int64_t count, std::int16_t* left, std::int16_t* right) {
        const int channels = info_.channels;
        if (exact_ && channels == 1) {
            std::memcpy(left, shorts_.data() + first,
                        static_cast<std::size_t>(count) * sizeof(std::int16_t));
        } else if (exact_) {
            kernels::Deinterleave(shorts_.data() + 2 * first, left, right, count);
        } else if (channels <= 2) {
            const float* in = floats_.data() + first * channels;
            quantizer_.Run(in, channels, left, count);
            if (channels == 2) quantizer_.Run(in + 1, 2, right, count);
        } else {
            for (std::int64_t i = 0; i < count; ++i) {
                const float* frame = floats_.data() + (first + i) * channels;
                float l = 0;
                float r = 0;
                for (int c = 0; c < channels; ++c) {
                    l += weights_[static_cast<std::size_t>(c)].left * frame[c];
                    r += weights_[static_cast<std::size_t>(c)].right * frame[c];
                }
                mixedLeft_[static_cast<std::size_t>(i)] = l;
                mixedRight_[static_cast<std::size_t>(i)] = r;
            }
            quantizer_.Run(mixedLeft_.data(), 1, left, count);
            quantizer_.Run(mixedRight_.data(), 1, right, count);
        }
    }

  private:
    platform::SoundDecoder& decoder_;
    const platform::DecodedSoundInfo& info_;
    bool exact_;
    std::vector<StereoWeights> weights_;
    std::vector<std::int16_t> shorts_;
    std::vector<float> floats_;
    std::vector<float> mixedLeft_;
    std::vector<float> mixedRight_;
    Quantizer quantizer_;
};

bool Fail(std::string_view text, std::string& errorText) {
    errorText = text;
    return false;
}

}  // namespace

bool ImportSound(platform::SoundDecoder& decoder, ImportResult& result, std::string& errorText,
                 const ImportLimits& limits) {
    result = ImportResult();
    const platform::DecodedSoundInfo& info = decoder.Info();
    if (info.channels <= 0 || info.rate <= 0 || info.frames < 0)
        return Fail(importText::badFormat, errorText);
    const std::int64_t mostFrames = std::clamp<std::int64_t>(limits.mostFrames, 0, kMostFrames);
    if (info.frames > mostFrames) return Fail(importText::tooLong, errorText);

    const int outChannels = info.channels == 1 ? 1 : 2;
    ErrorFlag error = 0;
    WaveCollector collector(outChannels, &error);
    const std::int64_t upFront =
        std::min(info.frames, std::max<std::int64_t>(limits.framesUpFront, 0));
    if (upFront > 0 && !collector.AddSegment(upFront)) return Fail(kNotEnoughMemoryText, errorText);

    ImportReader reader(decoder);
    std::array<std::int16_t*, 2> out{};
    for (;;) {
        const std::int64_t room = collector.Room();
        const std::int64_t got = reader.Read(room > 0 ? room : kBlockFrames);
        if (got <= 0) break;
        std::int64_t done = 0;
        while (done < got) {
            if (collector.Room() == 0) {
                // More than the file stated: grow by what arrived so far, within a wave's size.
                const std::int64_t left = mostFrames - collector.Total();
                if (left < got - done) return Fail(importText::tooLong, errorText);
                const std::int64_t grow =
                    std::min(left, std::max(collector.Total(), kBlockFrames * 16));
                if (!collector.AddSegment(grow)) return Fail(kNotEnoughMemoryText, errorText);
            }
            const std::int64_t count = std::min(got - done, collector.Room());
            for (int c = 0; c < outChannels; ++c)
                out[static_cast<std::size_t>(c)] = collector.At(c);
            reader.Convert(done, count, out[0], out[1]);
            collector.Advance(count);
            done += count;
        }
    }
    if (const std::string problem = decoder.ReadError(); !problem.empty())
        return Fail(std::string(importText::damaged) + problem, errorText);

    std::array<Wave, 2> waves;
    if (!collector.Finish(waves)) return Fail(kNotEnoughMemoryText, errorText);
    if (outChannels == 1) {
        result.sound = std::make_unique<MonoSound>(std::move(waves[0]), info.rate, 2);
    } else {
        result.sound =
            std::make_unique<StereoSound>(std::move(waves[0]), std::move(waves[1]), info.rate, 2);
    }
    result.clippedSamples = reader.Clipped();
    result.fileChannels = info.channels;
    result.dithered = !reader.Exact();
    result.formatName = info.formatName;
    return true;
}

bool ImportSoundFile(platform::SoundCodec& codec, const std::filesystem::path& file,
                     ImportResult& result, std::string& errorText) {
    result = ImportResult();
    std::unique_ptr<platform::SoundDecoder> decoder = codec.Open(file, errorText);
    if (!decoder) return false;
    return ImportSound(*decoder, result, errorText);
}

std::string ClippedSamplesText(std::int64_t clippedSamples) {
    if (clippedSamples <= 0) return {};
    return std::to_string(clippedSamples) +
           (clippedSamples == 1 ? " sample was" : " samples were") +
           " beyond full scale and clipped to the largest 16-bit value.";
}

}  // namespace kalvora
