// Rendering a 3-minute piece of four staves (quarters, eighth triplets, three-note chords
// and eighths, the whole repeated once) at the music's default format, 22050 Hz mono, once
// with each player kind. The counter realtime_x is seconds of music per second of
// rendering; the target is at least 200 on one core.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "documents/document_registry.h"
#include "music/compound_player.h"
#include "music/music_generation.h"
#include "music/part_muz_nodes.h"
#include "music/part_tree.h"
#include "music/stave_editing.h"
#include "music/stave_time_symbol.h"
#include "music/unit_muz.h"
#include "sound/sample_memory.h"

namespace kalvora {
namespace {

constexpr int kStaves = 4;
constexpr double kTempo = 2.0;  // seconds per whole note: 4/4 at 120 quarters a minute
constexpr int kBars = 45;       // 90 s, played twice

std::shared_ptr<const Sound> Sine(double seconds, double hertz, std::int32_t rate) {
    ErrorFlag error = 0;
    Wave wave(&error, static_cast<std::int32_t>(seconds * rate));
    for (int i = 0; i < wave.values; ++i) {
        wave.wave[i] = static_cast<std::int16_t>(8000 * std::sin(2 * M_PI * hertz * i / rate));
    }
    return std::make_shared<MonoSound>(std::move(wave), rate, 2);
}

void AddNote(TUnitMuz& music, TNoteStave* stave, double at, int pitch, TTiming timing) {
    TSinglePartMuz& part = *music.Root().FirstSinglePart();
    std::unique_ptr<TStaveSymbol> note = std::make_unique<TMuzNote>(
        stave, stave->SelectedNoteGroup, &music, &part, at, timing, pitch);
    part.InsertSymbol(note);
}

void FillStave(TUnitMuz& music, TNoteStave* stave, int index) {
    for (int bar = 0; bar < kBars; ++bar) {
        const double t = bar;
        switch (index) {
            case 0:  // quarters
                for (int q = 0; q < 4; ++q)
                    AddNote(music, stave, t + q / 4.0, 5 + (bar + q) % 7, {4, 0, sool, 0});
                break;
            case 1:  // eighth triplets, two per bar
                for (int half = 0; half < 2; ++half) {
                    for (int m = 0; m < 3; ++m) {
                        AddNote(music, stave, t + half / 2.0, (bar + m) % 7, {4, 0, triool, m});
                    }
                }
                break;
            case 2:  // chords of three halves
                for (int half = 0; half < 2; ++half) {
                    for (int pitch : {-7, -5, -3})
                        AddNote(music, stave, t + half / 2.0, pitch + bar % 3, {2, 0, sool, 0});
                }
                break;
            default:  // eighths
                for (int e = 0; e < 8; ++e)
                    AddNote(music, stave, t + e / 8.0, 12 - (bar + e) % 5, {8, 0, sool, 0});
                break;
        }
    }
}

struct Piece {
    TUnitRegistry registry;
    TUnitMuz music{registry};
    TNamedSampleWaves waves;

    explicit Piece(TNotePlayerKind kind) {
        music.Tempo.SetValue(kTempo);
        for (int s = 1; s < kStaves; ++s) {
            CreateDefaultStave(music.Staves(), music.Staves().LastStave(), music.Root(), &music,
                               music.References());
        }
        int index = 0;
        for (TNoteStave* stave = music.Staves().FirstStave(); stave != nullptr;
             stave = stave->GetNext(), ++index) {
            TOnePlayerProps& props =
                stave->SelectedNoteGroup->GetCompoundPlayer().GetStartOnePlayer()->OnePlayerProps;
            props.NotePlayerKind = kind;
            props.VolumeFactor.SetValue(0.2);
            for (unitUnitWave* wave :
                 {&props.SimpleSamplerProps.SampleWave, &props.RollOutSamplerProps.SampleWave,
                  &props.ResonantSamplerProps.SampleWave, &props.RepeatWaveFormProps.SampleWave,
                  &props.RollOutWaveFormProps.SampleWave}) {
                wave->ReadText("sample");
            }
            props.SimpleSamplerProps.BasicFreq.SetValue(1.0 / 440);
            props.RollOutSamplerProps.BasicFreq.SetValue(1.0 / 440);
            FillStave(music, stave, index);
        }
        // The whole piece repeated once.
        TPartMuz* single = music.Root().FirstSinglePart();
        music.Root().SetPartMuz(std::make_unique<TLoopPartMuz>(&music, DetachPart(*single), 2));
        const bool waveForm = kind == notePlayerRepeatWaveForm || kind == notePlayerRollOutWaveForm;
        // A wave form is one period; a sample is 0.3 s with its middle 0.05 .. 0.25 s.
        const auto sample = waveForm ? Sine(1.0 / 440, 440, 22050) : Sine(0.3, 440, 22050);
        if (waveForm) {
            waves.Add("sample", sample);
        } else {
            waves.Add("sample", sample, 1102, 5512);
        }
    }
};

void BM_RenderMusic(benchmark::State& state) {
    Piece piece(static_cast<TNotePlayerKind>(state.range(0)));
    double musicSeconds = 0;
    for (auto _ : state) {
        ErrorFlag error = 0;
        std::string errorText;
        const auto sound = RenderMusic(piece.music, piece.waves, {}, &error, errorText);
        if (sound == nullptr) {
            state.SkipWithError(errorText.c_str());
            return;
        }
        musicSeconds += sound->GetSeconds();
        benchmark::DoNotOptimize(sound->GetLeftWave().wave);
    }
    state.counters["realtime_x"] = benchmark::Counter(musicSeconds, benchmark::Counter::kIsRate);
}

BENCHMARK(BM_RenderMusic)
    ->ArgName("kind")
    ->Arg(notePlayerSimpleSampler)
    ->Arg(notePlayerResonantSampler)
    ->Arg(notePlayerRepeatWaveForm)
    ->Arg(notePlayerRollOutSampler)
    ->Arg(notePlayerRollOutWaveForm)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace kalvora

BENCHMARK_MAIN();
