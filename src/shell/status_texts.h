// The texts of the document panels of the status bar for the active wave: duration, rate,
// sample width, channels, data size and save state. Standard C++ only.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "shell/frame_snapshot.h"

namespace kalvora {

std::string RateText(int rate);                // 22050 -> "22.050 kHz"
std::string DataSizeText(std::int64_t bytes);  // 300 -> "300 b", 4000 -> "3.90 kb"
std::string DurationText(double seconds);      // 5.25 -> "5.25000 s", 61.5 -> "1:01.50000"
std::string SaveStateText(bool hasFile, bool needsSave);  // "New", "Changed" or ""

// Panels 2 to 7 for a wave document: duration (of the drawing while hand-drawing), rate,
// "16" or "8", "ST" or "MO", data size, save state.
std::array<std::string, 6> WaveStatusTexts(const WaveFacts& wave);

}  // namespace kalvora
