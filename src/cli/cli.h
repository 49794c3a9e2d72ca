// The verbs of kalvora-cli and the one entry point that runs them. Exit status: 0 success,
// 1 a file could not be read or written, 2 a rejected value or a usage error.
#pragma once

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kalvora {
class Sound;
}

namespace kalvora::cli {

enum ExitStatus : int { exitSuccess = 0, exitFileError = 1, exitUsageError = 2 };

struct VerbContext {
    std::vector<std::string> args;  // the words after the verb
    std::ostream& out;
    std::ostream& err;
};

struct Verb {
    std::string_view name;
    std::string_view usage;    // "info FILE.wav"
    std::string_view summary;  // one line for "help"
    int (*run)(VerbContext& context);
};

// A verb file registers its verb with a static VerbRegistration.
struct VerbRegistration {
    explicit VerbRegistration(const Verb& verb);
};

// Reads the WAV file a verb was given; when it cannot, writes "FILE: reason" to err and returns
// exitFileError, else exitSuccess.
int ReadInputWave(VerbContext& context, const std::filesystem::path& file,
                  std::unique_ptr<Sound>& sound);

const std::vector<Verb>& AllVerbs();
const Verb* FindVerb(std::string_view name);

// Runs "kalvora-cli <args...>" (args without the program name). Messages of the core are
// written to err while it runs.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kalvora::cli
