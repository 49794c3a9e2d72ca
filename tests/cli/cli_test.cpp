#include "cli/cli.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kalvora::cli {
namespace {

TEST(CliTest, HelpListsTheVerbsAndUnknownVerbsAreUsageErrors) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"help"}, out, err), exitSuccess);
    EXPECT_NE(out.str().find("usage: kalvora-cli VERB"), std::string::npos);
    for (const Verb& verb : AllVerbs()) {
        EXPECT_NE(out.str().find(verb.usage), std::string::npos) << verb.name;
    }
    EXPECT_EQ(RunCli({"frobnicate"}, out, err), exitUsageError);
    EXPECT_NE(err.str().find("Unknown verb \"frobnicate\""), std::string::npos);
    EXPECT_EQ(RunCli({}, out, err), exitUsageError);
}

}  // namespace
}  // namespace kalvora::cli
