// Media files that would hang the game or exhaust the machine, played through the real game screen
// and level menu for five rounds each, with a watchdog on the window's thread.
#include "level_menu.h"
#include "module1.h"
#include "play_folder.h"
#include "round_player.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QSet>
#include <QtEndian>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int Rounds = 5;

// Fails the whole run when the window's thread goes two seconds without a sign of life: a hang
// would otherwise only end at CTest's time-out, with no word of where it hung.
class Watchdog {
  public:
    explicit Watchdog(std::string what) : m_what(std::move(what)), m_thread([this] { watch(); }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_one();
        m_thread.join();
    }
    void beat(const char* step) {
        std::lock_guard lock(m_mutex);
        m_step = step;
        m_last = std::chrono::steady_clock::now();
    }

  private:
    void watch() {
        std::unique_lock lock(m_mutex);
        while (!m_wake.wait_for(lock, std::chrono::milliseconds(100), [this] { return m_done; })) {
            if (std::chrono::steady_clock::now() - m_last > std::chrono::seconds(2)) {
                std::fprintf(stderr, "hostile media: %s: no answer for 2 s after \"%s\"\n",
                             m_what.c_str(), m_step);
                std::fflush(stderr);
                std::_Exit(1);
            }
        }
    }

    std::string m_what;
    const char* m_step = "start";
    std::chrono::steady_clock::time_point m_last = std::chrono::steady_clock::now();
    bool m_done = false;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::thread m_thread; // last: it starts watching once everything above is set
};

QByteArray le16(quint16 value) {
    QByteArray bytes(2, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// A GIF announcing `frames` frames of width x height, each holding one tiny block of data: a few
// hundred bytes that only the header tells apart from a giant animation.
QByteArray giantGif(quint16 width, quint16 height, int frames) {
    QByteArray gif = "GIF89a" + le16(width) + le16(height) + QByteArray("\x80\x00\x00", 3) +
                     QByteArray("\x00\x00\x00\xff\xff\xff", 6);
    for (int f = 0; f < frames; ++f) {
        gif += QByteArray("\x21\xf9\x04\x00\x0a\x00\x00\x00", 8); // 100 ms a frame
        gif += QByteArray("\x2c\x00\x00\x00\x00", 5) + le16(width) + le16(height) + '\0';
        gif += QByteArray("\x02\x02\x44\x01\x00", 5);
    }
    return gif + ';';
}

QByteArray progressiveJpeg(const QImage& image) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    writer.setQuality(90);
    writer.write(image);
    return buffer.data();
}

// A progressive JPEG whose first scan is repeated until it has `scans` of them: its header and
// markers read as a JPEG of thousands of scans, which would take a decoder tens of seconds.
QByteArray jpegOfManyScans(int scans) {
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(qRgb(40, 160, 90));
    const QByteArray jpeg = progressiveJpeg(image);
    const qsizetype start = jpeg.indexOf("\xff\xda");
    qsizetype end = start + 2;
    while (end + 1 < jpeg.size() &&
           !(jpeg[end] == '\xff' && jpeg[end + 1] != '\0' && (jpeg[end + 1] & 0xf8) != 0xd0))
        ++end;
    const QByteArray scan = jpeg.mid(start, end - start);
    QByteArray many = jpeg.left(start);
    for (int s = 0; s < scans; ++s)
        many += scan;
    return many + jpeg.mid(end);
}

struct Case {
    const char* what;
    void (*fill)(PlayFolder&, QSet<QString>& neverDrawn);
};

void fifoAt(const PlayFolder& folder, const char* relative) {
    folder.remove(QString::fromLatin1(relative));
    const QByteArray at = QFile::encodeName(folder.path() + QLatin1Char('/') + relative);
    ASSERT_EQ(::mkfifo(at.constData(), 0600), 0) << relative;
}

void linkAt(const PlayFolder& folder, const char* relative, const char* target) {
    folder.remove(QString::fromLatin1(relative));
    const QByteArray at = QFile::encodeName(folder.path() + QLatin1Char('/') + relative);
    ASSERT_EQ(::symlink(target, at.constData()), 0) << relative;
}

void fewPictures(PlayFolder& folder) {
    for (const char* name : {"casa", "sol", "pato", "luna", "gato", "oso"})
        folder.write(QStringLiteral("imagenes/%1.png").arg(QLatin1String(name)),
                     bundledPng(QStringLiteral("%1.png").arg(QLatin1String(name))));
}

const Case Cases[] = {
    {"fifoAnimations",
     [](PlayFolder& folder, QSet<QString>&) {
         fewPictures(folder);
         for (const char* gif : {"gifs/corre.gif", "gifs/acierto.gif", "gifs/1.gif", "gifs/4.gif"})
             fifoAt(folder, gif);
     }},
    {"endlessAnimations",
     [](PlayFolder& folder, QSet<QString>&) {
         fewPictures(folder);
         linkAt(folder, "gifs/acierto.gif", "/dev/urandom");
         linkAt(folder, "gifs/corre.gif", "/dev/zero");
         linkAt(folder, "gifs/1.gif", "/dev/urandom");
     }},
    {"giantAnimations",
     [](PlayFolder& folder, QSet<QString>&) {
         fewPictures(folder);
         for (const char* gif : {"gifs/corre.gif", "gifs/acierto.gif", "gifs/1.gif", "gifs/2.gif",
                                 "gifs/3.gif", "gifs/4.gif", "gifs/5.gif", "gifs/6.gif"})
             folder.write(QString::fromLatin1(gif), giantGif(5000, 5000, 12));
     }},
    {"sparseSound",
     [](PlayFolder& folder, QSet<QString>&) {
         fewPictures(folder);
         const qint64 data = 2'000'000'000;
         QByteArray header = "RIFF" + QByteArray(4, '\xff') + "WAVEfmt " +
                             QByteArray::fromHex("10000000010001001f0000001f00000001000800") +
                             "data";
         header += QByteArray(4, '\0');
         qToLittleEndian<quint32>(static_cast<quint32>(data), header.data() + header.size() - 4);
         for (const char* wav : {"sonidos/acierto.wav", "sonidos/error.wav"}) {
             QFile file(folder.path() + QLatin1Char('/') + QLatin1String(wav));
             ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
             file.write(header);
             file.resize(header.size() + data); // sparse: nothing is written to the disk
         }
     }},
    {"picturesOfThousandsOfScans",
     [](PlayFolder& folder, QSet<QString>& neverDrawn) {
         fewPictures(folder);
         const QByteArray jpeg = jpegOfManyScans(2000);
         for (const char* name : {"uno", "dos", "tres", "cuatro", "cinco", "seis"}) {
             const QString file = QStringLiteral("%1.jpg").arg(QLatin1String(name));
             folder.write(QStringLiteral("imagenes/") + file, jpeg);
             neverDrawn.insert(file);
         }
     }},
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.what;
}

class HostileMedia : public ::testing::TestWithParam<Case> {
  protected:
    void TearDown() override { resetRunWideState(); }
};

TEST_P(HostileMedia, fiveRoundsAndTheMenuNeverHangAndTheExitButtonEndsTheGame) {
    PlayFolder folder;
    QSet<QString> neverDrawn;
    GetParam().fill(folder, neverDrawn);
    Watchdog watchdog(GetParam().what);
    FakeNavigation navigation;
    CountingSound sound;
    SoundEffectPlayer realSound;
    realSound.setBeep([] {});
    Form1 form(folder.path(), navigation, realSound, QSize(800, 600));
    form.Form_Load();
    watchdog.beat("start-up");
    form.showOnScreen();
    QCoreApplication::processEvents();
    RoundPlayer player(form);
    for (int round = 0; round < Rounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round + 1));
        for (const QString& name : player.game().wordList.PictureFiles)
            EXPECT_FALSE(neverDrawn.contains(name)) << "drew " << name.toStdString();
        for (int tick = 0; tick < 5; ++tick)
            form.Timer2_Timer();
        watchdog.beat("clock");
        player.clickAllWords();
        form.Timer1_Timer();
        form.Marchoso1_GifEnd();
        QCoreApplication::processEvents();
        watchdog.beat("a round played");
        ASSERT_EQ(player.game().phase(), RoundPhase::Ended);
        form.Timer4_Timer();
        {
            Form3 menu(navigation, folder.path(), &form);
            menu.show();
            QCoreApplication::processEvents();
            EXPECT_TRUE(menu.isVisible());
        }
        watchdog.beat("the level menu");
        player.startNextRound(round % 6);
        QCoreApplication::processEvents();
        watchdog.beat("the next round's set-up");
    }
    EXPECT_EQ(navigation.menus, Rounds);
    form.Command4_Click(0);
    EXPECT_EQ(navigation.quits, 1);
}

INSTANTIATE_TEST_SUITE_P(Media, HostileMedia, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.what);
                         });

} // namespace
