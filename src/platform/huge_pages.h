// A hint for large, long-lived arrays such as the samples of long sounds: back them with
// huge pages where the system offers them (Linux transparent huge pages). Reads spread
// over hundreds of megabytes, as a wave view's repaint makes them, then miss the address
// translation caches far less often. Contents and behaviour are unchanged; where huge pages
// are not available the hint does nothing.
#pragma once

#include <cstddef>

namespace kalvora::platform {

// Advises the whole 2 MB pages inside data .. data + bytes. Call it before the array is
// first written, so that the system can hand out huge pages at once.
void AdviseHugePages(void* data, std::size_t bytes);

}  // namespace kalvora::platform
