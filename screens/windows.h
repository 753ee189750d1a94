// The program's path through its windows: the splash, the level menu before the first round and
// after each one, and the game screen, which lives from the first play to the end.
#pragma once

#include "asset_paths.h"
#include "game_screen.h"
#include "module1.h"
#include "navigation.h"
#include "settings_host.h"

#include <QPointer>
#include <QString>
#include <memory>

class Sound;
class Voice;

class Windows final : public Navigation, public SettingsHost {
  public:
    // voice says the pictures' words; none keeps the game silent.
    // Every window finds its files through paths, the program run's.
    Windows(assets::AssetPaths paths, Sound& sound, Voice* voice = nullptr);
    ~Windows() override;

    // The program opens on its splash screen.
    void start();

    void showLevelMenu() override;
    bool gameScreenVisible() const override;
    void enableGameTimer3() override;
    void loadGameScreen() override;
    void quit() override;
    void showLevelMenuOverGame() override;
    bool openSettings(QWidget* parent) override;
    const assets::AssetPaths* currentPaths() const override { return &m_paths; }

    // What the settings window asks of the game.
    const assets::AssetPaths& paths() const override { return m_paths; }
    void settingsChanged() override;

    Form1* gameScreen() const { return m_gameScreen.get(); }

  private:
    assets::AssetPaths m_paths; // found again whenever a grown-up changes a setting
    Module1 m_module1; // the level and the hint count, shared by the menu and the game screen
    Sound& m_sound;
    Voice* m_voice;
    std::unique_ptr<Form1> m_gameScreen;
    bool m_settingsChanged = false;
};
