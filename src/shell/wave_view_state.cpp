#include "shell/wave_view_state.h"

#include <algorithm>
#include <limits>

namespace kalvora {

std::unique_ptr<TWindowViewState> TWaveViewState::Clone() const {
    return std::make_unique<TWaveViewState>(*this);
}

std::optional<TViewZoom> ZoomOfVisibleRange(double first, double last) {
    constexpr double kLargest = std::numeric_limits<std::int32_t>::max();
    if (!(first >= 0 && last >= first)) return std::nullopt;
    const auto a = static_cast<std::int32_t>(std::min(first, kLargest));
    const auto b = static_cast<std::int32_t>(std::min(last, kLargest));
    if (b <= a) return std::nullopt;
    return TViewZoom{a, b};
}

}  // namespace kalvora
