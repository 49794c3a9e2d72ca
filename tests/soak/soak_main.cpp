// kalvora_soak: random command sequences through the real frame, offscreen.
//
//   kalvora_soak [--seed N] [--steps N] [--minutes M] [--verbose]
//
// Without --seed the seed is drawn at random. The run ends after the steps or the minutes
// (whichever comes first; without either, after 500 steps) or at the first finding, which is
// printed with the seed, the step count that replays it and the last steps taken.
#include <sanitizer/common_interface_defs.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "soak/soak_driver.h"

namespace {

using kalvora::soak::TSoakDriver;
using kalvora::soak::TSoakOptions;

void PrintReplay(const TSoakDriver& driver, std::uint64_t seed, std::FILE* out) {
    std::fprintf(out, "Replay with: kalvora_soak --seed %llu --steps %lld --verbose\n",
                 static_cast<unsigned long long>(seed), static_cast<long long>(driver.StepsDone()));
    std::fprintf(out, "The last steps:\n");
    for (const std::string& line : driver.RecentLog())
        std::fprintf(out, "%s\n", line.c_str());
    std::fflush(out);
}

std::uint64_t runSeed = 0;

// A sanitizer that stops the program reports the seed and the steps that led there.
void OnSanitizerDeath() {
    if (TSoakDriver* driver = TSoakDriver::Current()) {
        std::fprintf(stderr, "\nSOAK: the sanitizer stopped the run at step %lld, seed %llu\n",
                     static_cast<long long>(driver->StepsDone()),
                     static_cast<unsigned long long>(runSeed));
        PrintReplay(*driver, runSeed, stderr);
    }
}

// The offscreen platform's notes about what it cannot do are not findings.
void QuietOffscreenNotes(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (text.contains(QStringLiteral("This plugin does not support"))) return;
    std::fprintf(stderr, "%s%s\n",
                 type == QtWarningMsg ? "Qt warning: " : "Qt: ", text.toLocal8Bit().constData());
}

bool ReadNumber(const char* text, double& value) {
    char* end = nullptr;
    value = std::strtod(text, &end);
    return end != text && *end == '\0' && value >= 0;
}

}  // namespace

int main(int argc, char** argv) {
    TSoakOptions options;
    options.seed = std::random_device{}();
    double minutes = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        double value = 0;
        const bool hasValue = i + 1 < argc && ReadNumber(argv[i + 1], value);
        if (arg == "--seed" && hasValue) {
            options.seed = std::strtoull(argv[++i], nullptr, 10);
        } else if (arg == "--steps" && hasValue) {
            options.steps = static_cast<std::int64_t>(value);
            ++i;
        } else if (arg == "--minutes" && hasValue) {
            minutes = value;
            ++i;
        } else if (arg == "--verbose") {
            options.verbose = true;
        } else {
            std::fprintf(stderr,
                         "usage: kalvora_soak [--seed N] [--steps N] [--minutes M] [--verbose]\n");
            return 2;
        }
    }
    options.seconds = minutes * 60;
    if (options.steps == 0 && options.seconds == 0) options.steps = 500;
    runSeed = options.seed;

    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietOffscreenNotes);
    QApplication application(argc, argv);
    // The frame's play and record files go to a folder of this run alone, so that a soak
    // beside the other tests never writes into their temporary files.
    // So do its settings (the recent files): the user's own list stays untouched.
    QTemporaryDir temporary;
    if (temporary.isValid()) {
        qputenv("TMPDIR", QFile::encodeName(temporary.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(temporary.path() + "/config"));
    }
    __sanitizer_set_death_callback(OnSanitizerDeath);
    std::printf("soak: seed %llu\n", static_cast<unsigned long long>(options.seed));
    std::fflush(stdout);

    const auto start = std::chrono::steady_clock::now();
    bool passed = false;
    {
        TSoakDriver driver(options);
        passed = driver.Run();
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("soak: seed %llu, %lld steps in %.1f s; messages: %s\n",
                    static_cast<unsigned long long>(options.seed),
                    static_cast<long long>(driver.StepsDone()), seconds,
                    driver.MessageSummary().c_str());
        if (!passed) {
            std::fprintf(stderr, "SOAK FINDING at step %lld: %s\n",
                         static_cast<long long>(driver.StepsDone()), driver.Finding().c_str());
            PrintReplay(driver, options.seed, stderr);
        }
    }
    __sanitizer_set_death_callback(nullptr);
    return passed ? 0 : 1;
}
