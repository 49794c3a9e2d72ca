#include "volume/volume_array.h"

#include <algorithm>
#include <atomic>
#include <new>

#include "platform/assertion.h"

namespace kalvora {

std::optional<std::string> VolumeResolutionProblem(std::int64_t width, std::int64_t height) {
    const std::string most = std::to_string(kMaxVolumeResolution);
    if (width < 1) return "In Horizontal Resolution: Value must be positive and more than 0.";
    if (width > kMaxVolumeResolution) {
        return "In Horizontal Resolution: Value must be no more than " + most + ".";
    }
    if (height < 1) return "In Vertical Resolution: Value must be positive and more than 0.";
    if (height > kMaxVolumeResolution) {
        return "In Vertical Resolution: Value must be no more than " + most + ".";
    }
    if (width * height > kMaxVolumeCells) {
        return "In Vertical Resolution: Horizontal times Vertical Resolution must be no more "
               "than " +
               std::to_string(kMaxVolumeCells) + ".";
    }
    return std::nullopt;
}

TVolumeArray::TVolumeArray(std::int32_t width, std::int32_t height)
    : width_(width), height_(height) {
    KALVORA_ASSERT(!VolumeResolutionProblem(width, height));
    Volumes.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0.0f);
}

std::unique_ptr<TVolumeArray> TVolumeArray::Create(std::int32_t width, std::int32_t height) {
    try {
        return std::make_unique<TVolumeArray>(width, height);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::size_t TVolumeArray::Index(std::int32_t x, std::int32_t y) const {
    x = std::clamp(x, 0, width_ - 1);
    y = std::clamp(y, 0, height_ - 1);
    return static_cast<std::size_t>(x) * static_cast<std::size_t>(height_) +
           static_cast<std::size_t>(y);
}

// Cells are accessed atomically (plain moves on common processors): the last column of a
// diagram may be written again after it was published, while a view reads it.
void TVolumeArray::SetVolume(std::int32_t x, std::int32_t y, float volume) {
    KALVORA_ASSERT(volume >= 0.0f);
    std::atomic_ref<float>(Volumes[Index(x, y)]).store(volume, std::memory_order_relaxed);
}

float TVolumeArray::GetVolume(std::int32_t x, std::int32_t y) const {
    auto& cell = const_cast<float&>(Volumes[Index(x, y)]);
    return std::atomic_ref<float>(cell).load(std::memory_order_relaxed);
}

}  // namespace kalvora
