// TFieldSpec: one field of an effect's parameter record as the effect table declares it. The
// same declaration serves the record (its default), the dialog (its control, label and place
// among the alternatives) and kalvora-cli (its name, its text, its alternatives).
// Standard C++ and the value types only.
//
// A field is one of:
// - a value: a value type of the unit family (a time, a sample value, a factor, ...), typed
//   as text in an edit box;
// - a choice: a radio group; each alternative has a label, and other fields may belong to
//   one alternative (their controls stand beside its radio button, and OK reads them only
//   when it is checked);
// - a check box: on or off; fields may belong to it as to the alternative "on" (index 1);
// - a wave: a reference to an open wave document, chosen from a drop-down list;
// - a list: any number of entries of equal shape (the sub-fields, value fields), edited one
//   at a time through a record browser (field_record_browser.h) and given on the command
//   line as indexed fields, FIELD.N=TEXT.
// Fields that belong to an alternative may themselves be choices with their own
// alternatives (nested alternatives).
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "documents/unit.h"
#include "documents/wave_registry.h"

namespace kalvora {

enum class TFieldKind : std::uint8_t { value, choice, check, wave, list };

// The alternative a field belongs to: the choice (or check box) field's name and the
// alternative's index (1 for the "on" of a check box).
struct TAlternativeOf {
    std::string_view choice{};
    int alternative = 0;
};

struct TFieldSpec {
    // The record's name of the field, lower camel case without blanks: "beginValue". The
    // command line's FIELD; compared without regard to case.
    std::string_view name{};
    // The label beside the control, and the field's name in its messages
    // ("In Begin Value: ..."). A field whose label is its alternative's label shows no label
    // of its own: the radio button says it. A choice's label titles its group (empty: none).
    std::string_view label{};
    TFieldKind kind = TFieldKind::value;

    // value: makes the value type holding the default (from == nullptr) or a copy of *from.
    std::function<std::unique_ptr<unit>(const unit* from)> makeValue{};
    // choice: the labels of the alternatives in order ("Linear", "Exponential").
    std::vector<std::string_view> alternatives{};
    // choice: the default alternative; check: 1 on, 0 off.
    int defaultChoice = 0;
    // wave: which documents the drop-down list offers, and whether the chosen document must
    // hold samples (an envelope or wave form is read; an empty one is refused on OK).
    WaveListMode waveList = WaveListMode::all;
    bool needsSamples = true;

    // The alternative this field belongs to; none: the field is always read.
    std::optional<TAlternativeOf> owner{};
    // Read on OK whichever alternative is checked (a field a check of the effect needs).
    bool readAlways = false;

    // list: the fields of one entry, value fields only.
    std::vector<TFieldSpec> subFields{};
    // A sub-field of a list: the record's check box that decides whether a new entry takes
    // this field's default (checked) or starts with the value shown (unchecked); none: the
    // default.
    std::string_view defaultFlag{};

    // choice: a drop-down list of presets instead of radio buttons. Choosing alternative a
    // writes presetTexts[a][i] into the edit of presetFields[i]; a later edit of one of those
    // fields clears the choice (-1: none chosen, also the default). The command line refuses
    // a preset given together with one of its fields.
    std::vector<std::string_view> presetFields{};
    std::vector<std::vector<std::string_view>> presetTexts{};
    // value: leaving the edit after changing it copies its text into these fields (those
    // that are enabled).
    std::vector<std::string_view> copiesTo{};
    // A field of the right or left channel: a mono document empties and disables it, and
    // OK does not read it.
    bool stereoOnly = false;

    // choice: a drop-down list of the alternatives instead of radio buttons.
    bool dropDown = false;
    // The page of a tabbed dialog the field stands on (fields of an alternative stand with
    // their choice); empty: none. Consecutive fields with a page share one set of pages,
    // in the order the pages are first named.
    std::string_view page{};

    bool IsPreset() const { return !presetFields.empty(); }

    // The same field, belonging to the given alternative of the named choice.
    TFieldSpec In(std::string_view choice, int alternative) && {
        owner = TAlternativeOf{choice, alternative};
        return std::move(*this);
    }
    TFieldSpec DropDown() && {
        dropDown = true;
        return std::move(*this);
    }
    TFieldSpec OnPage(std::string_view name) && {
        page = name;
        return std::move(*this);
    }
    TFieldSpec ReadAlways() && {
        readAlways = true;
        return std::move(*this);
    }
    // A sub-field whose new entries follow the named check box (see defaultFlag).
    TFieldSpec DefaultFlag(std::string_view checkField) && {
        defaultFlag = checkField;
        return std::move(*this);
    }
};

// A value field of value type T, whose default is T(args...):
//   ValueField<unitTimePos>("length", "Length", 0.1, DisplayUnit::second)
template <class T, class... Args>
TFieldSpec ValueField(std::string_view name, std::string_view label, Args... args) {
    TFieldSpec spec{.name = name, .label = label, .kind = TFieldKind::value};
    spec.makeValue = [=](const unit* from) -> std::unique_ptr<unit> {
        if (from != nullptr) return std::make_unique<T>(dynamic_cast<const T&>(*from));
        return std::make_unique<T>(args...);
    };
    return spec;
}

// A radio group: ChoiceField("kind", "Kind", {"Linear", "Exponential"}, 0).
TFieldSpec ChoiceField(std::string_view name, std::string_view label,
                       std::vector<std::string_view> alternatives, int defaultChoice = 0);
// A check box, on or off by default.
TFieldSpec CheckField(std::string_view name, std::string_view label, bool on = false);
// A drop-down list of wave documents; its default is no document.
TFieldSpec WaveField(std::string_view name, std::string_view label,
                     WaveListMode list = WaveListMode::all, bool needsSamples = true);

// A drop-down list of presets, none chosen by default: choosing presets[a].label writes
// presets[a].texts into the edits of fields (see TFieldSpec::presetFields).
struct TFieldPreset {
    std::string_view label;
    std::vector<std::string_view> texts;
};
TFieldSpec PresetField(std::string_view name, std::string_view label,
                       std::vector<std::string_view> fields, std::vector<TFieldPreset> presets);

// A list of entries made of the given value fields.
TFieldSpec ListField(std::string_view name, std::string_view label,
                     std::vector<TFieldSpec> subFields);

// Field and alternative names compare without regard to case and blanks: "Same Length as"
// matches "sameLengthAs".
bool SameName(std::string_view a, std::string_view b);
// The text without its blanks: "Same Length as" becomes "SameLengthas".
std::string WithoutBlanks(std::string_view text);

}  // namespace kalvora
