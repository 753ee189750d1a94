// Tests of the animated-GIF control: when GifEnd comes, what a bad file shows, where it stands.
#include "gif_control.h"
#include "hostile_media.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMovie>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// Tiny GIFs built from their blocks: a 2 x 2 screen with a four-colour palette, the block that
// makes a GIF loop forever, and frames of one colour shown for 50 ms (or for no stated time).
const QByteArray Screen = QByteArray::fromHex("474946383961 0200 0200 81 00 00 "
                                              "000000 ff0000 00ff00 0000ff");
const QByteArray LoopForever = QByteArray::fromHex("21ff0b 4e45545343415045322e30 03 01 0000 00");
const QByteArray Delay50 = QByteArray::fromHex("21f904 00 0500 00 00");
const QByteArray NoDelay = QByteArray::fromHex("21f904 00 0000 00 00");
const QByteArray Image = QByteArray::fromHex("2c 0000 0000 0200 0200 00 02 03");
const QByteArray Red = Delay50 + Image + QByteArray::fromHex("4c9814 00");
const QByteArray Green = Delay50 + Image + QByteArray::fromHex("942815 00");
const QByteArray Blue = Delay50 + Image + QByteArray::fromHex("dcb815 00");
const QByteArray End = QByteArray::fromHex("3b");

const QByteArray Looping = Screen + LoopForever + Red + Green + Blue + End;
const QByteArray PlayOnce = Screen + Red + Green + Blue + End;
const QByteArray SingleFrame = Screen + NoDelay + Image + QByteArray::fromHex("942815 00") + End;

constexpr int Generous = 5000;

class GifControlTest : public testing::Test {
  protected:
    GifControlTest() {
        board.resize(400, 600);
        control.setSizeTwips(1500, 1500);
        board.show();
    }
    QString write(const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    // Waits until the movie has started over `times` more times.
    void waitForLoops(int times) {
        QSignalSpy frames(control.movie(), &QMovie::frameChanged);
        for (int seen = 0; seen < times;) {
            ASSERT_TRUE(frames.wait(Generous));
            while (!frames.isEmpty())
                if (frames.takeFirst().at(0).toInt() == 0) ++seen;
        }
    }

    QTemporaryDir dir;
    QWidget board;
    GifControl control{&board};
    QSignalSpy ends{&control, &GifControl::GifEnd};
};

TEST_F(GifControlTest, LoopingFileRaisesGifEndOnceAndKeepsLooping) {
    control.setGifFile(write("loop.gif", Looping));
    ASSERT_TRUE(ends.wait(Generous));
    waitForLoops(2);
    EXPECT_EQ(ends.count(), 1);
}

TEST_F(GifControlTest, PlayOnceFileRaisesGifEndAfterItsLastFrameHasBeenShown) {
    QElapsedTimer clock;
    clock.start();
    control.setGifFile(write("once.gif", PlayOnce));
    ASSERT_TRUE(ends.wait(Generous));
    EXPECT_EQ(control.movie()->currentFrameNumber(), 2);
    // Three frames of 50 ms; timers may fire a little early.
    EXPECT_GE(clock.elapsed(), 130);
}

TEST_F(GifControlTest, SingleFrameFileRaisesGifEnd) {
    control.setGifFile(write("still.gif", SingleFrame));
    EXPECT_TRUE(ends.wait(Generous));
}

TEST_F(GifControlTest, SettingTheSameFileAgainRestartsTheAnimation) {
    const QString once = write("once.gif", PlayOnce);
    control.setGifFile(once);
    ASSERT_TRUE(ends.wait(Generous));
    control.setGifFile(once);
    EXPECT_EQ(control.movie()->state(), QMovie::Running);
    EXPECT_EQ(control.movie()->currentFrameNumber(), 0);
    ASSERT_TRUE(ends.wait(Generous));
    EXPECT_EQ(ends.count(), 2);
}

TEST_F(GifControlTest, HiddenControlRunsNoAnimationUntilShown) {
    control.hide();
    control.setGifFile(write("once.gif", PlayOnce));
    EXPECT_NE(control.movie()->state(), QMovie::Running);
    EXPECT_FALSE(ends.wait(400));
    control.setVisible(true);
    EXPECT_TRUE(ends.wait(Generous));
}

TEST_F(GifControlTest, HidingPausesTheAnimationAndShowingResumesIt) {
    control.setGifFile(write("loop.gif", Looping));
    waitForLoops(1);
    control.setVisible(false);
    QSignalSpy frames(control.movie(), &QMovie::frameChanged);
    EXPECT_FALSE(frames.wait(300));
    control.setVisible(true);
    EXPECT_TRUE(frames.wait(Generous));
}

TEST_F(GifControlTest, MoveKeepsTopAndSizeAndTheAnimationRunning) {
    control.setGifFile(write("loop.gif", Looping));
    control.setTop(5000);
    control.setLeft(735);
    EXPECT_EQ(control.geometry(), QRect(49, 333, 100, 100));
    control.move(755.5);
    EXPECT_EQ(control.left(), 755.5); // exact: the windows add to it tick after tick
    EXPECT_EQ(control.top(), 5000);
    EXPECT_EQ(control.geometry(), QRect(50, 333, 100, 100));
    waitForLoops(1);
}

TEST_F(GifControlTest, AnimationIsScaledToFitKeepingItsShape) {
    control.setSizeTwips(1500, 750);
    control.setGifFile(write("loop.gif", Looping));
    EXPECT_EQ(control.movie()->scaledSize(), QSize(50, 50));
    control.setSizeTwips(600, 1500);
    EXPECT_EQ(control.movie()->scaledSize(), QSize(40, 40));
}

TEST_F(GifControlTest, ClicksGoThroughToTheCellUnderneath) {
    QWidget board;
    QPushButton cell(&board);
    cell.setGeometry(0, 0, 100, 100);
    GifControl success(&board);
    success.setSizeTwips(1500, 1500);
    success.setGifFile(write("loop.gif", Looping));
    board.show();
    EXPECT_EQ(board.childAt(50, 50), &cell);
}

// A file the control cannot play replaces whatever was showing with nothing, and never ends.
// Files are made by the row at the given path; a FIFO or a device must not hold the control.
using MakeFile = std::function<void(const QString& path)>;

MakeFile bytes(const QByteArray& content) {
    return [content](const QString& path) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) file.write(content);
    };
}

class UnplayableGifTest : public GifControlTest,
                          public testing::WithParamInterface<std::pair<const char*, MakeFile>> {};

TEST_P(UnplayableGifTest, ShowsNothingAndRaisesNoGifEnd) {
    control.setGifFile(write("loop.gif", Looping));
    const auto& [name, make] = GetParam();
    const QString path = dir.filePath(QString(name) + ".gif");
    make(path);
    QElapsedTimer clock;
    clock.start();
    control.setGifFile(path);
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_FALSE(ends.wait(500));
    EXPECT_EQ(control.movie(), nullptr);
    EXPECT_TRUE(control.pixmap().isNull());
    EXPECT_EQ(control.gifFile(), path);
}

INSTANTIATE_TEST_SUITE_P(
    BadFiles, UnplayableGifTest,
    testing::Values(std::pair("missing", MakeFile([](const QString&) {})),
                    std::pair("empty", bytes("")),
                    std::pair("cut", bytes(Looping.left(Screen.size() + LoopForever.size() + 12))),
                    std::pair("garbage", bytes(QByteArray("GIF89a\x02\x00garbage", 15))),
                    std::pair("fifo", MakeFile([](const QString& path) {
                                  ::mkfifo(QFile::encodeName(path).constData(), 0600);
                              })),
                    std::pair("randomDevice", MakeFile([](const QString& path) {
                                  QFile::link("/dev/urandom", path);
                              })),
                    std::pair("tooManyPixels", bytes(hostile::gifClaiming(5000, 5000, 12)))),
    [](const auto& info) { return std::string(info.param.first); });

} // namespace
