// Computes and paints volume diagrams with arbitrary settings, sample rates, samples and
// view geometry: no setting may make the resonators overflow into undefined conversions,
// write outside the arrays or paint outside the update rectangle. Any crash, sanitizer
// report or broken check is a finding.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/memory_canvas.h"
#include "volume/vold_view_props.h"
#include "volume/volume_analysis.h"
#include "volume/volume_painter.h"

namespace {

// Takes values from the front of the input; zeros once it is used up.
class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    template <class T>
    T Take() {
        T value{};
        const std::size_t n = std::min(sizeof(T), size_);
        std::memcpy(&value, data_, n);
        data_ += n;
        size_ -= n;
        return value;
    }
    // A double in [low, high] spread logarithmically when low > 0.
    double Between(double low, double high) {
        const double t = Take<std::uint16_t>() / 65535.0;
        return low > 0 ? low * std::pow(high / low, t) : low + t * (high - low);
    }
    const std::uint8_t* Rest() const { return data_; }
    std::size_t RestSize() const { return size_; }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
};

}  // namespace

// A broken check names itself before it aborts.
#define CHECK(condition)                                            \
    do {                                                            \
        if (!(condition)) {                                         \
            std::fprintf(stderr, "check failed: %s\n", #condition); \
            std::abort();                                           \
        }                                                           \
    } while (false)

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kalvora;
    Bytes bytes(data, size);
    TVoldViewProps settings;
    settings.XResolution = 1 + bytes.Take<std::uint8_t>() % 64;
    settings.YResolution = 1 + bytes.Take<std::uint8_t>() % 40;
    settings.TimeTop = bytes.Between(1e-7, 1e3);
    settings.TimeBottom = bytes.Between(1e-7, 1e3);
    settings.YWidth = bytes.Between(1e-6, 1e6);
    settings.YScale = bytes.Take<std::uint8_t>() % 4;
    settings.Sensitivity = bytes.Take<std::uint8_t>() % 5;
    settings.Strength = bytes.Between(1e-3, 1e3);
    settings.DrawSingle = bytes.Take<std::uint8_t>() & 1;
    settings.UseColorPalette1D = bytes.Take<std::uint8_t>() & 1;
    const double freq = bytes.Between(1, 200000);
    const bool stereo = bytes.Take<std::uint8_t>() & 1;
    platform::Rect band{bytes.Take<std::uint8_t>() % 8, bytes.Take<std::uint8_t>() % 8, 0, 0};
    band.right = band.left + bytes.Take<std::uint8_t>() % 80;
    band.bottom = band.top + bytes.Take<std::uint8_t>() % 60;
    platform::Rect update{bytes.Take<std::uint8_t>() % 90, bytes.Take<std::uint8_t>() % 70, 0, 0};
    update.right = update.left + bytes.Take<std::uint8_t>() % 90;
    update.bottom = update.top + bytes.Take<std::uint8_t>() % 70;

    std::vector<std::int16_t> samples(bytes.RestSize() / 2);
    std::memcpy(samples.data(), bytes.Rest(), samples.size() * 2);
    if (samples.empty()) samples.push_back(0);
    const std::int32_t n = static_cast<std::int32_t>(samples.size());
    const double first = bytes.Between(0, n);
    const double last = first + bytes.Between(0, 2.0 * n);

    TVolumeArray left(settings.XResolution, settings.YResolution);
    TVolumeArray right(settings.XResolution, settings.YResolution);
    const TResonatorTuning tuning = TResonatorTuning::From(settings, freq);
    TVolumeAnalysis(tuning, samples.data(), n, left).Run();
    CHECK(left.GetFilled() >= settings.XResolution && left.GetFilled() <= settings.XResolution + 1);
    for (std::int32_t x = 0; x < settings.XResolution; ++x) {
        for (std::int32_t y = 0; y < settings.YResolution; ++y) {
            const float v = left.GetVolume(x, y);
            CHECK(std::isfinite(v) && v >= 0.0f && v <= 512.0f);
        }
    }
    if (stereo) {
        std::vector<std::int16_t> reversed(samples.rbegin(), samples.rend());
        TVolumeAnalysis(tuning, reversed.data(), n, right).Run();
    }

    constexpr platform::Color kUntouched = 0xABCDEF;
    platform::MemoryCanvas canvas(100, 80, kUntouched);
    TVolumeArrays arrays;
    arrays.MoSt = stereo ? 2 : 1;
    (stereo ? arrays.Left : arrays.Single) = &left;
    if (stereo) arrays.Right = &right;
    DrawVolume(canvas, band, update, first, last, n, arrays, settings, size % 2 == 1);
    const platform::Rect allowed = update.Intersected(band);
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 100; ++x) {
            CHECK(allowed.Contains(x, y) || canvas.GetPixel(x, y) == kUntouched);
        }
    }
    return 0;
}
