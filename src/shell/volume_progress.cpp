#include "shell/volume_progress.h"

#include <algorithm>
#include <cstdint>

namespace kalvora {

int VolumeDiagramPercent(const TVolumeArray* first, const TVolumeArray* second) {
    std::int64_t filled = 0;
    std::int64_t width = 0;
    for (const TVolumeArray* array : {first, second}) {
        if (array == nullptr) continue;
        filled += std::clamp(array->GetFilled(), 0, array->GetWidth());
        width += array->GetWidth();
    }
    if (width <= 0) return 100;
    return static_cast<int>(filled * 100 / width);
}

std::string VolumeDiagramProgressText(int percent) {
    return "Volume diagram " + std::to_string(percent) + "%";
}

}  // namespace kalvora
