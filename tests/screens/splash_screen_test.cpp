// Tests of the splash screen: where it stands, what it shows, and that a click or key leads on.
#include "splash_screen.h"

#include "asset_paths.h"
#include "navigation.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QImage>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <gtest/gtest.h>

namespace {

class RecordingNavigation final : public Navigation {
  public:
    void showLevelMenu() override {
        ++menusShown;
        splashVisibleThen = splash && splash->isVisible();
    }
    bool gameScreenVisible() const override { return false; }
    void enableGameTimer3() override { ++otherCalls; }
    void loadGameScreen() override { ++otherCalls; }
    void quit() override { ++otherCalls; }

    QPointer<Form2> splash;
    int menusShown = 0;
    int otherCalls = 0;
    bool splashVisibleThen = false;
};

struct PlacementRow {
    double screenWidth, screenHeight, windowWidth, windowHeight;
    QPoint expected;
};

TEST(SplashPlacement, CentresByHalvingTheRoundedDifferenceTowardZero) {
    const PlacementRow rows[] = {
        {12000, 9000, 7290, 7080, {2355, 960}}, // 4,710 \ 2
        {12000, 9000, 7260, 7080, {2370, 960}},
        {12000, 9000, 7289.5, 9000, {2355, 0}}, // 4,710.5 rounds to the even 4,710
        {12000, 9000, 7288.5, 9000, {2356, 0}}, // 4,711.5 rounds to the even 4,712
        {7253, 7073, 7260, 7080, {-3, -3}},     // -7 \ 2 is -3, not -4
        {7252.5, 7080, 7260, 7080, {-4, 0}},    // -7.5 rounds to -8
    };
    for (const PlacementRow& row : rows)
        EXPECT_EQ(
            Form2::placement(row.screenWidth, row.screenHeight, row.windowWidth, row.windowHeight),
            row.expected)
            << row.screenWidth << " x " << row.screenHeight << ", window " << row.windowWidth;
}

class SplashScreenTest : public testing::Test {
  protected:
    SplashScreenTest() { navigation.splash = splash; }
    ~SplashScreenTest() override { delete splash.data(); }

    RecordingNavigation navigation;
    QPointer<Form2> splash = new Form2(navigation, assets::resolve(assets::programFolder()));
};

// 7,260 x 7,080 twips on the offscreen platform's 800 x 800 px screen: (12,000 - 7,260) \ 2 =
// 2,370 twips, 158 px; (12,000 - 7,080) \ 2 = 2,460 twips, 164 px.
TEST_F(SplashScreenTest, IsCentredWithoutTitleBar) {
    ASSERT_EQ(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 800, 800));
    EXPECT_EQ(splash->geometry(), QRect(158, 164, 484, 472));
    EXPECT_TRUE(splash->windowFlags().testFlag(Qt::FramelessWindowHint));
}

TEST_F(SplashScreenTest, ShowsTheTitlePictureFromTheTopLeftCorner) {
    splash->show();
    const QImage shot = splash->grab().toImage();
    const QImage title(QStringLiteral(":/ventanas/portada.png"));
    ASSERT_FALSE(title.isNull());
    for (const QPoint p : {QPoint(0, 0), QPoint(240, 200), QPoint(483, 471), QPoint(100, 400)})
        EXPECT_EQ(QColor(shot.pixel(p)), QColor(title.pixel(p))) << p.x() << ", " << p.y();
}

// A click anywhere, Enter or Space; the splash has the keyboard's focus as soon as it shows.
TEST_F(SplashScreenTest, ClickOrKeyOpensTheMenuThenClosesAndDeletesTheSplash) {
    for (const int key : {0, int(Qt::Key_Return), int(Qt::Key_Enter), int(Qt::Key_Space)}) {
        SCOPED_TRACE(testing::Message() << "key " << key);
        if (splash.isNull())
            navigation.splash = splash =
                new Form2(navigation, assets::resolve(assets::programFolder()));
        navigation.menusShown = 0;
        splash->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(splash));
        EXPECT_EQ(QApplication::focusWidget(), splash.data());
        if (key)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        else
            QTest::mouseClick(splash, Qt::LeftButton, {}, QPoint(470, 460));
        EXPECT_EQ(navigation.menusShown, 1);
        EXPECT_EQ(navigation.otherCalls, 0);
        // The menu comes first, so that the program is never left without a window.
        EXPECT_TRUE(navigation.splashVisibleThen);
        ASSERT_FALSE(splash.isNull());
        EXPECT_FALSE(splash->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(splash.isNull());
    }
}

// The hand over the title: the pixels about the fingertip, where it lies once shown.
QImage handArea(Form2& splash) {
    const QPoint tip = splash.hintPoint();
    return splash.grab(QRect(tip - QPoint(40, 10), QSize(110, 120))).toImage();
}

int changedPixels(const QImage& a, const QImage& b) {
    int changed = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            changed += a.pixel(x, y) != b.pixel(x, y);
    return changed;
}

void tick(QTimer* timer) {
    QTimerEvent event(timer->timerId());
    QCoreApplication::sendEvent(timer, &event);
}

// Two seconds without a click (a key that does not lead on starts them again), then the hand
// taps over the title until the splash goes. The test ticks the timers itself.
TEST_F(SplashScreenTest, AHandTapsAtTheTitleAfterTwoSecondsWithoutAClick) {
    splash->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(splash));
    auto* wait = splash->findChild<QTimer*>(QStringLiteral("HintTimer"));
    auto* pulse = splash->findChild<QTimer*>(QStringLiteral("PulseTimer"));
    ASSERT_TRUE(wait && pulse);
    EXPECT_TRUE(wait->isActive());
    EXPECT_EQ(wait->interval(), Form2::HintDelayMs);
    const QImage title = handArea(*splash);
    QTest::keyClick(splash, Qt::Key_A);
    EXPECT_TRUE(wait->isActive());
    EXPECT_FALSE(splash->hintShown());
    EXPECT_EQ(changedPixels(title, handArea(*splash)), 0);

    tick(wait);
    EXPECT_TRUE(splash->hintShown());
    EXPECT_TRUE(pulse->isActive());
    const QImage hand = handArea(*splash);
    EXPECT_GT(changedPixels(title, hand), 1500);
    for (int k = 0; k < Form2::PulseTicks / 2; ++k)
        tick(pulse);
    EXPECT_GT(changedPixels(hand, handArea(*splash)), 200) << "the hand pulses";
    EXPECT_EQ(navigation.menusShown, 0);
}

// With the hand showing, a click anywhere, the hand itself too, still opens the menu.
TEST_F(SplashScreenTest, WithTheHandShownAClickAnywhereStillOpensTheMenu) {
    for (const QPoint at : {QPoint(-1, -1), QPoint(240, 200), QPoint(5, 5), QPoint(470, 460)}) {
        if (splash.isNull())
            navigation.splash = splash =
                new Form2(navigation, assets::resolve(assets::programFolder()));
        const QPoint click = at.x() < 0 ? splash->hintPoint() + QPoint(10, 40) : at;
        SCOPED_TRACE(testing::Message() << click.x() << ", " << click.y());
        navigation.menusShown = 0;
        splash->show();
        tick(splash->findChild<QTimer*>(QStringLiteral("HintTimer")));
        ASSERT_TRUE(splash->hintShown());
        QTest::mouseClick(splash, Qt::LeftButton, {}, click);
        EXPECT_EQ(navigation.menusShown, 1);
        EXPECT_FALSE(splash->isVisible());
        delete splash.data();
    }
}

} // namespace
