// Dialog timers on the virtual clock: period, kill, re-arm, a late timer, re-entry.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>

#include <functional>
#include <vector>

#include "platform/ui/Dialog.h"
#include "platform/ui/Timers.h"
#include "platform/ui/VirtualTime.h"
#include "tests/platform/ui/support/UiTestSupport.h"

using namespace std::chrono_literals;
using qx4t::VirtualClock;
using qx4t::ui::Dialog;
using qx4t::ui::VirtualTime;

namespace {

struct Fired {
    int id;
    long long atMs;  // virtual time since the test started
};

class TimerDialog : public Dialog {
public:
    TimerDialog(VirtualClock& clock) : Dialog(0), clock_(clock), start_(clock.now()) {}
    std::vector<Fired> fired;
    std::function<void(int)> onTimer;

protected:
    void OnTimer(int id) override {
        fired.push_back(
            {id,
             std::chrono::duration_cast<std::chrono::milliseconds>(clock_.now() - start_).count()});
        if (onTimer) {
            onTimer(id);
        }
    }

private:
    VirtualClock& clock_;
    VirtualClock::time_point start_;
};

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override { qx4t::test::ensureApplication(); }
    VirtualClock clock;
    VirtualTime time{clock};
};

std::vector<long long> timesOf(const std::vector<Fired>& f, int id) {
    std::vector<long long> out;
    for (const Fired& x : f) {
        if (x.id == id) {
            out.push_back(x.atMs);
        }
    }
    return out;
}

TEST_F(TimerTest, PeriodicUntilKilledAndTimersInterleaveByDueTime) {
    TimerDialog d(clock);
    d.SetTimer(1, 500ms);
    d.SetTimer(2, 1000ms);
    time.runFor(2100ms);
    EXPECT_EQ(timesOf(d.fired, 1), (std::vector<long long>{500, 1000, 1500, 2000}));
    EXPECT_EQ(timesOf(d.fired, 2), (std::vector<long long>{1000, 2000}));
    // Due at the same moment: the one armed first fires first.
    ASSERT_GE(d.fired.size(), 3u);
    EXPECT_EQ(d.fired[1].id, 1);
    EXPECT_EQ(d.fired[2].id, 2);

    d.KillTimer(1);
    EXPECT_FALSE(d.timerArmed(1));
    EXPECT_TRUE(d.timerArmed(2));
    d.fired.clear();
    time.runFor(2000ms);
    EXPECT_TRUE(timesOf(d.fired, 1).empty());
    EXPECT_EQ(timesOf(d.fired, 2).size(), 2u);
}

TEST_F(TimerTest, SettingAnArmedIdAgainRestartsItWithTheNewPeriod) {
    TimerDialog d(clock);
    d.SetTimer(3, 1000ms);
    time.runFor(700ms);
    d.SetTimer(3, 500ms);  // due 500 ms from now, not at the old 1000
    time.runFor(1300ms);
    EXPECT_EQ(timesOf(d.fired, 3), (std::vector<long long>{1200, 1700}));
}

TEST_F(TimerTest, AHandlerThatKillsItsTimerIsNotCalledAgain) {
    TimerDialog d(clock);
    d.onTimer = [&](int id) { d.KillTimer(id); };
    d.SetTimer(4, 100ms);
    time.runFor(1s);
    EXPECT_EQ(d.fired.size(), 1u);
}

TEST_F(TimerTest, ALateTimerFiresOnceAndKeepsItsPeriodFromThen) {
    TimerDialog d(clock);
    d.SetTimer(5, 100ms);
    clock.advance(1050ms);  // ten periods missed, e.g. behind a long blocking call
    EXPECT_TRUE(qx4t::ui::pumpOnce() == false);
    EXPECT_EQ(timesOf(d.fired, 5), (std::vector<long long>{1050}));
    time.runFor(200ms);
    EXPECT_EQ(timesOf(d.fired, 5), (std::vector<long long>{1050, 1150, 1250}));
}

TEST_F(TimerTest, AHandlerThatPumpsIsEnteredAgainByItsOwnTimer) {
    TimerDialog d(clock);
    int depth = 0;
    int deepest = 0;
    d.onTimer = [&](int) {
        ++depth;
        deepest = std::max(deepest, depth);
        if (depth == 1) {
            // A link operation: five 100 ms polls, pumping at each.
            for (int poll = 0; poll < 5; ++poll) {
                clock.advance(100ms);
                (void)qx4t::ui::pumpOnce();
            }
        }
        --depth;
    };
    d.SetTimer(6, 200ms);
    time.runFor(200ms);
    EXPECT_EQ(deepest, 2);
    // Entered at 200, then again inside it at 400 and 600.
    EXPECT_EQ(timesOf(d.fired, 6), (std::vector<long long>{200, 400, 600}));
}

TEST_F(TimerTest, DestroyingTheOwnerOrItsWindowKillsItsTimers) {
    auto d = std::make_unique<TimerDialog>(clock);
    d->SetTimer(1, 100ms);
    d->SetTimer(2, 100ms);
    const Dialog* raw = d.get();
    d.reset();
    EXPECT_FALSE(qx4t::ui::TimerQueue::instance().armed(raw));
    EXPECT_FALSE(qx4t::ui::TimerQueue::instance().nextDue().has_value());

    TimerDialog e(clock);
    e.SetTimer(1, 100ms);
    e.DestroyWindow();
    EXPECT_FALSE(e.timerArmed(1));
}

TEST_F(TimerTest, RunUntilStopsAtTheConditionOrTheBound) {
    TimerDialog d(clock);
    d.SetTimer(1, 250ms);
    const auto start = clock.now();
    EXPECT_TRUE(time.runUntil([&] { return d.fired.size() == 3; }, 10s));
    EXPECT_EQ(clock.now() - start, 750ms);
    EXPECT_FALSE(time.runUntil([] { return false; }, 1s));
    EXPECT_EQ(clock.now() - start, 1750ms);
}

// In the program the timers run on the steady clock and the Qt event loop wakes the queue.
TEST(SteadyTimerTest, TheEventLoopFiresTimersOnTheSteadyClock) {
    qx4t::test::ensureApplication();
    ASSERT_TRUE(qx4t::ui::usingSteadyClock());
    struct Ticker : Dialog {
        Ticker() : Dialog(0) {}
        int ticks = 0;
        QEventLoop loop;
        void OnTimer(int) override {
            if (++ticks == 3) {
                KillTimer(1);
                loop.quit();
            }
        }
    } t;
    t.SetTimer(1, 1ms);
    QTimer bound;
    bound.setSingleShot(true);
    QObject::connect(&bound, &QTimer::timeout, &t.loop, &QEventLoop::quit);
    bound.start(10000);
    t.loop.exec();
    EXPECT_EQ(t.ticks, 3);
    EXPECT_FALSE(t.timerArmed(1));
}

}  // namespace
