// The program's path through its windows: the splash, the level menu before the first round and
// after each one, and the game screen, which lives from the first play to the end.
#pragma once

#include "game_screen.h"
#include "navigation.h"

#include <QPointer>
#include <QString>
#include <memory>

class Sound;

class Windows final : public Navigation {
  public:
    Windows(QString programFolder, Sound& sound);
    ~Windows() override;

    // The program opens on its splash screen.
    void start();

    void showLevelMenu() override;
    bool gameScreenVisible() const override;
    void enableGameTimer3() override;
    void loadGameScreen() override;
    void quit() override;
    void showLevelMenuOverGame() override;

    Form1* gameScreen() const { return m_gameScreen.get(); }

  private:
    QString m_folder;
    Sound& m_sound;
    std::unique_ptr<Form1> m_gameScreen;
};
