// Feeds arbitrary bytes to the WAV reader, from memory and through a file, and checks that
// both roads agree and that what was read is a consistent sound. Any crash, sanitizer report
// or disagreement is a finding.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/messages.h"
#include "sound/sound.h"
#include "sound/wave_file.h"

namespace {

class SilentSink final : public kalvora::platform::MessageSink {
  public:
    void Show(std::string_view, std::string_view, kalvora::platform::MessageIcon) override {}
};

// The same bytes as a file: an in-memory file the reader opens by name.
bool ReadThroughFile(const std::uint8_t* data, std::size_t size,
                     std::unique_ptr<kalvora::Sound>& sound, std::string& errorText) {
    static const int fd = memfd_create("wav_reader_fuzzer", 0);
    if (fd < 0 || ftruncate(fd, 0) != 0 ||
        pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) {
        std::abort();
    }
    return kalvora::ReadWaveFile("/proc/self/fd/" + std::to_string(fd), sound, errorText);
}

bool SameSamples(const kalvora::Wave& a, const kalvora::Wave& b) {
    if (a.values != b.values) return false;
    for (std::int32_t i = 0; i < a.values; ++i) {
        if (a.wave[i] != b.wave[i]) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static SilentSink sink;
    kalvora::platform::SetMessageSink(&sink);

    std::unique_ptr<kalvora::Sound> sound;
    std::string errorText;
    const bool read = kalvora::ReadWaveBytes({data, size}, sound, errorText);
    if (read != (sound != nullptr)) std::abort();
    if (read) {
        // Never more samples than the bytes could hold.
        const std::int32_t values = sound->GetValues();
        if (values < 0 ||
            static_cast<std::size_t>(values) * sound->MoSt * sound->BytesPSample > size) {
            std::abort();
        }
        if (sound->Freq <= 0 || (sound->BytesPSample != 1 && sound->BytesPSample != 2))
            std::abort();
        if (sound->GetLeftWave().values != sound->GetRightWave().values) std::abort();
        kalvora::ErrorFlag error = 0;
        (void)sound->GetLeftWave().getMaxAbs(&error, 0, values);
        (void)sound->GetRightWave().getMaxAbs(&error, 0, values);
    }

    std::unique_ptr<kalvora::Sound> fromFile;
    std::string fileErrorText;
    const bool readFromFile = ReadThroughFile(data, size, fromFile, fileErrorText);
    if (readFromFile != read || fileErrorText != errorText) std::abort();
    if (read && (fromFile->GetWaveFileProps() != sound->GetWaveFileProps() ||
                 !SameSamples(fromFile->GetLeftWave(), sound->GetLeftWave()) ||
                 !SameSamples(fromFile->GetRightWave(), sound->GetRightWave()))) {
        std::abort();
    }
    kalvora::platform::SetMessageSink(nullptr);
    return 0;
}
