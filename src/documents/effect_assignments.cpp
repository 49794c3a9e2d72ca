#include "documents/effect_assignments.h"

#include <algorithm>
#include <initializer_list>
#include <map>
#include <sstream>

#include "documents/message_text.h"

namespace kalvora {
namespace {

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
            if (!dialog.IsEnabled(index)) return Concat({in, "a mono wave has no such channel."});
            dialog.SetText(index, text);
            dialog.LeaveField(index);  // as the user tabs on: copies where the field copies
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
        case TFieldKind::list:
            return Concat(
                {in, "give its entries as FIELD.N=TEXT (\"kalvora-cli help\" lists them)."});
        case TFieldKind::wave:
            if (dialog.SelectWaveNamed(index, text)) return std::nullopt;
            if (spec.waveList == WaveListMode::monoButActive) {
                return Concat({in, Quoted(text), " is not a mono wave."});
            }
            return Concat({in, Quoted(text), " cannot be chosen here."});
    }
    return std::nullopt;
}

// FIELD.N: a sub-field of a list field and the number of its entry, from 1.
struct IndexedField {
    std::size_t list = 0;
    std::size_t sub = 0;
    int number = 0;
};

std::optional<IndexedField> FindIndexed(const TEffectEntry& entry, std::string_view field) {
    const auto dot = field.rfind('.');
    if (dot == std::string_view::npos || dot + 1 == field.size() || field.size() - dot > 7) {
        return std::nullopt;
    }
    int number = 0;
    for (const char c : field.substr(dot + 1)) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
    }
    if (number < 1) return std::nullopt;
    const std::string_view name = field.substr(0, dot);
    for (std::size_t i = 0; i < entry.fields.size(); ++i) {
        const std::vector<TFieldSpec>& subs = entry.fields[i].subFields;
        for (std::size_t j = 0; j < subs.size(); ++j) {
            if (SameName(subs[j].name, name)) return IndexedField{i, j, number};
        }
    }
    return std::nullopt;
}

// The texts of the entries of one list field: per entry number, the sub-fields' texts.
using ListTexts = std::map<int, std::vector<std::pair<std::size_t, std::string>>>;

// Makes the given entries the whole list, typing each into the dialog as a user would: the
// list cleared, then entry after entry appended and filled in; finally the first entry is
// shown, which stores the last. The usage error, or nothing.
std::optional<std::string> FillList(TEffectDialogModel& dialog, std::size_t list,
                                    const ListTexts& entries) {
    const std::string name = Quoted(dialog.Field(list).name);
    int expected = 1;
    for (const auto& [number, texts] : entries) {
        if (number != expected) {
            return Concat({"Entry ", std::to_string(expected), " of ", name,
                           " is missing: number the entries 1, 2, 3, ..."});
        }
        ++expected;
    }
    auto refused = [&](int number) {
        return Concat(
            {"The values of entry ", std::to_string(number), " of ", name, " were refused."});
    };
    dialog.Browse(list, TBrowseButton::clear);
    for (const auto& [number, texts] : entries) {
        if (number > 1 && !dialog.Browse(list, TBrowseButton::append)) return refused(number - 1);
        for (const auto& [sub, text] : texts)
            dialog.SetListText(list, sub, text);
    }
    if (!dialog.Browse(list, TBrowseButton::first)) return refused(expected - 1);
    return std::nullopt;
}

// A list field: how its entries are given, then each sub-field with its default and the
// check box that decides what a new entry starts with.
void DescribeList(std::ostream& text, const TFieldSpec& spec, const TFieldRecordBrowser& list,
                  int indent) {
    text << std::string(indent, ' ') << spec.name << "  " << spec.label
         << ": entries given as FIELD.N=TEXT, N = 1, 2, 3, ... (the entries given replace the "
            "list)\n";
    const TFieldBrowseRecord& defaults = list.At(0);
    for (std::size_t i = 0; i < spec.subFields.size(); ++i) {
        const TFieldSpec& sub = spec.subFields[i];
        text << std::string(indent + 2, ' ') << sub.name
             << ".N=" << WithoutBlanks(defaults.At(i).GetText()) << "  " << sub.label;
        if (!sub.defaultFlag.empty()) {
            text << " (a new entry starts at this default with " << sub.defaultFlag
                 << "=on, at the value of the entry before with " << sub.defaultFlag << "=off)";
        }
        text << '\n';
    }
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

    // Fields that copy into others go first, so that the others, when given, win.
    std::vector<TFieldText> ordered = texts;
    std::stable_partition(ordered.begin(), ordered.end(), [&](const TFieldText& assignment) {
        const int found = entry.FieldIndex(assignment.field);
        return found >= 0 && !entry.fields[static_cast<std::size_t>(found)].copiesTo.empty();
    });
    std::map<std::size_t, ListTexts> lists;
    for (const TFieldText& assignment : ordered) {
        const int found = entry.FieldIndex(assignment.field);
        if (found < 0) {
            if (const auto indexed = FindIndexed(entry, assignment.field)) {
                auto& entryTexts = lists[indexed->list][indexed->number];
                for (const auto& [sub, text] : entryTexts) {
                    if (sub == indexed->sub) {
                        return Concat({"Field ", Quoted(assignment.field), " is given twice."});
                    }
                }
                entryTexts.emplace_back(indexed->sub, assignment.text);
                for (const auto& [choice, alternative] : dialog.AlternativePath(indexed->list)) {
                    if (auto clash = choose(choice, alternative, assignment.field)) return clash;
                }
                continue;
            }
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
    // A preset writes its fields: giving both leaves it open which one is meant.
    for (std::size_t i = 0; i < dialog.FieldCount(); ++i) {
        if (!given[i]) continue;
        for (std::string_view name : dialog.Field(i).presetFields) {
            const int field = entry.FieldIndex(name);
            if (field >= 0 && given[static_cast<std::size_t>(field)]) {
                return Concat({"Fields ", Quoted(dialog.Field(i).name), " and ", Quoted(name),
                               " cannot be given together: ", Quoted(dialog.Field(i).name),
                               " sets ", Quoted(name), "."});
            }
        }
    }
    // The lists last, so that the check boxes given with them decide their new entries.
    for (const auto& [list, entries] : lists) {
        if (given[list]) {
            return Concat({"Field ", Quoted(dialog.Field(list).name), " takes no text."});
        }
        if (auto problem = FillList(dialog, list, entries)) return problem;
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
        if (spec.kind == TFieldKind::list) {
            DescribeList(text, spec, *value.list, 2 + 2 * depth);
            continue;
        }
        text << std::string(2 + 2 * depth, ' ') << spec.name << '=';
        switch (spec.kind) {
            case TFieldKind::value:
                text << WithoutBlanks(value.value->GetText());
                break;
            case TFieldKind::choice:
                // A preset list starts with nothing chosen.
                if (value.choice >= 0) {
                    text << AlternativeName(
                        spec.alternatives.at(static_cast<std::size_t>(value.choice)));
                }
                break;
            case TFieldKind::check:
                text << (value.choice != 0 ? "on" : "off");
                break;
            case TFieldKind::wave:
            case TFieldKind::list:
                break;
        }
        text << "  " << (spec.label.empty() ? spec.name : spec.label);
        if (spec.kind == TFieldKind::choice) {
            text << ':';
            for (std::size_t a = 0; a < spec.alternatives.size(); ++a)
                text << (a == 0 ? " " : " | ") << AlternativeName(spec.alternatives[a]);
        }
        if (spec.IsPreset()) {
            text << " (sets";
            for (std::string_view name : spec.presetFields)
                text << ' ' << name;
            text << ')';
        }
        if (spec.stereoOnly) text << " (stereo only)";
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
