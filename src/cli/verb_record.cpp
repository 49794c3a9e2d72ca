// kalvora-cli record OUT.wav --length TIME [--rate N] [--channels 1|2] [--bits 8|16]:
// records from the sound input through the program's player into a new wave of that format
// and length, and writes it. Nothing is written when the recording fails.
#include <cstdint>
#include <cstdio>
#include <limits>
#include <memory>
#include <optional>
#include <string>

#include "cli/cli.h"
#include "cli/cli_arguments.h"
#include "cli/cli_player.h"
#include "cli/qt_verb_texts.h"
#include "documents/unit_time.h"
#include "shell/record_target.h"
#include "sound/sound.h"
#include "sound/wave_file.h"

namespace kalvora::cli {
namespace {

constexpr std::string_view kUsage = kRecordTexts.usage;
// The rates the sound server takes.
constexpr long long kHighestRate = 384000;
// A little more than asked is recorded, so that the device's start-up and the conversion to
// the wave's rate never leave the recording short.
constexpr double kExtraSeconds = 0.1;
// How much longer than asked a recording may take before it counts as stuck.
constexpr double kRecordPatienceSeconds = 10.0;

// The new wave the recording goes into.
class RecordedWave final : public RecordTarget {
  public:
    explicit RecordedWave(const waveFileProps& format) : format_(format) {}
    waveFileProps RecordFormat() const override { return format_; }
    std::int64_t RecordSampleCount() const override { return 0; }
    void TakeRecording(std::unique_ptr<Sound> sound) override { sound_ = std::move(sound); }
    std::unique_ptr<Sound>& Recorded() { return sound_; }

  private:
    waveFileProps format_;
    std::unique_ptr<Sound> sound_;
};

std::string SecondsText(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f s", seconds);
    return text;
}

struct RecordJob {
    std::string output;
    waveFileProps format;
    double seconds = 0;
    std::int32_t samples = 0;
};

// The command line checked; nothing and the message in problem when it is refused.
std::optional<RecordJob> ReadJob(const std::vector<std::string>& args, std::string& problem) {
    const auto arguments = CliArguments::Parse(args, {}, problem);
    if (!arguments) return std::nullopt;
    if (arguments->Positional().size() != 1 || !arguments->Fields().empty() ||
        !arguments->UnknownOptions({"length", "rate", "channels", "bits"}).empty() ||
        !arguments->Option("length")) {
        problem = "usage: kalvora-cli " + std::string(kUsage);
        return std::nullopt;
    }
    RecordJob job;
    job.output = arguments->Positional()[0];
    if (const auto rate = arguments->Option("rate")) {
        const auto value = ParsePlainInteger(*rate);
        if (!value || *value < 1 || *value > kHighestRate) {
            problem = "In --rate: the rate must be a whole number from 1 to " +
                      std::to_string(kHighestRate) + ".";
            return std::nullopt;
        }
        job.format.Freq = static_cast<std::int32_t>(*value);
    }
    if (const auto channels = arguments->Option("channels")) {
        const auto value = ParsePlainInteger(*channels);
        if (!value || (*value != 1 && *value != 2)) {
            problem = "In --channels: the channel count must be 1 or 2.";
            return std::nullopt;
        }
        job.format.MoSt = static_cast<std::int16_t>(*value);
    }
    if (const auto bits = arguments->Option("bits")) {
        const auto value = ParsePlainInteger(*bits);
        if (!value || (*value != 8 && *value != 16)) {
            problem = "In --bits: the sample width must be 8 or 16.";
            return std::nullopt;
        }
        job.format.BytesPSample = static_cast<std::int16_t>(*value / 8);
    }
    unitTimePosMore length(1.0, DisplayUnit::second);
    if (!length.ReadText(*arguments->Option("length"), "--length", problem)) return std::nullopt;
    job.seconds = length.GetValue();
    const double samples = job.seconds * job.format.Freq;
    if (samples < 1) {
        problem = "In --length: the recording must hold at least one sample.";
        return std::nullopt;
    }
    if (samples > std::numeric_limits<std::int32_t>::max()) {
        problem = "In --length: the recording is too long for a wave.";
        return std::nullopt;
    }
    job.samples = static_cast<std::int32_t>(samples);
    return job;
}

int RunRecord(VerbContext& context) {
    std::string problem;
    const std::optional<RecordJob> job = ReadJob(context.args, problem);
    if (!job) {
        context.err << problem << '\n';
        return exitUsageError;
    }
    CliPlayer player;
    if (!player.Ready()) return exitFileError;
    FramePlayer& frame = player.Player();
    RecordedWave wave(job->format);
    frame.Record(&wave);  // shows why when it cannot record
    if (!frame.Facts().recordChecked) return exitFileError;
    const double wanted = job->seconds + kExtraSeconds;
    player.RunUntil(
        [&] { return !frame.Facts().recordChecked || player.Media().Seconds() >= wanted; },
        wanted + kRecordPatienceSeconds);
    if (frame.Facts().recordChecked) frame.Stop();
    std::unique_ptr<Sound>& sound = wave.Recorded();
    if (!sound) return exitFileError;  // the reason has been shown
    if (sound->GetValues() < job->samples) {
        context.err << "The sound device delivered only " << sound->GetValues() << " of the "
                    << job->samples << " samples asked for.\n";
        return exitFileError;
    }
    ErrorFlag error = 0;
    // The writer shows its own message when it fails.
    if (!WriteWaveFile(*sound, &error, job->output, 0, job->samples)) return exitFileError;
    context.out << "recorded: " << job->samples << " samples, "
                << SecondsText(static_cast<double>(job->samples) / job->format.Freq) << '\n';
    return exitSuccess;
}

const VerbRegistration registration({kRecordTexts.name, kUsage, kRecordTexts.summary, RunRecord});

}  // namespace
}  // namespace kalvora::cli
