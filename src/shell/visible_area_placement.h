// Where a new document window goes: wherever its own placement rule puts it (the default
// place, split, merge or a project's stored bounds), it ends up wholly inside the visible
// document area of the frame, moved in and, when the area is too small, shrunk to it. So no
// window opens with its close button cut off or makes the area scroll. Standard C++ only.
#pragma once

#include "shell/window_layout.h"

namespace kalvora {

// wanted moved (and where needed shrunk) to lie inside area; unchanged when it already does.
WindowRect PlaceInsideVisibleArea(WindowRect wanted, WindowRect area);

}  // namespace kalvora
