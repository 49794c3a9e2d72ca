#include "cli/cli_effects.h"

#include <cmath>
#include <memory>

#include "documents/effect_assignments.h"
#include "documents/effect_command.h"
#include "documents/string_reader.h"
#include "sound/wave_file.h"

namespace kalvora::cli {
namespace {

// Opens the WAV files that wave fields name as documents of the workspace, named by their
// path, so that the dialog's lists offer them. False after a message on err.
bool OpenWaveFields(TWorkspace& workspace, const TEffectEntry& entry,
                    const std::vector<FieldAssignment>& words,
                    std::vector<std::unique_ptr<TUnitWave>>& opened, std::ostream& err) {
    for (const FieldAssignment& word : words) {
        const int index = entry.FieldIndex(word.field);
        if (index < 0 || entry.fields[static_cast<std::size_t>(index)].kind != TFieldKind::wave) {
            continue;
        }
        if (workspace.Registry().FindWave(word.text) != nullptr) continue;
        std::unique_ptr<Sound> sound;
        std::string errorText;
        if (!ReadWaveFile(word.text, sound, errorText)) {
            err << word.text << ": " << errorText << '\n';
            return false;
        }
        auto document = std::make_unique<TUnitWave>(workspace, std::move(sound));
        document->SetName(word.text);
        workspace.Registry().Activate(*document);
        opened.push_back(std::move(document));
    }
    return true;
}

// One end of --select in samples, or nothing.
std::optional<std::int64_t> ParsePosition(std::string_view text, std::int32_t values, int freq) {
    if (const auto index = ParsePlainInteger(std::string(text))) {
        if (*index < 0) return std::nullopt;
        return *index;
    }
    TStringReader reader(text);
    double number = 0;
    if (!reader.ReadNumber(number) || number < 0) return std::nullopt;
    double samples = 0;
    switch (reader.ReadUnit()) {
        case DisplayUnit::percent:
            samples = number / 100 * values;
            break;
        case DisplayUnit::second:
            samples = number * freq;
            break;
        case DisplayUnit::millisecond:
            samples = number / 1000 * freq;
            break;
        default:
            return std::nullopt;
    }
    // A hair above, so that 0.7 s at 44100 Hz (30869.99999...) is sample 30870.
    samples = std::floor(samples + 1e-6);
    if (!(samples <= 2147483647.0)) return std::nullopt;
    return static_cast<std::int64_t>(samples);
}

}  // namespace

const TEffectEntry* FindCommand(std::string_view word, std::ostream& err) {
    const TEffectEntry* entry = FindEffect(word);
    if (entry == nullptr) {
        err << "Unknown command \"" << word << "\". Try \"kalvora-cli help\".\n";
    }
    return entry;
}

int RunCommandWords(TWorkspace& workspace, TUnitWave& document, const TEffectEntry& entry,
                    const std::vector<FieldAssignment>& words, const std::string& output,
                    std::ostream& err) {
    std::vector<std::unique_ptr<TUnitWave>> opened;
    if (!OpenWaveFields(workspace, entry, words, opened, err)) return exitFileError;
    workspace.Registry().Activate(document);  // the document the command works on is active

    if (entry.applies) {
        if (const auto reason = entry.applies(ContextOf(document))) {
            err << *reason << '\n';
            return exitUsageError;
        }
    }
    TEffectDialogModel dialog = MakeEffectDialog(document, entry);
    dialog.Show();
    std::vector<TFieldText> texts;
    for (const FieldAssignment& word : words)
        texts.push_back({word.field, word.text});
    if (const auto problem = ApplyFieldTexts(dialog, texts)) {
        err << *problem << '\n';
        return exitUsageError;
    }
    // The dialog's own messages reach err through the message sink.
    if (!dialog.Ok()) return exitUsageError;
    if (!RunEffect(document, dialog.Record())) return exitFileError;
    const Sound& sound = document.TheSound();
    if (!WriteWaveFile(sound, document.Error(), output, 0, sound.GetValues())) {
        return exitFileError;
    }
    return exitSuccess;
}

std::optional<TSampleRange> ParseSelection(std::string_view text, std::int32_t values, int freq,
                                           std::string& error) {
    const auto colon = text.find(':');
    std::optional<std::int64_t> begin;
    std::optional<std::int64_t> end;
    if (colon != std::string_view::npos) {
        begin = ParsePosition(text.substr(0, colon), values, freq);
        end = ParsePosition(text.substr(colon + 1), values, freq);
    }
    if (!begin || !end) {
        error =
            "In --select: use BEGIN:END, each a sample index, a time (\"1.5s\", "
            "\"250ms\") or a share of the length (\"25%\").";
        return std::nullopt;
    }
    if (*begin > *end || *end > values) {
        error = "In --select: ";
        error.append(std::to_string(*begin)).append(":").append(std::to_string(*end));
        error.append(" is not a range inside the wave of ").append(std::to_string(values));
        error.append(" samples.");
        return std::nullopt;
    }
    return TSampleRange{static_cast<std::int32_t>(*begin), static_cast<std::int32_t>(*end)};
}

}  // namespace kalvora::cli
