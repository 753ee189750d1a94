// The game screen as the benchmarks drive it: loaded, shown, and the next round on request.
//
// Form1 runs on a program folder at a fixed screen size, with no other window.
#pragma once

#include "game_screen.h"
#include "media_fakes.h"
#include "module1.h"
#include "navigation.h"

#include <QSize>
#include <QString>
#include <memory>

class GameRound {
  public:
    static constexpr QSize DefaultScreen{1024, 768};

    // Loads the game screen as the program does at the first play (its first round included)
    // and shows it, so that widgets are laid out and painted as on a real screen. Its sounds are
    // recorded unless a sound service is given.
    explicit GameRound(const QString& programFolder, QSize screen = DefaultScreen,
                       Sound* sound = nullptr);

    // What the menu's play button leads to: Timer3 enabled, then its tick, the next round's
    // set-up (the pictures, the board, the words, the running figure).
    void nextRound();
    // Lets the screen paint what the round set up, as the event loop would right after.
    void paint();

    // How many of the six pictures hold an image: a benchmark whose pictures did not load would
    // time nothing worth timing.
    int picturesShown() const;

    Form1& screen() { return *m_form; }

  private:
    NoNavigation m_navigation; // the benchmarks call the handlers themselves
    Module1 m_module1;
    RecordingSound m_sound;
    std::unique_ptr<Form1> m_form;
};
