// The worst folder of hostile media, played: the peak memory over many rounds, the longest round
// set-up, and how long the folder check takes over the same folder.
// Usage: hostile_rounds [rounds] [CHECK_PROGRAM]   (50 rounds by default; without the check
// program its time is not measured)
// Exits 1 when a figure is above its target, 2 when a round did not show its six pictures, 3 when
// the folder could not be made.
#include "bench_folder.h"
#include "game_round.h"
#include "hostile_media.h"
#include "level_menu.h"
#include "peak_memory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int TargetMb = 300;
constexpr qint64 TargetSetUpMs = 2000;
constexpr qint64 TargetCheckMs = 5000;

// Every costly case at once, where the game meets it: pictures that no budget lets through beside
// the largest that every budget does, a small picture holding 8 GB of compressed text, animations
// that claim gigabytes of frames or never end, and sounds announcing two gigabytes.
bool makeWorstFolder(BenchFolder& folder) {
    const QString at = folder.path() + QLatin1Char('/');
    const auto put = [&](const QString& relative, const QByteArray& bytes) {
        QFile file(at + relative);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               file.write(bytes) == bytes.size();
    };
    bool made = true;
    // Six of the seven that show: progressive photos as large as their budget lets through.
    folder.addProgressivePhotos(6, {6000, 4000});
    const QByteArray manyScans = hostile::jpegOfScans(2000);
    const QByteArray fullColour = hostile::jpegClaiming(7000, 7000, true);
    for (const char* word : {"uno", "dos", "tres", "cuatro", "cinco", "seis"}) {
        made &= put(QStringLiteral("imagenes/%1.jpg").arg(QLatin1String(word)), manyScans);
        made &= put(QStringLiteral("imagenes/%1s.jpg").arg(QLatin1String(word)), fullColour);
    }
    // A seventh to show, whose text must never be read.
    made &= put(QStringLiteral("imagenes/siete.png"), hostile::pngOfThousandTexts());
    const QByteArray giant = hostile::gifClaiming(5000, 5000, 12);
    for (const char* gif : {"corre", "1", "2", "3", "4", "5", "6"})
        made &= put(QStringLiteral("gifs/%1.gif").arg(QLatin1String(gif)), giant);
    QFile::remove(at + QStringLiteral("gifs/acierto.gif"));
    made &= QFile::link(QStringLiteral("/dev/urandom"), at + QStringLiteral("gifs/acierto.gif"));
    for (const char* wav : {"acierto", "error", "final"})
        made &= hostile::writeSparseWav(
            at + QStringLiteral("sonidos/%1.wav").arg(QLatin1String(wav)), 2'000'000'000);
    return made;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 50;
    const QString checkProgram = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    BenchFolder folder;
    // Made in a child process, so that the photos held while encoding do not set the peak.
    std::fflush(nullptr);
    if (const pid_t child = fork(); child == 0) {
        _exit(makeWorstFolder(folder) ? 0 : 1);
    } else if (int status = 0; child < 0 || waitpid(child, &status, 0) != child || status != 0) {
        std::fprintf(stderr, "hostile_rounds: could not make the folder\n");
        return 3;
    }
    QApplication app(argc, argv);

    GameRound round(folder.path());
    NoNavigation navigation;
    int fullRounds = 0;
    qint64 longestMs = 0;
    for (int i = 0; i < rounds; ++i) {
        {
            // The menu between rounds reads the level pictures.
            Form3 menu(navigation, round.screen().module1(), assets::resolve(folder.path()),
                       &round.screen());
            menu.show();
            QApplication::processEvents();
        }
        QElapsedTimer clock;
        clock.start();
        round.nextRound();
        longestMs = std::max(longestMs, clock.elapsed());
        round.paint();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (round.picturesShown() == WordSlots) ++fullRounds;
    }
    const double peakMb = peakResidentKb() / 1024.0;
    std::printf("rounds with all six pictures: %d of %d\n", fullRounds, rounds);
    std::printf("peak RSS after %d rounds: %.1f MB (target <= %d MB)\n", rounds, peakMb, TargetMb);
    std::printf("longest round set-up: %lld ms (target <= %lld ms)\n",
                static_cast<long long>(longestMs), static_cast<long long>(TargetSetUpMs));
    bool met = peakMb <= TargetMb && longestMs <= TargetSetUpMs;
    if (!checkProgram.isEmpty()) {
        QProcess check;
        QElapsedTimer clock;
        clock.start();
        check.start(checkProgram, {folder.path()});
        const bool ended = check.waitForFinished(60'000);
        const qint64 checkMs = clock.elapsed();
        const QByteArray report = check.readAllStandardOutput();
        std::printf("check: %lld ms (target <= %lld ms), %s, %lld refusals named\n",
                    static_cast<long long>(checkMs), static_cast<long long>(TargetCheckMs),
                    ended ? "ended" : "did not end",
                    static_cast<long long>(report.count("too ") + report.count("demasiado")));
        met = met && ended && checkMs <= TargetCheckMs;
    }
    if (fullRounds != rounds) return 2;
    return met ? 0 : 1;
}
