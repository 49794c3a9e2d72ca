// kalvora-cli convert IN.wav OUT.wav [--bits 8|16]: reads a WAV file and writes it back,
// optionally with another sample width. Nothing is written when the input is refused.
// kalvora-cli convert IN.kvm OUT.kvm: brings a music file of either version to the current one.
#include <memory>
#include <string>

#include "cli/cli.h"
#include "cli/cli_arguments.h"
#include "cli/cli_music.h"
#include "sound/sound.h"
#include "sound/wave_file.h"

namespace kalvora::cli {
namespace {

constexpr std::string_view kUsage = "convert IN.wav OUT.wav [--bits 8|16] | convert IN.kvm OUT.kvm";

int RunConvert(VerbContext& context) {
    std::string problem;
    const auto arguments = CliArguments::Parse(context.args, {}, problem);
    if (arguments && (arguments->Positional().size() != 2 || !arguments->Fields().empty() ||
                      !arguments->UnknownOptions({"bits"}).empty())) {
        problem = "usage: kalvora-cli " + std::string(kUsage);
    }
    std::int16_t bytesPSample = 0;  // 0: keep the input's width
    if (problem.empty()) {
        if (const auto bits = arguments->Option("bits")) {
            const auto value = ParsePlainInteger(*bits);
            if (!value || (*value != 8 && *value != 16)) {
                problem = "In --bits: the sample width must be 8 or 16.";
            } else {
                bytesPSample = static_cast<std::int16_t>(*value / 8);
            }
        }
    }
    if (!problem.empty()) {
        context.err << problem << '\n';
        return exitUsageError;
    }
    const std::string& input = arguments->Positional()[0];
    const std::string& output = arguments->Positional()[1];
    if (IsMusicFileName(input)) {
        if (bytesPSample != 0) {
            context.err << "In --bits: a music file has no sample width.\n";
            return exitUsageError;
        }
        return ConvertMusicFile(context, input, output);
    }
    std::unique_ptr<Sound> sound;
    if (const int status = ReadInputWave(context, input, sound)) return status;
    if (bytesPSample != 0) sound->BytesPSample = bytesPSample;
    ErrorFlag error = 0;
    // The writer shows its own message on failure (standard error here).
    if (!WriteWaveFile(*sound, &error, output, 0, sound->GetValues())) return exitFileError;
    return exitSuccess;
}

const VerbRegistration registration({"convert", kUsage,
                                     "read a WAV file and write it back, optionally with "
                                     "another sample width; or bring a music file (.kvm) "
                                     "up to the current version",
                                     RunConvert});

}  // namespace
}  // namespace kalvora::cli
