#include "shell/wave_view_wheel.h"

#include <algorithm>
#include <cmath>

namespace kalvora {
namespace {

TWheelAction Scroll(const TWaveViewGeometry& geometry, int delta) {
    if (!geometry.Zoomed()) return {};
    const double notches = static_cast<double>(delta) / kWheelNotch;
    const auto step = std::max<std::int64_t>(1, geometry.ScrollIncrement());
    const auto moved =
        static_cast<std::int64_t>(std::llround(-notches * static_cast<double>(step)));
    const std::int64_t position = std::clamp<std::int64_t>(geometry.ScrollPosition() + moved, 0,
                                                           geometry.MaxScrollPosition());
    if (position == geometry.ScrollPosition()) return {};
    TWheelAction action;
    action.kind = TWheelAction::Kind::scroll;
    action.scrollPosition = position;
    return action;
}

TWheelAction Zoom(const TWaveViewGeometry& geometry, int x, int delta) {
    const double n = geometry.SampleCount();
    if (n < 2 || geometry.Width() <= 1) return {};
    const double factor = std::pow(kWheelZoomFactor, static_cast<double>(delta) / kWheelNotch);
    const double first = geometry.FirstVisible();
    const double last = geometry.LastVisible();
    const double anchor = std::clamp(geometry.SampleAtPixel(x), first, last);
    double newFirst = anchor + factor * (first - anchor);
    double newLast = anchor + factor * (last - anchor);
    // At least a sample per two columns stays visible: deeper zooms show nothing new.
    const double narrowest = std::min(n, std::max(2.0, geometry.Width() / 2.0));
    if (newLast - newFirst < narrowest) {
        const double grow = (narrowest - (newLast - newFirst)) / 2.0;
        newFirst -= grow;
        newLast += grow;
    }
    if (newFirst < 0.0) {
        newLast -= newFirst;
        newFirst = 0.0;
    }
    if (newLast > n) {
        newFirst = std::max(0.0, newFirst - (newLast - n));
        newLast = n;
    }
    TWheelAction action;
    if (newFirst <= 0.0 && newLast >= n) {
        if (!geometry.Zoomed()) return {};
        action.kind = TWheelAction::Kind::unzoom;
        return action;
    }
    action.kind = TWheelAction::Kind::zoom;
    action.first = newFirst;
    action.last = newLast;
    return action;
}

}  // namespace

TWheelAction WheelAction(const TWaveViewGeometry& geometry, int x, int delta, bool ctrl) {
    if (delta == 0) return {};
    return ctrl ? Zoom(geometry, x, delta) : Scroll(geometry, delta);
}

}  // namespace kalvora
