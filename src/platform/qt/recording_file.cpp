#include "platform/qt/recording_file.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <system_error>
#include <vector>

#include "sound/error_flag.h"
#include "sound/sound.h"
#include "sound/wave.h"
#include "sound/wave_file.h"

namespace kalvora::platform {
namespace {

constexpr qint64 kBlockBytes = 1 << 16;

// One sample of the device's format as a 16-bit wave value (8-bit: (b - 128)·256, as the WAV
// reader holds it).
std::int16_t ToWaveValue(const unsigned char* sample, QAudioFormat::SampleFormat format) {
    switch (format) {
        case QAudioFormat::UInt8:
            return static_cast<std::int16_t>((sample[0] - 128) * 256);
        case QAudioFormat::Int16: {
            std::int16_t value;
            std::memcpy(&value, sample, sizeof value);
            return value;
        }
        case QAudioFormat::Int32: {
            std::int32_t value;
            std::memcpy(&value, sample, sizeof value);
            return static_cast<std::int16_t>(value >> 16);
        }
        case QAudioFormat::Float: {
            float value;
            std::memcpy(&value, sample, sizeof value);
            const float clamped = std::clamp(value, -1.0f, 1.0f);
            return static_cast<std::int16_t>(std::lrint(clamped * 32767.0f));
        }
        default:
            return 0;
    }
}

}  // namespace

RecordingFile::RecordingFile(std::filesystem::path rawFileName)
    : rawFileName_(std::move(rawFileName)), raw_(QFile::decodeName(rawFileName_.c_str())) {}

RecordingFile::~RecordingFile() {
    Discard();
}

bool RecordingFile::Begin(const QAudioFormat& format) {
    Discard();
    format_ = format;
    bytes_ = 0;
    return raw_.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

bool RecordingFile::Append(const char* data, qint64 size) {
    if (!raw_.isOpen()) return false;
    if (raw_.write(data, size) != size) return false;
    bytes_ += size;
    return true;
}

void RecordingFile::End() {
    if (raw_.isOpen()) raw_.close();
}

void RecordingFile::Discard() {
    End();
    bytes_ = 0;
    std::error_code ignored;
    std::filesystem::remove(rawFileName_, ignored);
}

std::int64_t RecordingFile::Frames() const {
    const int frameBytes = format_.bytesPerFrame();
    return frameBytes > 0 ? bytes_ / frameBytes : 0;
}

double RecordingFile::Seconds() const {
    return format_.sampleRate() > 0 ? static_cast<double>(Frames()) / format_.sampleRate() : 0.0;
}

bool RecordingFile::SaveAs(const std::filesystem::path& fileName, std::string& errorText) {
    End();
    errorText.clear();
    const int channels = std::min(format_.channelCount(), 2);
    const int sampleBytes = format_.bytesPerSample();
    const int frameBytes = format_.bytesPerFrame();
    if (channels < 1 || sampleBytes < 1) {
        errorText = "The sound device recorded in a format that cannot be saved.";
        return false;
    }
    const auto frames = static_cast<std::int32_t>(
        std::min<std::int64_t>(Frames(), std::numeric_limits<std::int32_t>::max()));
    ErrorFlag error = 0;
    std::array<Wave, 2> waves;
    for (int c = 0; c < channels; ++c) {
        waves[c] = Wave(&error, frames);
        if (ErrorIsSet(&error)) return false;  // reported by the allocation routine
    }
    QFile raw(QFile::decodeName(rawFileName_.c_str()));
    if (frames > 0 && !raw.open(QIODevice::ReadOnly)) {
        errorText = "Cannot read the recorded samples from \"" + rawFileName_.string() + "\".";
        return false;
    }
    const std::int32_t framesPerBlock = static_cast<std::int32_t>(kBlockBytes / frameBytes);
    std::vector<unsigned char> block(static_cast<std::size_t>(framesPerBlock) * frameBytes);
    for (std::int32_t first = 0; first < frames; first += framesPerBlock) {
        const std::int32_t count = std::min(framesPerBlock, frames - first);
        const qint64 wanted = static_cast<qint64>(count) * frameBytes;
        if (raw.read(reinterpret_cast<char*>(block.data()), wanted) != wanted) {
            errorText = "Cannot read the recorded samples from \"" + rawFileName_.string() + "\".";
            return false;
        }
        for (std::int32_t i = 0; i < count; ++i) {
            const unsigned char* frame = block.data() + static_cast<std::size_t>(i) * frameBytes;
            for (int c = 0; c < channels; ++c)
                waves[c].wave[first + i] =
                    ToWaveValue(frame + c * sampleBytes, format_.sampleFormat());
        }
    }
    const std::int16_t bytesPSample = format_.sampleFormat() == QAudioFormat::UInt8 ? 1 : 2;
    std::unique_ptr<Sound> sound;
    if (channels == 1) {
        sound =
            std::make_unique<MonoSound>(std::move(waves[0]), format_.sampleRate(), bytesPSample);
    } else {
        sound = std::make_unique<StereoSound>(std::move(waves[0]), std::move(waves[1]),
                                              format_.sampleRate(), bytesPSample);
    }
    // The writer shows its own message when it fails.
    return WriteWaveFile(*sound, &error, fileName, 0, frames);
}

}  // namespace kalvora::platform
