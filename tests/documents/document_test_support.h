// Shared helpers of the documents tests: sounds from sample lists, a recording wave window,
// a fake music document and (from support/scratch_files.h) a scratch folder. The tests take
// them all with `using namespace kalvora::testing;`.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "documents/document.h"
#include "documents/effect_table.h"
#include "documents/wave_document.h"
#include "documents/wave_window.h"
#include "platform/assertion.h"
#include "sound/sound.h"
#include "support/scratch_files.h"

namespace kalvora::testing {

// A list of samples, as the tests write them down.
using Samples = std::vector<std::int16_t>;

inline Wave MakeWave(const Samples& samples) {
    ErrorFlag error = 0;
    Wave wave(&error, static_cast<std::int32_t>(samples.size()));
    for (std::size_t i = 0; i < samples.size(); ++i)
        wave.wave[i] = samples[i];
    return wave;
}

inline std::unique_ptr<Sound> Mono(const Samples& samples, int freq = 44100, short bytes = 2) {
    return std::make_unique<MonoSound>(MakeWave(samples), freq, bytes);
}

inline std::unique_ptr<Sound> Stereo(const Samples& left, const Samples& right, int freq = 44100,
                                     short bytes = 2) {
    return std::make_unique<StereoSound>(MakeWave(left), MakeWave(right), freq, bytes);
}

// 0, 1, 2, ... n - 1 (plus offset).
inline Samples Ramp(int n, int offset = 0) {
    Samples samples(n);
    for (int i = 0; i < n; ++i)
        samples[i] = static_cast<std::int16_t>(i + offset);
    return samples;
}

inline Samples SamplesOf(const Wave& wave) {
    return Samples(wave.wave, wave.wave + wave.values);
}

inline Samples LeftSamples(const Sound& sound) {
    return SamplesOf(sound.GetLeftWave());
}

inline Samples RightSamples(const Sound& sound) {
    return SamplesOf(sound.GetRightWave());
}

// Records what a document asks of its window, in order.
class RecordingWaveWindow final : public WaveWindow {
  public:
    std::vector<std::string> calls;
    TUnitWave* document = nullptr;
    // The sample count the document had when StopSoundReaders was called.
    std::vector<std::int32_t> valuesAtStop;

    void CaptionChanged() override { calls.push_back("CaptionChanged"); }
    void NameChanged(std::string_view oldName) override {
        calls.push_back("NameChanged " + std::string(oldName));
    }
    void BeforeChange(std::int32_t begin, std::int32_t end) override {
        calls.push_back("BeforeChange " + std::to_string(begin) + " " + std::to_string(end));
    }
    void AfterChange(std::int32_t begin, std::int32_t end) override {
        calls.push_back("AfterChange " + std::to_string(begin) + " " + std::to_string(end));
    }
    void StopSoundReaders() override {
        calls.push_back("StopSoundReaders");
        if (document) valuesAtStop.push_back(document->GetValues());
    }
    void Refresh() override { calls.push_back("Refresh"); }
    void SelectionChanged(std::int32_t oldFirst, std::int32_t oldSecond) override {
        calls.push_back("SelectionChanged " + std::to_string(oldFirst) + " " +
                        std::to_string(oldSecond));
    }
    void ChannelsChanged() override { calls.push_back("ChannelsChanged"); }
    void DrawingModeChanged() override { calls.push_back("DrawingModeChanged"); }
};

// A music document as far as the registry is concerned.
class FakeMusic final : public TUnit {
  public:
    explicit FakeMusic(TUnitRegistry& registry) : TUnit(registry, TUnitKind::music) {}
    int GetFreq() const override { return 44100; }
    short GetMoSt() const override { return 2; }
    short GetBytesPSample() const override { return 2; }
    void ChangeWaveFileProps(const waveFileProps&, const waveFileProps&) override {}
};

// The entry of the effect table that a test names; a missing one is the test's own fault.
inline const TEffectEntry& Effect(std::string_view command) {
    const TEffectEntry* entry = FindEffect(command);
    KALVORA_ASSERT(entry != nullptr);
    return *entry;
}

}  // namespace kalvora::testing
