// Plays rounds of the real game screen, offscreen, on a program folder, and prints what the
// player would see: the word-list button's caption, then each picture offered with its word and
// whether it showed.
// Usage: play_rounds PROGRAM_FOLDER ROUNDS
#include "game_screen.h"
#include "media_fakes.h"
#include "module1.h"
#include "navigation.h"
#include "printed_round.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3) {
        std::fputs("Usage: play_rounds PROGRAM_FOLDER ROUNDS\n", stderr);
        return 2;
    }
    NoNavigation navigation; // the menu between rounds is skipped
    RecordingSound sound;
    Module1 module1;
    Form1 form(assets::resolve(arguments[1]), navigation, module1, sound, {1024, 768});
    form.Form_Load();
    std::printf("word list\t%s\n", qPrintable(form.Command2->text()));
    printRound(form);
    for (int round = 1; round < arguments[2].toInt(); ++round) {
        form.enableTimer3();
        form.Timer3_Timer();
        printRound(form);
    }
    return 0;
}
