#include "shell/wave_painter.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <utility>
#include <vector>

#include "platform/assertion.h"

namespace kalvora {
namespace {

using platform::Canvas;
using platform::Color;
using platform::Rect;

// Above this many values per column, more samples cannot change what a column of a few
// hundred rows shows; the bound keeps a huge setting from stalling a repaint.
constexpr int kMaxValuesPerColumn = 4096;

// Restores the canvas's clip rectangle when a painting step ends.
class TClipScope {
  public:
    TClipScope(Canvas& canvas, const Rect& area) : canvas_(canvas), saved_(canvas.Clip()) {
        canvas.SetClip(area.Intersected(saved_));
    }
    ~TClipScope() { canvas_.SetClip(saved_); }
    TClipScope(const TClipScope&) = delete;
    TClipScope& operator=(const TClipScope&) = delete;

  private:
    Canvas& canvas_;
    Rect saved_;
};

// Random numbers 0 .. 32767 for the random distribution, seeded per column from the
// column's first sample, so that a repaint of part of the view, or a scrolled view, shows
// the same columns as before.
class TColumnRandom {
  public:
    explicit TColumnRandom(std::uint64_t seed) : state_(seed) {}
    int Next() {
        state_ += 0x9E3779B97F4A7C15ull;  // splitmix64
        std::uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        return static_cast<int>(z >> 49);
    }

  private:
    std::uint64_t state_;
};

// The samples that stand for each column: k values per column at constant distances or at
// random places inside the column's share of the samples, as indices into a wave of n
// samples (positions truncated and kept inside the wave).
class TColumnSampler {
  public:
    TColumnSampler(const TWaveViewProps& settings, const TSampleMapping& mapping, std::int32_t n)
        : mapping_(mapping),
          n_(n),
          lines_(settings.DrawStyle == drawStyleLines),
          random_(settings.Distribution == distributionRandom) {
        step_ = mapping.right == mapping.left
                    ? 0.0
                    : (mapping.last - mapping.first) / (mapping.right - mapping.left);
        k_ = std::max(1, settings.ValuesPerPixel);
        // Lines only need the smallest and largest value: once every sample of the column
        // is read, more values per column read the same samples again.
        if (lines_ && k_ > 64 && step_ + 1.0 < k_) {
            k_ = std::max(1, static_cast<int>(std::ceil(step_)));
        }
        k_ = std::min(k_, kMaxValuesPerColumn);
        e_ = step_ / k_;
    }

    bool Lines() const { return lines_; }
    // Values per column: k + 1 for lines (both ends of the column), k for points.
    int Count() const { return lines_ ? k_ + 1 : k_; }

    // Writes the Count() indices of column x to out; false when the column lies outside the
    // wave (out then holds valid indices that stand for nothing).
    bool Indices(int x, std::int32_t* out) const {
        const double g = mapping_.SampleAtPixel(x);
        const bool inside = g < n_ && g + step_ >= 0.0;
        if (!inside) {
            std::fill(out, out + Count(), 0);
            return false;
        }
        if (random_) {
            TColumnRandom random(
                static_cast<std::uint64_t>(static_cast<std::int64_t>(std::floor(g))));
            for (int j = 0; j < Count(); ++j) {
                out[j] = IndexOf(g + random.Next() / 32767.0 * step_);
            }
        } else {
            const int first = lines_ ? 0 : 1;  // points start one step into the column
            for (int j = 0; j < Count(); ++j)
                out[j] = IndexOf(g + (first + j) * e_);
        }
        return true;
    }

  private:
    std::int32_t IndexOf(double position) const {
        if (!(position > 0.0)) return 0;
        if (position >= n_ - 1) return n_ - 1;
        return static_cast<std::int32_t>(position);
    }

    TSampleMapping mapping_;
    std::int32_t n_;
    bool lines_;
    bool random_;
    double step_ = 0.0;  // samples per column
    int k_ = 1;
    double e_ = 0.0;
};

// Asks the processor to start loading the cache line of p; a hint without effect on the
// result.
inline void Prefetch(const void* p) {
#if defined(__GNUC__)
    __builtin_prefetch(p);
#else
    static_cast<void>(p);
#endif
}

// The sample indices of a run of columns, with the flags of the columns that lie inside
// the wave.
struct TColumnRun {
    int left = 0;
    int columns = 0;
    std::vector<std::int32_t> indices;
    std::vector<char> inside;

    void Sample(const TColumnSampler& sampler, int runLeft, int runColumns, std::size_t count) {
        left = runLeft;
        columns = std::max(0, runColumns);
        indices.resize(static_cast<std::size_t>(columns) * count);
        inside.resize(static_cast<std::size_t>(columns));
        for (int c = 0; c < columns; ++c) {
            inside[static_cast<std::size_t>(c)] =
                sampler.Indices(left + c, &indices[static_cast<std::size_t>(c) * count]);
        }
    }
};

// Reads the samples of a strip's columns and hands each column's values to draw(x, values
// of the first wave, values of the second wave). In a long sound nearly every read misses
// the caches, so the columns go in runs: while one run is drawn, the samples of the next
// run are already being fetched.
template <class DrawColumn>
void ForEachColumn(const TColumnSampler& sampler, const Rect& strip, const Wave& first,
                   const Wave* second, DrawColumn&& draw) {
    constexpr std::size_t kValuesPerRun = 1024;
    const std::size_t count = static_cast<std::size_t>(sampler.Count());
    const int columnsPerRun = static_cast<int>(std::max<std::size_t>(1, kValuesPerRun / count));
    const auto prefetch = [&](const TColumnRun& run) {
        for (const std::int32_t index : run.indices) {
            Prefetch(first.wave + index);
            if (second != nullptr) Prefetch(second->wave + index);
        }
    };
    const auto read = [&](const TColumnRun& run, const Wave& wave, std::vector<std::int16_t>& out) {
        out.resize(run.indices.size());
        const std::int16_t* samples = wave.wave;
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i] = samples[run.indices[i]];
    };
    TColumnRun current, next;
    std::vector<std::int16_t> firstValues, secondValues;
    current.Sample(sampler, strip.left, std::min(columnsPerRun, strip.right - strip.left), count);
    while (current.columns > 0) {
        read(current, first, firstValues);
        if (second != nullptr) read(current, *second, secondValues);
        const int nextLeft = current.left + current.columns;
        next.Sample(sampler, nextLeft, std::min(columnsPerRun, strip.right - nextLeft), count);
        prefetch(next);
        for (int c = 0; c < current.columns; ++c) {
            if (!current.inside[static_cast<std::size_t>(c)]) continue;
            const std::size_t at = static_cast<std::size_t>(c) * count;
            draw(current.left + c, std::span<const std::int16_t>(&firstValues[at], count),
                 second != nullptr ? std::span<const std::int16_t>(&secondValues[at], count)
                                   : std::span<const std::int16_t>());
        }
        std::swap(current, next);
    }
}

// The rows of the largest and smallest of a column's values: top, bottom.
std::pair<int, int> ColumnSpan(std::span<const std::int16_t> values, const Rect& band) {
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    return {ValueToY(*high, band.top, band.bottom), ValueToY(*low, band.top, band.bottom)};
}

// A point in colour, or with strength t != 1 blended into what the pixel shows.
void PlotPoint(Canvas& canvas, int x, int y, Color color, double strength) {
    if (strength == 1.0) {
        canvas.SetPixel(x, y, color);
    } else {
        canvas.SetPixel(x, y, platform::BlendColor(canvas.GetPixel(x, y), color, strength));
    }
}

bool Drawable(const Wave& wave, const Rect& band, const Rect& strip) {
    return wave.values > 0 && !band.IsEmpty() && !strip.IsEmpty() && band.top < strip.bottom &&
           strip.top < band.bottom;
}

void DrawChannel(Canvas& canvas, const Wave& wave, const Rect& band, const Rect& strip,
                 const TWaveViewProps& settings, const TSampleMapping& mapping, Color color) {
    if (!Drawable(wave, band, strip)) return;
    const TColumnSampler sampler(settings, mapping, wave.values);
    ForEachColumn(sampler, strip, wave, nullptr,
                  [&](int x, std::span<const std::int16_t> values, std::span<const std::int16_t>) {
                      if (sampler.Lines()) {
                          const auto [top, bottom] = ColumnSpan(values, band);
                          canvas.VerticalLine(x, top, bottom, color);
                          return;
                      }
                      for (const std::int16_t value : values) {
                          PlotPoint(canvas, x, ValueToY(value, band.top, band.bottom), color,
                                    settings.Strength);
                      }
                  });
}

struct TChannelColors {
    Color single, left, right;
};

// Both channels in one band at the same sample positions: the back channel first, the
// front one over it; Mixed shows where the two lines overlap in the single colour.
void DrawJoined(Canvas& canvas, const Sound& sound, const Rect& band, const Rect& strip,
                const TWaveViewProps& settings, const TSampleMapping& mapping,
                const TChannelColors& colors) {
    const Wave& left = sound.GetLeftWave();
    const Wave& right = sound.GetRightWave();
    if (!Drawable(left, band, strip) || right.values != left.values) return;
    const bool leftAtFront = settings.Front == frontLeft;
    const bool mixed = settings.Front == frontMixed;
    const Wave& back = leftAtFront ? right : left;
    const Wave& front = leftAtFront ? left : right;
    const Color backColor = leftAtFront ? colors.right : colors.left;
    const Color frontColor = leftAtFront ? colors.left : colors.right;
    const TColumnSampler sampler(settings, mapping, left.values);
    const auto point = [&](int x, std::int16_t value, Color color) {
        PlotPoint(canvas, x, ValueToY(value, band.top, band.bottom), color, settings.Strength);
    };
    ForEachColumn(sampler, strip, back, &front,
                  [&](int x, std::span<const std::int16_t> backValues,
                      std::span<const std::int16_t> frontValues) {
                      if (sampler.Lines()) {
                          const auto [backTop, backBottom] = ColumnSpan(backValues, band);
                          const auto [frontTop, frontBottom] = ColumnSpan(frontValues, band);
                          canvas.VerticalLine(x, backTop, backBottom, backColor);
                          canvas.VerticalLine(x, frontTop, frontBottom, frontColor);
                          const int commonTop = std::max(backTop, frontTop);
                          const int commonBottom = std::min(backBottom, frontBottom);
                          if (mixed && commonTop <= commonBottom) {
                              canvas.VerticalLine(x, commonTop, commonBottom, colors.single);
                          }
                      } else if (mixed) {
                          for (std::size_t j = 0; j < backValues.size(); ++j) {
                              point(x, backValues[j], backColor);
                              point(x, frontValues[j], frontColor);
                          }
                      } else {
                          for (const std::int16_t value : backValues)
                              point(x, value, backColor);
                          for (const std::int16_t value : frontValues)
                              point(x, value, frontColor);
                      }
                  });
}

}  // namespace

double NiceStep(double x) {
    if (!(x > 0.0) || !std::isfinite(x)) return 0.0;
    const double power = std::pow(10.0, std::floor(std::log10(x)));
    const double m = std::trunc(x / power);
    if (m < 3) return power * 2;
    if (m < 6) return power * 5;
    return power * 10;
}

void DrawGrid(Canvas& canvas, const TSampleMapping& mapping, double freq, const Rect& band,
              const Rect& strip, Color color) {
    const Rect area = Rect{strip.left, band.top, strip.right, band.bottom}.Intersected(strip);
    if (area.IsEmpty()) return;
    canvas.HorizontalLine(area.left, area.right - 1,
                          static_cast<int>((band.top + band.bottom) * 0.5), color);
    if (mapping.last == mapping.first || !(freq > 0.0) || band.Width() <= 0) return;
    const double step = NiceStep(((mapping.last - mapping.first) / freq) / (0.05 * band.Width()));
    if (step == 0.0) return;
    double before = std::trunc(mapping.TimeAtPixel(area.left - 1, freq) / step);
    for (int x = area.left; x < area.right; ++x) {
        const double now = std::trunc(mapping.TimeAtPixel(x, freq) / step);
        if (now > before) canvas.VerticalLine(x, area.top, area.bottom - 1, color);
        before = now;
    }
}

void DrawWaveform(Canvas& canvas, const Sound& sound, const TSampleMapping& mapping,
                  const Rect& band, const Rect& strip, const TWaveViewProps& settings,
                  bool inverted) {
    const TChannelColors colors =
        inverted ? TChannelColors{settings.BackgroundColor, settings.RightColor, settings.LeftColor}
                 : TChannelColors{settings.SingleColor, settings.LeftColor, settings.RightColor};
    const auto grid = [&](const Rect& area) {
        if (settings.UseGrid)
            DrawGrid(canvas, mapping, sound.Freq, area, strip, settings.GridColor);
    };
    if (sound.MoSt == 1) {
        DrawChannel(canvas, sound.GetLeftWave(), band, strip, settings, mapping, colors.single);
        grid(band);
    } else if (settings.DrawSingle) {
        const int mid = (band.top + band.bottom) / 2;
        const Rect upper{band.left, band.top, band.right, mid};
        const Rect lower{band.left, mid, band.right, band.bottom};
        DrawChannel(canvas, sound.GetLeftWave(), upper, strip, settings, mapping, colors.single);
        grid(upper);
        DrawChannel(canvas, sound.GetRightWave(), lower, strip, settings, mapping, colors.single);
        grid(lower);
        if (!strip.IsEmpty())
            canvas.HorizontalLine(strip.left, strip.right - 1, mid, settings.GridColor);
    } else {
        DrawJoined(canvas, sound, band, strip, settings, mapping, colors);
        grid(band);
    }
}

TWavePainter::TWavePainter(Canvas& canvas, const TWaveViewGeometry& geometry,
                           const TWaveViewScene& scene)
    : canvas_(canvas), geometry_(geometry), scene_(scene) {
    KALVORA_ASSERT(scene.sound != nullptr && scene.settings != nullptr);
}

Color TWavePainter::Background() const {
    return scene_.volume != nullptr ? scene_.volume->BackgroundColor()
                                    : scene_.settings->BackgroundColor;
}

void TWavePainter::Paint(const Rect& requested) {
    const Rect& client = geometry_.Client();
    const Rect rect = requested.Intersected(client);
    if (rect.IsEmpty()) return;
    const TClipScope clip(canvas_, rect);
    const std::int32_t n = scene_.sound->GetValues();
    if (scene_.userDrawing) {
        KALVORA_ASSERT(scene_.volume == nullptr);
        if (client.Width() > 1 && scene_.nodes.size() >= 2) {
            PaintStrip(client.left, client.right, false);
            DrawNodes();
        } else {
            canvas_.FillRect(rect, Background());
        }
        return;
    }
    if (n == 0 || client.Width() <= 1) {
        canvas_.FillRect(rect, Background());
        return;
    }
    const std::int32_t low = std::min(scene_.firstEnd, scene_.secondEnd);
    const std::int32_t high = std::max(scene_.firstEnd, scene_.secondEnd);
    if (low == high) {
        PaintStrip(rect.left, rect.right, false);
    } else {
        const int s1 = std::clamp(geometry_.PixelOfSample(low), rect.left, rect.right);
        const int s2 = std::clamp(geometry_.PixelOfSample(high), rect.left, rect.right);
        if (rect.left < s1) PaintStrip(rect.left, s1, false);
        if (s1 < s2) PaintStrip(s1, s2, true);
        if (s2 < rect.right) PaintStrip(s2, rect.right, false);
    }
    const int cursor = CursorPixel();
    if (cursor >= rect.left && cursor <= rect.right) DrawCursorLine();
}

void TWavePainter::PaintStrip(int x1, int x2, bool inverted) {
    const Rect& client = geometry_.Client();
    const Rect strip = Rect{x1, client.top, x2, client.bottom}.Intersected(client);
    if (strip.IsEmpty()) return;
    const TClipScope clip(canvas_, strip);
    if (scene_.volume != nullptr) {
        KALVORA_ASSERT(!scene_.userDrawing);
        scene_.volume->DrawVolume(canvas_, client, strip, geometry_.FirstVisible(),
                                  geometry_.LastVisible(), inverted, std::nullopt);
        return;
    }
    KALVORA_ASSERT(!(inverted && scene_.userDrawing));
    const TWaveViewProps& settings = *scene_.settings;
    const Color background = inverted ? settings.SingleColor : settings.BackgroundColor;
    PaintEnvelope(strip, inverted, background);
    DrawWaveform(canvas_, *scene_.sound, geometry_.Mapping(), client, strip, settings, inverted);
}

void TWavePainter::PaintEnvelope(const Rect& strip, bool inverted, Color background) {
    const TWaveViewProps& settings = *scene_.settings;
    const TEnvelopeScene* envelope = scene_.envelope;
    const std::int32_t n = scene_.sound->GetValues();
    // An envelope without samples has nothing to stretch over this wave.
    if (!settings.DrawEnvelope || settings.EnvelopeStrength == 0.0 || envelope == nullptr ||
        envelope->sound == nullptr || envelope->sound->GetValues() == 0 || n == 0) {
        canvas_.FillRect(strip, background);
        return;
    }
    const double s = settings.EnvelopeStrength;
    const double c = envelope->workBegin;
    const double d = envelope->workEnd;
    const TSampleMapping& view = geometry_.Mapping();
    const TSampleMapping mapping{c + view.first / n * (d - c), c + view.last / n * (d - c),
                                 view.left, view.right};
    if (envelope->volume != nullptr) {
        canvas_.FillRect(strip, background);
        envelope->volume->DrawVolume(canvas_, geometry_.Client(), strip, mapping.first,
                                     mapping.last, inverted,
                                     TVolumeDiagramPainter::TFaint{background, s});
        return;
    }
    KALVORA_ASSERT(envelope->settings != nullptr);
    TWaveViewProps faint = *envelope->settings;
    faint.BlendToward(background, s);
    canvas_.FillRect(strip, inverted ? faint.SingleColor : faint.BackgroundColor);
    DrawWaveform(canvas_, *envelope->sound, mapping, geometry_.Client(), strip, faint, inverted);
}

int TWavePainter::CursorPixel() const {
    const std::int32_t n = scene_.sound->GetValues();
    const std::int32_t cursor = scene_.firstEnd == n && n > 0 ? n - 1 : scene_.firstEnd;
    return geometry_.PixelOfSample(cursor);
}

void TWavePainter::DrawCursorLine() {
    const Rect& client = geometry_.Client();
    const Color color =
        scene_.volume != nullptr ? scene_.volume->CursorColor() : scene_.settings->CursorColor;
    canvas_.VerticalLine(CursorPixel(), client.top, client.bottom - 1, color);
}

void TWavePainter::DrawNodes() {
    const TWaveViewProps& settings = *scene_.settings;
    for (const TDrawNodeMark& node : scene_.nodes) {
        if (node.hidden) continue;
        const platform::Point at = geometry_.NodePixel(node.position, node.value);
        canvas_.Ellipse(Rect{at.x - 3, at.y - 3, at.x + 4, at.y + 4}, settings.SingleColor,
                        settings.GridColor);
        canvas_.SetPixel(at.x, at.y, settings.SingleColor);
    }
}

}  // namespace kalvora
