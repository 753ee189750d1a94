// Peak memory of the game screen playing the bundled pictures with the voice on: prints VmHWM at
// the end.
// Usage: speech_memory [rounds]   (50 by default)
// Every round clicks each of its six pictures, so that each word is said from its recording at
// once, and then finds every word, so that the found words queue behind their chimes; the sounds
// and the words go through Qt Multimedia as in the game. Exits 1 when the peak is above the
// target, 2 when a round did not show its six pictures or a word was not found.
#include "bench_folder.h"
#include "game_round.h"
#include "peak_memory.h"
#include "sound.h"
#include "system_voice.h"
#include "voice.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
constexpr int TargetMb = 50;

// The viewer is modal: it is closed as soon as it shows, as a child's second click would.
void clickPicture(Form1& form, int slot) {
    QTimer::singleShot(0, [] {
        if (QWidget* viewer = QApplication::activeModalWidget()) viewer->close();
    });
    form.Image1_Click(slot);
}

bool findEveryWord(Form1& form) {
    for (int w = 0; w < WordSlots; ++w) {
        if (form.game().WordFound[w]) continue;
        std::vector<int> cells;
        for (int j = 1; j < WordPositions && form.game().board.WordCells[w][j] >= 0; ++j)
            cells.push_back(form.game().board.WordCells[w][j]);
        for (int cell : cells)
            if (form.Command1[cell]->isEnabled()) form.Command1_Click(cell);
        if (!form.game().WordFound[w]) return false;
    }
    return true;
}
} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 50;
    BenchFolder folder;
    folder.addBundledPictures();
    QApplication app(argc, argv);
    const long long beforeGame = peakResidentKb();

    SoundEffectPlayer sound;
    sound.setBeep({});
    SystemVoice system(QLocale(QStringLiteral("es")));
    RecordingVoice voice(&system);
    GameRound round(folder.path(), GameRound::DefaultScreen, &sound);
    Form1& form = round.screen();
    form.setVoice(&voice);
    int fullRounds = 0;
    int wordsFound = 0;
    for (int i = 0; i < rounds; ++i) {
        round.nextRound();
        round.paint();
        if (round.picturesShown() == WordSlots) ++fullRounds;
        for (int slot = 0; slot < WordSlots; ++slot)
            clickPicture(form, slot);
        if (findEveryWord(form)) ++wordsFound;
        round.paint();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    const long long peak = peakResidentKb();
    std::printf("peak RSS before the game screen: %.1f MB\n", beforeGame / 1024.0);
    std::printf("rounds with all six pictures: %d of %d\n", fullRounds, rounds);
    std::printf("rounds with every word found: %d of %d\n", wordsFound, rounds);
    std::printf("peak RSS after %d rounds: %.1f MB (target <= %d MB)\n", rounds, peak / 1024.0,
                TargetMb);
    if (fullRounds != rounds || wordsFound != rounds) return 2;
    return peak / 1024.0 <= TargetMb ? 0 : 1;
}
