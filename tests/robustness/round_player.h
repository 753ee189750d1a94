// Plays the real game screen the way its events and timers would, by calling its handlers, so
// that hundreds of rounds take seconds instead of the minutes their real timers would need.
#pragma once

#include "game_screen.h"
#include "navigation.h"
#include "sound.h"

#include <gtest/gtest.h>
#include <vector>

// The level menu after a round is a separate window with tests of its own: here it is skipped,
// and the round cycle goes on as if play had been pressed.
class FakeNavigation final : public Navigation {
  public:
    void showLevelMenu() override {}
    bool gameScreenVisible() const override { return true; }
    void enableGameTimer3() override { ++nextRounds; }
    void loadGameScreen() override {}
    void quit() override { ++quits; }
    void showLevelMenuOverGame() override { ++menus; }
    int menus = 0;
    int quits = 0;
    int nextRounds = 0;
};

// Counts the sounds instead of keeping their paths: a soak must not grow its own memory.
class CountingSound final : public Sound {
  public:
    void play(const QString&) override { ++played; }
    long played = 0;
};

class RoundPlayer {
  public:
    explicit RoundPlayer(Form1& form) : m_form(form) {}

    Game& game() { return m_form.game(); }

    // The board cells of word k, letter by letter.
    std::vector<int> cellsOf(int k);
    // The cells a player can still click: those of a word, or the others.
    std::vector<int> enabledCells(bool ofWords);

    void click(int cell) { m_form.Command1_Click(cell); }
    // Clicks every cell of every word that is still enabled.
    void clickAllWords();
    // Misses until the round is lost; false when no free cell was left to miss.
    bool missUntilLost();
    // Lets the round clock run out, tick by tick, as long as the clock runs at all.
    bool runOutOfTime();
    // Opens the viewer of picture k and closes it again; true when a viewer showed.
    bool viewPicture(int k);
    // The pause's end, the menu (skipped) with `level` chosen in it, and the next round.
    void startNextRound(int level);

  private:
    Form1& m_form;
};

// Whether every non-empty word of the round lies on the board letter for letter: then clicking
// its cells finds it, and the round can be won.
::testing::AssertionResult everyWordLiesOnTheBoard(const Game& game);

// Whether each word's count of letters found is the number of its cells clicked so far: a letter
// is credited once, by the click on its cell, and by nothing else.
::testing::AssertionResult everyLetterCountMatchesTheClicks(const Game& game);
