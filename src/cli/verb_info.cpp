// kalvora-cli info FILE.wav: the format and a few facts of a WAV file, one per line.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/cli.h"
#include "cli/cli_arguments.h"
#include "sound/sound.h"

namespace kalvora::cli {
namespace {

constexpr std::string_view kUsage = "info FILE.wav";

int RunInfo(VerbContext& context) {
    std::string problem;
    const auto arguments = CliArguments::Parse(context.args, {}, problem);
    if (arguments && (arguments->Positional().size() != 1 || !arguments->Fields().empty() ||
                      !arguments->UnknownOptions({}).empty())) {
        problem = "usage: kalvora-cli " + std::string(kUsage);
    }
    if (!problem.empty()) {
        context.err << problem << '\n';
        return exitUsageError;
    }
    const std::string& fileName = arguments->Positional()[0];
    std::unique_ptr<Sound> sound;
    if (const int status = ReadInputWave(context, fileName, sound)) return status;
    ErrorFlag error = 0;
    std::int32_t peak = 0;
    const std::int32_t values = sound->GetValues();
    if (values > 0) {
        peak = sound->GetLeftWave().getMaxAbs(&error, 0, values);
        if (sound->MoSt == 2) {
            peak = std::max(peak, sound->GetRightWave().getMaxAbs(&error, 0, values));
        }
    }
    char duration[64];
    std::snprintf(duration, sizeof duration, "%.3f s", sound->GetSeconds());
    context.out << "rate: " << sound->Freq << '\n'
                << "channels: " << sound->MoSt << '\n'
                << "bits: " << sound->BytesPSample * 8 << '\n'
                << "samples: " << sound->GetValues() << '\n'
                << "duration: " << duration << '\n'
                << "peak: " << peak << '\n';
    return exitSuccess;
}

const VerbRegistration registration({"info", kUsage,
                                     "rate, channels, bits, samples per channel, duration and "
                                     "peak of a WAV file",
                                     RunInfo});

}  // namespace
}  // namespace kalvora::cli
