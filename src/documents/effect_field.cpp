#include "documents/effect_field.h"

#include <cctype>

namespace kalvora {

TFieldSpec ChoiceField(std::string_view name, std::string_view label,
                       std::vector<std::string_view> alternatives, int defaultChoice) {
    TFieldSpec spec{.name = name, .label = label, .kind = TFieldKind::choice};
    spec.alternatives = std::move(alternatives);
    spec.defaultChoice = defaultChoice;
    return spec;
}

TFieldSpec CheckField(std::string_view name, std::string_view label, bool on) {
    TFieldSpec spec{.name = name, .label = label, .kind = TFieldKind::check};
    spec.defaultChoice = on ? 1 : 0;
    return spec;
}

TFieldSpec WaveField(std::string_view name, std::string_view label, WaveListMode list,
                     bool needsSamples) {
    TFieldSpec spec{.name = name, .label = label, .kind = TFieldKind::wave};
    spec.waveList = list;
    spec.needsSamples = needsSamples;
    return spec;
}

TFieldSpec PresetField(std::string_view name, std::string_view label,
                       std::vector<std::string_view> fields, std::vector<TFieldPreset> presets) {
    TFieldSpec spec = ChoiceField(name, label, {}, -1);
    for (TFieldPreset& preset : presets) {
        spec.alternatives.push_back(preset.label);
        spec.presetTexts.push_back(std::move(preset.texts));
    }
    spec.presetFields = std::move(fields);
    return spec;
}

TFieldSpec ListField(std::string_view name, std::string_view label,
                     std::vector<TFieldSpec> subFields) {
    TFieldSpec spec{.name = name, .label = label, .kind = TFieldKind::list};
    spec.subFields = std::move(subFields);
    return spec;
}

std::string WithoutBlanks(std::string_view text) {
    std::string result;
    for (char c : text) {
        if (c != ' ' && c != '\t') result += c;
    }
    return result;
}

bool SameName(std::string_view a, std::string_view b) {
    const std::string x = WithoutBlanks(a);
    const std::string y = WithoutBlanks(b);
    if (x.size() != y.size()) return false;
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(x[i])) !=
            std::tolower(static_cast<unsigned char>(y[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace kalvora
