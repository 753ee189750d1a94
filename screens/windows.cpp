// Opening and closing the windows in the order a game runs.
#include "windows.h"
#include "level_menu.h"
#include "play_settings.h"
#include "settings_opener.h"
#include "splash_screen.h"
#include "voice.h"
#include "voice_switch.h"

#include <QApplication>

Windows::Windows(assets::AssetPaths paths, Sound& sound, Voice* voice)
    : m_paths(std::move(paths)), m_sound(sound), m_voice(voice) {
    m_module1.Theme = playSettings(m_paths).theme;
}

Windows::~Windows() = default;

void Windows::start() {
    auto* splash = new Form2(*this, m_paths); // deletes itself when clicked away
    splash->show();
}

// Loaded afresh at every appearance, so it always opens on the level chosen last.
void Windows::showLevelMenu() {
    auto* menu = new Form3(*this, m_module1, m_paths);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->ignoreStrayClicks();
    menu->show();
}

bool Windows::gameScreenVisible() const {
    return m_gameScreen && m_gameScreen->isVisible();
}

void Windows::enableGameTimer3() {
    if (m_gameScreen) m_gameScreen->enableTimer3();
}

void Windows::loadGameScreen() {
    m_gameScreen = std::make_unique<Form1>(m_paths, *this, m_module1, m_sound);
    m_gameScreen->setVoice(m_voice);
    m_gameScreen->Form_Load();
    m_gameScreen->showOnScreen();
}

void Windows::quit() {
    QApplication::exit(0);
}

// Modal over the game screen, whose timers go on meanwhile (the caption keeps flashing).
void Windows::showLevelMenuOverGame() {
    Form3 menu(*this, m_module1, m_paths, m_gameScreen.get());
    menu.ignoreStrayClicks();
    menu.exec();
}

// The window comes from a library of its own, opened the first time it is asked for.
bool Windows::openSettings(QWidget* parent) {
    const OpenSettingsWindow open = settingsWindow(m_paths.programFolder());
    if (!open) return false;
    m_settingsChanged = false;
    open(*this, parent);
    return m_settingsChanged;
}

// The next round and the menu follow the new settings; the round on the screen, if any, is over.
// The theme goes back to the class's: a grown-up who set one wants to see it played.
void Windows::settingsChanged() {
    m_paths = m_paths.resolvedAgain();
    m_module1.Theme = playSettings(m_paths).theme;
    m_settingsChanged = true;
    if (m_gameScreen) m_gameScreen->usePaths(m_paths);
    if (m_voice) m_voice->setLanguage(voiceLanguage(m_paths));
}
