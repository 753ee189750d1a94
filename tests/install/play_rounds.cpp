// Plays rounds of the real game screen, offscreen, on a program folder, and prints what the
// player would see: the word-list button's caption, then each picture offered with its word and
// whether it showed.
// Usage: play_rounds PROGRAM_FOLDER ROUNDS
#include "game_screen.h"
#include "navigation.h"
#include "sound.h"

#include <QApplication>
#include <cstdio>

namespace {

// The level menu between rounds is skipped: the next round starts as if play had been pressed.
class NoMenu final : public Navigation {
  public:
    void showLevelMenu() override {}
    bool gameScreenVisible() const override { return true; }
    void enableGameTimer3() override {}
    void loadGameScreen() override {}
    void quit() override {}
};

void printRound(Form1& form) {
    for (int k = 0; k < WordSlots; ++k) {
        const QString& file = form.game().wordList.PictureFiles[k];
        if (file.isEmpty()) continue;
        const bool shown = !form.Image1[k]->pixmap().isNull();
        std::printf("%s\t%s\t%s\n", qPrintable(file), qPrintable(form.game().wordList.Words[k]),
                    shown ? "shown" : "blank");
    }
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3) {
        std::fputs("Usage: play_rounds PROGRAM_FOLDER ROUNDS\n", stderr);
        return 2;
    }
    NoMenu navigation;
    RecordingSound sound;
    Form1 form(arguments[1], navigation, sound, {1024, 768});
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
