#include "cli/cli_arguments.h"

#include <gtest/gtest.h>

namespace kalvora::cli {
namespace {

TEST(CliArgumentsTest, SortsWordsIntoPositionalOptionsAndFields) {
    std::string error;
    const auto parsed = CliArguments::Parse(
        {"in.wav", "--bits", "8", "out.wav", "amplitude=50%", "--maximal", "frequency=A4"},
        {"maximal"}, error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(parsed->Positional(), (std::vector<std::string>{"in.wav", "out.wav"}));
    EXPECT_EQ(parsed->Option("bits"), "8");
    EXPECT_TRUE(parsed->HasOption("maximal"));
    ASSERT_EQ(parsed->Fields().size(), 2u);
    EXPECT_EQ(parsed->Fields()[0].field, "amplitude");
    EXPECT_EQ(parsed->Fields()[0].text, "50%");
    EXPECT_TRUE(parsed->UnknownOptions({"bits", "maximal"}).empty());
    EXPECT_EQ(parsed->UnknownOptions({"bits"}), (std::vector<std::string>{"maximal"}));
}

TEST(CliArgumentsTest, RefusesMissingOrRepeatedOptionValues) {
    std::string error;
    EXPECT_FALSE(CliArguments::Parse({"--bits"}, {}, error));
    EXPECT_EQ(error, "Option --bits needs a value.");
    EXPECT_FALSE(CliArguments::Parse({"--bits", "8", "--bits", "16"}, {}, error));
    EXPECT_EQ(error, "Option --bits given twice.");
}

TEST(CliArgumentsTest, PlainIntegers) {
    EXPECT_EQ(ParsePlainInteger("44100"), 44100);
    EXPECT_EQ(ParsePlainInteger("-3"), -3);
    EXPECT_EQ(ParsePlainInteger("+7"), 7);
    for (const char* bad : {"", "8x", "1.5", "99999999999999999999", "+"}) {
        EXPECT_FALSE(ParsePlainInteger(bad)) << bad;
    }
}

}  // namespace
}  // namespace kalvora::cli
