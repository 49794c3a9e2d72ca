// A fixture for tests of the command-line tool: a scratch folder of its own and the tool run
// in-process with its standard output and error captured.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "sound/sound.h"
#include "sound/wave_file.h"

namespace kalvora::cli {

class CliFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kalvora-cli-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string Path(const std::string& name) const { return (folder_ / name).string(); }

    // Runs kalvora-cli with args; out and err hold what this run printed.
    int Run(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        return RunCli(args, out, err);
    }

    std::unique_ptr<Sound> Read(const std::string& name) {
        std::unique_ptr<Sound> sound;
        std::string errorText;
        EXPECT_TRUE(ReadWaveFile(Path(name), sound, errorText)) << errorText;
        return sound;
    }

    std::ostringstream out;
    std::ostringstream err;

  private:
    std::filesystem::path folder_;
};

}  // namespace kalvora::cli
