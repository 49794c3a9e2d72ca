// TWindowViewState: the part of a wave's shadow file that belongs to its window (split
// position, zooms, shown display, view settings). The shell defines what it holds; a document
// only carries it from the shadow file reader to the window that applies it, and keeps it
// while no window exists yet (opening, projects).
#pragma once

#include <memory>

namespace kalvora {

class TWindowViewState {
  public:
    virtual ~TWindowViewState() = default;
    virtual std::unique_ptr<TWindowViewState> Clone() const = 0;

    // Read while a project loads: the split position and the zooms wait until the project
    // has sized the window; the display and the settings apply at once.
    bool loading = false;
};

}  // namespace kalvora
