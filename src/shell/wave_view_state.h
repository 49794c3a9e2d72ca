// TWaveViewState: what a wave's shadow file keeps of its window: the split between the two
// views, the zoom of each view, whether the waveform or the volume diagram is shown, and both
// settings records. The window hands it to the shadow file writer and applies what the reader
// found. Core code: standard C++ and the settings records only.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "documents/window_view_state.h"
#include "shell/wave_view_props.h"
#include "volume/vold_view_props.h"

namespace kalvora {

// A zoomed view: the first and the last sample it shows (first < last).
struct TViewZoom {
    std::int32_t first = 0;
    std::int32_t last = 0;

    friend bool operator==(const TViewZoom&, const TViewZoom&) = default;
};

class TWaveViewState final : public TWindowViewState {
  public:
    // The first view's share of the window's width; a new window shows only the second view.
    double splitPosition = 0.0;
    // The first and the second view; nothing for a view that shows the whole wave.
    std::array<std::optional<TViewZoom>, 2> zooms;
    bool showVolume = false;
    TWaveViewProps waveSettings;
    TVoldViewProps volumeSettings;

    std::unique_ptr<TWindowViewState> Clone() const override;
};

// The zoom stored for a view showing the samples first .. last (truncated to whole samples);
// nothing when the range is less than one sample wide.
std::optional<TViewZoom> ZoomOfVisibleRange(double first, double last);

}  // namespace kalvora
