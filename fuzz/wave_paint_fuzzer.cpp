// Paints wave views of every shape: view size, sound length and channels, zoom and scroll,
// selection, sampling settings, envelope and drawing nodes all come from the input. Nothing
// may read outside the samples or the canvas, divide by zero or overflow, whatever the
// numbers (the sanitizers watch).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/memory_canvas.h"
#include "shell/wave_painter.h"
#include "shell/wave_view_geometry.h"
#include "shell/wave_view_props.h"
#include "sound/sound.h"

namespace {

using namespace kalvora;

// Takes numbers from the front of the input; zeros once it is used up.
class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    template <class T>
    T Take() {
        T value{};
        const std::size_t n = std::min(sizeof(T), size_);
        std::memcpy(&value, data_, n);
        data_ += n;
        size_ -= n;
        return value;
    }
    double Number() {
        const double value = Take<double>();
        return value == value ? value : 0.0;  // NaN reaches no caller of the painter
    }
    std::size_t Left() const { return size_; }
    const std::uint8_t* Rest() const { return data_; }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
};

Wave Samples(Input& in, std::int32_t n) {
    ErrorFlag error = 0;
    Wave wave(&error, n);
    for (std::int32_t i = 0; i < n; ++i)
        wave.wave[i] = static_cast<std::int16_t>(i * 7919 + n);
    for (std::int32_t i = 0; i < n && in.Left() >= 2; i += 1 + i / 8) {
        wave.wave[i] = in.Take<std::int16_t>();
    }
    return wave;
}

std::unique_ptr<Sound> MakeSound(Input& in, bool stereo) {
    const std::int32_t n = in.Take<std::uint16_t>() % 5000;
    const std::int32_t freq = 1 + in.Take<std::uint16_t>();
    if (stereo) return std::make_unique<StereoSound>(Samples(in, n), Samples(in, n), freq, 2);
    return std::make_unique<MonoSound>(Samples(in, n), freq, 2);
}

TWaveViewProps MakeSettings(Input& in) {
    TWaveViewProps props;
    const auto bits = in.Take<std::uint8_t>();
    props.DrawStyle = (bits & 1) ? drawStylePoints : drawStyleLines;
    props.Distribution = (bits & 2) ? distributionRandom : distributionConstant;
    props.UseGrid = (bits & 4) != 0;
    props.DrawSingle = (bits & 8) != 0;
    props.Front = static_cast<TFront>((bits >> 4) % 3);
    props.DrawEnvelope = (bits & 64) != 0;
    props.ValuesPerPixel = 1 + in.Take<std::uint16_t>() % 300;
    props.Strength = in.Number();
    props.EnvelopeStrength = in.Number();
    return props;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    const int width = in.Take<std::uint8_t>() % 200;
    const int height = in.Take<std::uint8_t>() % 120;
    const int left = in.Take<std::int8_t>() % 20;
    const auto flags = in.Take<std::uint8_t>();
    const std::unique_ptr<Sound> sound = MakeSound(in, (flags & 1) != 0);
    const std::unique_ptr<Sound> envelopeSound = MakeSound(in, (flags & 2) != 0);
    TWaveViewProps settings = MakeSettings(in);
    TWaveViewProps envelopeSettings = MakeSettings(in);

    TWaveViewGeometry geometry;
    geometry.SetClient({left, 0, left + width, height});
    geometry.SetSampleCount(sound->GetValues());
    if (flags & 4) geometry.ZoomTo(in.Number(), in.Number());
    if (flags & 8) geometry.SetScrollPosition(in.Take<std::int64_t>());
    if (flags & 16) {
        geometry.BeforeChange(in.Number(), in.Number());
        geometry.AfterChange(in.Number(), in.Number());
    }
    if (flags & 32)
        geometry.DragZoom(in.Take<std::int16_t>(), in.Take<std::int16_t>(),
                          in.Take<std::int16_t>());

    const std::int32_t n = sound->GetValues();
    TEnvelopeScene envelope;
    envelope.sound = envelopeSound.get();
    const std::int32_t e = envelopeSound->GetValues();
    envelope.workBegin = e == 0 ? 0 : in.Take<std::uint16_t>() % (e + 1);
    envelope.workEnd = e == 0 ? 0 : in.Take<std::uint16_t>() % (e + 1);
    envelope.settings = &envelopeSettings;
    std::vector<TDrawNodeMark> nodes;
    if (flags & 64) {
        nodes.push_back({0.0, 32767, false});
        nodes.push_back({in.Number(), in.Take<std::int16_t>(), false});
        nodes.push_back({1.0, -32767, false});
    }
    TWaveViewScene scene;
    scene.sound = sound.get();
    scene.settings = &settings;
    scene.firstEnd = n == 0 ? 0 : in.Take<std::uint16_t>() % (n + 1);
    scene.secondEnd = n == 0 ? 0 : in.Take<std::uint16_t>() % (n + 1);
    scene.envelope = &envelope;
    scene.userDrawing = (flags & 64) != 0;
    scene.nodes = nodes;

    platform::MemoryCanvas canvas(std::max(0, left + width + 5), height);
    const platform::Rect clip{in.Take<std::int16_t>() % 250, in.Take<std::int16_t>() % 150,
                              in.Take<std::int16_t>() % 250, in.Take<std::int16_t>() % 150};
    TWavePainter painter(canvas, geometry, scene);
    painter.Paint(clip);
    painter.Paint(geometry.Client());
    for (double x = -3; x < width + 3; x += 7) {
        static_cast<void>(geometry.PixelOfSample(geometry.SampleAtPixel(x)));
        static_cast<void>(geometry.StepPosition(x * 13, static_cast<int>(x)));
        static_cast<void>(geometry.NodeAtPixel(static_cast<int>(x), static_cast<int>(x)));
    }
    return 0;
}
