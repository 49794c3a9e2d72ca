#include "documents/unit_unit_wave.h"

#include "platform/messages.h"

namespace kalvora {
namespace {

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace

const WaveChoice* WaveChoiceList::Selected() const {
    if (selected < 0 || static_cast<std::size_t>(selected) >= items.size()) return nullptr;
    return &items[static_cast<std::size_t>(selected)];
}

unitUnitWave::unitUnitWave(std::string_view name) : name_(TrimBlanks(name)) {}

bool unitUnitWave::ReadText(std::string_view name) {
    name_ = name;
    return true;
}

WaveDocumentFacts* unitUnitWave::Find(const WaveRegistry& registry) const {
    if (name_.empty()) return nullptr;
    return registry.FindWave(name_);
}

WaveDocumentFacts* unitUnitWave::Resolve(const WaveRegistry& registry,
                                         std::string& errorText) const {
    WaveDocumentFacts* document = Find(registry);
    if (!document) errorText.append("Cannot find window \"").append(name_).append("\".");
    return document;
}

void unitUnitWave::FillList(WaveChoiceList& list, const WaveRegistry& registry,
                            WaveListMode mode) const {
    list.items = registry.WaveList(mode);
    list.selected = -1;
    if (name_.empty()) return;
    for (std::size_t i = 0; i < list.items.size(); ++i) {
        if (list.items[i].name == name_) {
            list.selected = static_cast<int>(i);
            break;
        }
    }
}

void unitUnitWave::Check(bool& ok, const WaveChoiceList& list, std::string_view fieldName) {
    if (!ok) return;
    const WaveChoice* choice = list.Selected();
    if (!choice) {
        std::string text = "In ";
        text.append(fieldName).append(": You have to select a Wave");
        platform::ShowMessage(text, platform::caption::inputError,
                              platform::MessageIcon::information);
        name_.clear();
        ok = false;
        return;
    }
    name_ = choice->name;
}

}  // namespace kalvora
