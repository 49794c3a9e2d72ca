#include "shell/wave_view_geometry.h"

#include <algorithm>
#include <cmath>

#include "platform/assertion.h"

namespace kalvora {
namespace {

// Pixel coordinates are converted from doubles only inside this range, so that a position
// far outside the view can never overflow an int.
constexpr double kPixelLimit = 1 << 30;

int SaturatedTrunc(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<int>(std::clamp(v, -kPixelLimit, kPixelLimit));
}

std::int64_t SaturatedTrunc64(double v) {
    constexpr double limit = 4.0e18;
    if (std::isnan(v)) return 0;
    return static_cast<std::int64_t>(std::clamp(v, -limit, limit));
}

}  // namespace

double TSampleMapping::SampleAtPixel(double x) const {
    if (right == left) return first;
    return first + (x + 0.5 - left) / (right - left) * (last - first);
}

int TSampleMapping::PixelOfSample(double s) const {
    if (last == first) return left;
    return SaturatedTrunc(left + (s - first) / (last - first) * (right - left));
}

double TSampleMapping::PositionAtPixel(double x) const {
    if (right == left) return first;
    return first + (x - left) / (right - left) * (last - first);
}

int ValueToY(int value, int top, int bottom) {
    const double mid = (top + bottom) / 2.0;
    return SaturatedTrunc(mid + value * static_cast<double>(top - bottom) / 65536.0);
}

std::vector<TSampleRange> SelectionChangeRanges(TSampleRange before, TSampleRange after,
                                                std::int32_t sampleCount) {
    std::vector<TSampleRange> ranges;
    if (sampleCount <= 0) return ranges;
    const std::int32_t a = std::min(before.begin, before.end);
    const std::int32_t b = std::max(before.begin, before.end);
    const std::int32_t c = std::min(after.begin, after.end);
    const std::int32_t d = std::max(after.begin, after.end);
    if (a < c && a < b) ranges.push_back({a, std::min(b, c)});
    if (d < b && a < b) ranges.push_back({std::max(d, a), b});
    if (c < a && c < d) ranges.push_back({c, std::min(d, a)});
    if (b < d && c < d) ranges.push_back({std::max(b, c), d});
    return ranges;
}

int FirstViewWidth(int total, double splitPosition) {
    if (total <= 0) return 0;
    if (std::isnan(splitPosition)) splitPosition = 0.0;
    const double wanted = std::clamp(total * splitPosition + 0.5, 0.0, static_cast<double>(total));
    return std::clamp(static_cast<int>(wanted), 1, std::max(1, total - 1));
}

void TWaveViewGeometry::SetSampleCount(std::int32_t n) {
    n_ = n < 0 ? 0 : n;
    if (n_ == 0) zoomed_ = false;
}

void TWaveViewGeometry::SetClient(const platform::Rect& client) {
    client_ = client;
    if (!zoomed_) return;
    range_ = std::max<std::int64_t>(range_, Width());
    position_ = std::clamp<std::int64_t>(position_, 0, MaxScrollPosition());
}

std::int64_t TWaveViewGeometry::MaxScrollPosition() const {
    return std::max<std::int64_t>(0, range_ - Width());
}

void TWaveViewGeometry::SetScrollPosition(std::int64_t position) {
    position_ = std::clamp<std::int64_t>(position, 0, MaxScrollPosition());
}

void TWaveViewGeometry::ZoomTo(double a, double b) {
    if (n_ <= 0 || std::isnan(a) || std::isnan(b)) {
        Unzoom();
        return;
    }
    // At least one sample wide and inside the wave: the arithmetic below divides by b - a.
    a = std::clamp(a, 0.0, static_cast<double>(n_ - 1));
    b = std::clamp(b, a + 1.0, static_cast<double>(n_));
    zoomed_ = true;
    const int width = std::max(Width(), 0);
    range_ = SaturatedTrunc64(static_cast<double>(width) * n_ / (b - a));
    increment_ = width / 10;
    position_ = SaturatedTrunc64(a / n_ * static_cast<double>(range_));
}

void TWaveViewGeometry::Unzoom() {
    zoomed_ = false;
}

double TWaveViewGeometry::FirstVisible() const {
    if (!zoomed_ || range_ == 0) return 0.0;
    return static_cast<double>(n_) * static_cast<double>(position_) / static_cast<double>(range_);
}

double TWaveViewGeometry::LastVisible() const {
    if (!zoomed_ || range_ == 0) return static_cast<double>(n_);
    return static_cast<double>(n_) *
           (static_cast<double>(Width()) + static_cast<double>(position_)) /
           static_cast<double>(range_);
}

TSampleMapping TWaveViewGeometry::Mapping() const {
    return TSampleMapping{FirstVisible(), LastVisible(), client_.left, client_.right};
}

std::int32_t TWaveViewGeometry::SampleIndexAtPixel(double x) const {
    if (n_ <= 0) return 0;
    const double s = std::trunc(SampleAtPixel(x));
    if (!(s > 0.0)) return 0;
    return static_cast<std::int32_t>(std::min(s, static_cast<double>(n_ - 1)));
}

std::int64_t TWaveViewGeometry::StepPosition(double s, int pixels) const {
    return SaturatedTrunc64(SampleAtPixel(static_cast<double>(PixelOfSample(s)) + pixels));
}

std::optional<platform::Rect> TWaveViewGeometry::RangeStrip(double a, double b) const {
    if (Width() < 2) return std::nullopt;
    const int from = PixelOfSample(std::min(a, b)) - 1;
    const int to = PixelOfSample(std::max(a, b)) + 1;
    const platform::Rect strip =
        platform::Rect{from, client_.top, to + 1, client_.bottom}.Intersected(client_);
    if (strip.IsEmpty()) return std::nullopt;
    return strip;
}

platform::Point TWaveViewGeometry::NodePixel(double position, int value) const {
    const double y = client_.top + (value - 32767.0) / -65534.0 * client_.Height();
    return platform::Point{PixelOfSample(position * n_), SaturatedTrunc(y)};
}

TNodePlace TWaveViewGeometry::NodeAtPixel(int x, int y) const {
    TNodePlace place;
    if (n_ > 0) place.position = Mapping().PositionAtPixel(x) / n_;
    if (client_.Height() > 0) {
        const double value =
            32767.0 + static_cast<double>(y - client_.top) / client_.Height() * -65534.0;
        place.value = SaturatedTrunc(value);
    }
    return place;
}

void TWaveViewGeometry::BeforeChange(double a, double b) {
    KALVORA_ASSERT(oldZoomDepth_ == 0);
    oldZoomDepth_ = 1;
    offsetFirst_ = FirstVisible() - a;
    offsetLast_ = LastVisible() - b;
    widthBefore_ = LastVisible() - FirstVisible();
}

void TWaveViewGeometry::AfterChange(double a, double b) {
    KALVORA_ASSERT(oldZoomDepth_ == 1);
    oldZoomDepth_ = 0;
    if (!zoomed_) return;
    if (n_ <= 0) {
        Unzoom();
        return;
    }
    double first = std::trunc(std::max(0.0, a + offsetFirst_));
    double last = std::trunc(std::min(static_cast<double>(n_), b + offsetLast_));
    if (last <= first) {
        // The view showed only samples the edit removed: keep its zoom width where the edit
        // happened.
        const double width = std::max(1.0, std::trunc(widthBefore_));
        first = std::clamp(std::trunc(a), 0.0, std::max(0.0, n_ - width));
        last = std::min(static_cast<double>(n_), first + width);
    }
    ZoomTo(first, last);
}

TDragZoomResult TWaveViewGeometry::DragZoom(int anchorY, int y, int x) {
    if (n_ < 2 || Width() <= 0 || anchorY == y) return TDragZoomResult::unchanged;
    const double distance = static_cast<double>(anchorY) - y;
    // The exponent is bounded so that the factor stays finite (1.02^2000 ~ 1.6e17 already
    // spans any wave).
    const double exponent = std::clamp(std::sqrt(std::fabs(distance)) * distance, -2000.0, 2000.0);
    const double factor = std::pow(1.02, exponent);
    const double h = SampleIndexAtPixel(x);
    const double lastIndex = n_ - 1.0;
    const double first = std::clamp(h + factor * (FirstVisible() - h), 0.0, lastIndex);
    double last = std::clamp(h + factor * (LastVisible() - h), 0.0, lastIndex);
    last = std::max(last, first + 2.0);
    if (first != 0.0 || last != lastIndex) {
        ZoomTo(first, last);
        return TDragZoomResult::zoomed;
    }
    Unzoom();
    return TDragZoomResult::unzoomed;
}

}  // namespace kalvora
