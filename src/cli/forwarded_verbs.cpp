// The verbs that need the Qt layer, as kalvora-cli itself offers them: kalvora-cli links only
// the core, so that the other verbs start without loading Qt and the sound server's libraries.
// Each of these verbs hands the whole command line to the companion program that holds every
// verb, found next to kalvora-cli, by replacing this process with it: the companion's output,
// messages and exit status are the verb's own.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "cli/cli.h"
#include "cli/qt_verb_texts.h"

namespace kalvora::cli {
namespace {

// The companion's file name, given by the build.
constexpr std::string_view kCompanionName = KALVORA_CLI_COMPANION;

std::filesystem::path CompanionPath() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return kCompanionName;
    return self.parent_path() / kCompanionName;
}

int RunCompanion(std::string_view verb, VerbContext& context) {
    const std::filesystem::path companion = CompanionPath();
    std::vector<std::string> words{companion.string(), std::string(verb)};
    words.insert(words.end(), context.args.begin(), context.args.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    // Nothing written so far may be lost with this process.
    context.out.flush();
    context.err.flush();
    std::fflush(nullptr);
    execv(companion.c_str(), argv.data());
    const int cause = errno;
    context.err << "The verb \"" << verb << "\" needs the program \"" << companion.string()
                << "\", which could not be started: " << std::strerror(cause) << ".\n";
    return exitFileError;
}

template <const VerbTexts& texts>
int Forward(VerbContext& context) {
    return RunCompanion(texts.name, context);
}

template <const VerbTexts& texts>
Verb ForwardingVerb() {
    return Verb{texts.name, texts.usage, texts.summary, Forward<texts>};
}

const VerbRegistration play{ForwardingVerb<kPlayTexts>()};
const VerbRegistration record{ForwardingVerb<kRecordTexts>()};
const VerbRegistration waveform{ForwardingVerb<kWaveformTexts>()};
const VerbRegistration diagram{ForwardingVerb<kDiagramTexts>()};
const VerbRegistration score{ForwardingVerb<kScoreTexts>()};

}  // namespace
}  // namespace kalvora::cli
