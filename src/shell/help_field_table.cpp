#include "shell/help_field_table.h"

#include "documents/effect_record.h"
#include "documents/unit_factor.h"
#include "documents/unit_integer.h"
#include "documents/unit_time.h"
#include "documents/unit_wave_position.h"
#include "documents/unit_wave_value.h"
#include "shell/help_contents.h"

namespace kalvora {
namespace {

int Depth(const TEffectEntry& entry, const TFieldSpec& spec) {
    int depth = 0;
    for (const TFieldSpec* field = &spec; field->owner;) {
        int owner = entry.FieldIndex(field->owner->choice);
        if (owner < 0) break;
        field = &entry.fields[static_cast<std::size_t>(owner)];
        ++depth;
    }
    return depth;
}

std::string Alternatives(const TFieldSpec& spec) {
    std::string text;
    for (std::string_view alternative : spec.alternatives) {
        if (!text.empty()) text += ", ";
        text += "<code>" + HtmlEscaped(WithoutBlanks(alternative)) + "</code>";
    }
    return text;
}

// Where the field stands: under which alternative of which choice.
std::string OwnerNote(const TEffectEntry& entry, const TFieldSpec& spec) {
    if (!spec.owner) return {};
    int index = entry.FieldIndex(spec.owner->choice);
    if (index < 0) return {};
    const TFieldSpec& choice = entry.fields[static_cast<std::size_t>(index)];
    std::string value;
    if (choice.kind == TFieldKind::check) {
        value = spec.owner->alternative != 0 ? "on" : "off";
    } else if (static_cast<std::size_t>(spec.owner->alternative) < choice.alternatives.size()) {
        value =
            WithoutBlanks(choice.alternatives[static_cast<std::size_t>(spec.owner->alternative)]);
    }
    return " Read when <code>" + HtmlEscaped(std::string(choice.name)) + "=" + HtmlEscaped(value) +
           "</code> is chosen.";
}

// The label the dialog shows: a choice without a title shows its alternatives, and a
// "Default" box names the list value it belongs to.
std::string FieldLabel(const TEffectEntry& entry, const TFieldSpec& spec) {
    if (spec.kind == TFieldKind::choice && spec.label.empty()) {
        std::string label;
        for (std::string_view alternative : spec.alternatives)
            label += (label.empty() ? "" : " / ") + std::string(alternative);
        return label;
    }
    if (spec.kind == TFieldKind::check) {
        for (const TFieldSpec& field : entry.fields) {
            for (const TFieldSpec& sub : field.subFields) {
                if (sub.defaultFlag == spec.name)
                    return std::string(spec.label) + " (" + std::string(sub.label) + ")";
            }
        }
    }
    return std::string(spec.label.empty() ? spec.name : spec.label);
}

std::string Row(const std::string& label, const std::string& name, const std::string& value,
                const std::string& accepts) {
    return "<tr><td>" + label + "</td><td><code>" + name + "</code></td><td>" + value +
           "</td><td>" + accepts + "</td></tr>\n";
}

// What kind of quantity the field holds, linked to its section of the units page.
std::string ValueKindNote(const unit& value) {
    auto link = [](const char* anchor, const char* text) {
        return std::string("<a href=\"units.html#") + anchor + "\">" + text + "</a>";
    };
    if (dynamic_cast<const unitVolumeFactor*>(&value)) return link("volume", "a volume factor");
    if (dynamic_cast<const unitAngleFactor*>(&value)) return link("angle", "an angle");
    if (dynamic_cast<const unitBalAngleFactor*>(&value)) return link("balance", "a balance");
    if (dynamic_cast<const unitFactor*>(&value)) return link("factor", "a factor");
    if (dynamic_cast<const unitInteger*>(&value)) return link("integer", "a whole number");
    if (dynamic_cast<const unitTime*>(&value)) {
        // Frequencies are kept as their period and show in hertz.
        std::string text = value.GetText();
        if (text.ends_with("Hz")) return link("frequency", "a frequency");
        return link("time", "a time");
    }
    if (dynamic_cast<const unitFreq*>(&value)) return link("frequency", "a frequency");
    if (dynamic_cast<const unitWaveVal*>(&value)) return link("sample", "a sample value");
    if (dynamic_cast<const unitWavePosition*>(&value)) return link("position", "a position");
    return link("numbers", "a number");
}

}  // namespace

std::string EffectFieldTableHtml(const TEffectEntry& entry) {
    if (entry.fields.empty()) return "<p>This command has no dialog: it runs at once.</p>\n";
    const TEffectRecord defaults(entry);
    std::string html =
        "<table class=\"fields\">\n<tr><th>Field</th><th>Command line</th><th>Default</th>"
        "<th>Accepts</th></tr>\n";
    for (std::size_t i = 0; i < defaults.FieldCount(); ++i) {
        const TFieldSpec& spec = defaults.Spec(i);
        const TFieldValue& value = defaults.At(i);
        std::string indent;
        for (int d = 0; d < Depth(entry, spec); ++d)
            indent += "&nbsp;&nbsp;&nbsp;&nbsp;";
        std::string label = indent + HtmlEscaped(FieldLabel(entry, spec));
        std::string name = HtmlEscaped(std::string(spec.name));
        std::string owner = OwnerNote(entry, spec);
        std::string stereo = spec.stereoOnly ? " Stereo sounds only." : "";
        switch (spec.kind) {
            case TFieldKind::value:
                html += Row(label, name, "<code>" + HtmlEscaped(value.value->GetText()) + "</code>",
                            ValueKindNote(*value.value) + "." + owner + stereo);
                break;
            case TFieldKind::choice: {
                std::string chosen =
                    value.choice >= 0 &&
                            static_cast<std::size_t>(value.choice) < spec.alternatives.size()
                        ? HtmlEscaped(std::string(
                              spec.alternatives[static_cast<std::size_t>(value.choice)]))
                        : std::string("(none)");
                std::string accepts = spec.IsPreset() ? "a preset: " : "one of ";
                html +=
                    Row(label, name, chosen, accepts + Alternatives(spec) + "." + owner + stereo);
                break;
            }
            case TFieldKind::check:
                html += Row(label, name, value.choice != 0 ? "on" : "off",
                            "<code>on</code> or <code>off</code>." + owner + stereo);
                break;
            case TFieldKind::wave:
                html += Row(label, name, "(none)",
                            "an open wave document; on the command line the path of a WAV "
                            "file." +
                                owner + stereo);
                break;
            case TFieldKind::list: {
                html += Row(label, name, "one entry",
                            "a list of entries, browsed with the buttons beside it; on the "
                            "command line <code>FIELD.N=TEXT</code>, N = 1, 2, 3 &hellip;" +
                                owner);
                const TFieldBrowseRecord& first = value.list->At(0);
                for (std::size_t s = 0; s < spec.subFields.size(); ++s) {
                    const TFieldSpec& sub = spec.subFields[s];
                    html += Row(
                        indent + "&nbsp;&nbsp;&nbsp;&nbsp;" + HtmlEscaped(std::string(sub.label)),
                        HtmlEscaped(std::string(sub.name)) + ".N",
                        "<code>" + HtmlEscaped(first.At(s).GetText()) + "</code>",
                        ValueKindNote(first.At(s)) + ".");
                }
                break;
            }
        }
    }
    return html + "</table>\n";
}

}  // namespace kalvora
