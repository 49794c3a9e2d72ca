#include "documents/wave_file_names.h"

#include <cctype>
#include <cstddef>

namespace kalvora {

bool HasWaveExtension(const std::string& name) {
    constexpr std::size_t length = sizeof(kWaveExtension) - 1;
    if (name.size() < length) return false;
    for (std::size_t i = 0; i < length; ++i) {
        const char c = name[name.size() - length + i];
        if (std::tolower(static_cast<unsigned char>(c)) != kWaveExtension[i]) return false;
    }
    return true;
}

std::string WithWaveExtension(const std::string& name) {
    return HasWaveExtension(name) ? name : name + kWaveExtension;
}

std::string ShadowFileNameOf(const std::string& wavFileName) {
    if (!HasWaveExtension(wavFileName)) return wavFileName + kShadowExtension;
    return wavFileName.substr(0, wavFileName.size() - (sizeof(kWaveExtension) - 1)) +
           kShadowExtension;
}

}  // namespace kalvora
