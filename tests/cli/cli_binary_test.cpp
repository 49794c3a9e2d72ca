// The built kalvora-cli program run as its own process: it answers the core verbs itself and
// hands the Qt verbs to its companion, with the same texts, output and exit status as the
// tool run in-process.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli/qt_verb_texts.h"
#include "cli_fixture.h"
#include "documents/document_registry.h"
#include "music/music_file.h"
#include "music/unit_muz.h"

namespace kalvora::cli {
namespace {

class CliBinaryTest : public CliFolderTest {
  protected:
    // Runs the program with args; processOut and processErr hold what it printed.
    int RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args) {
        std::string command = Quoted(program.string());
        for (const std::string& arg : args)
            command += ' ' + Quoted(arg);
        command += " >" + Quoted(Path("process.out")) + " 2>" + Quoted(Path("process.err"));
        const int status = std::system(command.c_str());
        processOut = FileText(Path("process.out"));
        processErr = FileText(Path("process.err"));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    static std::string FileText(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    std::string processOut;
    std::string processErr;

  private:
    static std::string Quoted(const std::string& text) {
        std::string quoted = "'";
        for (char c : text)
            quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return quoted + "'";
    }
};

const std::filesystem::path kProgram = KALVORA_CLI_PROGRAM;

TEST_F(CliBinaryTest, HelpListsTheSameVerbsAsTheToolInProcess) {
    ASSERT_EQ(RunProgram(kProgram, {"help"}), exitSuccess) << processErr;
    ASSERT_EQ(Run({"help"}), exitSuccess);
    EXPECT_EQ(processOut, out.str());
    for (const char* verb : {"play", "record", "waveform", "diagram", "score", "apply"}) {
        ASSERT_EQ(RunProgram(kProgram, {"help", verb}), exitSuccess) << verb;
        ASSERT_EQ(Run({"help", verb}), exitSuccess) << verb;
        EXPECT_EQ(processOut, out.str()) << verb;
    }
}

TEST_F(CliBinaryTest, CoreAndQtVerbsGiveWhatTheToolGivesInProcess) {
    ASSERT_EQ(RunProgram(kProgram, {"generate", Path("sine.wav"), "MakeSinus", "frequency=441Hz",
                                    "length=50ms", "--rate", "8000", "--channels", "1"}),
              exitSuccess)
        << processErr;
    ASSERT_EQ(RunProgram(kProgram, {"waveform", Path("sine.wav"), Path("forwarded.png"), "--size",
                                    "60x30", "--select", "10%:40%"}),
              exitSuccess)
        << processErr;
    const std::string forwardedOut = processOut;
    ASSERT_EQ(Run({"waveform", Path("sine.wav"), Path("in-process.png"), "--size", "60x30",
                   "--select", "10%:40%"}),
              exitSuccess)
        << err.str();
    EXPECT_EQ(forwardedOut, out.str());
    EXPECT_FALSE(FileText(Path("forwarded.png")).empty());
    EXPECT_EQ(FileText(Path("forwarded.png")), FileText(Path("in-process.png")));

    // A usage error of a forwarded verb keeps its message and exit status.
    EXPECT_EQ(RunProgram(kProgram, {"diagram", Path("sine.wav")}), exitUsageError);
    EXPECT_EQ(Run({"diagram", Path("sine.wav")}), exitUsageError);
    EXPECT_EQ(processErr, err.str());
}

TEST_F(CliBinaryTest, ScoreIsForwardedWithItsPictureAndMessages) {
    TUnitRegistry registry;
    TUnitMuz music(registry);
    ASSERT_TRUE(SaveMusicFile(music, Path("song.kvm")));
    ASSERT_EQ(RunProgram(kProgram, {"score", Path("song.kvm"), Path("forwarded.png")}), exitSuccess)
        << processErr;
    EXPECT_EQ(processErr, "");
    ASSERT_EQ(Run({"score", Path("song.kvm"), Path("in-process.png")}), exitSuccess) << err.str();
    EXPECT_FALSE(FileText(Path("forwarded.png")).empty());
    EXPECT_EQ(FileText(Path("forwarded.png")), FileText(Path("in-process.png")));

    EXPECT_EQ(RunProgram(kProgram, {"score", Path("song.kvm"), Path("a.png"), "--size", "0x0"}),
              exitUsageError);
    EXPECT_EQ(Run({"score", Path("song.kvm"), Path("a.png"), "--size", "0x0"}), exitUsageError);
    EXPECT_EQ(processErr, err.str());
}

TEST_F(CliBinaryTest, AMissingCompanionIsAFileErrorWithAClearMessage) {
    const std::filesystem::path alone = Path("kalvora-cli");
    std::filesystem::copy_file(kProgram, alone);
    std::filesystem::permissions(alone, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(RunProgram(alone, {"waveform", Path("in.wav"), Path("out.png")}), exitFileError);
    EXPECT_NE(processErr.find("The verb \"waveform\" needs the program \"" +
                              Path("kalvora-cli-qt") + "\", which could not be started"),
              std::string::npos)
        << processErr;
    EXPECT_EQ(RunProgram(alone, {"help"}), exitSuccess);
    EXPECT_NE(processOut.find(kWaveformTexts.usage), std::string::npos);
}

}  // namespace
}  // namespace kalvora::cli
