#include "platform/busy_cursor.h"

#include <gtest/gtest.h>

namespace kalvora::platform {
namespace {

class RecordingIndicator final : public BusyIndicator {
  public:
    void Begin() override { calls += "B"; }
    void End() override { calls += "E"; }
    std::string calls;
};

TEST(BusyCursorTest, ScopesShowTheCursorOnceAndJoinARunningPeriod) {
    RecordingIndicator indicator;
    SetBusyIndicator(&indicator);
    {
        BusyScope outer;
        EXPECT_TRUE(IsBusy());
        { BusyScope inner; }
        EXPECT_TRUE(IsBusy());
    }
    EXPECT_FALSE(IsBusy());
    EXPECT_EQ(indicator.calls, "BE");
    SetBusyIndicator(nullptr);
}

TEST(BusyCursorDeathTest, BeginningTwiceIsAProgrammingError) {
    EXPECT_DEATH(
        {
            BeginBusy();
            BeginBusy();
        },
        "Condition \"!busy\"failed!");
}

}  // namespace
}  // namespace kalvora::platform
