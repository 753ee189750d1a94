// A click on a letter: hits are coloured and credited to their words, misses counted, and the
// round ends won with the sixth word or lost with the eighth miss.
#include "game.h"

#include <algorithm>

ClickResult Game::Command1_Click(int Index) {
    ClickResult result;
    // Between rounds the board only shows how the last round ended: a stray click there (a
    // double-click on the play button, a child clicking the green letters) must neither credit
    // a lost word nor end a round that is already over.
    if (phase() != RoundPhase::Playing) return result;
    if (Index < 0 || Index >= BoardCells || !board.Look[Index].Enabled) return result;
    if (board.CellUsed[Index])
        hit(Index, result);
    else
        miss(Index, result);
    board.Look[Index].Enabled = false;
    result.focusToCommand2 = true;
    return result;
}

void Game::miss(int index, ClickResult& result) {
    board.Look[index].BackColor = colours::Miss;
    board.Look[index].Mark = CellMark::Miss;
    board.CellUsed[index] = true;
    ++ErrorCount;
    // The last miss closes the round gently instead of with one more error sound.
    if (ErrorCount == MaxErrors) {
        revealWordsNotFound();
        endRound(RoundEnding::TriesUsed, result.ending);
        result.sounds.push_back(SoundId::Lost);
        return;
    }
    result.sounds.push_back(SoundId::Error);
}

void Game::hit(int index, ClickResult& result) {
    CellLook& look = board.Look[index];
    look.FontSize = 24;
    look.FontBold = true;
    look.Mark = CellMark::Found;
    // The colour of the cell's word, found in one scan of every word's cells; blue when the
    // click credits two words or more.
    std::array<bool, WordSlots> hitWord{};
    for (int j = 1; j < WordPositions; ++j) {
        for (int k = 0; k < WordSlots; ++k) {
            if (board.WordCells[k][j] != index) continue;
            look.BackColor = colours::Word[k];
            hitWord[k] = true;
        }
    }
    int newCredits = 0;
    for (int i = 0; i < WordSlots; ++i) {
        if (hitWord[i] && !WordFound[i]) {
            ++LettersFound[i];
            ++newCredits;
        }
        if (LettersFound[i] == boardLetters(i).size() && !WordFound[i]) complete(i, result);
    }
    if (newCredits > 1) look.BackColor = colours::SharedHit;
}

void Game::complete(int word, ClickResult& result) {
    WordFound[word] = true;
    List2.append(wordList.Words[word]);
    List2Files.append(wordList.PictureFiles[word]);
    LabelVisible[word] = true;
    FlashLabel = static_cast<std::uint8_t>(word);
    m_flashing = true;
    result.successAnimation = true;
    ++WordsFound;
    if (const auto score = ScoreText()) Command3Caption = *score;
    RunnerLeft = m_runnerStart; // the time limit runs per word
    result.completedWords.push_back(word);
    const bool allFound = std::all_of(WordFound.begin(), WordFound.end(), [](bool f) { return f; });
    if (allFound) endRound(RoundEnding::Won, result.ending);
    result.sounds.push_back(allFound ? SoundId::Final : SoundId::Success);
}

// The letters of the words not found turn green; clicked and red cells keep their colour.
void Game::revealWordsNotFound() {
    for (int i = 0; i < BoardCells; ++i)
        if (board.CellUsed[i] && board.Look[i].BackColor == colours::White) {
            board.Look[i].BackColor = colours::Reveal;
            board.Look[i].Mark = CellMark::Revealed;
        }
}

void Game::endRound(RoundEnding ending, std::optional<RoundEnding>& reported) {
    m_phase = RoundPhase::Ended;
    reported = ending;
}
