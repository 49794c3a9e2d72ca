// kalvora-cli play FILE.wav [--select BEGIN:END] [--maximal]: plays a WAV file (or part of it,
// or at full scale) through the program's player and returns when the play has ended.
#include <cstdio>
#include <memory>
#include <string>

#include "cli/cli.h"
#include "cli/cli_arguments.h"
#include "cli/cli_effects.h"
#include "cli/cli_player.h"
#include "cli/qt_verb_texts.h"
#include "sound/sound.h"

namespace kalvora::cli {
namespace {

constexpr std::string_view kUsage = kPlayTexts.usage;
// How much longer than the sound a play may take before it counts as stuck.
constexpr double kPlayPatienceSeconds = 10.0;

std::string SecondsText(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f s", seconds);
    return text;
}

int RunPlay(VerbContext& context) {
    std::string problem;
    const auto arguments = CliArguments::Parse(context.args, {"maximal"}, problem);
    if (arguments && (arguments->Positional().size() != 1 || !arguments->Fields().empty() ||
                      !arguments->UnknownOptions({"select", "maximal"}).empty())) {
        problem = "usage: kalvora-cli " + std::string(kUsage);
    }
    if (!problem.empty()) {
        context.err << problem << '\n';
        return exitUsageError;
    }
    const std::string& fileName = arguments->Positional()[0];
    std::unique_ptr<Sound> sound;
    if (const int status = ReadInputWave(context, fileName, sound)) return status;
    TSampleRange selection{0, sound->GetValues()};
    if (const auto select = arguments->Option("select")) {
        std::string errorText;
        const auto read = ParseSelection(*select, sound->GetValues(), sound->Freq, errorText);
        if (!read) {
            context.err << errorText << '\n';
            return exitUsageError;
        }
        // Equal ends are a cursor: the whole wave plays, as in a document.
        if (read->begin != read->end) selection = *read;
    }

    CliPlayer player;
    if (!player.Ready()) return exitFileError;
    FramePlayer& frame = player.Player();
    // The player shows why it could not play (standard error here).
    if (!frame.PlaySound(*sound, selection.begin, selection.end, arguments->HasOption("maximal"))) {
        return exitFileError;
    }
    const double seconds = static_cast<double>(selection.end - selection.begin) / sound->Freq;
    const auto ended = [&] {
        const PlayerFacts facts = frame.Facts();
        return !facts.playChecked && !facts.playMaxChecked;
    };
    if (!player.RunUntil(ended, seconds + kPlayPatienceSeconds)) {
        frame.Stop();
        context.err << "The sound device did not finish playing in time.\n";
        return exitFileError;
    }
    context.out << "played: " << selection.end - selection.begin << " samples, "
                << SecondsText(seconds) << '\n';
    return exitSuccess;
}

const VerbRegistration registration({kPlayTexts.name, kUsage, kPlayTexts.summary, RunPlay});

}  // namespace
}  // namespace kalvora::cli
