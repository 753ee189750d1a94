// The timer wrapper behaves like the game's timers: interval 0, refused intervals, re-enabling.
#include "game_timer.h"

#include <QCoreApplication>
#include <QTimer>
#include <QTimerEvent>
#include <climits>
#include <gtest/gtest.h>

namespace {

// The countdown under a timer, driven by the test: it ends when the test says, as it would at its
// interval, so that no test waits on the wall clock.
struct Countdown {
    explicit Countdown(GameTimer& timer) : under(timer.findChild<QTimer*>()) {
        QObject::connect(&timer, &GameTimer::Timer, [this] { ++ticks; });
    }
    bool running() const { return under->isActive(); }
    // A stopped countdown has nothing to end.
    void end() {
        if (!running()) return;
        QTimerEvent event(under->timerId());
        QCoreApplication::sendEvent(under, &event);
    }
    QTimer* under;
    int ticks = 0;
};

TEST(Timer, enabledTimerTicksAtItsInterval) {
    GameTimer timer(50, true);
    Countdown countdown(timer);
    ASSERT_TRUE(countdown.running());
    EXPECT_EQ(countdown.under->interval(), 50);
    for (int i = 0; i < 3; ++i)
        countdown.end();
    EXPECT_EQ(countdown.ticks, 3);
    EXPECT_TRUE(countdown.running());
}

TEST(Timer, intervalZeroNeverTicksYetStaysEnabled) {
    GameTimer timer(0, true);
    Countdown countdown(timer);
    EXPECT_FALSE(countdown.running());
    EXPECT_TRUE(timer.isEnabled());
}

TEST(Timer, disabledTimerDoesNotTickUntilEnabled) {
    GameTimer timer(30, false);
    Countdown countdown(timer);
    EXPECT_FALSE(countdown.running());
    timer.setEnabled(true);
    countdown.end();
    EXPECT_EQ(countdown.ticks, 1);
}

TEST(Timer, disablingStopsTheTicks) {
    GameTimer timer(30, true);
    Countdown countdown(timer);
    countdown.end();
    ASSERT_EQ(countdown.ticks, 1);
    timer.setEnabled(false);
    EXPECT_FALSE(countdown.running());
    EXPECT_FALSE(timer.isEnabled());
}

TEST(Timer, refusedIntervalKeepsTheOldOne) {
    GameTimer timer(300, false);
    for (const int refused : {-1, 65536, INT_MAX, INT_MIN}) {
        EXPECT_FALSE(timer.setInterval(refused)) << refused;
        EXPECT_EQ(timer.interval(), 300) << refused;
    }
    for (const int taken : {0, 150, 65535}) {
        EXPECT_TRUE(timer.setInterval(taken)) << taken;
        EXPECT_EQ(timer.interval(), taken);
    }
}

// The countdown is marked by giving it a minute to run: a restart would give it the timer's own
// interval again.
TEST(Timer, enablingARunningTimerKeepsItsCountdown) {
    GameTimer timer(1000, true);
    Countdown countdown(timer);
    countdown.under->start(60'000);
    timer.setEnabled(true);
    EXPECT_EQ(countdown.under->interval(), 60'000);
    EXPECT_GT(countdown.under->remainingTime(), 1000);
}

TEST(Timer, newIntervalRestartsAnEnabledTimer) {
    GameTimer timer(1000, true);
    Countdown countdown(timer);
    countdown.under->start(60'000);
    ASSERT_TRUE(timer.setInterval(100));
    EXPECT_EQ(countdown.under->interval(), 100);
    // A coarse timer may end a few percent late; the minute is gone either way.
    EXPECT_LT(countdown.under->remainingTime(), 1000);
    countdown.end();
    EXPECT_EQ(countdown.ticks, 1);
}

TEST(Timer, intervalZeroPausesAnEnabledTimerUntilANewInterval) {
    GameTimer timer(30, true);
    Countdown countdown(timer);
    ASSERT_TRUE(timer.setInterval(0));
    EXPECT_FALSE(countdown.running());
    EXPECT_TRUE(timer.isEnabled());
    ASSERT_TRUE(timer.setInterval(30));
    countdown.end();
    EXPECT_EQ(countdown.ticks, 1);
}

TEST(Timer, newIntervalDoesNotStartADisabledTimer) {
    GameTimer timer(500, false);
    Countdown countdown(timer);
    ASSERT_TRUE(timer.setInterval(20));
    EXPECT_FALSE(countdown.running());
    EXPECT_FALSE(timer.isEnabled());
}

} // namespace
