// Tests of the WAV header reader: which files the game can play, and the reason for each it cannot.
#include "wav_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

QByteArray le16(quint16 value) {
    QByteArray bytes(2, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}
QByteArray le32(quint32 value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray chunk(const char* id, const QByteArray& body, quint32 claimed) {
    return id + le32(claimed) + body + (body.size() % 2 ? QByteArray(1, '\0') : QByteArray());
}
QByteArray chunk(const char* id, const QByteArray& body) {
    return chunk(id, body, static_cast<quint32>(body.size()));
}

QByteArray riff(const QByteArray& chunks) {
    return "RIFF" + le32(static_cast<quint32>(4 + chunks.size())) + "WAVE" + chunks;
}

QByteArray fmt(quint16 tag, quint16 channels, quint32 rate, quint16 bits) {
    const quint16 frame = static_cast<quint16>(channels * bits / 8);
    return chunk("fmt ", le16(tag) + le16(channels) + le32(rate) + le32(rate * frame) +
                             le16(frame) + le16(bits));
}

// WAVE_FORMAT_EXTENSIBLE around the given encoding's standard sub-format GUID.
QByteArray extensible(quint16 encoding, quint16 channels, quint32 rate, quint16 bits) {
    const quint16 frame = static_cast<quint16>(channels * bits / 8);
    return chunk("fmt ", le16(0xFFFE) + le16(channels) + le32(rate) + le32(rate * frame) +
                             le16(frame) + le16(bits) + le16(22) + le16(bits) + le32(3) +
                             le32(encoding) + QByteArray::fromHex("00001000800000aa00389b71"));
}

QByteArray sound(int bytes) {
    return chunk("data", QByteArray(bytes, '\x10'));
}

struct Played {
    int channels, bits, rate;
    qint64 dataBytes, durationMs;
};

TEST(WavFile, playablePcmIsDescribedAndEverythingElseSaysWhy) {
    const QByteArray pcm = fmt(1, 1, 8000, 16);
    const struct {
        const char* name;
        QByteArray bytes;
        std::optional<Played> played;
        QString why;
    } cases[] = {
        {"16-bit mono", riff(pcm + sound(16000)), Played{1, 16, 8000, 16000, 1000}, {}},
        {"8-bit stereo after an odd LIST chunk",
         riff(fmt(1, 2, 22050, 8) + chunk("LIST", "INFOabc") + sound(4410)),
         Played{2, 8, 22050, 4410, 100},
         {}},
        {"extensible PCM",
         riff(extensible(1, 2, 44100, 16) + sound(17640)),
         Played{2, 16, 44100, 17640, 100},
         {}},
        {"30 bytes", riff(pcm).left(30), {}, "the header is cut short (30 bytes)"},
        {"header only", riff(pcm), {}, "no sound data"},
        {"empty data chunk", riff(pcm + sound(0)), {}, "no sound data"},
        {"half a sample frame", riff(pcm + sound(1)), {}, "no sound data"},
        {"data promised, not there",
         riff(pcm + chunk("data", QByteArray(100, '\0'), 1000)),
         {},
         "cut short: the header promises 1000 bytes of sound, the file holds 100"},
        {"data before format",
         riff(sound(100) + pcm),
         {},
         "the sound data comes before its format"},
        {"float",
         riff(fmt(3, 1, 8000, 32) + sound(320)),
         {},
         "floating-point sound; the game plays only 8- or 16-bit PCM WAV"},
        {"extensible float",
         riff(extensible(3, 2, 44100, 32) + sound(320)),
         {},
         "floating-point sound; the game plays only 8- or 16-bit PCM WAV"},
        {"ADPCM",
         riff(fmt(2, 1, 8000, 4) + sound(256)),
         {},
         "ADPCM sound; the game plays only 8- or 16-bit PCM WAV"},
        {"MP3 inside a WAV",
         riff(fmt(0x55, 2, 44100, 0) + sound(256)),
         {},
         "MP3 sound; the game plays only 8- or 16-bit PCM WAV"},
        {"24-bit",
         riff(fmt(1, 2, 48000, 24) + sound(600)),
         {},
         "24-bit sound; the game plays only 8- or 16-bit"},
        {"six channels",
         riff(fmt(1, 6, 48000, 16) + sound(1200)),
         {},
         "6 channels; the game plays only mono or stereo"},
        {"MP3 file", "ID3\x04" + QByteArray(60, '\0'), {}, "an MP3 file, not a WAV"},
        {"bare MP3 frames",
         QByteArray::fromHex("fffb9064") + QByteArray(60, '\0'),
         {},
         "an MP3 file, not a WAV"},
        {"M4A file",
         QByteArray::fromHex("00000020") + "ftypM4A " + QByteArray(60, '\0'),
         {},
         "an M4A or MP4 file, not a WAV"},
        {"AVI file", QByteArray("RIFF\x10\0\0\0AVI LIST", 16), {}, "not a WAV file"},
        {"empty file", {}, {}, "empty file"},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QStringLiteral("sound.wav"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.bytes);
        file.close();
        QString why;
        const std::optional<WavInfo> info = readWavInfo(path, &why);
        ASSERT_EQ(info.has_value(), c.played.has_value()) << why.toStdString();
        if (info) {
            EXPECT_EQ(info->channels, c.played->channels);
            EXPECT_EQ(info->bitsPerSample, c.played->bits);
            EXPECT_EQ(info->sampleRate, c.played->rate);
            EXPECT_EQ(info->dataBytes, c.played->dataBytes);
            EXPECT_EQ(info->durationMs(), c.played->durationMs);
            // The voice plays these bytes, and only these: every chunk but the sound is skipped.
            EXPECT_EQ(c.bytes.mid(info->dataOffset, info->dataBytes),
                      QByteArray(info->dataBytes, '\x10'));
        } else {
            EXPECT_EQ(why.toStdString(), c.why.toStdString());
        }
    }
}

// Reading a FIFO would wait for a writer that never comes.
TEST(WavFile, onlyARegularFileIsOpened) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe.wav"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const auto& [path, reason] :
         {std::pair{fifo, "not a regular file"}, std::pair{dir.path(), "not a regular file"},
          std::pair{dir.filePath("none.wav"), "missing"}}) {
        QString why;
        EXPECT_FALSE(readWavInfo(path, &why));
        EXPECT_EQ(why.toStdString(), reason);
    }
}

// The sound player loads a whole file: a long recording, or a header announcing gigabytes over a
// sparse file, is refused before it is loaded.
TEST(WavFile, soundsTooLongOrTooLargeAreRefused) {
    QTemporaryDir dir;
    const auto write = [&](const char* name, const QByteArray& bytes, qint64 sparseTo = 0) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        if (sparseTo > 0) file.resize(sparseTo);
        return file.fileName();
    };
    const QByteArray mono8k = fmt(1, 1, 8000, 8);
    const qint64 twoGigabytes = 2'000'000'000;
    const struct {
        QString path;
        const char* why; // nullptr: playable
    } rows[] = {
        {write("chime.wav", riff(mono8k + sound(29 * 8000))), nullptr},
        {write("long.wav", riff(mono8k + sound(31 * 8000))),
         "too long (31 s; the game plays sounds up to 30 s)"},
        {write("sparse.wav", riff(mono8k + chunk("data", {}, twoGigabytes)), twoGigabytes + 44),
         "too large (1907 MB; the game plays sounds up to 16 MB)"},
    };
    for (const auto& row : rows) {
        QString why;
        const bool playable = readPlayableSound(row.path, &why).has_value();
        EXPECT_EQ(playable, row.why == nullptr) << row.path.toStdString();
        // The players read the samples through the same limits, from one opening of the file.
        EXPECT_EQ(readPlayableSamples(row.path).has_value(), playable) << row.path.toStdString();
        if (row.why) {
            EXPECT_EQ(why.toStdString(), row.why);
        }
    }
}

} // namespace
