// Opens the game screen in the folder of this program file, as the level menu's play button does,
// and prints each picture of the first round with its word and whether it showed, so that a test
// can copy it into a play folder and see the game find that folder's pictures.
// Usage: first_round
#include "asset_paths.h"
#include "media_fakes.h"
#include "printed_round.h"
#include "windows.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RecordingSound sound;
    Windows windows(assets::resolve(assets::programFolder()), sound);
    windows.loadGameScreen();
    Form1& form = *windows.gameScreen();
    printRound(form);
    return 0;
}
