// kalvora-cli split IN.wav OUTDIR SplitV|SplitH [--select BEGIN:END] [result=LABEL] and
// kalvora-cli merge FIRST.wav LAST.wav OUT.wav MergeH|MergeV [FIELD=TEXT ...]: the four
// commands that make new waves from others, refused where the program disables them. The
// several files of a split are written all or none: each goes to a temporary file beside
// its place, and only when every one is complete are they renamed into place.
#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "cli/cli.h"
#include "cli/cli_arguments.h"
#include "cli/cli_effects.h"
#include "cli/cli_merge_split.h"
#include "documents/merge_split_records.h"
#include "sound/merge_split.h"
#include "sound/sound.h"
#include "sound/wave_file.h"

namespace kalvora::cli {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSplitUsage =
    "split IN.wav OUTDIR SplitV|SplitH [--select BEGIN:END] [result=LABEL]";
constexpr std::string_view kMergeUsage =
    "merge FIRST.wav LAST.wav OUT.wav MergeH|MergeV [FIELD=TEXT ...]";

// An alternative's label as typed on the command line: without blanks, any case.
std::string Folded(std::string_view text) {
    std::string folded;
    for (char c : text) {
        if (c != ' ') folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return folded;
}

std::string WithoutBlanks(std::string_view text) {
    std::string word;
    for (char c : text) {
        if (c != ' ') word += c;
    }
    return word;
}

// The index of text among labels, or -1 after "In <field>: ..." on err.
template <class Labels>
int ChooseLabel(const Labels& labels, const std::string& text, std::string_view field,
                std::ostream& err) {
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (Folded(labels[i]) == Folded(text)) return static_cast<int>(i);
    }
    err << "In " << field << ": \"" << text << "\" is none of:";
    for (const auto& label : labels)
        err << ' ' << WithoutBlanks(label);
    err << '\n';
    return -1;
}

bool SameWord(std::string_view a, std::string_view b) {
    return Folded(a) == Folded(b);
}

// ---- split ----

// Writes every sound to OUTDIR/<stem>-<k>.wav, all or none.
int WriteParts(const std::vector<std::unique_ptr<Sound>>& parts, const fs::path& folder,
               const std::string& stem, std::ostream& err) {
    std::vector<fs::path> temporary;
    std::vector<fs::path> final;
    auto discard = [&] {
        std::error_code ignored;
        for (const fs::path& file : temporary)
            fs::remove(file, ignored);
    };
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string name = stem + "-" + std::to_string(i + 1) + ".wav";
        final.push_back(folder / name);
        temporary.push_back(folder / ("." + name + ".part"));
        ErrorFlag error = 0;
        if (!WriteWaveFile(*parts[i], &error, temporary.back(), 0, parts[i]->GetValues())) {
            discard();
            return exitFileError;
        }
    }
    for (std::size_t i = 0; i < final.size(); ++i) {
        std::error_code failure;
        fs::rename(temporary[i], final[i], failure);
        if (failure) {
            err << final[i].string() << ": " << failure.message() << '\n';
            discard();
            return exitFileError;
        }
    }
    return exitSuccess;
}

int RunSplit(VerbContext& context) {
    std::string problem;
    const auto arguments = CliArguments::Parse(context.args, {}, problem);
    if (arguments &&
        (arguments->Positional().size() != 3 || !arguments->UnknownOptions({"select"}).empty())) {
        problem = "usage: kalvora-cli " + std::string(kSplitUsage);
    }
    if (!problem.empty()) {
        context.err << problem << '\n';
        return exitUsageError;
    }
    const std::string& command = arguments->Positional()[2];
    const bool vertically = SameWord(command, "SplitV");
    if (!vertically && !SameWord(command, "SplitH")) {
        context.err << "Unknown command \"" << command << "\": split takes SplitV or SplitH.\n";
        return exitUsageError;
    }
    TSplitHorResult result = TSplitHorResult::threeParts;
    for (const FieldAssignment& field : arguments->Fields()) {
        if (vertically || !SameWord(field.field, "result")) {
            context.err << "Unknown field \"" << field.field << "\" of " << command << ".\n";
            return exitUsageError;
        }
        const int index =
            ChooseLabel(kSplitHorResultNames, field.text, kSplitHorResultLabel, context.err);
        if (index < 0) return exitUsageError;
        result = static_cast<TSplitHorResult>(index);
    }
    if (vertically && arguments->HasOption("select")) {
        context.err << "SplitV takes no --select.\n";
        return exitUsageError;
    }

    const fs::path input = arguments->Positional()[0];
    std::unique_ptr<Sound> sound;
    if (const int status = ReadInputWave(context, input, sound)) return status;
    const std::int32_t n = sound->GetValues();
    ErrorFlag error = 0;
    std::vector<std::unique_ptr<Sound>> parts;
    if (vertically) {
        if (sound->MoSt != 2) {
            context.err << "SplitV is disabled: the wave is mono.\n";
            return exitUsageError;
        }
        TSplitVerticalSounds channels = SplitVertically(&error, *sound);
        if (!channels.left) return exitFileError;
        parts.push_back(std::move(channels.left));
        parts.push_back(std::move(channels.right));
    } else {
        const auto selectText = arguments->Option("select");
        if (!selectText) {
            context.err << "SplitH needs --select BEGIN:END (BEGIN:BEGIN cuts at BEGIN).\n";
            return exitUsageError;
        }
        std::string selectError;
        const auto range = ParseSelection(*selectText, n, sound->Freq, selectError);
        if (!range) {
            context.err << selectError << '\n';
            return exitUsageError;
        }
        // As in the program: the cut must leave samples on both sides.
        if (!(range->begin > 0 && range->end < n - 1)) {
            context.err << "SplitH is disabled: the selection must begin after sample 0 and "
                           "end before the last sample.\n";
            return exitUsageError;
        }
        parts = SplitHorizontally(&error, *sound,
                                  SplitHorizontalRanges(n, range->begin, range->end, result));
        if (parts.empty()) return exitFileError;
    }
    return WriteParts(parts, arguments->Positional()[1], input.stem().string(), context.err);
}

// ---- merge ----

struct MergeFieldNames {
    std::string_view monoStereo = "monoStereo";
    std::string_view lengths = "makeLengthsEqual";
    std::string_view frequency = "frequency";
    std::string_view bits = "bits";
};

// Fills props from the FIELD=TEXT words; false after a message on err.
bool ReadMergeFields(TMergeKind kind, const std::vector<FieldAssignment>& fields, const Sound& a,
                     const Sound& b, TMergeProps& props, std::ostream& err) {
    const MergeFieldNames names;
    const std::array<std::string_view, 2> kinds = {kMonoLabel, kStereoLabel};
    const std::array<std::string_view, 2> bits = {kEightBitsLabel, kSixteenBitsLabel};
    const std::vector<TSampleFrequencyChoice> rates = MergeFrequencyChoices(a.Freq, b.Freq);
    for (const FieldAssignment& field : fields) {
        int index = -1;
        if (kind == TMergeKind::horizontally && SameWord(field.field, names.monoStereo)) {
            index = ChooseLabel(kinds, field.text, kMonoStereoTab, err);
            if (index >= 0) props.MoSt = static_cast<std::int16_t>(index + 1);
        } else if (kind == TMergeKind::vertically && SameWord(field.field, names.lengths)) {
            index = ChooseLabel(kMakeLengthsEqualNames, field.text, kMakeLengthsEqualLabel, err);
            if (index >= 0) props.lengths = static_cast<TMakeLengthsEqual>(index);
        } else if (SameWord(field.field, names.frequency)) {
            std::vector<std::string> labels;
            for (const TSampleFrequencyChoice& rate : rates)
                labels.push_back(rate.text);
            index = ChooseLabel(labels, field.text, kFrequencyTab, err);
            if (index >= 0) props.Freq = rates[static_cast<std::size_t>(index)].rate;
        } else if (SameWord(field.field, names.bits)) {
            index = ChooseLabel(bits, field.text, kBitsTab, err);
            if (index >= 0) props.BytesPSample = static_cast<std::int16_t>(index + 1);
        } else {
            err << "Unknown field \"" << field.field << "\" of "
                << (kind == TMergeKind::horizontally ? "MergeH" : "MergeV") << ".\n";
            return false;
        }
        if (index < 0) return false;
    }
    return true;
}

int RunMerge(VerbContext& context) {
    std::string problem;
    const auto arguments = CliArguments::Parse(context.args, {}, problem);
    if (arguments &&
        (arguments->Positional().size() != 4 || !arguments->UnknownOptions({}).empty())) {
        problem = "usage: kalvora-cli " + std::string(kMergeUsage);
    }
    if (!problem.empty()) {
        context.err << problem << '\n';
        return exitUsageError;
    }
    const std::string& command = arguments->Positional()[3];
    const bool horizontally = SameWord(command, "MergeH");
    if (!horizontally && !SameWord(command, "MergeV")) {
        context.err << "Unknown command \"" << command << "\": merge takes MergeH or MergeV.\n";
        return exitUsageError;
    }
    const TMergeKind kind = horizontally ? TMergeKind::horizontally : TMergeKind::vertically;
    std::unique_ptr<Sound> a;
    std::unique_ptr<Sound> b;
    if (const int status = ReadInputWave(context, arguments->Positional()[0], a)) return status;
    if (const int status = ReadInputWave(context, arguments->Positional()[1], b)) return status;
    TMergeProps props;
    props.Freq = a->Freq;
    if (!ReadMergeFields(kind, arguments->Fields(), *a, *b, props, context.err)) {
        return exitUsageError;
    }
    const waveFileProps format =
        MergeFormat(kind, props, a->GetWaveFileProps(), b->GetWaveFileProps());
    ErrorFlag error = 0;
    std::unique_ptr<Sound> merged =
        horizontally
            ? MergeHorizontally(&error, *a, *b, format)
            : MergeVertically(&error, *a, *b, format.Freq, format.BytesPSample, props.lengths);
    if (!merged) return exitFileError;
    // The writer shows its own message on failure (standard error here).
    if (!WriteWaveFile(*merged, &error, arguments->Positional()[2], 0, merged->GetValues())) {
        return exitFileError;
    }
    return exitSuccess;
}

template <class Labels>
void PrintChoice(std::ostream& out, std::string_view field, std::string_view label,
                 const Labels& labels, std::string_view fallback) {
    out << "  " << field << " (" << label << "), default " << fallback << ":\n";
    for (const auto& choice : labels)
        out << "    " << WithoutBlanks(choice) << '\n';
}

const VerbRegistration splitRegistration(
    {"split", kSplitUsage,
     "write the channels of a stereo WAV file (SplitV), or its parts cut at a selection "
     "(SplitH), as OUTDIR/IN-1.wav, IN-2.wav ... in order",
     RunSplit});
const VerbRegistration mergeRegistration(
    {"merge", kMergeUsage,
     "write two WAV files one after the other (MergeH) or as the left and right channel "
     "(MergeV)",
     RunMerge});

}  // namespace

bool PrintMergeSplitHelp(std::string_view name, std::ostream& out) {
    const MergeFieldNames names;
    const std::array<std::string_view, 2> kinds = {kMonoLabel, kStereoLabel};
    const std::array<std::string_view, 2> bits = {kEightBitsLabel, kSixteenBitsLabel};
    std::vector<std::string> rates;
    for (const TSampleFrequencyChoice& rate : StandardSampleFrequencies())
        rates.push_back(rate.text);
    const std::string rateNote =
        "the first file's rate (either file's own rate may be given "
        "as <rate>Hz)";
    if (SameWord(name, "SplitV")) {
        out << "SplitV: Split Vertically\n  usage: kalvora-cli split IN.wav OUTDIR SplitV\n"
               "  a stereo file's left channel as IN-1.wav and its right as IN-2.wav; "
               "refused for a mono file\n";
    } else if (SameWord(name, "SplitH")) {
        out << "SplitH: Split Horizontally\n  usage: kalvora-cli split IN.wav OUTDIR SplitH "
               "--select BEGIN:END [result=LABEL]\n"
               "  the parts in time order as IN-1.wav, IN-2.wav (IN-3.wav); BEGIN:BEGIN cuts "
               "at BEGIN; refused without --select or with a cut at 0 or at the end\n";
        PrintChoice(out, "result", kSplitHorResultLabel, kSplitHorResultNames,
                    WithoutBlanks(kSplitHorResultNames[0]));
    } else if (SameWord(name, "MergeH") || SameWord(name, "MergeV")) {
        const bool horizontally = SameWord(name, "MergeH");
        out << (horizontally ? "MergeH: Merge Horizontally" : "MergeV: Merge Vertically")
            << "\n  usage: kalvora-cli merge " << (horizontally ? "FIRST" : "LEFT") << ".wav "
            << (horizontally ? "LAST" : "RIGHT") << ".wav OUT.wav " << name
            << " [FIELD=TEXT ...]\n"
               "  each field counts only where the two files differ in it\n";
        if (horizontally) {
            PrintChoice(out, names.monoStereo, kMonoStereoTab, kinds, "Stereo");
        } else {
            PrintChoice(out, names.lengths, kMakeLengthsEqualLabel, kMakeLengthsEqualNames,
                        WithoutBlanks(kMakeLengthsEqualNames[1]));
        }
        PrintChoice(out, names.frequency, kFrequencyTab, rates, rateNote);
        PrintChoice(out, names.bits, kBitsTab, bits, "16Bits");
    } else {
        return false;
    }
    return true;
}

}  // namespace kalvora::cli
