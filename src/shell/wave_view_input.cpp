#include "shell/wave_view_input.h"

#include <algorithm>
#include <cmath>

#include "documents/writers.h"
#include "shell/commands.h"

namespace kalvora {
namespace {

// The grab radius of a drawing node, in pixels.
constexpr double kGrabDistance = 5.0;

std::int16_t NodeValue(int value) {
    return static_cast<std::int16_t>(std::clamp(value, -32767, 32767));
}

}  // namespace

TWaveViewMouse::TWaveViewMouse(TUnitWave& document, TWaveViewGeometry& geometry)
    : document_(document), geometry_(geometry) {}

bool TWaveViewMouse::ZoomTo(double a, double b) {
    Sync();
    if (Count() <= 0 || !(b > a)) return false;
    geometry_.ZoomTo(a, b);
    return true;
}

// ---- Normal mode ----

TViewReaction TWaveViewMouse::LeftButtonDown(int x, int y, TInputModifiers modifiers) {
    Sync();
    if (document_.UserDrawing()) return DrawingDown(x, y);
    TViewReaction reaction;
    const std::int32_t n = Count();
    if (n < 2) return reaction;
    const std::int32_t c = SampleAt(x);
    const std::int32_t first = document_.FirstEnd();
    const std::int32_t second = document_.SecondEnd();
    previousSelection_ = first != second;
    previousMin_ = std::min(first, second);
    previousMax_ = std::max(first, second);
    if (modifiers.shift) {
        document_.MoveFirstEnd(c);
    } else if (modifiers.ctrl) {
        // The old end nearer to c; the larger one when both are equally near.
        const std::int64_t toMin = std::abs(static_cast<std::int64_t>(c) - previousMin_);
        const std::int64_t toMax = std::abs(static_cast<std::int64_t>(c) - previousMax_);
        document_.SetEnds(c, toMin < toMax ? previousMin_ : previousMax_);
    } else {
        document_.SetCursor(c);
    }
    return reaction;
}

TViewReaction TWaveViewMouse::RightButtonDown(int /*x*/, int y) {
    Sync();
    if (document_.UserDrawing() || Count() < 2) return {};
    ForgetPreviousSelection();
    zoomAnchor_ = y;
    return {};
}

TViewReaction TWaveViewMouse::PointerMove(int x, int y, bool leftHeld, bool rightHeld) {
    Sync();
    if (document_.UserDrawing()) return grabbed_ != nullptr ? DrawingMove(x, y) : TViewReaction{};
    TViewReaction reaction;
    if (x == pointerX_ && y == pointerY_) return reaction;
    const std::int32_t n = Count();
    const bool measurable = n >= 2 && geometry_.Width() > 0;
    if (rightHeld && measurable) {
        switch (geometry_.DragZoom(zoomAnchor_, y, x)) {
            case TDragZoomResult::unchanged:
                break;
            case TDragZoomResult::zoomed:
            case TDragZoomResult::unzoomed:
                reaction.fullRepaint = true;
                reaction.zoomChanged = true;
                reaction.movePointer = platform::Point{x, zoomAnchor_};
                break;
        }
    }
    ForgetPreviousSelection();
    if (leftHeld && measurable) document_.MoveFirstEnd(SampleAt(x));
    reaction.positionText =
        WavePositionText(geometry_, document_.GetFreq(), document_.GetMoSt(), x, y);
    pointerX_ = x;
    pointerY_ = y;
    return reaction;
}

TViewReaction TWaveViewMouse::LeftButtonUp(int /*x*/, int y, TWaveToolMode& toolMode) {
    Sync();
    if (document_.UserDrawing()) return DrawingUp(y);
    TViewReaction reaction;
    const std::int32_t n = Count();
    switch (toolMode) {
        case TWaveToolMode::normal:
            break;
        case TWaveToolMode::zoomIn:
            toolMode = TWaveToolMode::normal;
            reaction.toolModeChanged = true;
            if (n > 0) {
                // A click without moving zooms to the selection that existed before the
                // click (which set the cursor); a drag zooms to the dragged range.
                if (previousSelection_) {
                    reaction.zoomChanged = ZoomTo(previousMin_, previousMax_);
                } else if (document_.HasSelection()) {
                    const std::int32_t low = document_.SelMin();
                    const std::int32_t high = document_.SelMax();
                    document_.SetSelection(low, high);
                    reaction.zoomChanged = ZoomTo(low, high);
                }
                reaction.fullRepaint = true;
            }
            break;
        case TWaveToolMode::noZoom:
            toolMode = TWaveToolMode::normal;
            reaction.toolModeChanged = true;
            if (n > 0) {
                geometry_.Unzoom();
                reaction.zoomChanged = true;
                reaction.fullRepaint = true;
            }
            break;
    }
    return reaction;
}

// ---- Drawing mode ----

TViewReaction TWaveViewMouse::DrawingDown(int x, int y) {
    grabbed_ = nullptr;
    TDrawNodes& nodes = document_.DrawNodes();
    double nearest = kGrabDistance;
    for (TDrawNode& node : nodes) {
        const platform::Point at = geometry_.NodePixel(node.position, node.value);
        const double distance = std::hypot(at.x - x, at.y - y);
        if (distance < nearest) {
            nearest = distance;
            grabbed_ = &node;
            grabOffsetX_ = at.x - x;
            grabOffsetY_ = at.y - y;
        }
    }
    if (grabbed_ != nullptr || Count() <= 0 || geometry_.Width() <= 1) return {};
    // A new node where the pointer is; it is not grabbed.
    const TNodePlace place = geometry_.NodeAtPixel(x, y);
    if (nodes.Insert(std::clamp(place.position, 0.0, 1.0), NodeValue(place.value)) != nullptr) {
        document_.DrawingEdited();
    }
    return {};
}

bool TWaveViewMouse::GrabbedStillThere() {
    if (grabbed_ == nullptr) return false;
    for (const TDrawNode& node : document_.DrawNodes()) {
        if (&node == grabbed_) return true;
    }
    grabbed_ = nullptr;  // the drawing ended or was replaced meanwhile
    return false;
}

TViewReaction TWaveViewMouse::DrawingMove(int x, int y) {
    if (!GrabbedStillThere()) return {};
    TDrawNodes& nodes = document_.DrawNodes();
    const platform::Rect& client = geometry_.Client();
    TDrawNode* previous = nodes.Previous(grabbed_);
    TDrawNode* next = nodes.Next(grabbed_);
    const bool inner = previous != nullptr && next != nullptr;
    const int newX = x + grabOffsetX_;
    int newY = y + grabOffsetY_;
    // End nodes keep their position; an inner node stays between its neighbours.
    if (inner) {
        const int previousX = geometry_.NodePixel(previous->position, previous->value).x;
        const int nextX = geometry_.NodePixel(next->position, next->value).x;
        if (previousX + 1 < newX && newX < nextX + 1) {
            // Nodes read from a file may stand out of position order.
            grabbed_->position = std::clamp(geometry_.NodeAtPixel(newX, newY).position,
                                            std::min(previous->position, next->position),
                                            std::max(previous->position, next->position));
        }
    }
    const bool outside = newY >= client.bottom || newY < client.top;
    newY = std::clamp(newY, client.top, client.bottom - 1);
    if (inner) grabbed_->hidden = outside;
    grabbed_->value = NodeValue(geometry_.NodeAtPixel(newX, newY).value);
    document_.DrawingEdited();
    return {};
}

TViewReaction TWaveViewMouse::DrawingUp(int y) {
    if (!GrabbedStillThere()) return {};
    TDrawNodes& nodes = document_.DrawNodes();
    const platform::Rect& client = geometry_.Client();
    const int releasedY = y + grabOffsetY_;
    const bool inner = nodes.Previous(grabbed_) != nullptr && nodes.Next(grabbed_) != nullptr;
    if (releasedY >= client.bottom || releasedY < client.top) {
        if (inner) {
            nodes.Delete(grabbed_);
        } else {
            const int clamped = std::clamp(releasedY, client.top, client.bottom - 1);
            grabbed_->value = NodeValue(geometry_.NodeAtPixel(0, clamped).value);
        }
    }
    grabbed_ = nullptr;
    document_.DrawingEdited();
    return {};
}

// ---- Keys ----

bool WaveViewKey(TUnitWave& document, const TWaveViewGeometry& geometry, std::uint8_t key,
                 TInputModifiers modifiers) {
    int pixels = 0;
    switch (key) {
        case keycode::left:
            pixels = -1;
            break;
        case keycode::right:
            pixels = 1;
            break;
        case keycode::up:
            pixels = -10;
            break;
        case keycode::down:
            pixels = 10;
            break;
        case keycode::home:
        case keycode::end:
        case keycode::pageUp:
        case keycode::pageDown:
            break;
        default:
            return false;
    }
    const std::int32_t n = static_cast<std::int32_t>(document.GetValues());
    // Without samples there is nothing to step through (the mapping would divide 0 by 0).
    if (n <= 0) return true;
    TWaveViewGeometry view = geometry;
    view.SetSampleCount(n);
    const auto step = [&](std::int32_t s, int k) {
        const std::int64_t moved = view.StepPosition(s, k);
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(moved, -1, n + 1LL));
    };
    const std::int32_t first = document.FirstEnd();
    const std::int32_t second = document.SecondEnd();
    const std::int32_t low = std::min(first, second);
    const std::int32_t high = std::max(first, second);
    const bool shift = modifiers.shift;
    const bool ctrl = modifiers.ctrl;
    const bool home = key == keycode::home;
    const bool end = key == keycode::end;
    if (key == keycode::pageUp || key == keycode::pageDown) {
        if (ctrl && !shift) {
            const std::int32_t length = key == keycode::pageUp ? low - high : high - low;
            document.SetEnds(first + length, second + length);
        }
        return true;
    }
    if (!shift && !ctrl) {
        document.SetCursor(home ? 0 : end ? n : step(first, pixels));
    } else if (shift && !ctrl) {
        document.SetEnds(home  ? 0
                         : end ? n
                               : step(first, pixels),
                         home || end ? second : step(second, 0));
    } else if (ctrl && !shift) {
        document.SetEnds(home || end ? first : step(first, 0), home  ? 0
                                                               : end ? n
                                                                     : step(second, pixels));
    } else if (home) {
        document.SetEnds(first - low, second - low);
    } else if (end) {
        document.SetEnds(first + n - high, second + n - high);
    } else {
        document.SetEnds(step(first, pixels), step(second, pixels));
    }
    return true;
}

// ---- Status panel 1 ----

std::string WavePositionText(const TWaveViewGeometry& geometry, int freq, int channels, int x,
                             int y) {
    const platform::Rect& client = geometry.Client();
    const double seconds = freq > 0 ? geometry.TimeAtPixel(x, freq) : 0.0;
    const double h = (client.bottom - 1) - client.top;
    double v = 0.0;
    if (h > 0) {
        const double relative = y - client.top;
        if (channels == 1) {
            v = 1 - 2 * relative / h;
        } else {
            v = 1 - 4 * relative / h;
            if (v < -1) v += 2;
        }
    }
    // Joined by appending: GCC 12 takes "(" + string for an overlapping copy in Release.
    return std::string("(")
        .append(WriteDuration(seconds))
        .append(", ")
        .append(WriteDigits(100 * v, 1, 2, 2))
        .append(" %)");
}

}  // namespace kalvora
