// Shared helpers of the documents tests: sounds from sample lists, a recording wave window,
// a fake music document and a scratch folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "documents/document.h"
#include "documents/wave_document.h"
#include "documents/wave_window.h"
#include "sound/sound.h"

namespace kalvora::testing {

inline Wave MakeWave(const std::vector<std::int16_t>& samples) {
    ErrorFlag error = 0;
    Wave wave(&error, static_cast<std::int32_t>(samples.size()));
    for (std::size_t i = 0; i < samples.size(); ++i)
        wave.wave[i] = samples[i];
    return wave;
}

inline std::unique_ptr<Sound> Mono(const std::vector<std::int16_t>& samples, int freq = 44100,
                                   short bytes = 2) {
    return std::make_unique<MonoSound>(MakeWave(samples), freq, bytes);
}

inline std::unique_ptr<Sound> Stereo(const std::vector<std::int16_t>& left,
                                     const std::vector<std::int16_t>& right, int freq = 44100,
                                     short bytes = 2) {
    return std::make_unique<StereoSound>(MakeWave(left), MakeWave(right), freq, bytes);
}

// 0, 1, 2, ... n - 1 (plus offset).
inline std::vector<std::int16_t> Ramp(int n, int offset = 0) {
    std::vector<std::int16_t> samples(n);
    for (int i = 0; i < n; ++i)
        samples[i] = static_cast<std::int16_t>(i + offset);
    return samples;
}

inline std::vector<std::int16_t> Samples(const Wave& wave) {
    return std::vector<std::int16_t>(wave.wave, wave.wave + wave.values);
}

inline std::vector<std::int16_t> LeftSamples(const Sound& sound) {
    return Samples(sound.GetLeftWave());
}

inline std::vector<std::int16_t> RightSamples(const Sound& sound) {
    return Samples(sound.GetRightWave());
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

// A folder of its own under the temporary directory, removed with its contents.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

inline ScratchFolder::ScratchFolder() {
    static int counter = 0;
    path_ =
        std::filesystem::temp_directory_path() /
        ("kalvora-documents-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
}

inline ScratchFolder::~ScratchFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
}

}  // namespace kalvora::testing
