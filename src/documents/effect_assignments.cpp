#include "documents/effect_assignments.h"

#include <initializer_list>
#include <map>
#include <sstream>

namespace kalvora {
namespace {

// The parts joined (appended one by one: GCC 12 misjudges chains of + on temporaries).
std::string Concat(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (std::string_view part : parts)
        text.append(part);
    return text;
}

std::string Quoted(std::string_view text) {
    return Concat({"\"", text, "\""});
}

std::string AlternativeName(std::string_view label) {
    return WithoutBlanks(label);
}

// Sets one field from its text; the usage error, or nothing.
std::optional<std::string> ApplyOne(TEffectDialogModel& dialog, std::size_t index,
                                    const std::string& text) {
    const TFieldSpec& spec = dialog.Field(index);
    const std::string in = Concat({"In ", spec.label.empty() ? spec.name : spec.label, ": "});
    switch (spec.kind) {
        case TFieldKind::value:
            dialog.SetText(index, text);
            return std::nullopt;
        case TFieldKind::choice: {
            std::string names;
            for (std::size_t a = 0; a < spec.alternatives.size(); ++a) {
                if (SameName(spec.alternatives[a], text)) {
                    dialog.SetChoice(index, static_cast<int>(a));
                    return std::nullopt;
                }
                names.append(a == 0 ? "" : ", ").append(AlternativeName(spec.alternatives[a]));
            }
            return Concat({in, Quoted(text), " is not one of: ", names, "."});
        }
        case TFieldKind::check:
            if (SameName(text, "on") || SameName(text, "off")) {
                dialog.SetChecked(index, SameName(text, "on"));
                return std::nullopt;
            }
            return Concat({in, "use \"on\" or \"off\", not ", Quoted(text), "."});
        case TFieldKind::wave:
            if (dialog.SelectWaveNamed(index, text)) return std::nullopt;
            if (spec.waveList == WaveListMode::monoButActive) {
                return Concat({in, Quoted(text), " is not a mono wave."});
            }
            return Concat({in, Quoted(text), " cannot be chosen here."});
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> ApplyFieldTexts(TEffectDialogModel& dialog,
                                           const std::vector<TFieldText>& texts) {
    const TEffectEntry& entry = dialog.Entry();
    std::vector<bool> given(dialog.FieldCount(), false);
    // For every choice that an assignment decides: the alternative and the field that chose it.
    std::map<std::size_t, std::pair<int, std::string>> chosen;
    auto choose = [&](std::size_t choice, int alternative,
                      const std::string& by) -> std::optional<std::string> {
        const auto [found, inserted] = chosen.try_emplace(choice, alternative, by);
        if (inserted || found->second.first == alternative) return std::nullopt;
        return Concat({"Fields ", Quoted(found->second.second), " and ", Quoted(by),
                       " belong to different alternatives of ", Quoted(dialog.Field(choice).name),
                       "."});
    };

    for (const TFieldText& assignment : texts) {
        const int found = entry.FieldIndex(assignment.field);
        if (found < 0) {
            return Concat({"Unknown field ", Quoted(assignment.field), " for ", entry.command,
                           ". Try \"kalvora-cli help ", entry.command, "\"."});
        }
        const auto index = static_cast<std::size_t>(found);
        if (given[index]) return Concat({"Field ", Quoted(assignment.field), " is given twice."});
        given[index] = true;
        for (const auto& [choice, alternative] : dialog.AlternativePath(index)) {
            if (auto clash = choose(choice, alternative, assignment.field)) return clash;
        }
        if (auto problem = ApplyOne(dialog, index, assignment.text)) return problem;
        const TFieldKind kind = dialog.Field(index).kind;
        if (kind == TFieldKind::choice || kind == TFieldKind::check) {
            if (auto clash = choose(index, dialog.Control(index).choice, assignment.field)) {
                return clash;
            }
        }
    }
    return std::nullopt;
}

std::string DescribeEffect(const TEffectEntry& entry) {
    std::ostringstream text;
    text << entry.command << ": " << entry.caption;
    if (!entry.summary.empty()) text << " - " << entry.summary;
    text << '\n';
    const TEffectRecord defaults(entry);
    for (std::size_t i = 0; i < defaults.FieldCount(); ++i) {
        const TFieldSpec& spec = defaults.Spec(i);
        const TFieldValue& value = defaults.At(i);
        int depth = 0;
        for (const TFieldSpec* owner = &spec; owner->owner;
             owner =
                 &entry.fields[static_cast<std::size_t>(entry.FieldIndex(owner->owner->choice))]) {
            ++depth;
        }
        text << std::string(2 + 2 * depth, ' ') << spec.name << '=';
        switch (spec.kind) {
            case TFieldKind::value:
                text << WithoutBlanks(value.value->GetText());
                break;
            case TFieldKind::choice:
                text << AlternativeName(
                    spec.alternatives.at(static_cast<std::size_t>(value.choice)));
                break;
            case TFieldKind::check:
                text << (value.choice != 0 ? "on" : "off");
                break;
            case TFieldKind::wave:
                break;
        }
        text << "  " << (spec.label.empty() ? spec.name : spec.label);
        if (spec.kind == TFieldKind::choice) {
            text << ':';
            for (std::size_t a = 0; a < spec.alternatives.size(); ++a)
                text << (a == 0 ? " " : " | ") << AlternativeName(spec.alternatives[a]);
        }
        if (spec.kind == TFieldKind::check) text << ": on | off";
        if (spec.kind == TFieldKind::wave) text << ": a WAV file";
        if (spec.owner) {
            const TFieldSpec& choice =
                entry.fields[static_cast<std::size_t>(entry.FieldIndex(spec.owner->choice))];
            text << " (with " << choice.name << '=';
            if (choice.kind == TFieldKind::check) {
                text << (spec.owner->alternative != 0 ? "on" : "off");
            } else {
                text << AlternativeName(
                    choice.alternatives.at(static_cast<std::size_t>(spec.owner->alternative)));
            }
            text << ')';
        }
        text << '\n';
    }
    return text.str();
}

}  // namespace kalvora
