// The game screen's state and rules: setting up a round, placing words, the score and the hint.
//
// The window that shows a game owns one Game, forwards every event to it by the name of that
// event, mirrors the state below into its controls and carries out the returned effects.
// Nothing here includes a widget header or owns a timer, so every rule is tested by calling it.
#pragma once

#include "board.h"
#include "board_letters.h"
#include "module1.h"
#include "picture_words.h"
#include "random_source.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// Sounds the screen plays for a click; a later one cuts off an earlier one.
// Lost is the gentle close of a round lost, by the eighth miss or by the clock.
enum class SoundId { Success, Error, Final, Lost };

// How a round ended: all six words found, the running figure past the last column, or the
// eighth miss.
enum class RoundEnding { Won, TimeUp, TriesUsed };

// What a click asks of the screen besides redrawing the state.
struct ClickResult {
    std::vector<SoundId> sounds;       // in the order they start
    std::vector<int> completedWords;   // slots completed by this click, in word order
    bool successAnimation = false;     // play the success animation over the clicked cell
    bool focusToCommand2 = false;      // every judged click hands the focus to the word-list button
    std::optional<RoundEnding> ending; // set by the click that ends the round
};

// Where a round stands. Playing, then Ended (the pause), Menu (the level menu is up), Starting
// (play was pressed, the next round is a moment away), and Playing again.
enum class RoundPhase { Playing, Ended, Menu, Starting };

// Which of the game screen's four timers must run, as the window sets them after every event.
struct RunningTimers {
    bool Timer1 = false; // the flashing caption; never stops once started
    bool Timer2 = false; // the round clock, while a round is played
    bool Timer3 = false; // the short delay before the next round
    bool Timer4 = false; // the pause after a round
    bool operator==(const RunningTimers&) const = default;
};

// What a tick of the round clock asks of the screen.
struct ClockTick {
    double runnerLeft = 0; // move the running figure to this left (twips, single precision)
    std::optional<RoundEnding> ending; // TimeUp on the tick that ends the round
    std::vector<SoundId> sounds;       // the lost round's sound on that tick
};

// Why a round was not dealt as asked. With no usable picture the round is still dealt, with
// empty words; with pictures that never passed the rule nothing is dealt.
enum class RoundProblem { NoUsablePicture, PicturesRefused };

// A test that the round's pictures must pass, else they are drawn again, up to `draws` draws.
struct PictureRule {
    std::function<bool(const WordList&)> accepts;
    int draws = 1;
};

class Game {
  public:
    Game(RandomSource& random, PictureFolder& pictures);

    // --- Round set-up ---
    // Starts a round at `level` (0 to Module1::LevelCount - 1): chooses the pictures (again
    // while `rule` refuses them), clears the board, places the words, puts the running figure
    // back, forgets the misses and plays. The game screen's start-up, its next round and the
    // worksheets all start their rounds here.
    std::optional<RoundProblem> NextRound(int level, const PictureRule& rule = {});

    // The steps of NextRound, in its order.
    // Draws six pictures and their words; false when the folder offered no usable picture.
    bool ChoosePictureWords();
    // Resets the board for a new round, counts six words as offered and writes the score.
    void ClearBoard();
    // Lays the six words on the board in the directions `level` allows, then RunnerSetup.
    void PlaceWords(int level);

    // "3 de 6 - 50 %"; nothing while no word has been offered.
    std::optional<QString> ScoreText() const;
    // A cell's letter as the board shows it, in capitals or in lower case: a word's letter in
    // lower case is its picture name's own letter where the two spell letter for letter alike.
    QString shownLetter(int cell, bool lowerCase) const;
    // The same with another connecting word, for a screen that must shorten a teacher's long one.
    std::optional<QString> ScoreText(const QString& connectingWord) const;

    // --- Play ---
    // A click on letter button Index (0..143): a hit is coloured and credited to its words, a
    // miss is red and counted; the sixth word wins the round, the eighth miss loses it. Outside
    // the phase Playing a click changes nothing.
    ClickResult Command1_Click(int Index);

    // --- The round clock and the round cycle ---
    // The running figure runs from the bottom-left cell's Left to the bottom-right cell's Left.
    void setRunnerTrack(double startLeft, double finishLeft);
    double runnerStart() const { return m_runnerStart; }
    // One step of the running figure (a 24th of the board's pitch); past the last column the time
    // is up.
    ClockTick Timer2_Timer();
    // The pause after a round is over: the level menu comes next.
    void Timer4_Timer();
    // Play was pressed in the level menu: the next round follows after the short delay.
    void playPressed();
    // The short delay is over: the next round starts at `level`, in whatever phase.
    std::optional<RoundProblem> Timer3_Timer(int level);
    // A new colour for the caption of the word found last.
    Colour Timer1_Timer();

    RoundPhase phase() const { return m_phase; }
    RunningTimers runningTimers() const;

    // The hint: eight free filler cells turn red and are spent, and the score button says how
    // many hints were taken this run, counted in `program`. Only while a round is being played.
    void Command3_Click(Module1& program);

    // Filled by the window: places and starts the running figure at the end of PlaceWords.
    std::function<void()> RunnerSetup;
    // Filled by the window: loads the chosen pictures and lays out the picture panel.
    std::function<void()> PicturePanel;

    // The theme the rounds draw their pictures from (its folder's name); empty: all pictures.
    QString theme;
    // How the board spells the words: as written, or in the set's language's plain letters. A
    // round keeps the rule it was cleared with, so a change mid-round cannot leave a word
    // impossible to complete.
    LetterRule letters;

    // Word k's letters as this round's board holds them, one per cell.
    std::u32string boardLetters(int slot) const;
    // What the fillers of this round are drawn from, fixed at ClearBoard.
    const FillerAlphabet& fillers() const { return m_fillers; }

    // --- State that the game screen shows ---
    Board board;
    WordList wordList;
    QStringList List2;      // words found since the game screen was loaded, in order of finding
    QStringList List2Files; // the pictures those words came from, in the same order
    std::array<std::uint8_t, WordSlots> LettersFound{};
    std::array<bool, WordSlots> WordFound{};
    std::int16_t ErrorCount = 0;
    int WordsFound = 0;   // not 16 bits: the score's WordsFound * 100 must hold past 327 words
    int WordsOffered = 0; // 6 per round since the game screen was loaded
    QString ScoreOfWord;  // the score's connecting word, from the language file
    QString HintCaption;  // the score button's caption from the language file

    QString Command3Caption;
    bool Command3Enabled = false;
    std::array<bool, WordSlots> LabelVisible{};
    std::array<int, WordSlots> LabelFontSize{14, 14, 14, 14, 14, 14};
    Colour BackColor = 0xFFC0C0;

    std::array<Colour, WordSlots> LabelForeColor{};

    double RunnerLeft = 0;
    std::uint8_t FlashLabel = 0;

    const QStringList& List1() const { return m_chooser.usedPictures(); }
    RandomSource& random() { return m_random; }

  private:
    void resetCells();
    void miss(int index, ClickResult& result);
    void hit(int index, ClickResult& result);
    void complete(int word, ClickResult& result);
    void revealWordsNotFound();
    void endRound(RoundEnding ending, std::optional<RoundEnding>& reported);
    bool placeAll(int level);
    bool placeWord(int slot, const std::u32string& letters, int level);
    void placeInRows(int slot, const std::u32string& letters, int level);

    RandomSource& m_random;
    PictureFolder& m_pictures;
    PictureChooser m_chooser;
    FillerAlphabet m_fillers;
    LetterRule m_spelling; // `letters` as of the last ClearBoard
    RoundPhase m_phase = RoundPhase::Playing;
    bool m_flashing = false; // a word has been found since the game screen was loaded
    double m_runnerStart = 0;
    double m_runnerFinish = 0;
    double m_runnerStep = 20; // twips a tick, in proportion to the board's pitch
};
