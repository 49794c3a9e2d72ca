#include "shell/wave_painter.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/memory_canvas.h"

namespace kalvora {
namespace {

using platform::Color;
using platform::MemoryCanvas;
using platform::Rect;

constexpr Color kWhite = 0xFFFFFF;
constexpr Color kBlack = 0x000000;
constexpr Color kCursor = 0xFF00FF;
constexpr Color kGrid = 0x808080;
constexpr Color kLeft = 0x0000FF;
constexpr Color kRight = 0x808000;
constexpr Color kFaint = 0x7F7F7F;

const std::map<Color, char> kLegend{{kWhite, '.'}, {kBlack, '#'}, {kCursor, 'c'}, {kGrid, 'g'},
                                    {kLeft, 'L'},  {kRight, 'R'}, {kFaint, 'f'}};

Wave MakeWave(const std::vector<std::int16_t>& samples) {
    ErrorFlag error = 0;
    Wave wave(&error, static_cast<std::int32_t>(samples.size()));
    std::copy(samples.begin(), samples.end(), wave.wave);
    return wave;
}

std::unique_ptr<Sound> Mono(const std::vector<std::int16_t>& samples, int freq = 1000) {
    return std::make_unique<MonoSound>(MakeWave(samples), freq, 2);
}

std::unique_ptr<Sound> Stereo(const std::vector<std::int16_t>& left,
                              const std::vector<std::int16_t>& right, int freq = 1000) {
    return std::make_unique<StereoSound>(MakeWave(left), MakeWave(right), freq, 2);
}

TWaveViewProps NoGrid() {
    TWaveViewProps props;
    props.UseGrid = false;
    return props;
}

// One view of width × height pixels showing a sound, painted on a memory canvas.
struct View {
    View(const Sound& sound, int width, int height, const TWaveViewProps& settings)
        : canvas(width, height, 0x123456), props(settings) {
        geometry.SetClient({0, 0, width, height});
        geometry.SetSampleCount(sound.GetValues());
        scene.sound = &sound;
        scene.settings = &props;
    }
    void Paint() { Paint(geometry.Client()); }
    void Paint(const Rect& rect) { TWavePainter(canvas, geometry, scene).Paint(rect); }
    // The whole view as one strip, without the cursor line.
    void PaintStrip() {
        TWavePainter(canvas, geometry, scene).PaintStrip(0, canvas.Bounds().right, false);
    }
    std::string Art() const { return canvas.Art(canvas.Bounds(), kLegend); }

    MemoryCanvas canvas;
    TWaveViewProps props;
    TWaveViewGeometry geometry;
    TWaveViewScene scene;
};

// Ten samples over ten columns: column x shows samples x and x + 1. With height 9,
// 0 is row 4, 16384 row 2, -16384 row 6 and 32767 row 0.
const std::vector<std::int16_t> kSteps{0, 0, 16384, 16384, -16384, -16384, 0, 0, 32767, -16384};

TEST(WavePainterTest, SelectionIsInvertedAndTheCursorLineCrossesTheView) {
    const auto sound = Mono(kSteps);
    View view(*sound, 10, 9, NoGrid());
    view.scene.firstEnd = 6;  // selected 3 .. 6, the cursor at the first end
    view.scene.secondEnd = 3;
    view.Paint();
    EXPECT_EQ(view.Art(),
              "...###c##.\n"
              "...###c##.\n"
              ".##.##c##.\n"
              ".#..##c##.\n"
              "##..#.c##.\n"
              "....#.c.#.\n"
              "......c.##\n"
              "...###c...\n"
              "...###c...\n");
}

TEST(WavePainterTest, CursorAtTheEndOfTheWaveIsDrawnAtTheLastSample) {
    const auto sound = Mono(kSteps);
    View view(*sound, 20, 3, NoGrid());
    view.scene.firstEnd = view.scene.secondEnd = 10;
    view.Paint();
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(view.canvas.GetPixel(18, y), kCursor);  // PixelOfSample(9) over 20 columns
        EXPECT_NE(view.canvas.GetPixel(19, y), kCursor);
    }
}

TEST(WavePainterTest, RepaintingTheChangedStripsMatchesAFullRepaint) {
    const auto sound = Mono(kSteps);
    View changed(*sound, 10, 9, NoGrid());
    changed.scene.firstEnd = changed.scene.secondEnd = 2;
    changed.Paint();
    const TSampleRange before{2, 2}, after{4, 8};
    changed.scene.firstEnd = after.begin;
    changed.scene.secondEnd = after.end;
    for (const TSampleRange& range : SelectionChangeRanges(before, after, 10)) {
        changed.Paint(*changed.geometry.RangeStrip(range.begin, range.end));
    }
    changed.Paint(*changed.geometry.StripAt(before.begin));  // the old cursor
    changed.Paint(*changed.geometry.StripAt(after.begin));   // the new one

    View full(*sound, 10, 9, NoGrid());
    full.scene.firstEnd = after.begin;
    full.scene.secondEnd = after.end;
    full.Paint();
    EXPECT_EQ(changed.Art(), full.Art());
}

TEST(WavePainterTest, EmptyWavesAndOnePixelViewsShowOnlyTheBackground) {
    const auto empty = Mono({});
    View view(*empty, 6, 4, TWaveViewProps{});
    view.Paint();
    EXPECT_EQ(view.Art(), "......\n......\n......\n......\n");

    const auto sound = Mono(kSteps);
    View narrow(*sound, 1, 4, TWaveViewProps{});
    narrow.Paint();
    EXPECT_EQ(narrow.Art(), ".\n.\n.\n.\n");
}

TEST(WavePainterTest, ZoomedPastTheSamplesEveryColumnRepeatsItsSample) {
    // Four samples over eight columns: each sample stands for two columns or more, up to
    // the last column of the view.
    const auto sound = Mono({32767, 0, -16384, 16384});
    View view(*sound, 8, 9, NoGrid());
    view.PaintStrip();
    EXPECT_EQ(view.Art(),
              "##......\n"
              ".#......\n"
              ".#...###\n"
              ".#...#..\n"
              ".###.#..\n"
              "...#.#..\n"
              "...###..\n"
              "........\n"
              "........\n");
}

TEST(WavePainterTest, StereoSingleWavesAreSeparatedByALineEvenWithoutGrid) {
    const auto sound = Stereo({16384, 16384, 16384, 16384}, {-16384, -16384, -16384, -16384});
    View view(*sound, 4, 10, NoGrid());
    view.PaintStrip();
    // Upper band rows 0 .. 4 (16384 at row 1), the line at row 5, lower band rows 5 .. 9
    // (-16384 at row 8).
    EXPECT_EQ(view.Art(),
              "....\n"
              "####\n"
              "....\n"
              "....\n"
              "....\n"
              "gggg\n"
              "....\n"
              "....\n"
              "####\n"
              "....\n");
}

TEST(WavePainterTest, StereoJoinedDrawsTheFrontChannelOverTheBackOne) {
    // Column x shows samples x and x + 1: the left channel spans rows 2 .. 4 and 4, the
    // right one rows 4 .. 6 and 0 .. 6 in the first two columns.
    const auto sound = Stereo({16384, 0, 0, 0}, {0, -16384, 32767, 32767});
    struct Case {
        TFront front;
        std::string art;
    };
    const Case cases[] = {
        {frontMixed,  // the common rows in the single colour
         ".RRR\n.R..\nLR..\nLR..\n##LL\nRR..\nRR..\n....\n....\n"},
        {frontLeft, ".RRR\n.R..\nLR..\nLR..\nLLLL\nRR..\nRR..\n....\n....\n"},
        {frontRight, ".RRR\n.R..\nLR..\nLR..\nRRLL\nRR..\nRR..\n....\n....\n"},
    };
    for (const Case& c : cases) {
        TWaveViewProps props = NoGrid();
        props.DrawSingle = false;
        props.Front = c.front;
        View view(*sound, 4, 9, props);
        view.PaintStrip();
        EXPECT_EQ(view.Art(), c.art) << "front " << int{c.front};
    }
}

TEST(WavePainterTest, InsideTheSelectionJoinedChannelsExchangeTheirColours) {
    const auto sound = Stereo({16384, 0, 0, 0}, {0, -16384, 32767, 32767});
    TWaveViewProps props = NoGrid();
    props.DrawSingle = false;
    View view(*sound, 4, 9, props);
    view.scene.firstEnd = 0;
    view.scene.secondEnd = 4;
    view.Paint();
    // Left in the right colour, right in the left colour, overlaps in the background
    // colour, all on the single-wave colour; the cursor line at column 0.
    EXPECT_EQ(view.Art(),
              "cLLL\n"
              "cL##\n"
              "cL##\n"
              "cL##\n"
              "c.RR\n"
              "cL##\n"
              "cL##\n"
              "c###\n"
              "c###\n");
}

TEST(WavePainterTest, GridMarksTheMiddleAndRoundTimes) {
    // 4 s over 40 columns: 20 columns cover 2 s, so a line every 2 s (column 20).
    const auto sound = Mono(std::vector<std::int16_t>(400, 16384), 100);
    View view(*sound, 40, 8, TWaveViewProps{});
    view.PaintStrip();
    // The grid is drawn over the waveform.
    const std::string dots(20, '.'), hashes = std::string(20, '#') + "g" + std::string(19, '#'),
                                     grid(40, 'g');
    EXPECT_EQ(view.Art(), dots + "g" + dots.substr(1) + "\n" +  // row 0
                              dots + "g" + dots.substr(1) + "\n" + hashes + "\n" + dots + "g" +
                              dots.substr(1) + "\n" + grid + "\n" + dots + "g" + dots.substr(1) +
                              "\n" + dots + "g" + dots.substr(1) + "\n" + dots + "g" +
                              dots.substr(1) + "\n");
}

TEST(WavePainterTest, GridLinesLieBetween13And40PixelsApartAtAnyZoom) {
    const auto sound = Mono(std::vector<std::int16_t>(441000, 0), 44100);
    for (const double width : {1.0, 7.0, 30.0, 123.0, 999.0, 4410.0, 77777.0, 441000.0}) {
        View view(*sound, 1000, 10, TWaveViewProps{});
        if (width < 441000.0) view.geometry.ZoomTo(1000.0, 1000.0 + width);
        view.PaintStrip();
        std::vector<int> lines;
        for (int x = 0; x < 1000; ++x) {
            if (view.canvas.GetPixel(x, 0) == kGrid) lines.push_back(x);
        }
        ASSERT_GE(lines.size(), 2u) << width;
        for (std::size_t i = 1; i < lines.size(); ++i) {
            EXPECT_GE(lines[i] - lines[i - 1], 13) << width;
            EXPECT_LE(lines[i] - lines[i - 1], 41) << width;
        }
    }
}

TEST(WavePainterTest, NiceStepRoundsToTwoFiveOrTenTimesAPowerOfTen) {
    const std::pair<double, double> cases[] = {
        {0.013, 0.02}, {0.04, 0.05}, {0.07, 0.1}, {1.0, 2.0},   {2.9, 2.0},
        {3.0, 5.0},    {5.99, 5.0},  {6.0, 10.0}, {20.0, 20.0}, {999.0, 1000.0},
    };
    for (const auto& [x, step] : cases)
        EXPECT_DOUBLE_EQ(NiceStep(x), step) << x;
    EXPECT_EQ(NiceStep(0.0), 0.0);
    EXPECT_EQ(NiceStep(-1.0), 0.0);
}

TEST(WavePainterTest, PointStrengthBlendsIntoThePixelAndSaturatesAboveOne) {
    const auto sound = Mono({0, 0});
    TWaveViewProps props = NoGrid();
    props.DrawStyle = drawStylePoints;
    props.ValuesPerPixel = 1;
    props.Strength = 0.5;
    View view(*sound, 2, 9, props);
    view.PaintStrip();
    EXPECT_EQ(view.canvas.GetPixel(0, 4), 0x7F7F7Fu);  // half way from white to black
    EXPECT_EQ(view.canvas.GetPixel(0, 3), kWhite);

    props.ValuesPerPixel = 2;  // two points on the same pixel blend twice
    View twice(*sound, 2, 9, props);
    twice.PaintStrip();
    EXPECT_EQ(twice.canvas.GetPixel(0, 4), 0x3F3F3Fu);

    // Strength 2 pushes each channel past its range: it saturates per channel.
    props.ValuesPerPixel = 1;
    props.Strength = 2.0;
    props.SingleColor = 0x0000FF;
    props.BackgroundColor = 0xFF8000;
    View strong(*sound, 2, 9, props);
    strong.PaintStrip();
    EXPECT_EQ(strong.canvas.GetPixel(0, 4), 0x0000FFu);  // R 255, G 2·0 - 128 -> 0, B 0
}

TEST(WavePainterTest, PointsSampleKPositionsPerColumn) {
    // Constant distribution, k = 3: points at g + e, g + 2e, g + 3e. Column 0 has g = 2 and
    // e = 4/3: samples 3, 4 and 6; column 1 (g = 6) reads past the end: the last sample.
    const auto sound = Mono({32767, 16384, 0, -16384, 32767, 16384, 0, -16384});
    TWaveViewProps props = NoGrid();
    props.DrawStyle = drawStylePoints;
    props.ValuesPerPixel = 3;
    View view(*sound, 2, 9, props);
    view.PaintStrip();
    EXPECT_EQ(view.Art(), "#.\n..\n..\n..\n#.\n..\n##\n..\n..\n");
}

TEST(WavePainterTest, RandomDistributionIsStableAndStaysInsideTheColumnsSamples) {
    std::vector<std::int16_t> samples(5000);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<std::int16_t>((i * 7919 % 65536) - 32768);
    }
    const auto sound = Mono(samples);
    TWaveViewProps constant = NoGrid();
    constant.ValuesPerPixel = 1000;  // every sample of a column
    TWaveViewProps random = NoGrid();
    random.Distribution = distributionRandom;
    for (const TDrawStyle style : {drawStyleLines, drawStylePoints}) {
        random.DrawStyle = style;
        View all(*sound, 50, 64, constant);
        all.Paint();
        View first(*sound, 50, 64, random);
        first.Paint();
        View again(*sound, 50, 64, random);
        again.Paint({0, 0, 20, 64});
        again.Paint({20, 0, 50, 64});
        EXPECT_EQ(first.Art(), again.Art());
        int drawn = 0;
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 50; ++x) {
                if (first.canvas.GetPixel(x, y) == kBlack) {
                    ++drawn;
                    EXPECT_EQ(all.canvas.GetPixel(x, y), kBlack) << x << "," << y;
                }
            }
        }
        EXPECT_GE(drawn, 50);
    }
}

struct EnvelopeView {
    EnvelopeView(const Sound& sound, const Sound& envelopeSound, int width, int height)
        : view(sound, width, height, NoGrid()) {
        view.props.DrawEnvelope = true;
        view.props.EnvelopeStrength = 0.5;
        envelopeProps.UseGrid = false;
        envelope.sound = &envelopeSound;
        envelope.workBegin = 0;
        envelope.workEnd = envelopeSound.GetValues();
        envelope.settings = &envelopeProps;
        view.scene.envelope = &envelope;
    }
    View view;
    TWaveViewProps envelopeProps;
    TEnvelopeScene envelope;
};

TEST(WavePainterTest, EnvelopeIsDrawnFaintlyBehindTheWaveOverItsWorkRange) {
    const auto sound = Mono(std::vector<std::int16_t>(8, 0));
    const auto envelope = Mono({16384, 16384, 16384, 16384, -16384, -16384, -16384, -16384});
    EnvelopeView whole(*sound, *envelope, 8, 9);
    whole.view.PaintStrip();
    EXPECT_EQ(whole.view.Art(),
              "........\n"
              "........\n"
              "ffff....\n"
              "...f....\n"
              "########\n"
              "...f....\n"
              "...fffff\n"
              "........\n"
              "........\n");

    // The envelope's selection 4 .. 8 is stretched over the whole view.
    EnvelopeView part(*sound, *envelope, 8, 9);
    part.envelope.workBegin = 4;
    part.envelope.workEnd = 8;
    part.view.PaintStrip();
    EXPECT_EQ(part.view.Art(),
              "........\n"
              "........\n"
              "........\n"
              "........\n"
              "########\n"
              "........\n"
              "ffffffff\n"
              "........\n"
              "........\n");

    // Inside the selection the envelope fades toward the single-wave colour instead.
    EnvelopeView selected(*sound, *envelope, 8, 9);
    selected.view.scene.firstEnd = 8;
    selected.view.scene.secondEnd = 0;
    selected.view.Paint();
    EXPECT_EQ(selected.view.Art(),
              "#######c\n"
              "#######c\n"
              "ffff###c\n"
              "###f###c\n"
              ".......c\n"
              "###f###c\n"
              "###ffffc\n"
              "#######c\n"
              "#######c\n");
}

TEST(WavePainterTest, EnvelopeWithoutSamplesOrStrengthIsLeftOut) {
    const auto sound = Mono(std::vector<std::int16_t>(8, 0));
    const auto empty = Mono({});
    EnvelopeView view(*sound, *empty, 8, 3);
    view.view.PaintStrip();
    EXPECT_EQ(view.view.Art(), "........\n########\n........\n");

    const auto envelope = Mono(std::vector<std::int16_t>(8, 32767));
    EnvelopeView off(*sound, *envelope, 8, 3);
    off.view.props.EnvelopeStrength = 0.0;
    off.view.PaintStrip();
    EXPECT_EQ(off.view.Art(), "........\n########\n........\n");
}

TEST(WavePainterTest, HandDrawnWavesShowTheirNodes) {
    const auto sound = Mono(std::vector<std::int16_t>(100, 0));
    View view(*sound, 100, 21, NoGrid());
    const std::vector<TDrawNodeMark> nodes{
        {0.0, 32767, false}, {0.5, 0, false}, {0.7, 0, true}, {1.0, -32767, false}};
    view.scene.userDrawing = true;
    view.scene.nodes = nodes;
    view.scene.firstEnd = 20;
    view.scene.secondEnd = 40;  // no selection or cursor is shown while drawing
    view.Paint();
    // The node at (0.5, 0) sits at column 50, row 10: a circle outlined in the single-wave
    // colour, filled with the grid colour, its centre in the single-wave colour.
    EXPECT_EQ(view.canvas.Art({46, 6, 55, 15}, kLegend),
              ".........\n"
              "...###...\n"
              "..#ggg#..\n"
              ".#ggggg#.\n"
              "##gg#gg##\n"
              ".#ggggg#.\n"
              "..#ggg#..\n"
              "...###...\n"
              ".........\n");
    EXPECT_EQ(view.canvas.GetPixel(70, 10), kBlack);  // the hidden node is not drawn
    EXPECT_EQ(view.canvas.GetPixel(70, 9), kWhite);
    EXPECT_EQ(view.canvas.GetPixel(1, 1), kGrid);  // the first node, cut by the top edge
    EXPECT_NE(view.canvas.GetPixel(20, 0), kCursor);
}

// A volume diagram that records how it is asked to paint.
class RecordingVolume final : public TVolumeDiagramPainter {
  public:
    struct Call {
        Rect band, update;
        double first, last;
        bool inverted;
        std::optional<TFaint> faint;
    };
    void DrawVolume(platform::Canvas& canvas, const Rect& band, const Rect& update, double first,
                    double last, bool inverted, const std::optional<TFaint>& faint) const override {
        calls.push_back({band, update, first, last, inverted, faint});
        canvas.FillRect(update, inverted ? 0x00FF00 : 0x00AA00);
    }
    Color CursorColor() const override { return 0x0000AA; }
    Color BackgroundColor() const override { return 0x111111; }
    mutable std::vector<Call> calls;
};

TEST(WavePainterTest, VolumeDiagramIsPaintedInStripsWithItsOwnCursorColour) {
    const auto sound = Mono(std::vector<std::int16_t>(100, 0));
    View view(*sound, 10, 4, TWaveViewProps{});
    RecordingVolume volume;
    view.scene.volume = &volume;
    view.scene.firstEnd = 30;
    view.scene.secondEnd = 60;
    view.Paint();
    ASSERT_EQ(volume.calls.size(), 3u);
    EXPECT_EQ(volume.calls[1].update, (Rect{3, 0, 6, 4}));
    EXPECT_TRUE(volume.calls[1].inverted);
    EXPECT_FALSE(volume.calls[2].inverted);
    EXPECT_EQ(volume.calls[0].band, (Rect{0, 0, 10, 4}));
    EXPECT_EQ(volume.calls[0].last, 100.0);
    EXPECT_FALSE(volume.calls[0].faint.has_value());
    EXPECT_EQ(view.canvas.GetPixel(3, 2), 0x0000AAu);  // the cursor at the first end

    // An envelope shown as a volume diagram is drawn faintly toward the strip's background.
    const auto envelopeSound = Mono(std::vector<std::int16_t>(50, 0));
    RecordingVolume envelopeVolume;
    TEnvelopeScene envelope;
    envelope.sound = envelopeSound.get();
    envelope.workBegin = 10;
    envelope.workEnd = 50;
    envelope.volume = &envelopeVolume;
    View waveform(*sound, 10, 4, TWaveViewProps{});
    waveform.props.DrawEnvelope = true;
    waveform.scene.envelope = &envelope;
    waveform.Paint();
    ASSERT_EQ(envelopeVolume.calls.size(), 1u);
    EXPECT_EQ(envelopeVolume.calls[0].first, 10.0);
    EXPECT_EQ(envelopeVolume.calls[0].last, 50.0);
    ASSERT_TRUE(envelopeVolume.calls[0].faint.has_value());
    EXPECT_EQ(envelopeVolume.calls[0].faint->background, kWhite);
    EXPECT_EQ(envelopeVolume.calls[0].faint->strength, 0.2);
}

}  // namespace
}  // namespace kalvora
