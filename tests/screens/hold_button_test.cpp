// The settings' gear: a tap is a tap, two seconds held open, the ring follows the press.
#include "hold_button.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <gtest/gtest.h>

namespace {

// The button on a clock of the test's own, and its repaint tick ended when the test says, as
// the game timer's tests end their countdown: no test waits on the wall clock.
struct HeldGear {
    HeldGear() {
        button.resize(27, 27);
        button.setClock([this] { return now; });
    }
    QTimer* tick() const { return button.findChild<QTimer*>(); }
    void endTick() {
        if (!tick()->isActive()) return;
        QTimerEvent event(tick()->timerId());
        QCoreApplication::sendEvent(tick(), &event);
    }
    void press() { QTest::mousePress(&button, Qt::LeftButton); }
    void release() { QTest::mouseRelease(&button, Qt::LeftButton); }

    HoldButton button;
    qint64 now = 1'000'000;
    QSignalSpy held{&button, &HoldButton::held};
    QSignalSpy tapped{&button, &HoldButton::tapped};
};

TEST(HoldButton, tapIsATap) {
    HeldGear gear;
    gear.press();
    gear.now += 150;
    gear.release();
    EXPECT_EQ(gear.tapped.count(), 1);
    EXPECT_EQ(gear.held.count(), 0);
    EXPECT_EQ(gear.button.progress(), 0);
}

TEST(HoldButton, ringFillsWhileHeldAndTwoSecondsHoldOnce) {
    HeldGear gear;
    gear.press();
    ASSERT_TRUE(gear.tick()->isActive());
    EXPECT_EQ(gear.tick()->interval(), HoldButton::TickMs);
    gear.now += 1000;
    gear.endTick();
    EXPECT_DOUBLE_EQ(gear.button.progress(), 0.5);
    EXPECT_EQ(gear.held.count(), 0);
    gear.now += 1000;
    gear.endTick();
    EXPECT_EQ(gear.held.count(), 1);
    // The ring empties and the hand still on the button gives nothing more.
    EXPECT_EQ(gear.button.progress(), 0);
    EXPECT_FALSE(gear.tick()->isActive());
    gear.now += 3000;
    gear.endTick();
    gear.release();
    EXPECT_EQ(gear.held.count(), 1);
    EXPECT_EQ(gear.tapped.count(), 0);
}

TEST(HoldButton, releasedJustBeforeTwoSecondsIsATap) {
    HeldGear gear;
    gear.press();
    gear.now += 1900;
    gear.endTick();
    gear.release();
    EXPECT_EQ(gear.held.count(), 0);
    EXPECT_EQ(gear.tapped.count(), 1);
    EXPECT_EQ(gear.button.progress(), 0);
}

// A busy moment may keep the tick from seeing the two seconds before the release does.
TEST(HoldButton, releasedAfterTwoSecondsBeforeTheTickIsHeld) {
    HeldGear gear;
    gear.press();
    gear.now += HoldButton::HoldMs;
    gear.release();
    EXPECT_EQ(gear.held.count(), 1);
    EXPECT_EQ(gear.tapped.count(), 0);
}

TEST(HoldButton, releasedOffTheButtonIsNothing) {
    HeldGear gear;
    gear.press();
    gear.now += 300;
    QTest::mouseRelease(&gear.button, Qt::LeftButton, {}, QPoint(60, 60));
    EXPECT_EQ(gear.held.count(), 0);
    EXPECT_EQ(gear.tapped.count(), 0);
}

TEST(HoldButton, takesNoFocus) {
    HoldButton button;
    EXPECT_EQ(button.focusPolicy(), Qt::NoFocus);
}

} // namespace
