#include "volume/volume_painter.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/assertion.h"

namespace kalvora {

using platform::Canvas;
using platform::Rect;

double CellStrength(float v, const TVoldViewProps& settings) {
    const double value = v;
    double curve;
    switch (settings.Sensitivity) {
        case TVoldViewProps::SensLow:
            curve = value * value;
            break;
        case TVoldViewProps::SensHigh:
            curve = std::sqrt(value);
            break;
        case TVoldViewProps::SensVeryHigh:
            curve = std::sqrt(std::sqrt(value));
            break;
        default:
            curve = value;
            break;
    }
    const double w = curve * settings.Strength;
    if (w > 1.0) return 1.0;
    return w >= 0.0 ? w : 0.0;  // also for NaN
}

Color SingleCellColor(double w, const TVoldViewProps& settings, bool inverted) {
    if (settings.UseColorPalette1D) {
        return settings.ColorPalette1D.GetColor(inverted ? 1.0 - w : w);
    }
    return inverted ? platform::BlendColor(settings.SingleColor, settings.BackgroundColor, w)
                    : platform::BlendColor(settings.BackgroundColor, settings.SingleColor, w);
}

namespace {

// One channel of a joined cell: w·(k·d + (1 - k)·e) + (1 - w)·c, truncated.
int JoinedChannel(int c, int d, int e, double w, double k) {
    const double mixed = w * (k * d + (1.0 - k) * e) + (1.0 - w) * c;
    if (!(mixed > 0.0)) return 0;
    return mixed >= 255.0 ? 255 : static_cast<int>(mixed);
}

Color JoinedMix(Color c, Color d, Color e, double w, double k) {
    using platform::BlueOf;
    using platform::GreenOf;
    using platform::RedOf;
    return platform::MakeColor(JoinedChannel(RedOf(c), RedOf(d), RedOf(e), w, k),
                               JoinedChannel(GreenOf(c), GreenOf(d), GreenOf(e), w, k),
                               JoinedChannel(BlueOf(c), BlueOf(d), BlueOf(e), w, k));
}

}  // namespace

Color JoinedCellColor(double wLeft, double wRight, const TVoldViewProps& settings, bool inverted) {
    const Color c = inverted ? settings.SingleColor : settings.BackgroundColor;
    const Color d = inverted ? settings.BackgroundColor : settings.SingleColor;
    const Color e = inverted ? settings.RightColor : settings.LeftColor;
    const Color f = inverted ? settings.LeftColor : settings.RightColor;
    if (wLeft > wRight) return JoinedMix(c, d, e, wLeft, wRight / wLeft);
    if (wRight > 0.0) return JoinedMix(c, d, f, wRight, wLeft / wRight);
    return c;
}

namespace {

// Pixel edges that are whole numbers up to rounding noise count as whole numbers, so that
// a diagram shown at one pixel per cell covers every pixel exactly once.
constexpr double kEdgeTolerance = 1e-7;

// trunc(x), limited to low .. high so that a far-off edge converts safely.
int TruncPixel(double x, int low, int high) {
    const double nearest = std::round(x);
    if (std::fabs(x - nearest) <= kEdgeTolerance) x = nearest;
    x = std::trunc(x);
    if (!(x >= low)) return low;  // also for NaN
    return x > high ? high : static_cast<int>(x);
}

// A count of columns or rows: trunc(x), limited to 0 .. high.
std::int32_t TruncIndex(double x, std::int32_t high) {
    x = std::trunc(x);
    if (!(x >= 0.0)) return 0;
    return x > high ? high : static_cast<std::int32_t>(x);
}

// One diagram in one band: the mapping of its cells onto pixels and the cells to paint.
class BandPainter {
  public:
    BandPainter(const Rect& band, const Rect& update, double first, double last, std::int32_t n,
                const TVolumeArray& geometry)
        : band_(band), update_(update), first_(first), last_(last), n_(n) {
        width_ = geometry.GetWidth();
        height_ = geometry.GetHeight();
        const double bandWidth = band.right - band.left;
        const double bandHeight = band.bottom - band.top;
        const double span = last - first;
        const double sL = first + (update.left - band.left) * span / bandWidth;
        const double sR = first + (update.right - band.left) * span / bandWidth;
        x0_ = TruncIndex(sL * width_ / n, width_ + 1);
        x1_ = TruncIndex(sR * width_ / n + 1.0, width_ + 1);
        y0_ = TruncIndex((update.top - band.top) * height_ / bandHeight, height_ + 1);
        y1_ = TruncIndex((update.bottom - band.top) * height_ / bandHeight + 1.0, height_ + 1);
        // The pixel rows of each row of cells, cut to the update rectangle.
        for (std::int32_t j = y0_; j < y1_; ++j) {
            const int top = TruncPixel(Y(j), update.top, update.bottom);
            const int bottom = TruncPixel(Y(j + 1) - 1.0, update.top - 1, update.bottom - 1);
            rows_.push_back({top, bottom + 1});
        }
    }

    std::int32_t FirstColumn() const { return x0_; }
    // The end of the columns to paint of an array with this filled count.
    std::int32_t EndColumn(std::int32_t filled) const { return std::min(x1_, filled); }
    std::int32_t FirstRow() const { return y0_; }

    // Paints the cells of column i, colour(j) giving the colour of row j.
    template <class ColorOfRow>
    void PaintColumn(Canvas& canvas, std::int32_t i, ColorOfRow&& colorOfRow) const {
        const int left = TruncPixel(X(i), update_.left, update_.right);
        const int right = TruncPixel(X(i + 1) - 1.0, update_.left - 1, update_.right - 1) + 1;
        if (right <= left) return;
        for (std::size_t r = 0; r < rows_.size(); ++r) {
            const auto [top, bottom] = rows_[r];
            if (bottom <= top) continue;
            canvas.FillRect(Rect{left, top, right, bottom},
                            colorOfRow(y0_ + static_cast<std::int32_t>(r)));
        }
    }

  private:
    double X(std::int32_t x) const {
        return band_.left + (static_cast<double>(x) * n_ / width_ - first_) *
                                (band_.right - band_.left) / (last_ - first_);
    }
    double Y(std::int32_t y) const {
        return band_.top + static_cast<double>(y) * (band_.bottom - band_.top) / height_;
    }

    Rect band_, update_;
    double first_, last_;
    std::int32_t n_;
    std::int32_t width_ = 0, height_ = 0;
    std::int32_t x0_ = 0, x1_ = 0, y0_ = 0, y1_ = 0;
    std::vector<std::pair<int, int>> rows_;
};

bool Paintable(const Rect& band, const Rect& update, double first, double last, std::int32_t n) {
    return n > 0 && !band.IsEmpty() && !update.IsEmpty() && std::isfinite(first) &&
           std::isfinite(last) && last != first;
}

void PaintSingle(Canvas& canvas, const Rect& band, Rect update, double first, double last,
                 std::int32_t n, const TVolumeArray* array, const TVoldViewProps& settings,
                 bool inverted) {
    update = update.Intersected(band);
    if (array == nullptr || !Paintable(band, update, first, last, n)) return;
    const BandPainter painter(band, update, first, last, n, *array);
    const std::int32_t end = painter.EndColumn(array->GetFilled());
    for (std::int32_t i = painter.FirstColumn(); i < end; ++i) {
        painter.PaintColumn(canvas, i, [&](std::int32_t j) {
            return SingleCellColor(CellStrength(array->GetVolume(i, j), settings), settings,
                                   inverted);
        });
    }
}

void PaintJoined(Canvas& canvas, const Rect& band, Rect update, double first, double last,
                 std::int32_t n, const TVolumeArray* left, const TVolumeArray* right,
                 const TVoldViewProps& settings, bool inverted) {
    update = update.Intersected(band);
    if (left == nullptr || right == nullptr || !Paintable(band, update, first, last, n)) return;
    KALVORA_ASSERT(left->GetWidth() == right->GetWidth() &&
                   left->GetHeight() == right->GetHeight());
    const BandPainter painter(band, update, first, last, n, *left);
    const std::int32_t leftEnd = painter.EndColumn(left->GetFilled());
    const std::int32_t rightEnd = painter.EndColumn(right->GetFilled());
    const std::int32_t end = std::max(leftEnd, rightEnd);
    for (std::int32_t i = painter.FirstColumn(); i < end; ++i) {
        painter.PaintColumn(canvas, i, [&](std::int32_t j) {
            const float vLeft = i < leftEnd ? left->GetVolume(i, j) : 0.0f;
            const float vRight = i < rightEnd ? right->GetVolume(i, j) : 0.0f;
            return JoinedCellColor(CellStrength(vLeft, settings), CellStrength(vRight, settings),
                                   settings, inverted);
        });
    }
}

}  // namespace

void DrawVolume(Canvas& canvas, const Rect& band, const Rect& update, double first, double last,
                std::int32_t n, const TVolumeArrays& arrays, const TVoldViewProps& settings,
                bool inverted) {
    if (arrays.MoSt != 2) {
        PaintSingle(canvas, band, update, first, last, n, arrays.Single, settings, inverted);
        return;
    }
    if (!settings.DrawSingle) {
        PaintJoined(canvas, band, update, first, last, n, arrays.Left, arrays.Right, settings,
                    inverted);
        return;
    }
    const int middle = (band.top + band.bottom) / 2;
    Rect upperBand = band;
    upperBand.bottom = middle;
    Rect upperUpdate = update;
    upperUpdate.bottom = std::min(update.bottom, middle);
    PaintSingle(canvas, upperBand, upperUpdate, first, last, n, arrays.Left, settings, inverted);
    Rect lowerBand = band;
    lowerBand.top = middle;
    Rect lowerUpdate = update;
    lowerUpdate.top = std::max(update.top, middle);
    PaintSingle(canvas, lowerBand, lowerUpdate, first, last, n, arrays.Right, settings, inverted);
}

}  // namespace kalvora
