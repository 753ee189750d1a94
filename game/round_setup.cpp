// Choosing the round's pictures, clearing the board, the score text and the hint.
#include "game.h"

#include <cstdint>

Game::Game(RandomSource& random, PictureFolder& pictures)
    : m_random(random), m_pictures(pictures) {}

bool Game::ChoosePictureWords() {
    m_random.reseedFromClock();
    const auto names = m_chooser.choose(m_pictures, m_random, theme, letters);
    for (int k = 0; k < WordSlots; ++k) {
        wordList.PictureFiles[k] = names[k];
        wordList.Words[k] = pictureWord(names[k]).value_or(QString());
    }
    if (PicturePanel) PicturePanel();
    return !names[0].isEmpty();
}

void Game::ClearBoard() {
    WordsOffered += 6;
    if (const auto score = ScoreText()) Command3Caption = *score;
    m_spelling = letters;
    std::array<QString, WordSlots> spelt;
    for (int k = 0; k < WordSlots; ++k)
        spelt[k] = boardWord(wordList.Words[k], m_spelling);
    m_fillers = fillerAlphabet(spelt, m_spelling);
    resetCells();
    for (int k = 0; k < WordSlots; ++k) {
        LabelVisible[k] = false;
        LabelFontSize[k] = 14;
        LettersFound[k] = 0;
        WordFound[k] = false;
    }
    board.forgetWords();
    BackColor = colours::White;
}

std::u32string Game::boardLetters(int slot) const {
    return wordLetters(boardWord(wordList.Words[static_cast<std::size_t>(slot)], m_spelling));
}

// Every cell enabled, white, 18 points, not bold, a random filler letter, and free.
void Game::resetCells() {
    for (int i = 0; i < BoardCells; ++i) {
        board.Look[i] = CellLook{};
        board.Letters[i] = m_fillers.draw(m_random);
        board.CellUsed[i] = false;
    }
}

std::optional<QString> Game::ScoreText() const {
    return ScoreText(ScoreOfWord);
}

std::optional<QString> Game::ScoreText(const QString& connectingWord) const {
    if (WordsOffered == 0) return std::nullopt;
    // A whole percent, halves rounded up, in integers: a child reads "17 %", not every digit of
    // a double. 64 bits hold the doubled hundredfold of any count an int can hold.
    const std::int64_t found = WordsFound, offered = WordsOffered;
    const std::int64_t percent = (200 * found + offered) / (2 * offered);
    // Joined piece by piece: a connecting word with a % in it must stay as it is.
    return QString::number(WordsFound) + QLatin1Char(' ') + connectingWord + QLatin1Char(' ') +
           QString::number(WordsOffered) + QStringLiteral(" - ") + QString::number(percent) +
           QStringLiteral(" %");
}

void Game::Command3_Click(Module1& program) {
    if (phase() != RoundPhase::Playing) return; // a hint is for a round being played
    // Eight passes of up to 2001 draws, counted for the whole run (kept: see docs/behaviours.md).
    constexpr int Passes = 8;
    constexpr int MaxDrawsPerPass = 2001;
    for (int pass = 0; pass < Passes; ++pass) {
        int cell = 0;
        int draws = 0;
        do {
            cell = m_random.draw(BoardCells);
            ++draws;
        } while (board.CellUsed[cell] && draws < MaxDrawsPerPass);
        if (board.CellUsed[cell]) continue; // the board had no free cell left to give away
        // The hint keeps the miss red, so its mark is what tells a spent letter from a miss.
        board.Look[cell].BackColor = colours::Miss;
        board.Look[cell].Mark = CellMark::Hint;
        board.Look[cell].Enabled = false;
        board.CellUsed[cell] = true;
    }
    ++program.HintsUsed;
    Command3Caption = HintCaption + QLatin1Char(' ') + QString::number(program.HintsUsed);
    Command3Enabled = false;
}

QString Game::shownLetter(int cell, bool lowerCase) const {
    const QString capital = board.caption(cell);
    if (!lowerCase) return capital;
    for (int k = 0; k < WordSlots; ++k) {
        for (int j = 1; j < WordPositions; ++j) {
            if (board.WordCells[k][j] != cell) continue;
            const std::u32string lower =
                wordLetters(boardWord(lowerCaseWord(wordList.PictureFiles[k]), m_spelling));
            const std::u32string upper = boardLetters(k);
            if (lower.size() != upper.size()) return capital.toLower();
            const char32_t letter = lower[static_cast<std::size_t>(j - 1)];
            return QString::fromUcs4(&letter, 1);
        }
    }
    return capital.toLower();
}
