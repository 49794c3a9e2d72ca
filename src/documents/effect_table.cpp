#include "documents/effect_table.h"

#include "platform/assertion.h"

namespace kalvora {

const Sound& TEffectCall::WaveSound(std::string_view field) const {
    const auto found = waves_.find(field);
    KALVORA_ASSERT(found != waves_.end() && found->second != nullptr);
    return *found->second;
}

void TEffectCall::SetWaveSound(std::string_view field, std::shared_ptr<const Sound> sound) {
    waves_[std::string(field)] = std::move(sound);
}

int TEffectEntry::FieldIndex(std::string_view name) const {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (SameName(fields[i].name, name)) return static_cast<int>(i);
    }
    return -1;
}

std::span<const TEffectEntry> EffectTable() {
    static const std::vector<TEffectEntry> table = [] {
        std::vector<TEffectEntry> entries;
        for (auto family : {GeneratorEffects, ToneGeneratorEffects, SimpleWaveEffects,
                            FilterEffects, ChannelEffects, TempoPitchEffects, EchoEffects}) {
            for (TEffectEntry& entry : family())
                entries.push_back(std::move(entry));
        }
        return entries;
    }();
    return table;
}

const TEffectEntry* FindEffect(std::string_view command) {
    for (const TEffectEntry& entry : EffectTable()) {
        if (SameName(entry.command, command)) return &entry;
    }
    return nullptr;
}

}  // namespace kalvora
