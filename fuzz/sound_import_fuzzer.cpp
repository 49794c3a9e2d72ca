// Feeds arbitrary bytes to Import through the libsndfile codec, in memory, and checks that
// what comes out is a consistent 16-bit mono or stereo sound. The decoded length is kept
// small (and waves grow as samples arrive rather than as headers claim), so that a file that
// states an hour of sound in a few bytes is no finding. Any crash or sanitizer report in our
// code is one.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/messages.h"
#include "platform/sndfile/sndfile_codec.h"
#include "sound/sound.h"
#include "sound/sound_import.h"

namespace {

class SilentSink final : public kalvora::platform::MessageSink {
  public:
    void Show(std::string_view, std::string_view, kalvora::platform::MessageIcon) override {}
};

constexpr std::int64_t kMostFrames = std::int64_t{1} << 21;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static SilentSink sink;
    kalvora::platform::SetMessageSink(&sink);
    kalvora::platform::SndfileCodec codec;
    std::string errorText;
    std::unique_ptr<kalvora::platform::SoundDecoder> decoder =
        codec.OpenBytes({data, size}, errorText);
    if (decoder) {
        kalvora::ImportResult result;
        kalvora::ImportLimits limits;
        limits.framesUpFront = 1 << 16;
        limits.mostFrames = kMostFrames;
        const bool imported = kalvora::ImportSound(*decoder, result, errorText, limits);
        if (imported != (result.sound != nullptr)) std::abort();
        if (!imported && errorText.empty()) std::abort();
        if (imported) {
            const kalvora::Sound& sound = *result.sound;
            const std::int32_t values = sound.GetValues();
            if (values < 0 || values > kMostFrames || sound.Freq <= 0 || sound.BytesPSample != 2)
                std::abort();
            if (sound.MoSt != (decoder->Info().channels == 1 ? 1 : 2)) std::abort();
            if (sound.GetLeftWave().values != values || sound.GetRightWave().values != values)
                std::abort();
            if (result.clippedSamples < 0 ||
                result.clippedSamples > static_cast<std::int64_t>(values) * sound.MoSt) {
                std::abort();
            }
            kalvora::ErrorFlag error = 0;
            (void)sound.GetLeftWave().getMaxAbs(&error, 0, values);
            (void)sound.GetRightWave().getMaxAbs(&error, 0, values);
        }
    }
    kalvora::platform::SetMessageSink(nullptr);
    return 0;
}
