// TVoldViewProps: the settings of a volume diagram, how it is computed (resolution,
// frequency range, band width, distribution of the rows) and how its cells are coloured
// (sensitivity curve, strength, colours, palette). Every wave window holds one; the main
// window holds the default. Standard C++, the platform's colours and the display units of
// the value types.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "documents/display_unit.h"
#include "platform/color.h"
#include "volume/color_palette_1d.h"

namespace kalvora {

class TVoldViewProps {
  public:
    // YScale: how the rows are spread over the frequencies.
    static constexpr std::uint8_t YLinFreq = 0;  // evenly in frequency
    static constexpr std::uint8_t YLog = 1;      // by a constant ratio
    static constexpr std::uint8_t YLinTime = 2;  // evenly in period
    // Sensitivity: the curve applied to a cell before Strength.
    static constexpr std::uint8_t SensLow = 0;       // v²
    static constexpr std::uint8_t SensNormal = 1;    // v
    static constexpr std::uint8_t SensHigh = 2;      // √v
    static constexpr std::uint8_t SensVeryHigh = 3;  // v^(1/4)

    std::int32_t XResolution = 500;  // columns (time)
    std::int32_t YResolution = 50;   // rows (frequency bands)
    double TimeTop = 0.00005;        // seconds: the period of the top row (20 kHz)
    double TimeBottom = 0.05;        // seconds: the period of the bottom row (20 Hz)
    double YWidth = 1.0;             // band width factor of the resonators
    std::uint8_t YScale = YLog;
    std::uint8_t DrawSingle = 1;  // stereo: 1 two single diagrams, 0 one joined diagram
    std::uint8_t Sensitivity = SensNormal;
    double Strength = 1.3;  // factor after the sensitivity curve
    Color BackgroundColor = 0x000000;
    Color SingleColor = 0xFFFFFF;
    Color LeftColor = 0x0000FF;
    Color RightColor = 0x808000;
    Color CursorColor = 0xFF00FF;
    std::uint8_t UseColorPalette1D = 0;
    TColorPalette1DItem ColorPalette1D;  // the first stop, owning the list
    // The units the values are shown and stored in: those last typed (Equals ignores them).
    DisplayUnit TimeTopUnit = DisplayUnit::kilohertz;
    DisplayUnit TimeBottomUnit = DisplayUnit::hertz;
    DisplayUnit YWidthUnit = DisplayUnit::none;
    DisplayUnit StrengthUnit = DisplayUnit::none;

    // Every field equal (palettes stop by stop).
    bool Equals(const TVoldViewProps& other) const;
    // A field used by the computation differs: the diagram must be computed anew.
    bool NeedsRecompute(const TVoldViewProps& other) const;
    // The five colours and every stop's colours become per channel
    // trunc((1 - s)·a + s·colour): a faint copy for a diagram drawn behind a waveform.
    void BlendToward(Color a, double s);
    // The period in seconds at height t of a band, 0 at its bottom edge and 1 at its top.
    double PeriodAt(double t) const;

    // The checks of the settings dialog for a sound of freq samples per second, in its
    // order and words; nothing when the settings may be used.
    std::optional<std::string> Problem(double freq) const;
};

}  // namespace kalvora
