// The letter board's starting state and the caption of a cell.
#include "board.h"

Board::Board() {
    Letters.fill(U' ');
    forgetWords();
}

QString Board::caption(int cell) const {
    const char32_t letter = Letters[static_cast<std::size_t>(cell)];
    return QString::fromUcs4(&letter, 1);
}

void Board::forgetWords() {
    for (auto& word : WordCells)
        word.fill(-1);
}
