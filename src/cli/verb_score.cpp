// kalvora-cli score IN.kvm OUT.png [--size WxH]
// Draws a music file's staff notation as the music window shows it scrolled to its start,
// nothing selected, and writes the picture as PNG. Without --size the picture holds the whole
// piece (up to a limit on each side).
#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>

#include "cli/cli.h"
#include "cli/cli_application.h"
#include "cli/cli_arguments.h"
#include "cli/qt_verb_texts.h"
#include "documents/document_registry.h"
#include "music/music_file.h"
#include "music/unit_muz.h"
#include "notation/notation_painter.h"
#include "platform/qt/image_canvas.h"

namespace kalvora::cli {
namespace {

// The whole piece, but no larger than this on either side: a picture for checking by eye.
constexpr int kMaxDefaultSide = 4000;
// Paper after the final double bar, and the smallest picture of a document without staves.
constexpr int kRightMargin = 20;
constexpr int kMinDefaultSide = 40;

int Rejected(VerbContext& context, const std::string& label, const std::string& reason) {
    context.err << "In " << label << ": " << reason << '\n';
    return exitUsageError;
}

// The size that holds the whole piece: the layout is run once on a picture of one pixel,
// with the same text metrics as the real one.
void MeasurePiece(TUnitMuz& music, int& width, int& height) {
    platform::ImageCanvas probe(1, 1);
    const notation::TNotationExtent extent =
        notation::TNotationPainter(probe, music.Staves(), nullptr, {0, 0, 1, 1})
            .Paint(music.Root());
    width = std::clamp(extent.ContentWidth + kRightMargin, kMinDefaultSide, kMaxDefaultSide);
    height = std::clamp(extent.Height, kMinDefaultSide, kMaxDefaultSide);
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

int RunScore(VerbContext& context) {
    std::string error;
    const auto arguments = CliArguments::Parse(context.args, {}, error);
    if (!arguments) {
        context.err << error << '\n';
        return exitUsageError;
    }
    const std::vector<std::string> unknown = arguments->UnknownOptions({"size"});
    if (!unknown.empty()) {
        context.err << "Unknown option --" << unknown.front() << " for score.\n";
        return exitUsageError;
    }
    if (arguments->Positional().size() != 2 || !arguments->Fields().empty()) {
        context.err << "usage: kalvora-cli " << kScoreTexts.usage << '\n';
        return exitUsageError;
    }
    const std::filesystem::path input = arguments->Positional()[0];
    const std::filesystem::path output = arguments->Positional()[1];
    int width = 0, height = 0;
    const auto size = arguments->Option("size");
    if (size && !ReadPictureSize(*size, width, height)) {
        return Rejected(context, "--size", std::string(kPictureSizeUsage));
    }
    if (SameFile(input, output)) {
        return Rejected(context, output.string(),
                        "The picture cannot replace the music file it is drawn from.");
    }

    TUnitRegistry registry;
    TUnitMuz music(registry, true);
    if (!LoadMusicFile(input, music, error)) {
        context.err << input.string() << ": " << error << '\n';
        return exitFileError;
    }
    if (!EnsureGuiApplication()) {
        context.err << "The notation's text cannot be drawn in this process.\n";
        return exitFileError;
    }
    if (!size) MeasurePiece(music, width, height);

    platform::ImageCanvas canvas(width, height);
    notation::TNotationPainter(canvas, music.Staves(), nullptr, {0, 0, width, height})
        .Paint(music.Root());
    if (!canvas.SavePng(output, error)) {
        context.err << "Cannot write " << output.string() << ": " << error << '\n';
        return exitFileError;
    }
    return exitSuccess;
}

const VerbRegistration registration{
    Verb{kScoreTexts.name, kScoreTexts.usage, kScoreTexts.summary, RunScore}};

}  // namespace
}  // namespace kalvora::cli
