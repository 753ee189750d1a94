// Peak memory of the game screen playing many rounds of large photos: prints VmHWM at the end.
// Usage: round_memory [rounds] [photos]   (50 rounds of 12 photos of 4000 x 3000 by default)
// Exits 1 when the peak is above the target, 2 when a round did not show its six pictures, 3 when
// the photos could not be made.
#include "bench_folder.h"
#include "game_round.h"
#include "peak_memory.h"

#include <QApplication>
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace {
constexpr int TargetMb = 150;
} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 50;
    // Twelve photos, not six: with six the draw repeats them all from the second round on, with
    // twelve the first rounds differ and later ones mix, so the loader sees photos it did not
    // just see.
    const int photos = argc > 2 ? std::atoi(argv[2]) : 12;
    BenchFolder folder;
    // Made in a child process: a full-size photo in memory would otherwise set the peak that is
    // to be measured. The child leaves without cleaning up, so the folder stays for the parent.
    std::fflush(nullptr);
    if (const pid_t child = fork(); child == 0) {
        folder.addPhotos(photos, {4000, 3000});
        _exit(0);
    } else if (child < 0 || waitpid(child, nullptr, 0) != child) {
        std::perror("round_memory: making the photos");
        return 3;
    }
    QApplication app(argc, argv);
    const long long beforeGame = peakResidentKb();

    GameRound round(folder.path());
    const long long afterLoad = peakResidentKb();
    int fullRounds = 0;
    for (int i = 0; i < rounds; ++i) {
        round.nextRound();
        round.paint();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (round.picturesShown() == WordSlots) ++fullRounds;
    }
    const long long peak = peakResidentKb();
    std::printf("photos: %d of 4000x3000, %.1f MB in all\n", photos, folder.pictureBytes() / 1e6);
    std::printf("peak RSS before the game screen: %.1f MB\n", beforeGame / 1024.0);
    std::printf("peak RSS after loading the game screen: %.1f MB\n", afterLoad / 1024.0);
    std::printf("rounds with all six pictures: %d of %d\n", fullRounds, rounds);
    std::printf("peak RSS after %d rounds: %.1f MB (target <= %d MB)\n", rounds, peak / 1024.0,
                TargetMb);
    if (fullRounds != rounds) return 2;
    return peak / 1024.0 <= TargetMb ? 0 : 1;
}
