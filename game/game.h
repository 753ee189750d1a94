// The game screen's state and rules: setting up a round, placing words, the score and the hint.
//
// The window that shows a game owns one Game, forwards every event to it by the name of that
// event, mirrors the state below into its controls and carries out the returned effects.
// Nothing here includes a widget header or owns a timer, so every rule is tested by calling it.
#pragma once

#include "board.h"
#include "picture_words.h"
#include "random_source.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class Game {
  public:
    Game(RandomSource& random, PictureFolder& pictures);

    // --- Round set-up, always in this order ---
    // Draws six pictures and their words; false when the folder offered no usable picture.
    bool ChoosePictureWords();
    // Resets the board for a new round, counts six words as offered and writes the score.
    void ClearBoard();
    // Lays the six words on the board in the directions the level allows, then RunnerSetup.
    void PlaceWords();

    // "3 de 6 - 50 %"; nothing while no word has been offered.
    std::optional<QString> ScoreText() const;

    // The hint: eight free filler cells turn red and are spent, and the score button says how
    // many hints were taken this run.
    void Command3_Click();

    // Filled by the window: places and starts the running figure at the end of PlaceWords.
    std::function<void()> RunnerSetup;

    // --- State that the game screen shows ---
    Board board;
    WordList wordList;
    QStringList List2; // words found since the game screen was loaded, in order of finding
    std::array<std::uint8_t, WordSlots> LettersFound{};
    std::array<bool, WordSlots> WordFound{};
    std::int16_t ErrorCount = 0;
    int WordsFound = 0;   // wider than the 16 bits of old, so the score stays right past 327
    int WordsOffered = 0; // 6 per round since the game screen was loaded
    QString ScoreOfWord;  // the score's connecting word, from the language file
    QString HintCaption;  // the score button's caption from the language file

    QString Command3Caption;
    bool Command3Enabled = false;
    std::array<bool, WordSlots> LabelVisible{};
    std::array<int, WordSlots> LabelFontSize{14, 14, 14, 14, 14, 14};
    Colour BackColor = 0xFFC0C0;

    double RunnerLeft = 0;
    std::uint8_t FlashLabel = 0;

    // Hints taken since the program started.
    static inline int HintsUsed = 0;

    const QStringList& List1() const { return m_chooser.usedPictures(); }
    RandomSource& random() { return m_random; }

  private:
    void resetCells();
    bool placeAll(int level);
    bool placeWord(int slot, const std::u32string& letters, int level);
    void placeInRows(int slot, const std::u32string& letters, int level);

    RandomSource& m_random;
    PictureFolder& m_pictures;
    PictureChooser m_chooser;
};
