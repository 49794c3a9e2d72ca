// kalvora-cli diagram IN.wav OUT.png [FIELD=TEXT ...]: computes the volume diagram of a WAV
// file with the default diagram settings or the given fields of them, and paints it into a
// PNG with one pixel per cell: XResolution pixels wide, YResolution high; a stereo sound
// shown as two single diagrams is twice as high, the left channel above the right.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "cli/cli.h"
#include "cli/cli_arguments.h"
#include "cli/qt_verb_texts.h"
#include "documents/unit_factor.h"
#include "documents/unit_integer.h"
#include "documents/unit_time.h"
#include "platform/qt/image_canvas.h"
#include "shell/view_settings_xml.h"
#include "sound/sound.h"
#include "volume/vold_view_props.h"
#include "volume/volume_analysis.h"
#include "volume/volume_painter.h"

namespace kalvora::cli {
namespace {

constexpr std::string_view kUsage = kDiagramTexts.usage;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Labels are compared without blanks and case: "Time Linear" is "timelinear".
std::string Squeezed(const std::string& text) {
    std::string squeezed;
    for (const char c : text) {
        if (c != ' ') squeezed += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return squeezed;
}

// The problem with one field's text, in the dialog's words (without "In <label>: ").
using Reader = std::function<std::optional<std::string>(const std::string& text)>;

// The reason a value type gives for refusing text, or nothing once target has the value.
// The fields are read as the dialog "Volume Diagram" and the stored settings read them.
template <typename Member, typename Value>
std::optional<std::string> ReadMember(Member member, const std::string& text, Value& target) {
    std::string errorText;
    if (!member.ReadText(text, "", errorText)) {
        const std::string prefix = "In : ";
        return errorText.rfind(prefix, 0) == 0 ? errorText.substr(prefix.size()) : errorText;
    }
    target = static_cast<Value>(member.GetValue());
    return std::nullopt;
}

// A period typed as a time ("50 ms", "0.05 s") or a frequency ("20 Hz", "20 kHz").
Reader TimeReader(double& target) {
    return [&target](const std::string& text) {
        return ReadMember(unitTimePosMore(target, DisplayUnit::second), text, target);
    };
}

// A positive factor: a plain number or a percentage.
Reader FactorReader(double& target) {
    return [&target](const std::string& text) {
        return ReadMember(unitFactorPosMore(target, DisplayUnit::none), text, target);
    };
}

// A share strictly between 0 and 1: a plain number or a percentage.
Reader PositionReader(double& target) {
    return [&target](const std::string& text) {
        return ReadMember(unitFactorPosMoreLess1(0.5, DisplayUnit::percent), text, target);
    };
}

Reader ResolutionReader(std::int32_t& target) {
    return [&target](const std::string& text) -> std::optional<std::string> {
        int value = 0;
        if (auto problem = ReadMember(unitIntegerPosMore(target), text, value)) return problem;
        if (value > kMaxVolumeResolution) {
            return "Value must be no more than " + std::to_string(kMaxVolumeResolution) + ".";
        }
        target = value;
        return std::nullopt;
    };
}

Reader ColourReader(Color& target) {
    return [&target](const std::string& text) -> std::optional<std::string> {
        std::string errorText;
        if (ReadColorText(text, "", target, errorText)) return std::nullopt;
        return errorText.substr(std::string("In : ").size());
    };
}

Reader OnOffReader(std::uint8_t& target) {
    return [&target](const std::string& text) -> std::optional<std::string> {
        const std::string word = Squeezed(text);
        if (word != "on" && word != "off") return "Use on or off.";
        target = word == "on" ? 1 : 0;
        return std::nullopt;
    };
}

// An alternative's label without blanks; a label "Low (Kwadratic)" may also be given
// by the words before its bracket.
Reader ChoiceReader(std::uint8_t& target, std::vector<std::string> labels) {
    return [&target, labels](const std::string& text) -> std::optional<std::string> {
        std::string list;
        for (std::size_t i = 0; i < labels.size(); ++i) {
            const std::string full = Squeezed(labels[i]);
            const std::string shortLabel = Squeezed(labels[i].substr(0, labels[i].find(" (")));
            if (Squeezed(text) == full || Squeezed(text) == shortLabel) {
                target = static_cast<std::uint8_t>(i);
                return std::nullopt;
            }
            std::string shown;
            bool wordStart = true;
            for (const char c : labels[i].substr(0, labels[i].find(" ("))) {
                if (c != ' ') {
                    shown += wordStart
                                 ? static_cast<char>(std::toupper(static_cast<unsigned char>(c)))
                                 : c;
                }
                wordStart = c == ' ';
            }
            list += (list.empty() ? "" : ", ") + shown;
        }
        return "Use one of " + list + ".";
    };
}

// One stop of the palette given with indexed fields (position.1=50% colorBefore.1=0000FF).
struct StopFields {
    std::optional<double> position;
    Color colorBefore = 0;
    std::uint8_t useColorAfter = 0;
    Color colorAfter = 0;
};

struct DiagramJob {
    TVoldViewProps settings;
    std::map<long long, StopFields> stops;
    bool timeTopGiven = false;
    bool timeBottomGiven = false;
};

// The field's label as the settings dialog names it, and its reader.
struct Field {
    std::string label;
    Reader read;
};

std::optional<Field> FindField(DiagramJob& job, const std::string& name, long long index) {
    TVoldViewProps& s = job.settings;
    if (index > 0) {
        StopFields& stop = job.stops[index];
        if (name == "position") {
            return Field{"Position", [&stop](const std::string& text) {
                             double value = 0.0;
                             auto problem = PositionReader(value)(text);
                             if (!problem) stop.position = value;
                             return problem;
                         }};
        }
        if (name == "colorbefore") return Field{"ColorBefore", ColourReader(stop.colorBefore)};
        if (name == "colorafter") return Field{"ColorAfter", ColourReader(stop.colorAfter)};
        if (name == "usecolorafter") return Field{"Color After", OnOffReader(stop.useColorAfter)};
        return std::nullopt;
    }
    if (name == "xresolution")
        return Field{"Horizontal Resolution", ResolutionReader(s.XResolution)};
    if (name == "yresolution") return Field{"Vertical Resolution", ResolutionReader(s.YResolution)};
    if (name == "timetop") {
        job.timeTopGiven = true;
        return Field{"Top Frequency", TimeReader(s.TimeTop)};
    }
    if (name == "timebottom") {
        job.timeBottomGiven = true;
        return Field{"Bottom Frequency", TimeReader(s.TimeBottom)};
    }
    if (name == "ywidth") return Field{"Frequency Width", FactorReader(s.YWidth)};
    if (name == "strength") return Field{"Strength", FactorReader(s.Strength)};
    if (name == "yscale") {
        return Field{"Horizontal Distribution",
                     ChoiceReader(s.YScale, {"Frequency Linear", "Logaritmic", "Time Linear"})};
    }
    if (name == "sensitivity") {
        return Field{
            "Sensitivity",
            ChoiceReader(s.Sensitivity, {"Low (Kwadratic)", "Normal (Linear)", "High (Square root)",
                                         "Very High (Fourth root)"})};
    }
    if (name == "drawsingle")
        return Field{"2 Single Diagrams when Stereo", OnOffReader(s.DrawSingle)};
    if (name == "usecolorpalette1d") {
        return Field{"Use Palette for Single Diagrams", OnOffReader(s.UseColorPalette1D)};
    }
    if (name == "backgroundcolor") return Field{"BackgroundColor", ColourReader(s.BackgroundColor)};
    if (name == "singlecolor") return Field{"SingleColor", ColourReader(s.SingleColor)};
    if (name == "leftcolor") return Field{"LeftColor", ColourReader(s.LeftColor)};
    if (name == "rightcolor") return Field{"RightColor", ColourReader(s.RightColor)};
    if (name == "cursorcolor") return Field{"CursorColor", ColourReader(s.CursorColor)};
    if (name == "begincolor")
        return Field{"BeginColor", ColourReader(s.ColorPalette1D.ColorBefore)};
    if (name == "endcolor") {
        return Field{"EndColor", ColourReader(s.ColorPalette1D.GetLastItem()->ColorBefore)};
    }
    return std::nullopt;
}

constexpr std::string_view kFieldList =
    "xResolution, yResolution, timeTop, timeBottom, yWidth, yScale, sensitivity, strength, "
    "backgroundColor, singleColor, leftColor, rightColor, cursorColor, useColorPalette1D, "
    "beginColor, endColor, position.N, colorBefore.N, useColorAfter.N, colorAfter.N, "
    "drawSingle";

// Applies the fields in order; the first rejected one is reported.
int ApplyFields(VerbContext& context, const std::vector<FieldAssignment>& fields, DiagramJob& job) {
    for (const FieldAssignment& assignment : fields) {
        std::string name = Lower(assignment.field);
        long long index = 0;
        if (const auto dot = name.find('.'); dot != std::string::npos) {
            const auto number = ParsePlainInteger(name.substr(dot + 1));
            if (!number || *number < 1) {
                context.err << "In " << assignment.field
                            << ": the stop number must be 1 or more.\n";
                return exitUsageError;
            }
            index = *number;
            name.resize(dot);
        }
        const auto field = FindField(job, name, index);
        if (!field) {
            context.err << "Unknown field \"" << assignment.field << "\". The fields are "
                        << kFieldList << ".\n";
            return exitUsageError;
        }
        if (const auto problem = field->read(assignment.text)) {
            context.err << "In " << field->label << ": " << *problem << '\n';
            return exitUsageError;
        }
    }
    for (auto& [index, stop] : job.stops) {
        if (!stop.position) {
            context.err << "In position." << index << ": every stop needs a position.\n";
            return exitUsageError;
        }
        TColorPalette1DItem& palette = job.settings.ColorPalette1D;
        for (const auto* item = &palette; item != nullptr;
             item = item->NextColorPalette1DItem.get()) {
            if (item->Position == *stop.position) {
                context.err << "This Position already exists in the pallette.\n";
                return exitUsageError;
            }
        }
        TColorPalette1DItem* item = palette.InsertItem(*stop.position, stop.colorBefore);
        item->UseColorAfter = stop.useColorAfter;
        item->ColorAfter = stop.colorAfter;
    }
    return exitSuccess;
}

// The diagram of each channel, the right one on a second thread.
std::vector<std::unique_ptr<TVolumeArray>> Compute(const Sound& sound,
                                                   const TVoldViewProps& settings) {
    std::vector<const Wave*> waves = {&sound.GetLeftWave()};
    if (sound.MoSt == 2) waves.push_back(&sound.GetRightWave());
    std::vector<std::unique_ptr<TVolumeArray>> arrays;
    for (std::size_t c = 0; c < waves.size(); ++c) {
        arrays.push_back(TVolumeArray::Create(settings.XResolution, settings.YResolution));
        if (!arrays.back()) return {};
    }
    const TResonatorTuning tuning = TResonatorTuning::From(settings, sound.Freq);
    const auto analyse = [&](std::size_t c) {
        TVolumeAnalysis(tuning, waves[c]->wave, waves[c]->values, *arrays[c]).Run();
    };
    if (waves.size() == 2) {
        std::thread right(analyse, 1);
        analyse(0);
        right.join();
    } else {
        analyse(0);
    }
    return arrays;
}

int RunDiagram(VerbContext& context) {
    std::string error;
    const auto arguments = CliArguments::Parse(context.args, {}, error);
    if (!arguments) {
        context.err << error << '\n';
        return exitUsageError;
    }
    const std::vector<std::string> unknown = arguments->UnknownOptions({});
    if (!unknown.empty()) {
        context.err << "Unknown option --" << unknown.front() << " for diagram.\n";
        return exitUsageError;
    }
    if (arguments->Positional().size() != 2) {
        context.err << "usage: kalvora-cli " << kUsage << '\n';
        return exitUsageError;
    }
    DiagramJob job;
    if (const int status = ApplyFields(context, arguments->Fields(), job)) return status;
    const std::filesystem::path input = arguments->Positional()[0];
    const std::filesystem::path output = arguments->Positional()[1];

    std::unique_ptr<Sound> sound;
    if (const int status = ReadInputWave(context, input, sound)) return status;
    // As the settings dialog shows them: no frequency above half the sample rate is offered
    // unless typed.
    const double shortest = 2.0 / sound->Freq;
    if (!job.timeTopGiven) job.settings.TimeTop = std::max(job.settings.TimeTop, shortest);
    if (!job.timeBottomGiven) {
        job.settings.TimeBottom = std::max(job.settings.TimeBottom, shortest);
    }
    const TVoldViewProps& settings = job.settings;
    if (const auto problem = settings.Problem(sound->Freq)) {
        context.err << *problem << '\n';
        return exitUsageError;
    }

    const bool split = sound->MoSt == 2 && settings.DrawSingle;
    const int width = settings.XResolution;
    const int height = settings.YResolution * (split ? 2 : 1);
    const std::int32_t n = sound->GetValues();
    std::vector<std::unique_ptr<TVolumeArray>> arrays;
    if (n > 0) {
        arrays = Compute(*sound, settings);
        if (arrays.empty()) {
            context.err << "Not enough memory for the volume diagram.\n";
            return exitFileError;
        }
    }
    platform::ImageCanvas canvas(width, height, settings.BackgroundColor);
    if (n > 0) {
        TVolumeArrays shown;
        shown.MoSt = sound->MoSt;
        (sound->MoSt == 2 ? shown.Left : shown.Single) = arrays[0].get();
        if (sound->MoSt == 2) shown.Right = arrays[1].get();
        const platform::Rect all{0, 0, width, height};
        DrawVolume(canvas, all, all, 0.0, n, n, shown, settings, false);
    }
    if (!canvas.SavePng(output, error)) {
        context.err << "Cannot write " << output.string() << ": " << error << '\n';
        return exitFileError;
    }
    return exitSuccess;
}

const VerbRegistration registration{
    Verb{kDiagramTexts.name, kUsage, kDiagramTexts.summary, RunDiagram}};

}  // namespace
}  // namespace kalvora::cli
