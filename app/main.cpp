// The program: opens the game screen on the data folders beside the program file.
#include "asset_paths.h"
#include "game_screen.h"
#include "sound.h"

#include <QApplication>

namespace {
class Direct final : public Navigation {
  public:
    void showLevelMenu() override {}
    bool gameScreenVisible() const override { return true; }
    void enableGameTimer3() override {}
    void loadGameScreen() override {}
    void quit() override { QApplication::exit(0); }
};
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    Direct navigation;
    SoundEffectPlayer sound;
    Form1 form(assets::programFolder(), navigation, sound);
    form.Form_Load();
    form.showOnScreen();
    return app.exec();
}
