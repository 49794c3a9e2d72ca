// Painting of one wave view: the waveform (or the volume diagram, through
// TVolumeDiagramPainter) in strips split at the selection and inverted inside it, the
// cursor line, an envelope wave drawn faintly behind the waveform, the grid, and the nodes
// of a hand-drawn wave. A column reads at most ValuesPerPixel + 1 samples, so the cost of a
// repaint follows the view's width, not the length of the sound.
// Core code: standard C++, the platform canvas, the sound model and the view geometry.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "platform/canvas.h"
#include "shell/wave_view_geometry.h"
#include "shell/wave_view_props.h"
#include "sound/sound.h"

namespace kalvora {

// A volume diagram as a view shows it: implemented over the volume diagram's own painting
// and settings by whoever owns them.
class TVolumeDiagramPainter {
  public:
    // Draws the diagram faintly: every colour first moved toward background by strength.
    struct TFaint {
        platform::Color background = 0;
        double strength = 1.0;
    };

    virtual ~TVolumeDiagramPainter() = default;
    // Paints the cells that touch update, band being the whole area of the diagram and
    // first, last the sample positions at its left and right edges.
    virtual void DrawVolume(platform::Canvas& canvas, const platform::Rect& band,
                            const platform::Rect& update, double first, double last, bool inverted,
                            const std::optional<TFaint>& faint) const = 0;
    virtual platform::Color CursorColor() const = 0;
    virtual platform::Color BackgroundColor() const = 0;
};

// A node of a hand-drawn wave: position 0 .. 1 along the drawn length, value in samples.
// Hidden nodes (dragged outside the view) are not drawn.
struct TDrawNodeMark {
    double position = 0.0;
    std::int16_t value = 0;
    bool hidden = false;
};

// The wave document drawn faintly behind a view's waveform.
struct TEnvelopeScene {
    const Sound* sound = nullptr;
    // Its work range (the selection, or the whole wave without one), stretched over the
    // length of the wave that is painted.
    std::int32_t workBegin = 0;
    std::int32_t workEnd = 0;
    // The settings of its window: its waveform settings, or its volume diagram when it
    // shows that (then volume is set).
    const TWaveViewProps* settings = nullptr;
    const TVolumeDiagramPainter* volume = nullptr;
};

// Everything a view paints from, besides its geometry.
struct TWaveViewScene {
    const Sound* sound = nullptr;  // the document's sound, never null
    // The two selection ends (equal: no selection, the cursor at firstEnd).
    std::int32_t firstEnd = 0;
    std::int32_t secondEnd = 0;
    const TWaveViewProps* settings = nullptr;  // the window's waveform settings, never null
    // Set while the view shows the volume diagram instead of the waveform.
    const TVolumeDiagramPainter* volume = nullptr;
    // Hand drawing: the sound is computed from these nodes.
    bool userDrawing = false;
    std::span<const TDrawNodeMark> nodes;
    // The open wave document that the settings name as envelope, or null (no envelope, or
    // none of that name is open).
    const TEnvelopeScene* envelope = nullptr;
};

class TWavePainter {
  public:
    TWavePainter(platform::Canvas& canvas, const TWaveViewGeometry& geometry,
                 const TWaveViewScene& scene);

    // Paints rect of the view (a paint request's clip rectangle): the strips, the cursor
    // line, in drawing mode the whole view and its nodes. A view at most one pixel wide or
    // a wave without samples is filled with the background.
    void Paint(const platform::Rect& rect);

    // Paints the columns x1 .. x2 - 1 over the view's height as one strip, inverted inside
    // the selection. Views skip this while a full repaint is pending.
    void PaintStrip(int x1, int x2, bool inverted);

    // The column of the cursor line: the first selection end, or the last sample when
    // that end is the wave's end.
    int CursorPixel() const;
    void DrawCursorLine();

  private:
    platform::Color Background() const;
    void PaintEnvelope(const platform::Rect& strip, bool inverted, platform::Color background);
    void DrawNodes();

    platform::Canvas& canvas_;
    const TWaveViewGeometry& geometry_;
    const TWaveViewScene& scene_;
};

// Draws sound's waveform with settings over band, only in the columns of strip, the band's
// columns showing the sample positions of mapping. Inverted, the colours are exchanged as
// inside a selection. Mono: one band; stereo as two single waves: the left channel above,
// the right below, a line in the grid colour between them; stereo joined: both channels
// in one band, by the settings' Front. Each band gets its grid when the settings ask for it.
void DrawWaveform(platform::Canvas& canvas, const Sound& sound, const TSampleMapping& mapping,
                  const platform::Rect& band, const platform::Rect& strip,
                  const TWaveViewProps& settings, bool inverted);

// The grid of one band: a line across the strip at the band's middle, and vertical lines
// where the time at a column passes a multiple of NiceStep of the time 20 columns cover.
void DrawGrid(platform::Canvas& canvas, const TSampleMapping& mapping, double freq,
              const platform::Rect& band, const platform::Rect& strip, platform::Color color);

// A round step near x: 2, 5 or 10 times a power of ten (0 for an x that is not a positive
// number).
double NiceStep(double x);

}  // namespace kalvora
