// A registry of wave documents for tests: documents are plain records, the last one added
// is the active one unless chosen otherwise.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "documents/wave_registry.h"

namespace kalvora::fakes {

class FakeWave final : public WaveDocumentFacts {
  public:
    FakeWave(std::string name, int freq, short moSt, std::int64_t values)
        : name_(std::move(name)), freq_(freq), moSt_(moSt), values_(values) {}

    const std::string& GetName() const override { return name_; }
    int GetFreq() const override { return freq_; }
    short GetMoSt() const override { return moSt_; }
    std::int64_t GetValues() const override { return values_; }

  private:
    std::string name_;
    int freq_;
    short moSt_;
    std::int64_t values_;
};

class FakeWaveRegistry final : public WaveRegistry {
  public:
    FakeWave& Add(std::string name, short moSt = 1, int freq = 44100, std::int64_t values = 44100) {
        waves_.push_back(std::make_unique<FakeWave>(std::move(name), freq, moSt, values));
        active_ = waves_.back().get();
        return *waves_.back();
    }
    void Close(const std::string& name) {
        std::erase_if(waves_, [&](const auto& wave) { return wave->GetName() == name; });
        active_ = waves_.empty() ? nullptr : waves_.back().get();
    }
    void SetActive(const FakeWave* wave) { active_ = wave; }

    WaveDocumentFacts* FindWave(std::string_view name) const override {
        for (const auto& wave : waves_) {
            if (wave->GetName() == name) return wave.get();
        }
        return nullptr;
    }

    std::vector<WaveChoice> WaveList(WaveListMode mode) const override {
        std::vector<WaveChoice> choices;
        for (const auto& wave : waves_) {
            if (wave->GetName().empty()) continue;
            if (mode != WaveListMode::all && wave.get() == active_) continue;
            if (mode == WaveListMode::monoButActive && wave->GetMoSt() != 1) continue;
            choices.push_back({wave->GetName(), wave.get()});
        }
        return choices;
    }

  private:
    std::vector<std::unique_ptr<FakeWave>> waves_;
    const FakeWave* active_ = nullptr;
};

}  // namespace kalvora::fakes
