// Laying out and painting one screen (1280x800) of a 500-bar piece on four staves, scrolled
// to its middle, on the in-memory canvas. The layout runs over the whole piece on every
// paint, so this is the cost of one repaint of the music window; a frame at 60 Hz leaves
// 16 ms for it.
#include <benchmark/benchmark.h>

#include <memory>

#include "music/music_references.h"
#include "music/part_muz_nodes.h"
#include "music/part_tree.h"
#include "music/single_part_muz.h"
#include "music/stave_editing.h"
#include "music/stave_list.h"
#include "music/stave_time_symbol.h"
#include "notation/notation_painter.h"
#include "platform/memory_canvas.h"

namespace kalvora {
namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;
constexpr int kBars = 500;
constexpr int kStaves = 4;

struct Piece {
    TStaveList staves;
    std::unique_ptr<TStartPartMuz> root = NewPartTree(nullptr);
    TMusicReferences references;
};

void Add(TSinglePartMuz& part, std::unique_ptr<TStaveSymbol> symbol) {
    part.InsertSymbol(symbol);
}

// Every bar of every stave: a quarter, two beamed eighths with a sharp, a dotted quarter,
// an eighth rest; the lower staves a chord of three halves.
std::unique_ptr<Piece> MakePiece() {
    auto piece = std::make_unique<Piece>();
    TNoteStave* after = nullptr;
    for (int s = 0; s < kStaves; ++s)
        after = CreateDefaultStave(piece->staves, after, *piece->root, nullptr, piece->references);
    TSinglePartMuz& part = *piece->root->FirstSinglePart();
    int s = 0;
    for (TNoteStave* stave = piece->staves.FirstStave(); stave != nullptr;
         stave = stave->GetNext(), ++s) {
        const auto note = [&](double at, int pitch, int kind, int points, int shift) {
            TTiming timing;
            timing.NoteLengthKind = kind;
            timing.Points = points;
            auto made = std::make_unique<TMuzNote>(stave, stave->SelectedNoteGroup, nullptr,
                                                   &part, at, timing, pitch);
            made->NoteShiftKind = static_cast<std::uint8_t>(shift);
            Add(part, std::move(made));
        };
        for (int bar = 0; bar < kBars; ++bar) {
            const double t = bar;
            if (s % 2 == 0) {
                note(t, 6 + bar % 5, 4, 0, noteShiftNormal);
                note(t + 0.25, 10, 8, 0, noteShiftKruis);
                note(t + 0.375, 8, 8, 0, noteShiftNormal);
                note(t + 0.5, 4, 4, 1, noteShiftNormal);
                TTiming rest;
                rest.NoteLengthKind = 8;
                Add(part, std::make_unique<TSilence>(stave, &part, t + 0.875, rest));
            } else {
                for (int p = 0; p < 3; ++p) {
                    note(t, 2 + 2 * p, 2, 0, noteShiftNormal);
                    note(t + 0.5, 1 + 2 * p, 2, 0, noteShiftMol);
                }
            }
        }
    }
    return piece;
}

void PaintMiddleScreen(benchmark::State& state) {
    static const std::unique_ptr<Piece> piece = MakePiece();
    platform::MemoryCanvas canvas(kWidth, kHeight);
    notation::TNotationView view{0, 0, kWidth, kHeight};
    const notation::TNotationExtent extent =
        notation::TNotationPainter(canvas, piece->staves, nullptr, view).Paint(*piece->root);
    view.ScrollX = extent.Width / 2;
    for (auto _ : state) {
        notation::TNotationPainter painter(canvas, piece->staves, nullptr, view);
        benchmark::DoNotOptimize(painter.Paint(*piece->root));
    }
    state.counters["doc_width"] = extent.Width;
}
BENCHMARK(PaintMiddleScreen)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kalvora

BENCHMARK_MAIN();
