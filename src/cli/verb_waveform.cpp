// kalvora-cli waveform IN.wav OUT.png [--size WxH] [--select BEGIN:END] [FIELD=TEXT ...]
// Paints the whole wave as a wave window's view would, with the default view settings or
// the given fields of them, the selection inverted, and writes the picture as PNG.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli.h"
#include "cli/cli_arguments.h"
#include "cli/qt_verb_texts.h"
#include "documents/unit_factor.h"
#include "documents/unit_integer.h"
#include "platform/qt/image_canvas.h"
#include "shell/view_settings_xml.h"
#include "shell/wave_painter.h"
#include "shell/wave_view_geometry.h"
#include "shell/wave_view_props.h"
#include "sound/sound.h"

namespace kalvora::cli {
namespace {

constexpr int kDefaultWidth = 800;
constexpr int kDefaultHeight = 200;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Labels are compared without blanks and case: "Left at Front" is "leftatfront".
bool SameLabel(const std::string& typed, std::string label) {
    label.erase(std::remove(label.begin(), label.end(), ' '), label.end());
    return Lower(typed) == Lower(label);
}

std::optional<double> ParseNumber(const std::string& text) {
    double value = 0.0;
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') ++first;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last || first == last || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// The parts of the command line, checked.
struct WaveformJob {
    std::filesystem::path input;
    std::filesystem::path output;
    int width = kDefaultWidth;
    int height = kDefaultHeight;
    std::optional<std::string> selection;
    TWaveViewProps settings;
    std::optional<std::filesystem::path> envelopeFile;
};

// Reports a rejected value in the dialogs' form and gives the usage error status.
int Rejected(VerbContext& context, const std::string& label, const std::string& reason) {
    context.err << "In " << label << ": " << reason << '\n';
    return exitUsageError;
}

// One end of --select: a sample index, a time ("1.5s", "250ms") or a share of the length
// ("25%"), rounded to the nearest sample.
std::optional<double> ReadSelectionEnd(const std::string& text, const Sound& sound) {
    if (const auto index = ParsePlainInteger(text)) return static_cast<double>(*index);
    const std::string lower = Lower(text);
    const auto numberBefore = [&](std::size_t suffixLength) {
        return lower.size() > suffixLength
                   ? ParseNumber(lower.substr(0, lower.size() - suffixLength))
                   : std::nullopt;
    };
    if (lower.ends_with("ms")) {
        if (const auto ms = numberBefore(2)) return std::trunc(*ms * 0.001 * sound.Freq + 0.5);
    } else if (lower.ends_with("s")) {
        if (const auto s = numberBefore(1)) return std::trunc(*s * sound.Freq + 0.5);
    } else if (lower.ends_with("%")) {
        if (const auto share = numberBefore(1)) {
            return std::trunc(*share * 0.01 * sound.GetValues() + 0.5);
        }
    }
    return std::nullopt;
}

// A field that chooses among alternatives takes an alternative's label without blanks.
template <class T>
int Choose(VerbContext& context, const FieldAssignment& field, T& target,
           std::initializer_list<std::pair<std::string, T>> alternatives) {
    std::string labels;
    for (const auto& [label, value] : alternatives) {
        if (SameLabel(field.text, label)) {
            target = value;
            return exitSuccess;
        }
        labels += labels.empty() ? "" : ", ";
        bool wordStart = true;
        for (const char c : label) {
            if (c != ' ') {
                labels +=
                    wordStart ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
            }
            wordStart = c == ' ';
        }
    }
    return Rejected(context, field.field, "Use one of " + labels + ".");
}

// Applies one FIELD=TEXT to the settings; returns the usage error status when the field or
// its text is rejected, else exitSuccess.
int ApplyField(VerbContext& context, const FieldAssignment& field, WaveformJob& job,
               bool& envelopeSwitched) {
    TWaveViewProps& props = job.settings;
    const std::string name = Lower(field.field);
    const std::string& text = field.text;
    const auto onOff = [&](bool& target) {
        if (SameLabel(text, "on")) {
            target = true;
        } else if (SameLabel(text, "off")) {
            target = false;
        } else {
            return Rejected(context, field.field, "Use on or off.");
        }
        return static_cast<int>(exitSuccess);
    };
    // Colours and numbers are read as the dialog "Wave View" and the stored settings read them.
    const auto colour = [&](const std::string& label, platform::Color& target) {
        std::string errorText;
        if (!ReadColorText(text, label, target, errorText)) {
            context.err << errorText << '\n';
            return static_cast<int>(exitUsageError);
        }
        return static_cast<int>(exitSuccess);
    };
    const auto value = [&](unit& member, const std::string& label) {
        std::string errorText;
        if (!member.ReadText(text, label, errorText)) {
            context.err << errorText << '\n';
            return static_cast<int>(exitUsageError);
        }
        return static_cast<int>(exitSuccess);
    };

    if (name == "drawstyle") {
        return Choose(context, field, props.DrawStyle,
                      {{"Lines", drawStyleLines}, {"Points", drawStylePoints}});
    }
    if (name == "distribution") {
        return Choose(context, field, props.Distribution,
                      {{"Constant", distributionConstant}, {"Random", distributionRandom}});
    }
    if (name == "front") {
        return Choose(
            context, field, props.Front,
            {{"Mixed", frontMixed}, {"Left at Front", frontLeft}, {"Right at Front", frontRight}});
    }
    if (name == "valuesperpixel") {
        unitIntegerPosMore member(props.ValuesPerPixel);
        if (const int status = value(member, "Values per Pixel")) return status;
        props.ValuesPerPixel = member.GetValue();
        return exitSuccess;
    }
    if (name == "usegrid") return onOff(props.UseGrid);
    if (name == "drawsingle") return onOff(props.DrawSingle);
    if (name == "drawenvelope") {
        envelopeSwitched = true;
        return onOff(props.DrawEnvelope);
    }
    if (name == "gridcolor") return colour("GridColor", props.GridColor);
    if (name == "cursorcolor") return colour("CursorColor", props.CursorColor);
    if (name == "singlecolor") return colour("SingleColor", props.SingleColor);
    if (name == "backgroundcolor") return colour("BackgroundColor", props.BackgroundColor);
    if (name == "leftcolor") return colour("LeftColor", props.LeftColor);
    if (name == "rightcolor") return colour("RightColor", props.RightColor);
    if (name == "strength") {
        unitFactorPosMore member(props.Strength, DisplayUnit::none);
        if (const int status = value(member, "Strength")) return status;
        props.Strength = member.GetValue();
        return exitSuccess;
    }
    if (name == "envelopestrength") {
        // As in the dialog, giving the envelope's strength or name switches it on.
        if (!envelopeSwitched) props.DrawEnvelope = true;
        unitFactorPosMax1 member(props.EnvelopeStrength, DisplayUnit::percent);
        if (const int status = value(member, "Background Strength")) return status;
        props.EnvelopeStrength = member.GetValue();
        return exitSuccess;
    }
    if (name == "envelopename") {
        if (!envelopeSwitched) props.DrawEnvelope = true;
        job.envelopeFile = text;
        props.EnvelopeName = std::filesystem::path(text).stem().string();
        return exitSuccess;
    }
    context.err << "Unknown field \"" << field.field
                << "\". The fields are drawStyle, distribution, valuesPerPixel, useGrid, "
                   "gridColor, cursorColor, strength, backgroundColor, singleColor, drawSingle, "
                   "leftColor, rightColor, front, drawEnvelope, envelopeStrength, envelopeName.\n";
    return exitUsageError;
}

int RunWaveform(VerbContext& context) {
    std::string error;
    const auto arguments = CliArguments::Parse(context.args, {}, error);
    if (!arguments) {
        context.err << error << '\n';
        return exitUsageError;
    }
    const std::vector<std::string> unknown = arguments->UnknownOptions({"size", "select"});
    if (!unknown.empty()) {
        context.err << "Unknown option --" << unknown.front() << " for waveform.\n";
        return exitUsageError;
    }
    if (arguments->Positional().size() != 2) {
        context.err << "usage: kalvora-cli " << kWaveformTexts.usage << '\n';
        return exitUsageError;
    }
    WaveformJob job;
    job.input = arguments->Positional()[0];
    job.output = arguments->Positional()[1];
    if (const auto size = arguments->Option("size")) {
        if (!ReadPictureSize(*size, job.width, job.height)) {
            return Rejected(context, "--size", std::string(kPictureSizeUsage));
        }
    }
    job.selection = arguments->Option("select");
    bool envelopeSwitched = false;
    for (const FieldAssignment& field : arguments->Fields()) {
        if (const int status = ApplyField(context, field, job, envelopeSwitched)) return status;
    }
    if (job.settings.DrawEnvelope && !job.envelopeFile) {
        return Rejected(context, "envelopeName", "You have to select a Wave");
    }

    std::unique_ptr<Sound> sound;
    if (const int status = ReadInputWave(context, job.input, sound)) return status;
    std::unique_ptr<Sound> envelopeSound;
    if (job.settings.DrawEnvelope) {
        if (const int status = ReadInputWave(context, *job.envelopeFile, envelopeSound))
            return status;
    }

    const std::int32_t n = sound->GetValues();
    std::int32_t firstEnd = 0, secondEnd = 0;
    if (job.selection) {
        const auto colon = job.selection->find(':');
        const auto begin = colon == std::string::npos
                               ? std::nullopt
                               : ReadSelectionEnd(job.selection->substr(0, colon), *sound);
        const auto end = colon == std::string::npos
                             ? std::nullopt
                             : ReadSelectionEnd(job.selection->substr(colon + 1), *sound);
        if (!begin || !end) {
            return Rejected(context, "--select",
                            "Use BEGIN:END, each a sample index, a time (1.5s, 250ms) or a "
                            "share of the length (25%).");
        }
        if (*begin < 0 || *end < 0 || *begin > n || *end > n) {
            return Rejected(context, "--select",
                            "The wave has " + std::to_string(n) +
                                " samples; both ends must lie from 0 to that length.");
        }
        firstEnd = static_cast<std::int32_t>(*begin);
        secondEnd = static_cast<std::int32_t>(*end);
    }

    TWaveViewGeometry geometry;
    geometry.SetClient({0, 0, job.width, job.height});
    geometry.SetSampleCount(n);
    TWaveViewProps envelopeSettings;
    TEnvelopeScene envelope;
    TWaveViewScene scene;
    scene.sound = sound.get();
    scene.firstEnd = firstEnd;
    scene.secondEnd = secondEnd;
    scene.settings = &job.settings;
    if (envelopeSound) {
        envelope.sound = envelopeSound.get();
        envelope.workBegin = 0;
        envelope.workEnd = envelopeSound->GetValues();
        envelope.settings = &envelopeSettings;
        scene.envelope = &envelope;
    }
    platform::ImageCanvas canvas(job.width, job.height, job.settings.BackgroundColor);
    TWavePainter(canvas, geometry, scene).Paint(geometry.Client());
    if (!canvas.SavePng(job.output, error)) {
        context.err << "Cannot write " << job.output.string() << ": " << error << '\n';
        return exitFileError;
    }
    return exitSuccess;
}

const VerbRegistration registration{
    Verb{kWaveformTexts.name, kWaveformTexts.usage, kWaveformTexts.summary, RunWaveform}};

}  // namespace
}  // namespace kalvora::cli
