// The manual page of kalvora-cli (src/cli/kalvora-cli.1) keeps up with the tool: every verb
// has its entry and every command is named.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "cli/cli.h"
#include "documents/effect_table.h"

namespace kalvora::cli {
namespace {

std::string ManPage() {
    std::ifstream in(KALVORA_MAN_PAGE);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(ManPageTest, EveryVerbHasAnEntryAndEveryCommandIsNamed) {
    const std::string page = ManPage();
    ASSERT_FALSE(page.empty()) << KALVORA_MAN_PAGE;
    for (const Verb& verb : AllVerbs()) {
        bool entry = page.find("\n.BI " + std::string(verb.name) + " ") != std::string::npos ||
                     page.find("\n.B " + std::string(verb.name) + " ") != std::string::npos;
        EXPECT_TRUE(entry) << "no entry for the verb " << verb.name;
    }
    for (const TEffectEntry& entry : EffectTable()) {
        EXPECT_NE(page.find(" " + std::string(entry.command) + " "), std::string::npos)
            << entry.command;
    }
    for (const char* section : {".SH SYNOPSIS", ".SH FIELDS", ".SH EXIT STATUS", ".SH EXAMPLES"})
        EXPECT_NE(page.find(section), std::string::npos) << section;
}

TEST(ManPageTest, HelpPointsToIt) {
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(RunCli({"help"}, out, err), exitSuccess);
    EXPECT_NE(out.str().find("man kalvora-cli"), std::string::npos);
}

}  // namespace
}  // namespace kalvora::cli
