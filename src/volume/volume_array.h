// TVolumeArray: the volume diagram of one channel, the raw result of the analysis. Cells
// hold the largest amplitude a resonator reached in a column's stretch of time (1 is a
// full-scale sample). The worker writes cells and then publishes the filled count; the main
// thread reads the filled count and then only cells of the columns below it.
// Standard C++ and the platform's assertions only.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kalvora {

// The largest diagram the system computes: cell indices and memory stay bounded.
inline constexpr std::int32_t kMaxVolumeResolution = 65536;  // columns or rows
inline constexpr std::int64_t kMaxVolumeCells = std::int64_t{1} << 27;

// Why a diagram of width × height columns and rows cannot be made, in the settings
// dialog's words ("In <field>: <reason>"); nothing when it can.
std::optional<std::string> VolumeResolutionProblem(std::int64_t width, std::int64_t height);

class TVolumeArray {
  public:
    // Every cell 0, filled and drawn 0. Requires a resolution without problem. Throws
    // std::bad_alloc when the memory is not there (see Create).
    TVolumeArray(std::int32_t width, std::int32_t height);
    // As the constructor, but nullptr when the memory is not there.
    static std::unique_ptr<TVolumeArray> Create(std::int32_t width, std::int32_t height);

    TVolumeArray(const TVolumeArray&) = delete;
    TVolumeArray& operator=(const TVolumeArray&) = delete;

    std::int32_t GetWidth() const { return width_; }
    std::int32_t GetHeight() const { return height_; }

    // x and y are first clamped into the array, so coordinates beyond it address the
    // nearest edge cell. A negative volume is a programming error.
    void SetVolume(std::int32_t x, std::int32_t y, float volume);
    float GetVolume(std::int32_t x, std::int32_t y) const;

    // Columns completed so far, read with acquire ordering: every cell of a column below it
    // is written. May end one above the width.
    std::int32_t GetFilled() const { return filled_.load(std::memory_order_acquire); }
    // Publishes the columns written so far (release ordering): call after writing them.
    void SetFilled(std::int32_t filled) { filled_.store(filled, std::memory_order_release); }

    // Columns the views have drawn; kept by the main thread only.
    std::int32_t GetDrawn() const { return drawn_; }
    void SetDrawn(std::int32_t drawn) { drawn_ = drawn; }

  private:
    std::size_t Index(std::int32_t x, std::int32_t y) const;

    std::int32_t width_;
    std::int32_t height_;
    std::atomic<std::int32_t> filled_{0};
    std::int32_t drawn_ = 0;
    // Column after column: cell (x, y) at x·height + y.
    std::vector<float> Volumes;
};

}  // namespace kalvora
