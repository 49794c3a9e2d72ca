// kalvora-cli export IN.wav OUT.{wav,flac,ogg} [--bits 16|24] [--quality Q]
// [--select BEGIN:END]: a WAV file (or a selection of it) written as WAV or FLAC of 16 or 24
// bits, or as Ogg Vorbis of quality 0 to 10, as File > Export does. The output's extension
// chooses the format.
#include <cstdlib>
#include <memory>
#include <string>

#include "cli/cli.h"
#include "cli/cli_arguments.h"
#include "cli/cli_effects.h"
#include "platform/sndfile/sndfile_codec.h"
#include "sound/sound_export.h"
#include "sound/wave_file.h"

namespace kalvora::cli {
namespace {

constexpr std::string_view kUsage =
    "export IN.wav OUT.{wav,flac,ogg} [--bits 16|24] [--quality Q] [--select BEGIN:END]";

std::optional<double> ParseQuality(const std::string& text) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !(value >= 0 && value <= 10)) return std::nullopt;
    return value;
}

// The choices of the options, or a usage problem.
std::optional<ExportChoices> ChoicesOf(const CliArguments& arguments,
                                       platform::EncodedFormat format, std::string& problem) {
    ExportChoices choices;
    const bool ogg = format == platform::EncodedFormat::oggVorbis;
    if (const auto bits = arguments.Option("bits")) {
        const auto value = ParsePlainInteger(*bits);
        if (ogg) {
            problem = "In --bits: " + std::string(exportText::noBitsForOgg);
        } else if (!value || (*value != 16 && *value != 24)) {
            problem = "In --bits: " + std::string(exportText::badBits);
        } else {
            choices.bits = static_cast<int>(*value);
        }
    }
    if (const auto quality = arguments.Option("quality"); quality && problem.empty()) {
        const auto value = ParseQuality(*quality);
        if (!ogg) {
            problem = "In --quality: " + std::string(exportText::noQualityForLossless);
        } else if (!value) {
            problem = "In --quality: " + std::string(exportText::badQuality);
        } else {
            choices.quality = *value;
        }
    }
    if (!problem.empty()) return std::nullopt;
    return choices;
}

int RunExport(VerbContext& context) {
    std::string problem;
    const auto arguments = CliArguments::Parse(context.args, {}, problem);
    if (arguments && (arguments->Positional().size() != 2 || !arguments->Fields().empty() ||
                      !arguments->UnknownOptions({"bits", "quality", "select"}).empty())) {
        problem = "usage: kalvora-cli " + std::string(kUsage);
    }
    std::optional<platform::EncodedFormat> format;
    std::optional<ExportChoices> choices;
    if (problem.empty()) {
        format = ExportFormatOf(arguments->Positional()[1]);
        if (!format) problem = exportText::unknownExtension;
    }
    if (problem.empty()) choices = ChoicesOf(*arguments, *format, problem);
    if (!problem.empty()) {
        context.err << problem << '\n';
        return exitUsageError;
    }
    const std::string& input = arguments->Positional()[0];
    const std::string& output = arguments->Positional()[1];
    std::unique_ptr<Sound> sound;
    if (const int status = ReadInputWave(context, input, sound)) return status;
    TSampleRange range{0, sound->GetValues()};
    if (const auto text = arguments->Option("select")) {
        const auto selection = ParseSelection(*text, sound->GetValues(), sound->Freq, problem);
        if (!selection) {
            context.err << problem << '\n';
            return exitUsageError;
        }
        // Like the program: a selection of no samples means the whole wave.
        if (selection->begin != selection->end) range = *selection;
    }
    platform::SndfileCodec codec;
    std::string errorText;
    if (!ExportSound(codec, *sound, range.begin, range.end, output, *choices, errorText)) {
        context.err << output << ": " << errorText << '\n';
        return exitFileError;
    }
    return exitSuccess;
}

const VerbRegistration registration({"export", kUsage,
                                     "write a WAV file (or a selection of it) as WAV or FLAC of "
                                     "16 or 24 bits, or as Ogg Vorbis of quality 0 to 10 "
                                     "(--bits takes 16 or 24 here)",
                                     RunExport});

}  // namespace
}  // namespace kalvora::cli
