// The names of a wave document's files: the WAV file and the shadow file beside it.
#pragma once

#include <string>

namespace kalvora {

inline constexpr char kWaveExtension[] = ".wav";
inline constexpr char kShadowExtension[] = ".kvw";

// True when name ends with ".wav" in any letter case.
bool HasWaveExtension(const std::string& name);

// The name a wave is saved under: name itself when it ends with ".wav", else name followed by
// ".wav" (so "take.kvw" becomes "take.kvw.wav" and its shadow file cannot be the WAV file).
std::string WithWaveExtension(const std::string& name);

// The shadow file of a WAV file: the name without ".wav", followed by ".kvw". A name without
// the ".wav" extension keeps all of it, so the shadow file is never the WAV file itself.
std::string ShadowFileNameOf(const std::string& wavFileName);

}  // namespace kalvora
