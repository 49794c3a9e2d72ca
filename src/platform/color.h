// Colours as the whole system stores them: 32-bit values laid out 0x00BBGGRR, and the
// per-channel blends that views and diagrams compute with them. Standard C++ only.
#pragma once

#include <cstdint>

namespace kalvora::platform {

using Color = std::uint32_t;  // 0x00BBGGRR

inline constexpr Color MakeColor(int red, int green, int blue) {
    return static_cast<Color>(red & 0xFF) | static_cast<Color>(green & 0xFF) << 8 |
           static_cast<Color>(blue & 0xFF) << 16;
}
inline constexpr int RedOf(Color color) {
    return static_cast<int>(color & 0xFF);
}
inline constexpr int GreenOf(Color color) {
    return static_cast<int>(color >> 8 & 0xFF);
}
inline constexpr int BlueOf(Color color) {
    return static_cast<int>(color >> 16 & 0xFF);
}

// One channel of a blend: trunc((1 - s)·from + s·to), clamped into 0 .. 255 so that a
// strength outside 0 .. 1 saturates instead of spilling into the neighbouring channel.
int BlendChannel(int from, int to, double s);

// Per channel trunc((1 - s)·from + s·to), each channel clamped into 0 .. 255.
// s = 0 gives from, s = 1 gives to.
Color BlendColor(Color from, Color to, double s);

}  // namespace kalvora::platform
