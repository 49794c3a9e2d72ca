// Feeds arbitrary bytes to the header reader the player streams files with, and checks that it
// agrees with the WAV reader: both accept or refuse the same files with the same text, and
// an accepted file has the same format and sample count, with its samples inside the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>
#include <span>
#include <sstream>
#include <string>

#include "platform/messages.h"
#include "sound/sound.h"
#include "sound/wave_file.h"
#include "sound/wave_layout.h"

namespace {

class SilentSink final : public kalvora::platform::MessageSink {
  public:
    void Show(std::string_view, std::string_view, kalvora::platform::MessageIcon) override {}
};

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static SilentSink sink;
    kalvora::platform::SetMessageSink(&sink);

    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::string layoutText;
    const auto layout = kalvora::ReadWaveLayout(in, layoutText);

    std::unique_ptr<kalvora::Sound> sound;
    std::string readerText;
    const bool read = kalvora::ReadWaveBytes(std::span(data, size), sound, readerText);

    Check(layout.has_value() == read);
    Check(layoutText == readerText);
    if (!layout) return 0;
    Check(layout->channels == sound->MoSt);
    Check(layout->rate == sound->Freq);
    Check(layout->bytesPerSample == sound->BytesPSample);
    Check(layout->dataOffset >= 0 && layout->dataBytes >= 0);
    Check(static_cast<std::uint64_t>(layout->dataOffset + layout->dataBytes) <= size);
    Check(layout->dataBytes % layout->FrameBytes() == 0);
    Check(layout->Frames() == sound->GetValues());
    return 0;
}
