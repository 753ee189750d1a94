// The round-end sign: where it sits, that clicks pass through it, how each ending looks.
#include "round_end_sign.h"

#include <QImage>
#include <QVariantAnimation>
#include <gtest/gtest.h>

namespace {

// Pixels at least this opaque and at most this light; (255, 179) finds outlines and figures rather
// than the see-through panel behind the two calm signs.
int covered(const QImage& image, int minAlpha, int maxGray = 255) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qAlpha(image.pixel(x, y)) >= minAlpha && qGray(image.pixel(x, y)) <= maxGray;
    return n;
}

struct Sign : ::testing::Test {
    QWidget parent;
    RoundEndSign* sign = new RoundEndSign(&parent);
    const QRect board{40, 30, 360, 300};

    void SetUp() override {
        parent.resize(480, 400);
        parent.show();
    }
    QImage shown(RoundEnding ending) {
        sign->showOver(board, ending);
        return sign->grab().toImage();
    }
};

TEST_F(Sign, coversTheBoardAndLetsClicksThrough) {
    EXPECT_FALSE(sign->isVisible());
    for (const auto ending : {RoundEnding::Won, RoundEnding::TimeUp, RoundEnding::TriesUsed}) {
        sign->showOver(board, ending);
        EXPECT_EQ(sign->geometry(), board);
        EXPECT_TRUE(sign->isVisible());
        EXPECT_EQ(sign->ending(), ending);
        EXPECT_EQ(sign->focusPolicy(), Qt::NoFocus);
        EXPECT_EQ(parent.childAt(board.center()), nullptr);
        sign->hide();
        EXPECT_FALSE(sign->isVisible());
    }
}

TEST_F(Sign, eachEndingPaintsItsOwnPictureOverTheMiddle) {
    const QImage won = shown(RoundEnding::Won), timeUp = shown(RoundEnding::TimeUp),
                 tries = shown(RoundEnding::TriesUsed);
    EXPECT_NE(won, timeUp);
    EXPECT_NE(won, tries);
    EXPECT_NE(timeUp, tries);
    for (const QImage& image : {won, timeUp, tries}) {
        EXPECT_GT(qAlpha(image.pixel(image.rect().center())), 200);
        EXPECT_EQ(qAlpha(image.pixel(1, 1)), 0); // the board's corner stays visible
        EXPECT_GT(covered(image, 255, 179), image.width() * image.height() / 100);
    }
}

TEST_F(Sign, burstSettlesWiderAndThenStopsTicking) {
    const QImage first = shown(RoundEnding::Won);
    auto* burst = sign->findChild<QVariantAnimation*>();
    ASSERT_NE(burst, nullptr);
    burst->setCurrentTime(burst->totalDuration());
    EXPECT_EQ(burst->state(), QAbstractAnimation::Stopped);
    // Settled, the burst reaches out towards the board's corners.
    EXPECT_GT(covered(sign->grab().toImage(), 1), covered(first, 1) * 2);
}

} // namespace
