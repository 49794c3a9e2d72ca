#include "platform/fake_sound_codec.h"

#include <algorithm>
#include <cmath>

namespace kalvora::platform {
namespace {

class FakeDecoder final : public SoundDecoder {
  public:
    explicit FakeDecoder(const FakeSoundFile& file) : file_(file) {
        const auto channels = static_cast<std::int64_t>(std::max(file.info.channels, 1));
        available_ = static_cast<std::int64_t>(file.samples.size()) / channels;
        if (file.framesDelivered >= 0) available_ = std::min(available_, file.framesDelivered);
    }
    const DecodedSoundInfo& Info() const override { return file_.info; }

    std::int64_t ReadShorts(std::int16_t* data, std::int64_t frames) override {
        return Deliver(frames, [data](std::size_t i, float value) {
            data[i] = static_cast<std::int16_t>(std::lrint(value * 32768.0f));
        });
    }
    std::int64_t ReadFloats(float* data, std::int64_t frames) override {
        return Deliver(frames, [data](std::size_t i, float value) { data[i] = value; });
    }
    std::string ReadError() const override { return error_; }

  private:
    template <class Put>
    std::int64_t Deliver(std::int64_t frames, Put put) {
        const std::int64_t count = std::min(frames, available_ - position_);
        const auto channels = static_cast<std::size_t>(file_.info.channels);
        const std::size_t first = static_cast<std::size_t>(position_) * channels;
        for (std::size_t i = 0; i < static_cast<std::size_t>(count) * channels; ++i)
            put(i, file_.samples[first + i]);
        position_ += count;
        if (count < frames && file_.framesDelivered >= 0) error_ = file_.readError;
        return count;
    }

    const FakeSoundFile& file_;
    std::int64_t available_ = 0;
    std::int64_t position_ = 0;
    std::string error_;
};

class FakeEncoder final : public SoundEncoder {
  public:
    FakeEncoder(FakeSoundCodec& codec, std::string name, const EncodeSettings& settings)
        : codec_(codec), name_(std::move(name)) {
        file_.settings = settings;
    }
    bool WriteShorts(const std::int16_t* data, std::int64_t frames) override {
        file_.samples.insert(file_.samples.end(), data, data + frames * file_.settings.channels);
        return true;
    }
    bool Finish() override {
        codec_.written[name_] = file_;
        return true;
    }
    std::string ErrorText() const override { return {}; }

  private:
    FakeSoundCodec& codec_;
    std::string name_;
    FakeEncodedFile file_;
};

}  // namespace

std::unique_ptr<SoundDecoder> FakeSoundCodec::Open(const std::filesystem::path& file,
                                                   std::string& errorText) {
    auto found = files.find(file.string());
    if (found == files.end()) {
        errorText = "File contains data in an unknown format.";
        return nullptr;
    }
    return std::make_unique<FakeDecoder>(found->second);
}

std::unique_ptr<SoundDecoder> FakeSoundCodec::OpenBytes(std::span<const std::uint8_t>,
                                                        std::string& errorText) {
    errorText = "File contains data in an unknown format.";
    return nullptr;
}

std::unique_ptr<SoundEncoder> FakeSoundCodec::Create(const std::filesystem::path& file,
                                                     const EncodeSettings& settings,
                                                     std::string& errorText) {
    if (!createError.empty()) {
        errorText = createError;
        return nullptr;
    }
    return std::make_unique<FakeEncoder>(*this, file.string(), settings);
}

}  // namespace kalvora::platform
