#include "cli/cli.h"

#include <algorithm>

#include "cli/cli_merge_split.h"
#include "documents/effect_assignments.h"
#include "documents/effect_table.h"
#include "platform/messages.h"
#include "sound/wave.h"
#include "sound/wave_file.h"

namespace kalvora::cli {
namespace {

std::vector<Verb>& Registry() {
    static std::vector<Verb> verbs;
    return verbs;
}

// The core's messages go to standard error without a caption: the text is what a dialog
// or message box would have said.
class StreamMessageSink final : public platform::MessageSink {
  public:
    explicit StreamMessageSink(std::ostream& err) : err_(err) {}
    void Show(std::string_view text, std::string_view, platform::MessageIcon) override {
        err_ << text << '\n';
    }

  private:
    std::ostream& err_;
};

class ScopedSink {
  public:
    explicit ScopedSink(platform::MessageSink& sink) : previous_(&platform::CurrentMessageSink()) {
        platform::SetMessageSink(&sink);
    }
    ~ScopedSink() { platform::SetMessageSink(previous_); }
    ScopedSink(const ScopedSink&) = delete;
    ScopedSink& operator=(const ScopedSink&) = delete;

  private:
    platform::MessageSink* previous_;
};

void PrintVerbs(std::ostream& out) {
    std::vector<Verb> verbs = AllVerbs();
    std::sort(verbs.begin(), verbs.end(),
              [](const Verb& a, const Verb& b) { return a.name < b.name; });
    out << "usage: kalvora-cli VERB [ARGUMENTS]\n\nverbs:\n";
    for (const Verb& verb : verbs) {
        out << "  " << verb.usage << "\n      " << verb.summary << '\n';
    }
    out << "\ncommands (kalvora-cli help COMMAND lists the fields of one):\n";
    for (const TEffectEntry& entry : EffectTable()) {
        out << "  " << entry.command << "  " << entry.caption << '\n';
    }
    out << "\nThe manual page tells more: man kalvora-cli\n";
}

// "help NAME": the fields of a command, or the usage of a verb.
int PrintHelpOf(std::string_view name, std::ostream& out, std::ostream& err) {
    if (PrintMergeSplitHelp(name, out)) return exitSuccess;
    if (const TEffectEntry* entry = FindEffect(name)) {
        out << DescribeEffect(*entry);
        return exitSuccess;
    }
    if (const Verb* verb = FindVerb(name)) {
        out << "usage: kalvora-cli " << verb->usage << "\n  " << verb->summary << '\n';
        return exitSuccess;
    }
    err << "Unknown command \"" << name << "\". Try \"kalvora-cli help\".\n";
    return exitUsageError;
}

}  // namespace

VerbRegistration::VerbRegistration(const Verb& verb) {
    Registry().push_back(verb);
}

const std::vector<Verb>& AllVerbs() {
    return Registry();
}

const Verb* FindVerb(std::string_view name) {
    for (const Verb& verb : Registry()) {
        if (verb.name == name) return &verb;
    }
    return nullptr;
}

int ReadInputWave(VerbContext& context, const std::filesystem::path& file,
                  std::unique_ptr<Sound>& sound) {
    std::string errorText;
    if (!ReadWaveFile(file, sound, errorText)) {
        context.err << file.string() << ": " << errorText << '\n';
        return exitFileError;
    }
    return exitSuccess;
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    StreamMessageSink sink(err);
    ScopedSink scoped(sink);
    if (args.empty()) {
        PrintVerbs(err);
        return exitUsageError;
    }
    if (args[0] == "help" && args.size() == 1) {
        PrintVerbs(out);
        return exitSuccess;
    }
    if (args[0] == "help" && args.size() == 2) return PrintHelpOf(args[1], out, err);
    const Verb* verb = FindVerb(args[0]);
    if (verb == nullptr) {
        err << "Unknown verb \"" << args[0] << "\". Try \"kalvora-cli help\".\n";
        return exitUsageError;
    }
    // The sinus table, which the program builds at start-up (its failure is reported).
    if (sinus.values == 0 && !CreateSinus()) return exitFileError;
    VerbContext context{std::vector<std::string>(args.begin() + 1, args.end()), out, err};
    return verb->run(context);
}

}  // namespace kalvora::cli
