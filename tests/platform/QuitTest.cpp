// The quit hook's wait: a request ends it at once, and without one it lasts its time. The same
// on Linux (the self-pipe) and Windows (the console handler's event).
#include "platform/Quit.h"

#include <gtest/gtest.h>

#include <chrono>

namespace qx4t::quit {
namespace {

using namespace std::chrono_literals;

TEST(QuitWait, ARequestEndsTheWaitAndResetLetsItRunItsTime) {
    install();
    reset();
    const auto& clock = SteadyClock::instance();

    request();
    const auto asked = clock.now();
    EXPECT_FALSE(sleepUntil(asked + 1h));
    EXPECT_LT(clock.now() - asked, 1s) << "a requested quit does not wait";
    EXPECT_TRUE(requested());
    EXPECT_EQ(signalNumber(), 0) << "asked from inside, not by a signal";

    reset();
    EXPECT_FALSE(requested());
    const auto start = clock.now();
    EXPECT_TRUE(sleepUntil(start + 50ms));
    EXPECT_GE(clock.now() - start, 50ms);
    EXPECT_TRUE(sleepUntil(start)) << "a time already past returns at once";
}

}  // namespace
}  // namespace qx4t::quit
