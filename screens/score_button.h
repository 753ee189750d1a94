// The game screen's score button: the score, or the hint's count, as large as fits.
#pragma once

#include <QPushButton>

class Game;

// The design size of the score's text, which the word-list button beside it shares.
constexpr double ScorePoints = 12;

// A long score must still show its numbers in full on the smallest screen.
class ScoreButton : public QPushButton {
  public:
    explicit ScoreButton(QWidget* parent = nullptr);

    // Shows the game's caption for this button at the largest size that fits, on a screen whose
    // board has grown by growth.
    void fitText(const Game& game, double growth);
};
