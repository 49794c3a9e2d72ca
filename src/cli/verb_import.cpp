// kalvora-cli import IN OUT.wav: any sound file the codec reads (WAV in every variant, FLAC,
// Ogg, MP3, ...) written as a 16-bit WAV file, exactly as File > Import reads it: wider
// samples dithered, more than two channels mixed down to stereo, the rate kept.
#include <memory>
#include <string>

#include "cli/cli.h"
#include "cli/cli_arguments.h"
#include "platform/sndfile/sndfile_codec.h"
#include "sound/sound_import.h"
#include "sound/wave_file.h"

namespace kalvora::cli {
namespace {

constexpr std::string_view kUsage = "import IN OUT.wav";

int RunImport(VerbContext& context) {
    std::string problem;
    const auto arguments = CliArguments::Parse(context.args, {}, problem);
    if (arguments && (arguments->Positional().size() != 2 || !arguments->Fields().empty() ||
                      !arguments->UnknownOptions({}).empty())) {
        problem = "usage: kalvora-cli " + std::string(kUsage);
    }
    if (!problem.empty()) {
        context.err << problem << '\n';
        return exitUsageError;
    }
    const std::string& input = arguments->Positional()[0];
    const std::string& output = arguments->Positional()[1];
    platform::SndfileCodec codec;
    ImportResult result;
    std::string errorText;
    if (!ImportSoundFile(codec, input, result, errorText)) {
        context.err << input << ": " << errorText << '\n';
        return exitFileError;
    }
    if (const std::string clipped = ClippedSamplesText(result.clippedSamples); !clipped.empty())
        context.err << input << ": " << clipped << '\n';
    ErrorFlag error = 0;
    // The writer shows its own message on failure (standard error here).
    if (!WriteWaveFile(*result.sound, &error, output, 0, result.sound->GetValues()))
        return exitFileError;
    return exitSuccess;
}

const VerbRegistration registration({"import", kUsage,
                                     "convert any sound file (WAV of every kind, FLAC, Ogg, MP3) "
                                     "into a 16-bit WAV file, as File > Import does",
                                     RunImport});

}  // namespace
}  // namespace kalvora::cli
