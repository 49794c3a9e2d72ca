#include "documents/unit_integer.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace kalvora {
namespace {

constexpr int kInitial = 7;

std::unique_ptr<unitInteger> MakeInteger(const std::string& member) {
    static const std::map<std::string, std::function<std::unique_ptr<unitInteger>()>> makers = {
        {"Integer", [] { return std::make_unique<unitInteger>(kInitial); }},
        {"Pos", [] { return std::make_unique<unitIntegerPos>(kInitial); }},
        {"PosMore", [] { return std::make_unique<unitIntegerPosMore>(kInitial); }},
        {"MoreUser80", [] { return std::make_unique<unitIntegerMoreUser>(kInitial, 80); }},
    };
    return makers.at(member)();
}

struct IntegerCase {
    std::string member;
    std::string text;
    std::string message;  // empty when accepted
    int value;
    std::string shown;
};

void PrintTo(const IntegerCase& c, std::ostream* os) {
    *os << c.member << " \"" << c.text << "\"";
}

class IntegerReadTest : public testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerReadTest, ReadsTextAndShowsItAgain) {
    const IntegerCase& c = GetParam();
    auto integer = MakeInteger(c.member);
    std::string errorText;
    const bool ok = integer->ReadText(c.text, "Count", errorText);
    if (c.message.empty()) {
        ASSERT_TRUE(ok) << errorText;
        EXPECT_EQ(integer->GetValue(), c.value);
        EXPECT_EQ(integer->GetText(), c.shown);
    } else {
        ASSERT_FALSE(ok);
        EXPECT_EQ(errorText, "In Count: " + c.message);
        EXPECT_EQ(integer->GetValue(), kInitial);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Integers, IntegerReadTest,
    testing::Values(
        IntegerCase{"Integer", "42", "", 42, "42"}, IntegerCase{"Integer", "-42", "", -42, "-42"},
        IntegerCase{"Integer", "+-5", "", -5, "-5"},
        // A suffix is ignored, and the integer is still shown (and read back) as digits.
        IntegerCase{"Integer", "5%", "", 5, "5"}, IntegerCase{"Integer", "5 s", "", 5, "5"},
        IntegerCase{"Integer", "2147483647", "", INT_MAX, "2147483647"},
        IntegerCase{"Integer", "-2147483648", "", INT_MIN, "-2147483648"},
        IntegerCase{"Integer", "2147483648", "Value is too high. (maximum: 2147483647)", 0, ""},
        IntegerCase{"Integer", "abc", "Input has no value.", 0, ""},
        IntegerCase{"Integer", "", "Input has no value.", 0, ""},
        IntegerCase{"Pos", "0", "", 0, "0"},
        IntegerCase{"Pos", "-1", "Value must be positive.", 0, ""},
        IntegerCase{"PosMore", "0", "Value must be positive and more than 0.", 0, ""},
        IntegerCase{"PosMore", "1", "", 1, "1"},
        IntegerCase{"MoreUser80", "79", "Value must be more or equal of 80.", 0, ""},
        IntegerCase{"MoreUser80", "80", "", 80, "80"}));

TEST(IntegerMoreUserTest, OwnerSetsTheMinimumBeforeReading) {
    unitIntegerMoreUser count(5);
    std::string errorText;
    EXPECT_FALSE(count.ReadText("-3", "Count", errorText));
    EXPECT_EQ(errorText, "In Count: Value must be more or equal of 0.");
    count.Minimum = -5;
    EXPECT_TRUE(count.ReadText("-3", "Count", errorText));
    EXPECT_EQ(count.GetValue(), -3);
}

}  // namespace
}  // namespace kalvora
