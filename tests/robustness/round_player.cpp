// Driving the game screen's handlers round by round, and the check that a round can be won.
#include "round_player.h"

#include "picture_viewer.h"

#include <QApplication>
#include <QTimer>

std::vector<int> RoundPlayer::cellsOf(int k) {
    std::vector<int> cells;
    for (int j = 1; j < WordPositions && game().board.WordCells[k][j] >= 0; ++j)
        cells.push_back(game().board.WordCells[k][j]);
    return cells;
}

std::vector<int> RoundPlayer::enabledCells(bool ofWords) {
    std::vector<bool> wordCell(BoardCells, false);
    for (int k = 0; k < WordSlots; ++k)
        for (int cell : cellsOf(k))
            wordCell[cell] = true;
    std::vector<int> cells;
    for (int i = 0; i < BoardCells; ++i)
        if (game().board.Look[i].Enabled && wordCell[i] == ofWords) cells.push_back(i);
    return cells;
}

void RoundPlayer::clickAllWords() {
    for (int k = 0; k < WordSlots; ++k)
        for (int cell : cellsOf(k))
            if (game().board.Look[cell].Enabled) click(cell);
}

bool RoundPlayer::missUntilLost() {
    while (game().phase() == RoundPhase::Playing) {
        const std::vector<int> free = enabledCells(false);
        if (free.empty()) return false;
        click(free.front());
    }
    return true;
}

bool RoundPlayer::runOutOfTime() {
    // The figure crosses the board in a few hundred steps; a clock that never ends a round hangs.
    constexpr int MaxTicks = 100000;
    for (int tick = 0; tick < MaxTicks && m_form.Timer2->isEnabled(); ++tick) {
        if (m_form.Timer2->interval() == 0) return false; // a clock of 0 never ticks
        m_form.Timer2_Timer();
    }
    return !m_form.Timer2->isEnabled();
}

bool RoundPlayer::viewPicture(int k) {
    // The viewer is modal: a watcher closes it from inside its own event loop, and keeps trying
    // until it has, so that a slow start can never leave the test waiting.
    bool shown = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&shown] {
        if (auto* viewer = qobject_cast<Form4*>(QApplication::activeModalWidget())) {
            shown = true;
            viewer->close();
        }
    });
    closer.start(1);
    m_form.Image1_Click(k);
    return shown;
}

void RoundPlayer::startNextRound(int level) {
    if (m_form.Timer4->isEnabled()) m_form.Timer4_Timer();
    m_form.module1().Level = static_cast<std::uint8_t>(level);
    m_form.enableTimer3();
    m_form.Timer3_Timer();
}

::testing::AssertionResult everyWordLiesOnTheBoard(const Game& game) {
    for (int k = 0; k < WordSlots; ++k) {
        const QString& word = game.wordList.Words[k];
        if (word.isEmpty()) continue;
        const std::u32string letters = wordLetters(word);
        if (letters.size() > static_cast<std::size_t>(MaxWordLength))
            return ::testing::AssertionFailure()
                   << "word " << k << " (" << word.toStdString() << ") is too long to be drawn";
        for (std::size_t j = 0; j < letters.size(); ++j) {
            const int cell = game.board.WordCells[k][j + 1];
            if (cell < 0 || cell >= BoardCells)
                return ::testing::AssertionFailure()
                       << "letter " << j + 1 << " of word " << k << " (" << word.toStdString()
                       << ") has no cell";
            if (game.board.Letters[cell] != letters[j])
                return ::testing::AssertionFailure()
                       << "cell " << cell << " holds another letter than letter " << j + 1
                       << " of word " << k << " (" << word.toStdString() << ")";
        }
        if (letters.size() < static_cast<std::size_t>(MaxWordLength) &&
            game.board.WordCells[k][letters.size() + 1] >= 0)
            return ::testing::AssertionFailure()
                   << "word " << k << " (" << word.toStdString() << ") has cells past its end";
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult everyLetterCountMatchesTheClicks(const Game& game) {
    for (int k = 0; k < WordSlots; ++k) {
        int clicked = 0;
        for (int j = 1; j < WordPositions && game.board.WordCells[k][j] >= 0; ++j)
            clicked += !game.board.Look[game.board.WordCells[k][j]].Enabled;
        if (game.LettersFound[k] != clicked)
            return ::testing::AssertionFailure()
                   << "word " << k << " (" << game.wordList.Words[k].toStdString() << ") has "
                   << int(game.LettersFound[k]) << " letters found but " << clicked
                   << " cells clicked";
    }
    return ::testing::AssertionSuccess();
}
