// The timer wrapper behaves like the game's timers: interval 0, refused intervals, re-enabling.
#include "game_timer.h"

#include <QElapsedTimer>
#include <QtCore/qtestsupport_core.h>
#include <climits>
#include <gtest/gtest.h>

namespace {

// Counts the ticks of one timer. Bounds below are generous: test machines are noisy.
struct Ticks {
    explicit Ticks(GameTimer& timer) {
        QObject::connect(&timer, &GameTimer::Timer, [this] { ++count; });
    }
    bool waitFor(int atLeast, int timeoutMs = 3000) {
        return QTest::qWaitFor([&] { return count >= atLeast; }, timeoutMs);
    }
    int count = 0;
};

TEST(Timer, enabledTimerTicksAtItsInterval) {
    GameTimer timer(50, true);
    Ticks ticks(timer);
    QTest::qWait(600);
    EXPECT_GE(ticks.count, 3);
    EXPECT_LE(ticks.count, 13);
}

TEST(Timer, intervalZeroNeverTicksYetStaysEnabled) {
    GameTimer timer(0, true);
    Ticks ticks(timer);
    QTest::qWait(200);
    EXPECT_EQ(ticks.count, 0);
    EXPECT_TRUE(timer.isEnabled());
}

TEST(Timer, disabledTimerDoesNotTickUntilEnabled) {
    GameTimer timer(30, false);
    Ticks ticks(timer);
    QTest::qWait(200);
    EXPECT_EQ(ticks.count, 0);
    timer.setEnabled(true);
    EXPECT_TRUE(ticks.waitFor(1));
}

TEST(Timer, disablingStopsTheTicks) {
    GameTimer timer(30, true);
    Ticks ticks(timer);
    ASSERT_TRUE(ticks.waitFor(1));
    timer.setEnabled(false);
    const int before = ticks.count;
    QTest::qWait(200);
    EXPECT_EQ(ticks.count, before);
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

TEST(Timer, enablingARunningTimerKeepsItsCountdown) {
    GameTimer timer(1000, true);
    Ticks ticks(timer);
    QElapsedTimer clock;
    clock.start();
    QTest::qWait(700);
    timer.setEnabled(true);
    ASSERT_TRUE(ticks.waitFor(1));
    // A restart would have put the first tick at 1700 ms.
    EXPECT_LT(clock.elapsed(), 1500);
}

TEST(Timer, newIntervalRestartsAnEnabledTimer) {
    GameTimer timer(1000, true);
    Ticks ticks(timer);
    QTest::qWait(300);
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(timer.setInterval(100));
    ASSERT_TRUE(ticks.waitFor(1));
    // The old countdown had 700 ms left.
    EXPECT_LT(clock.elapsed(), 600);
}

TEST(Timer, intervalZeroPausesAnEnabledTimerUntilANewInterval) {
    GameTimer timer(30, true);
    Ticks ticks(timer);
    ASSERT_TRUE(ticks.waitFor(1));
    ASSERT_TRUE(timer.setInterval(0));
    const int before = ticks.count;
    QTest::qWait(200);
    EXPECT_EQ(ticks.count, before);
    ASSERT_TRUE(timer.setInterval(30));
    EXPECT_TRUE(ticks.waitFor(before + 1));
}

TEST(Timer, newIntervalDoesNotStartADisabledTimer) {
    GameTimer timer(500, false);
    Ticks ticks(timer);
    ASSERT_TRUE(timer.setInterval(20));
    QTest::qWait(200);
    EXPECT_EQ(ticks.count, 0);
    EXPECT_FALSE(timer.isEnabled());
}

} // namespace
