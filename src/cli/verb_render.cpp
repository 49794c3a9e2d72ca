// kalvora-cli render IN.kvm OUT.wav [--wave NAME=FILE.wav ...] [--rate N] [--channels 1|2]
// [--bits 8|16]: renders a music file as "Generate" does (every stave, the music's own
// settings) and writes the wave. Each sample wave the music names is opened as the program
// opens a wave (its shadow file's selection is the middle piece): from the file --wave
// gives, else NAME.wav beside the music file, else NAME as a path.
#include <chrono>
#include <filesystem>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "cli/cli.h"
#include "cli/cli_arguments.h"
#include "documents/document_registry.h"
#include "documents/wave_creation.h"
#include "documents/workspace.h"
#include "music/music_file.h"
#include "music/music_generation.h"
#include "music/unit_muz.h"
#include "shell/wave_shadow_file.h"
#include "sound/wave_file.h"

namespace kalvora::cli {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUsage =
    "render IN.kvm OUT.wav [--wave NAME=FILE.wav ...] [--rate N] [--channels 1|2] "
    "[--bits 8|16]";
constexpr std::string_view kSummary =
    "render a music file into a wave as Generate does; the sample wave NAME is read from "
    "--wave NAME=FILE.wav, else NAME.wav beside the music file, else NAME. The music file "
    "holds no wave format: the result has a new music's, 22050 Hz, mono, 16 bits, unless "
    "--rate, --channels or --bits say otherwise";

// Renders that take longer than this show their progress.
constexpr auto kQuietTime = std::chrono::seconds(1);
constexpr auto kProgressInterval = std::chrono::milliseconds(250);

struct RenderArguments {
    fs::path input;
    fs::path output;
    std::map<std::string, fs::path> waves;  // from --wave
    waveFileProps format;
};

int UsageError(VerbContext& context, const std::string& text) {
    context.err << text << '\n';
    return exitUsageError;
}

// "--wave NAME=FILE" pairs may repeat, which the shared option reader does not keep: they
// are taken out of the words first.
bool TakeWaveOptions(std::vector<std::string>& words, std::map<std::string, fs::path>& waves,
                     std::string& problem) {
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i] != "--wave") {
            rest.push_back(words[i]);
            continue;
        }
        const std::string value = i + 1 < words.size() ? words[++i] : std::string();
        const std::size_t equals = value.find('=');
        if (equals == std::string::npos || equals == 0 || equals + 1 == value.size()) {
            problem = "In --wave: Use NAME=FILE.wav, the sample wave's name and its file.";
            return false;
        }
        waves[value.substr(0, equals)] = value.substr(equals + 1);
    }
    words = std::move(rest);
    return true;
}

std::optional<long long> FormatOption(const CliArguments& arguments, const std::string& name,
                                      long long fallback, const std::vector<long long>& allowed,
                                      const std::string& refusal, std::string& problem) {
    const auto text = arguments.Option(name);
    if (!text) return fallback;
    const auto value = ParsePlainInteger(*text);
    bool fits = false;
    if (value) {
        fits = allowed.empty() ? *value > 0 && *value <= std::numeric_limits<std::int32_t>::max()
                               : std::find(allowed.begin(), allowed.end(), *value) != allowed.end();
    }
    if (!fits && problem.empty()) problem = "In --" + name + ": " + refusal;
    return fits ? value : std::nullopt;
}

bool ParseRenderArguments(VerbContext& context, RenderArguments& parsed, std::string& problem) {
    std::vector<std::string> words = context.args;
    if (!TakeWaveOptions(words, parsed.waves, problem)) return false;
    const auto arguments = CliArguments::Parse(words, {}, problem);
    if (!arguments) return false;
    const std::vector<std::string> unknown =
        arguments->UnknownOptions({"rate", "channels", "bits"});
    if (!unknown.empty()) {
        problem = "Unknown option --" + unknown.front() + " for render.";
        return false;
    }
    if (arguments->Positional().size() != 2 || !arguments->Fields().empty()) {
        problem = "usage: kalvora-cli " + std::string(kUsage);
        return false;
    }
    parsed.input = arguments->Positional()[0];
    parsed.output = arguments->Positional()[1];
    // The format a new music document renders into.
    TUnitRegistry scratch;
    const waveFileProps music = TUnitMuz(scratch, true).GetWaveFileProps();
    const auto rate =
        FormatOption(*arguments, "rate", music.Freq, {},
                     "the rate must be a positive number of samples per second.", problem);
    const auto channels = FormatOption(*arguments, "channels", music.MoSt, {1, 2},
                                       "the channel count must be 1 or 2.", problem);
    const auto bits = FormatOption(*arguments, "bits", music.BytesPSample * 8, {8, 16},
                                   "the sample width must be 8 or 16.", problem);
    if (!rate || !channels || !bits) return false;
    parsed.format = {static_cast<std::int32_t>(*rate), static_cast<std::int16_t>(*channels),
                     static_cast<std::int16_t>(*bits / 8)};
    return true;
}

bool SameFile(const fs::path& a, const fs::path& b) {
    std::error_code error;
    return fs::equivalent(a, b, error) && !error;
}

bool IsFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// The file of a sample wave, or nothing when none of the places holds one.
std::optional<fs::path> SampleWaveFile(const RenderArguments& arguments, const std::string& name) {
    const auto given = arguments.waves.find(name);
    if (given != arguments.waves.end()) return given->second;
    const fs::path beside = arguments.input.parent_path() / (name + ".wav");
    if (IsFile(beside)) return beside;
    if (IsFile(name)) return fs::path(name);
    return std::nullopt;
}

// Opens every sample wave the music names as a wave document under that name. A file that
// cannot be read stops the verb; a name without a file is left for the rendering to report
// when a note needs it.
bool OpenSampleWaves(const RenderArguments& arguments, const TUnitMuz& music, TWorkspace& workspace,
                     std::vector<std::unique_ptr<TUnitWave>>& documents,
                     std::vector<std::string>& missing) {
    for (const std::string& name : SampleWaveNames(music)) {
        const std::optional<fs::path> file = SampleWaveFile(arguments, name);
        if (!file) {
            missing.push_back(name);
            continue;
        }
        std::unique_ptr<TUnitWave> document = OpenWave(workspace, file->string());
        if (document == nullptr) return false;  // the reader's message is out
        document->SetName(name);
        workspace.Registry().Activate(*document);
        documents.push_back(std::move(document));
    }
    return true;
}

// Shows the rendering's progress on standard error once it has taken a second.
class ProgressLine {
  public:
    explicit ProgressLine(std::ostream& err)
        : err_(err), started_(std::chrono::steady_clock::now()) {}

    void Show(double done, double total) {
        const auto now = std::chrono::steady_clock::now();
        if (now - started_ < kQuietTime || (shown_ && now - last_ < kProgressInterval)) return;
        last_ = now;
        shown_ = true;
        const int percent = total > 0 ? static_cast<int>(100 * done / total) : 100;
        err_ << "\rRendering: " << percent << "%" << std::flush;
    }
    void Finish() {
        if (shown_) err_ << "\rRendering: 100%\n";
    }

  private:
    std::ostream& err_;
    std::chrono::steady_clock::time_point started_;
    std::chrono::steady_clock::time_point last_;
    bool shown_ = false;
};

int RunRender(VerbContext& context) {
    RenderArguments arguments;
    std::string problem;
    if (!ParseRenderArguments(context, arguments, problem)) return UsageError(context, problem);
    if (SameFile(arguments.input, arguments.output)) {
        return UsageError(context, "In " + arguments.output.string() +
                                       ": The wave cannot replace the music file it is "
                                       "rendered from.");
    }

    TWorkspace workspace;
    TWaveShadowFiles shadowFiles;
    workspace.SetShadowStore(&shadowFiles);
    std::vector<std::unique_ptr<TUnitWave>> samples;
    TUnitMuz music(workspace.Registry(), true);
    std::string error;
    if (!LoadMusicFile(arguments.input, music, error)) {
        context.err << arguments.input.string() << ": Cannot read the file: " << error << '\n';
        return exitFileError;
    }
    music.SetWaveFileProps(arguments.format);
    std::vector<std::string> missing;
    if (!OpenSampleWaves(arguments, music, workspace, samples, missing)) {
        return exitFileError;
    }

    ProgressLine progress(context.err);
    TGenerationRequest request;
    request.Progress = [&progress](double done, double total) { progress.Show(done, total); };
    ErrorFlag flag = 0;
    const std::unique_ptr<Sound> sound =
        GenerateWave(music, TRegistrySampleWaves(workspace.Registry()), request, &flag);
    progress.Finish();
    if (sound == nullptr) {
        for (const std::string& name : missing) {
            context.err << "No file for the sample wave \"" << name << "\": give --wave " << name
                        << "=FILE.wav, or put " << name << ".wav beside the music file.\n";
        }
        return exitFileError;
    }
    if (sound->GetValues() == 0) {
        context.err << "No note sounds in " << arguments.input.string() << ": the wave is empty.\n";
    }
    if (!WriteWaveFile(*sound, &flag, arguments.output, 0, sound->GetValues())) {
        return exitFileError;
    }
    return exitSuccess;
}

const VerbRegistration registration({"render", kUsage, kSummary, RunRender});

}  // namespace
}  // namespace kalvora::cli
