// Tests of the sound player: bad files beep, nothing waits, a new sound cuts off the last.
#include "sound.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QByteArray le32(quint32 value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// A mono 8 kHz 16-bit PCM file with the given number of sample bytes.
QByteArray wave(int dataBytes) {
    const QByteArray fmt = QByteArray::fromHex("0100 0100 401f0000 803e0000 0200 1000");
    const QByteArray body = "WAVEfmt " + le32(fmt.size()) + fmt + "data" + le32(dataBytes) +
                            QByteArray(dataBytes, '\0');
    return "RIFF" + le32(body.size()) + body;
}

class SoundTest : public testing::Test {
  protected:
    SoundTest() {
        player.setBeep([this] { ++beeps; });
    }
    QString write(const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QTemporaryDir dir;
    SoundEffectPlayer player;
    int beeps = 0;
};

TEST_F(SoundTest, MissingFileOrFolderBeepsAndReturnsAtOnce) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.wav"));
    QElapsedTimer clock;
    clock.start();
    player.play(dir.filePath("nowhere.wav"));
    player.play(dir.filePath("folder.wav"));
    EXPECT_EQ(beeps, 2);
    EXPECT_LT(clock.elapsed(), 2000);
}

TEST_F(SoundTest, NewSoundCutsOffThePreviousOne) {
    const QString chime = write("chime.wav", wave(16000));
    const QString buzz = write("buzz.wav", wave(16000));
    player.play(chime);
    player.play(buzz);
    EXPECT_EQ(player.current(), buzz);
    // The beep is the new sound, so it cuts off too.
    player.play(dir.filePath("nowhere.wav"));
    EXPECT_EQ(player.current(), QString());
    player.play(chime);
    EXPECT_EQ(player.current(), chime);
    // A sound replaced by a bad file beeps, though its samples were read before.
    write("chime.wav", "not a sound any more");
    player.play(chime);
    EXPECT_EQ(beeps, 2);
}

TEST_F(SoundTest, QuickPlaysOfGoodFilesReturnAtOnceWithoutBeeping) {
    const QString fanfare = write("fanfare.wav", wave(32000));
    QElapsedTimer clock;
    clock.start();
    player.play(fanfare);
    player.play(write("chime.wav", wave(1600)));
    player.play(fanfare);
    EXPECT_LT(clock.elapsed(), 2000);
    QTest::qWait(200);
    EXPECT_EQ(beeps, 0);
}

class UnplayableWaveTest : public SoundTest,
                           public testing::WithParamInterface<std::pair<const char*, QByteArray>> {
};

TEST_P(UnplayableWaveTest, Beeps) {
    const auto& [name, bytes] = GetParam();
    player.play(write(QString(name) + ".wav", bytes));
    EXPECT_EQ(beeps, 1);
}

const QByteArray Good = wave(1600);

INSTANTIATE_TEST_SUITE_P(
    BadFiles, UnplayableWaveTest,
    testing::Values(std::pair("empty", QByteArray("")),
                    std::pair("text", QByteArray("not a sound at all, just some text\n")),
                    std::pair("cutBeforeData", Good.left(36)),
                    std::pair("cutAtData", Good.left(44)),
                    std::pair("noFormat", "RIFF" + le32(12) + "WAVEdata" + le32(4) + "abcd"),
                    std::pair("zeroRate", QByteArray(Good).replace(24, 4, le32(0)))),
    [](const auto& info) { return std::string(info.param.first); });

} // namespace
