// DrawVolume: paints volume diagrams on a canvas, the completed columns of the result
// arrays mapped onto a band of a view for the range of samples it shows, each cell
// coloured from the settings (sensitivity curve, strength, colours or palette).
// Standard C++ and the platform's canvas only.
#pragma once

#include <cstdint>

#include "platform/canvas.h"
#include "platform/color.h"
#include "volume/vold_view_props.h"
#include "volume/volume_array.h"

namespace kalvora {

// The arrays of one sound: Single for a mono sound (MoSt 1), Left and Right for a stereo
// sound (MoSt 2). A missing array paints nothing.
struct TVolumeArrays {
    std::int16_t MoSt = 1;
    const TVolumeArray* Single = nullptr;
    const TVolumeArray* Left = nullptr;
    const TVolumeArray* Right = nullptr;
};

// The strength w (0 .. 1) of a cell value v >= 0: the sensitivity curve, times Strength,
// at most 1.
double CellStrength(float v, const TVoldViewProps& settings);
// The colour of a cell of strength w in a single diagram.
Color SingleCellColor(double w, const TVoldViewProps& settings, bool inverted);
// The colour of a cell of a joined diagram with left and right strengths.
Color JoinedCellColor(double wLeft, double wRight, const TVoldViewProps& settings, bool inverted);

// Paints every completed cell that touches update, and nothing else. band is the part of
// the view that shows the diagram; first and last are the sample positions at its left and
// right edges; n is the sound's sample count. A stereo sound is split into the left
// diagram above and the right below when settings.DrawSingle is set, else joined. Nothing
// is painted for an empty sound or band, or an empty visible range.
void DrawVolume(platform::Canvas& canvas, const platform::Rect& band, const platform::Rect& update,
                double first, double last, std::int32_t n, const TVolumeArrays& arrays,
                const TVoldViewProps& settings, bool inverted);

}  // namespace kalvora
