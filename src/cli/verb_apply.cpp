// kalvora-cli apply IN.wav OUT.wav COMMAND [FIELD=TEXT ...] [--select BEGIN:END]: runs a
// command of the effect table on a WAV file, over the selection (the whole wave for effects,
// the cursor at 0 for generators, without --select) and writes the result.
#include <memory>
#include <string>

#include "cli/cli.h"
#include "cli/cli_arguments.h"
#include "cli/cli_effects.h"
#include "sound/wave_file.h"

namespace kalvora::cli {
namespace {

constexpr std::string_view kUsage =
    "apply IN.wav OUT.wav COMMAND [FIELD=TEXT ...] [--select BEGIN:END]";

int RunApply(VerbContext& context) {
    std::string problem;
    const auto arguments = CliArguments::Parse(context.args, {}, problem);
    if (arguments &&
        (arguments->Positional().size() != 3 || !arguments->UnknownOptions({"select"}).empty())) {
        problem = "usage: kalvora-cli " + std::string(kUsage);
    }
    if (!problem.empty()) {
        context.err << problem << '\n';
        return exitUsageError;
    }
    const std::string& input = arguments->Positional()[0];
    const std::string& output = arguments->Positional()[1];
    const TEffectEntry* entry = FindCommand(arguments->Positional()[2], context.err);
    if (entry == nullptr) return exitUsageError;

    std::unique_ptr<Sound> sound;
    if (const int status = ReadInputWave(context, input, sound)) return status;
    if (!entry->IsGenerator() && sound->GetValues() == 0) {
        context.err << input << " has no samples for " << entry->command << ".\n";
        return exitUsageError;
    }
    TSampleRange selection;
    if (const auto text = arguments->Option("select")) {
        const auto range = ParseSelection(*text, sound->GetValues(), sound->Freq, problem);
        if (!range) {
            context.err << problem << '\n';
            return exitUsageError;
        }
        selection = *range;
    }
    TWorkspace workspace;
    TUnitWave document(workspace, std::move(sound));
    document.SetSelection(selection.begin, selection.end);
    return RunCommandWords(workspace, document, *entry, arguments->Fields(), output, context.err);
}

const VerbRegistration registration({"apply", kUsage,
                                     "run a command on a WAV file, over a selection (kalvora-cli "
                                     "help COMMAND lists its fields)",
                                     RunApply});

}  // namespace
}  // namespace kalvora::cli
