// Geometry of one wave view: which samples it shows (its zoom and scroll state), the
// mappings between samples, pixel columns, times and sample values, the strips to repaint
// when the selection changes, and the zoom arithmetic of the mouse and of edits.
// Core code: standard C++, platform/canvas.h (for Rect and Point) and the documents' sample
// range only.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "documents/sample_range.h"
#include "platform/canvas.h"

namespace kalvora {

// A linear mapping of sample positions onto the pixel columns left .. right: first is the
// position at the left edge, last the one at the right edge.
struct TSampleMapping {
    double first = 0.0;
    double last = 0.0;
    int left = 0;
    int right = 0;

    // The position at the middle of column x: first + (x + 0.5 - left)/(right - left)·
    // (last - first). Callers truncate and clamp it where they need an index.
    double SampleAtPixel(double x) const;
    // The column where position s lies: trunc(left + (s - first)/(last - first)·
    // (right - left)); left when the mapping is empty. Far-away positions saturate.
    int PixelOfSample(double s) const;
    // The position at the left edge of column x (no half pixel).
    double PositionAtPixel(double x) const;
    // PositionAtPixel(x) in seconds at rate freq.
    double TimeAtPixel(double x, double freq) const { return PositionAtPixel(x) / freq; }
};

// The row of sample value v in a band from top to bottom: trunc(mid + v·(top - bottom)/
// 65536) with mid = (top + bottom)/2, so positive values lie above the middle.
int ValueToY(int value, int top, int bottom);

// The ranges whose selection state differs between the selection before and after a
// change (each given with its ends in either order): at most four, none when the wave has
// no samples. Only these need repainting.
std::vector<TSampleRange> SelectionChangeRanges(TSampleRange before, TSampleRange after,
                                                std::int32_t sampleCount);

// The width of the first of two views sharing total pixels when it takes the share
// splitPosition: clamp(trunc(total·splitPosition + 0.5), 1, total - 1).
int FirstViewWidth(int total, double splitPosition);

// A hand-drawn node's place: position 0 .. 1 along the drawn length, value in samples.
struct TNodePlace {
    double position = 0.0;
    int value = 0;
};

enum class TDragZoomResult { unchanged, zoomed, unzoomed };

class TWaveViewGeometry {
  public:
    // The view's client rectangle; W is its width. A zoomed view that grows keeps showing
    // samples of the wave only: the scroll position moves back, and a view wider than the
    // scroll range shows the whole wave.
    void SetClient(const platform::Rect& client);
    const platform::Rect& Client() const { return client_; }
    int Width() const { return client_.Width(); }

    // The document's sample count n. Set it whenever the document's sound changes (before
    // AfterChange): the visible range follows it. A wave that lost all its samples (undone
    // into an empty sound, reverted to an empty file) is shown unzoomed.
    void SetSampleCount(std::int32_t n);
    std::int32_t SampleCount() const { return n_; }

    // Zoom and scroll state. Zoomed, the view shows n·W/R samples from n·P/R on, where R is
    // the scroll range and P the scroll position (kept in 64 bits: deep zooms of long waves
    // exceed 32 bits). The scroll bar is shown exactly while zoomed.
    bool Zoomed() const { return zoomed_; }
    std::int64_t ScrollRange() const { return range_; }
    std::int64_t ScrollPosition() const { return position_; }
    std::int64_t ScrollIncrement() const { return increment_; }
    std::int64_t MaxScrollPosition() const;
    // Scrolling: P clamped into 0 .. MaxScrollPosition().
    void SetScrollPosition(std::int64_t position);

    // Shows the samples a .. b: R := trunc(W·n/(b - a)), P := trunc(a/n·R), increment
    // W div 10. The range is kept inside the wave and at least one sample wide; a wave
    // without samples is shown unzoomed.
    void ZoomTo(double a, double b);
    void Unzoom();

    // The visible range: [0, n] unzoomed (or with R = 0), else [n·P/R, n·(W + P)/R].
    double FirstVisible() const;
    double LastVisible() const;
    TSampleMapping Mapping() const;

    double SampleAtPixel(double x) const { return Mapping().SampleAtPixel(x); }
    // clamp(trunc(SampleAtPixel(x)), 0, n - 1); 0 for a wave without samples.
    std::int32_t SampleIndexAtPixel(double x) const;
    int PixelOfSample(double s) const { return Mapping().PixelOfSample(s); }
    double TimeAtPixel(double x, double freq) const { return Mapping().TimeAtPixel(x, freq); }
    // A keyboard step of k pixels: trunc(SampleAtPixel(PixelOfSample(s) + k)); k = 0
    // re-quantises s in place. The selection setters clamp the result.
    std::int64_t StepPosition(double s, int pixels) const;

    // The client strip to repaint for the samples a .. b: columns PixelOfSample(a) - 1 to
    // PixelOfSample(b) + 1, the client's full height; none in a view narrower than 2
    // pixels.
    std::optional<platform::Rect> RangeStrip(double a, double b) const;
    std::optional<platform::Rect> StripAt(double p) const { return RangeStrip(p, p); }

    // Hand-drawn nodes: 32767 at the top edge, -32767 at the bottom edge.
    platform::Point NodePixel(double position, int value) const;
    TNodePlace NodeAtPixel(int x, int y) const;

    // Around an edit of the samples a .. b: BeforeChange remembers the distances of the
    // visible range to the range's ends, AfterChange (n already updated, b the new end)
    // zooms so that they are kept. A range emptied or reversed by the edit (the view showed
    // only deleted samples) keeps the old zoom width at the place of the edit.
    void BeforeChange(double a, double b);
    void AfterChange(double a, double b);

    // A move of the pointer to (x, y) while the right button is held since anchorY: the
    // visible range is scaled around the sample under the pointer by 1.02^(sqrt|d|·d),
    // d = anchorY - y (dragging down zooms in); a range reaching 0 .. n - 1 unzooms.
    TDragZoomResult DragZoom(int anchorY, int y, int x);

  private:
    platform::Rect client_;
    std::int32_t n_ = 0;
    bool zoomed_ = false;
    std::int64_t range_ = 0;
    std::int64_t position_ = 0;
    std::int64_t increment_ = 0;
    int oldZoomDepth_ = 0;
    double offsetFirst_ = 0.0;
    double offsetLast_ = 0.0;
    double widthBefore_ = 0.0;
};

}  // namespace kalvora
