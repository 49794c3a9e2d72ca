// kalvora-cli generate OUT.wav COMMAND [FIELD=TEXT ...] [--rate N] [--channels 1|2]
// [--bits 8|16]: runs a generator of the Make menu on a new, empty wave of the given format
// (the program's "New wave" defaults: 44100 Hz, stereo, 16 bits) and writes the result.
#include <algorithm>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/cli_arguments.h"
#include "cli/cli_effects.h"

namespace kalvora::cli {
namespace {

constexpr std::string_view kUsage =
    "generate OUT.wav COMMAND [FIELD=TEXT ...] [--rate N] [--channels 1|2] [--bits 8|16]";

// The value of an integer option among the allowed ones (any positive int when allowed is
// empty), or nothing after setting problem.
std::optional<long long> IntegerOption(const CliArguments& arguments, const std::string& name,
                                       long long fallback, std::vector<long long> allowed,
                                       const std::string& refusal, std::string& problem) {
    const auto text = arguments.Option(name);
    if (!text) return fallback;
    const auto value = ParsePlainInteger(*text);
    const bool fits =
        value &&
        (allowed.empty() ? *value > 0 && *value <= std::numeric_limits<std::int32_t>::max()
                         : std::find(allowed.begin(), allowed.end(), *value) != allowed.end());
    if (!fits) {
        problem = "In --";
        problem.append(name).append(": ").append(refusal);
        return std::nullopt;
    }
    return value;
}

int RunGenerate(VerbContext& context) {
    std::string problem;
    const auto arguments = CliArguments::Parse(context.args, {}, problem);
    if (arguments && (arguments->Positional().size() != 2 ||
                      !arguments->UnknownOptions({"rate", "channels", "bits"}).empty())) {
        problem = "usage: kalvora-cli " + std::string(kUsage);
    }
    if (!problem.empty()) {
        context.err << problem << '\n';
        return exitUsageError;
    }
    const auto rate =
        IntegerOption(*arguments, "rate", 44100, {},
                      "the rate must be a positive number of samples per second.", problem);
    const auto channels = IntegerOption(*arguments, "channels", 2, {1, 2},
                                        "the channel count must be 1 or 2.", problem);
    const auto bits = IntegerOption(*arguments, "bits", 16, {8, 16},
                                    "the sample width must be 8 or 16.", problem);
    if (!rate || !channels || !bits) {
        context.err << problem << '\n';
        return exitUsageError;
    }
    const std::string& output = arguments->Positional()[0];
    const TEffectEntry* entry = FindCommand(arguments->Positional()[1], context.err);
    if (entry == nullptr) return exitUsageError;
    if (!entry->IsGenerator()) {
        context.err << entry->command
                    << " changes a wave and generates none: use \"kalvora-cli apply\".\n";
        return exitUsageError;
    }
    TWorkspace workspace;
    const waveFileProps props{static_cast<std::int32_t>(*rate),
                              static_cast<std::int16_t>(*channels),
                              static_cast<std::int16_t>(*bits / 8)};
    TUnitWave document(workspace, MakeEmptySound(props));
    return RunCommandWords(workspace, document, *entry, arguments->Fields(), output, context.err);
}

const VerbRegistration registration({"generate", kUsage,
                                     "make a new wave with a generator (kalvora-cli help "
                                     "COMMAND lists its fields)",
                                     RunGenerate});

}  // namespace
}  // namespace kalvora::cli
