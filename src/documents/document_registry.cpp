#include "documents/document_registry.h"

#include <algorithm>
#include <string>

#include "documents/document.h"
#include "documents/wave_document.h"
#include "platform/messages.h"

namespace kalvora {

void TUnitRegistry::Activate(TUnit& unit) {
    std::erase(units_, &unit);
    units_.push_back(&unit);
}

void TUnitRegistry::Remove(TUnit& unit) {
    std::erase(units_, &unit);
}

bool TUnitRegistry::Contains(const TUnit& unit) const {
    return std::find(units_.begin(), units_.end(), &unit) != units_.end();
}

TUnit* TUnitRegistry::ActiveUnit() const {
    return units_.empty() ? nullptr : units_.back();
}

TUnitWave* TUnitRegistry::ActiveWave() const {
    TUnit* active = ActiveUnit();
    return active && active->IsWave() ? static_cast<TUnitWave*>(active) : nullptr;
}

TUnit* TUnitRegistry::ActiveMusic() const {
    TUnit* active = ActiveUnit();
    return active && active->Kind() == TUnitKind::music ? active : nullptr;
}

TUnit* TUnitRegistry::FindUnit(std::string_view name) const {
    for (TUnit* unit : units_) {
        if (unit->Name() == name) return unit;
    }
    return nullptr;
}

TUnitWave* TUnitRegistry::FindWave(std::string_view name) const {
    TUnit* unit = FindUnit(name);
    return unit && unit->IsWave() ? static_cast<TUnitWave*>(unit) : nullptr;
}

bool TUnitRegistry::CheckNameFree(std::string_view name, const TUnit* document) const {
    if (name.empty()) return true;
    const TUnit* holder = FindUnit(name);
    if (!holder || holder == document) return true;
    std::string text = "A window with name \"";
    text.append(name).append("\" already exists.");
    platform::ShowMessage(text, platform::caption::error, platform::MessageIcon::information);
    return false;
}

int TUnitRegistry::FillWaveList(std::vector<WaveChoice>& list, WaveListMode mode) const {
    const TUnit* active = ActiveUnit();
    int added = 0;
    for (TUnit* unit : units_) {
        if (!unit->IsWave() || unit->Name().empty()) continue;
        if (mode != WaveListMode::all && unit == active) continue;
        if (mode == WaveListMode::monoButActive && unit->GetMoSt() != 1) continue;
        list.push_back({unit->Name(), static_cast<TUnitWave*>(unit)});
        ++added;
    }
    return added;
}

std::vector<WaveChoice> TUnitRegistry::WaveList(WaveListMode mode) const {
    std::vector<WaveChoice> list;
    FillWaveList(list, mode);
    return list;
}

bool TUnitRegistry::Rename(TUnit& unit, std::string_view name) {
    if (!CheckNameFree(name, &unit)) return false;
    unit.SetName(std::string(name));
    return true;
}

bool TUnitRegistry::RenameActiveFromNameBox(std::string_view text) {
    TUnit* active = ActiveUnit();
    return active && Rename(*active, TrimBlanks(text));
}

std::string TUnitRegistry::NextNoName() {
    std::string name;
    do {
        ++noNameCounter_;
        name = "NONAME" + std::to_string(noNameCounter_);
    } while (FindUnit(name));
    return name;
}

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace kalvora
