// TWaveViewProps: the settings with which a wave window draws its waveform (draw style,
// sampling per pixel column, grid, colours, stereo layout, envelope), with their defaults.
// Each wave window holds one, the main frame holds the default new windows start from.
// Core code: standard C++, platform/color.h and the display units of the value types.
#pragma once

#include <cstdint>
#include <string>

#include "documents/display_unit.h"
#include "platform/color.h"

namespace kalvora {

enum TDrawStyle : std::uint8_t {
    drawStyleLines = 0,   // a vertical line per pixel column
    drawStylePoints = 1,  // single sampled points
};

enum TDistribution : std::uint8_t {
    distributionConstant = 0,  // constant distances between the sampled values
    distributionRandom = 1,    // random positions inside the column
};

enum TFront : std::uint8_t {
    frontMixed = 0,  // joined channels: overlaps shown in the single-wave colour
    frontLeft = 1,   // left channel drawn over the right one
    frontRight = 2,  // right channel drawn over the left one
};

struct TWaveViewProps {
    TDrawStyle DrawStyle = drawStyleLines;
    TDistribution Distribution = distributionConstant;
    std::int32_t ValuesPerPixel = 15;  // values sampled per pixel column, > 0
    bool UseGrid = true;
    platform::Color GridColor = 0x808080;  // grid, line between two single waves, node fill
    platform::Color CursorColor = 0xFF00FF;
    double Strength = 1.0;                       // opacity of points, > 0
    platform::Color BackgroundColor = 0xFFFFFF;  // also the waveform inside the selection
    platform::Color SingleColor = 0x000000;      // also the background inside the selection
    bool DrawSingle = true;  // stereo as two single waves one above the other, else joined
    platform::Color LeftColor = 0x0000FF;
    platform::Color RightColor = 0x808000;
    TFront Front = frontMixed;
    bool DrawEnvelope = false;
    double EnvelopeStrength = 0.2;  // 0 .. 1; how strongly the envelope shows
    std::string EnvelopeName;       // the wave document drawn as envelope
    // The units the two strengths are shown and stored in, the ones last typed.
    DisplayUnit StrengthUnit = DisplayUnit::none;
    DisplayUnit EnvelopeStrengthUnit = DisplayUnit::percent;

    // Moves the background, single, left, right, cursor and grid colours toward background:
    // per channel trunc((1 - s)·background + s·colour). Used on a copy to draw a wave
    // faintly behind another one.
    void BlendToward(platform::Color background, double s);

    // Every field compared, the values without the units they are shown in; the envelope
    // by its name.
    friend bool operator==(const TWaveViewProps& a, const TWaveViewProps& b);
};

}  // namespace kalvora
