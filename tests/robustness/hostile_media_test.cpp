// Media files that would hang the game or exhaust the machine, played through the real game screen
// and level menu for five rounds each, with a watchdog on the window's thread.
#include "hostile_media.h"
#include "level_menu.h"
#include "module1.h"
#include "play_folder.h"
#include "round_player.h"

#include <QCoreApplication>
#include <QFile>
#include <QSet>
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

// Six pictures of the same content under different words, none of which may ever be drawn.
void sixPictures(PlayFolder& folder, QSet<QString>& neverDrawn, const QByteArray& content) {
    for (const char* name : {"uno", "dos", "tres", "cuatro", "cinco", "seis"}) {
        const QString file = QStringLiteral("%1.jpg").arg(QLatin1String(name));
        folder.write(QStringLiteral("imagenes/") + file, content);
        neverDrawn.insert(file);
    }
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
             folder.write(QString::fromLatin1(gif), hostile::gifClaiming(5000, 5000, 12));
     }},
    {"sparseSound",
     [](PlayFolder& folder, QSet<QString>&) {
         fewPictures(folder);
         for (const char* wav : {"sonidos/acierto.wav", "sonidos/error.wav", "sonidos/perdida.wav"})
             ASSERT_TRUE(hostile::writeSparseWav(
                 folder.path() + QLatin1Char('/') + QLatin1String(wav), 2'000'000'000));
     }},
    {"picturesOfThousandsOfScans",
     [](PlayFolder& folder, QSet<QString>& neverDrawn) {
         fewPictures(folder);
         sixPictures(folder, neverDrawn, hostile::jpegOfScans(2000));
     }},
    {"fullColourProgressivePhotos",
     [](PlayFolder& folder, QSet<QString>& neverDrawn) {
         fewPictures(folder);
         sixPictures(folder, neverDrawn, hostile::jpegClaiming(7000, 7000, true));
     }},
    // Small pictures that libpng would inflate to 8 GB of text each: pictures to play with, also
    // as the level pictures and the running figure, once their text is left unread.
    {"picturesFullOfCompressedText",
     [](PlayFolder& folder, QSet<QString>&) {
         fewPictures(folder);
         const QByteArray png = hostile::pngOfThousandTexts();
         for (const char* name : {"uno", "dos", "tres", "cuatro", "cinco", "seis"})
             folder.write(QStringLiteral("imagenes/%1.png").arg(QLatin1String(name)), png);
         for (const char* gif : {"gifs/corre.gif", "gifs/1.gif", "gifs/2.gif", "gifs/3.gif",
                                 "gifs/4.gif", "gifs/5.gif", "gifs/6.gif"})
             folder.write(QString::fromLatin1(gif), png);
     }},
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.what;
}

class HostileMedia : public ::testing::TestWithParam<Case> {};

TEST_P(HostileMedia, fiveRoundsAndTheMenuNeverHangAndTheExitButtonEndsTheGame) {
    PlayFolder folder;
    QSet<QString> neverDrawn;
    GetParam().fill(folder, neverDrawn);
    Watchdog watchdog(GetParam().what);
    FakeNavigation navigation;
    Module1 module1;
    CountingSound sound;
    SoundEffectPlayer realSound;
    realSound.setBeep([] {});
    Form1 form(assets::resolve(folder.path()), navigation, module1, realSound, QSize(800, 600));
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
            Form3 menu(navigation, module1, assets::resolve(folder.path()), &form);
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
