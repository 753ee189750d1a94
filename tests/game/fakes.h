// Stand-ins for the game core's tests: a picture folder given as a list of names, and boards
// built by hand.
#pragma once

#include "game.h"

#include <QSet>

class FakeFolder final : public PictureFolder {
  public:
    explicit FakeFolder(QStringList names = {}, QSet<QString> notPictures = {})
        : names(std::move(names)), notPictures(std::move(notPictures)) {}

    QStringList listing() override {
        ++listings;
        QStringList sorted = names;
        sortListing(sorted);
        return sorted;
    }
    bool isPicture(const QString& name) override {
        ++checks;
        return !notPictures.contains(name);
    }
    QString location() const override { return QStringLiteral("fake"); }

    QStringList names;
    QSet<QString> notPictures;
    int listings = 0;
    int checks = 0;
};

// The u that draws index i of n: the middle of its interval, safe from rounding.
inline double pick(int i, int n) {
    return (i + 0.5) / n;
}

// Lays `word` as slot `slot` from cell `start`, `step` cells a letter, as placement leaves a placed
// word: for tests of what follows placement, whose boards need not come from its draws.
inline void layWord(Game& game, int slot, const QString& word, int start, int step) {
    game.wordList.Words[slot] = word;
    const std::u32string letters = wordLetters(word);
    for (std::size_t j = 0; j < letters.size(); ++j) {
        const int cell = start + static_cast<int>(j) * step;
        game.board.Letters[cell] = letters[j];
        game.board.WordCells[slot][j + 1] = static_cast<std::int16_t>(cell);
        game.board.CellUsed[cell] = true;
    }
}
