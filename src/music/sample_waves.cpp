#include "music/sample_waves.h"

#include "documents/document_registry.h"
#include "platform/assertion.h"

namespace kalvora {

bool TRegistrySampleWaves::Find(std::string_view name, TSampleWave& wave) const {
    const TUnitWave* document = registry_.FindWave(name);
    if (document == nullptr) return false;
    wave.SampleSound = document->SharedSound();
    wave.Begin = document->SelStart();
    wave.End = document->SelEnd();
    return true;
}

void TNamedSampleWaves::Add(std::string name, std::shared_ptr<const Sound> sound) {
    const std::int32_t values = sound->GetValues();
    Add(std::move(name), std::move(sound), 0, values);
}

void TNamedSampleWaves::Add(std::string name, std::shared_ptr<const Sound> sound,
                            std::int32_t begin, std::int32_t end) {
    KALVORA_ASSERT(sound != nullptr && 0 <= begin && begin <= end && end <= sound->GetValues());
    if (begin == end) {
        begin = 0;
        end = sound->GetValues();
    }
    waves_[std::move(name)] = TSampleWave{std::move(sound), begin, end};
}

bool TNamedSampleWaves::Find(std::string_view name, TSampleWave& wave) const {
    const auto found = waves_.find(name);
    if (found == waves_.end()) return false;
    wave = found->second;
    return true;
}

}  // namespace kalvora
