// Clicks on letters: misses, hits, crossings, completed words, and both ends of a round.
#include "fakes.h"

#include <QLocale>
#include <functional>
#include <gtest/gtest.h>

namespace {

// A round whose words lie at known cells:
//   CASA  right from 0 (0 1 2 3)     SOL   down from 2 (2 14 26), crossing CASA's S
//   PAN   right from 48              LUNA  right from 60
//   GATO  right from 72              OSO   right from 84
struct Selection : ::testing::Test {
    ScriptedRandom random;
    FakeFolder folder;
    Game game{random, folder};
    Module1 program;

    static constexpr double Start = 3000;

    void SetUp() override {
        game.ScoreOfWord = QStringLiteral("de");
        game.setRunnerTrack(Start, Start + 11 * 480);
        game.ClearBoard();
        game.board.Letters.fill(U'Z'); // every filler a Z
        layWord(game, 0, "CASA", 0, 1);
        layWord(game, 1, "SOL", 2, BoardSide);
        layWord(game, 2, "PAN", 48, 1);
        layWord(game, 3, "LUNA", 60, 1);
        layWord(game, 4, "GATO", 72, 1);
        layWord(game, 5, "OSO", 84, 1);
        game.RunnerLeft = Start + 4000;
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    ClickResult clickAll(std::initializer_list<int> cells) {
        ClickResult last;
        for (int cell : cells)
            last = game.Command1_Click(cell);
        return last;
    }
    const CellLook& look(int cell) const { return game.board.Look[cell]; }
};

TEST_F(Selection, aFillerCellIsAMiss) {
    const ClickResult result = game.Command1_Click(143);
    EXPECT_EQ(look(143).BackColor, colours::Miss);
    EXPECT_FALSE(look(143).Enabled);
    EXPECT_EQ(look(143).FontSize, 18);
    EXPECT_FALSE(look(143).FontBold);
    EXPECT_TRUE(game.board.CellUsed[143]);
    EXPECT_EQ(game.ErrorCount, 1);
    EXPECT_EQ(result.sounds, std::vector<SoundId>{SoundId::Error});
    EXPECT_TRUE(result.focusToCommand2);
    EXPECT_EQ(result.ending, std::nullopt);
    EXPECT_EQ(game.phase(), RoundPhase::Playing);
}

TEST_F(Selection, theEighthMissRevealsTheWordsNotFoundAndEndsTheRound) {
    clickAll({48, 49, 50}); // PAN found
    game.Command1_Click(0); // one letter of CASA
    clickAll({130, 131, 132, 133, 134, 135, 136});
    EXPECT_EQ(game.phase(), RoundPhase::Playing);
    const ClickResult eighth = game.Command1_Click(137);
    EXPECT_EQ(eighth.sounds, std::vector<SoundId>{SoundId::Lost});
    EXPECT_EQ(eighth.ending, RoundEnding::TriesUsed);
    EXPECT_EQ(game.phase(), RoundPhase::Ended);
    EXPECT_FALSE(game.runningTimers().Timer2);
    EXPECT_TRUE(game.runningTimers().Timer4);
    EXPECT_EQ(look(0).BackColor, colours::Word[0]);  // clicked: keeps its word's colour
    EXPECT_EQ(look(48).BackColor, colours::Word[2]); // found word stays
    EXPECT_EQ(look(137).BackColor, colours::Miss);
    for (int cell : {1, 2, 3, 14, 26, 60, 63, 72, 84, 86})
        EXPECT_EQ(look(cell).BackColor, colours::Reveal) << cell;
    EXPECT_EQ(look(100).BackColor, colours::White); // fillers stay white
}

// Every state keeps its mark beside its colour to the end of the round: the hint's letters are
// as red as the misses, and the reveal green is told from the red by the mark alone.
TEST_F(Selection, eachStateOfALetterCarriesItsMarkToTheEndOfTheRound) {
    random.append({pick(100, 144), pick(101, 144), pick(102, 144), pick(103, 144), pick(104, 144),
                   pick(105, 144), pick(106, 144), pick(107, 144)});
    game.Command3_Click(program);                       // spends fillers 100..107
    clickAll({2, 61});                                  // CASA's and SOL's S, the U of LUNA
    clickAll({130, 131, 132, 133, 134, 135, 136, 137}); // the eighth miss ends the round
    const struct {
        int cell;
        CellMark mark;
    } rows[] = {{100, CellMark::Hint},   {107, CellMark::Hint},    {130, CellMark::Miss},
                {137, CellMark::Miss},   {2, CellMark::Found},     {61, CellMark::Found},
                {1, CellMark::Revealed}, {86, CellMark::Revealed}, {120, CellMark::None}};
    for (const auto& row : rows)
        EXPECT_EQ(look(row.cell).Mark, row.mark) << row.cell;
}

TEST_F(Selection, aLetterThatDoesNotCompleteItsWordIsColouredQuietly) {
    const QString scoreBefore = game.Command3Caption;
    const ClickResult result = game.Command1_Click(61);
    EXPECT_EQ(look(61).BackColor, colours::Word[3]);
    EXPECT_EQ(look(61).FontSize, 24);
    EXPECT_TRUE(look(61).FontBold);
    EXPECT_FALSE(look(61).Enabled);
    EXPECT_TRUE(result.sounds.empty());
    EXPECT_FALSE(result.successAnimation);
    EXPECT_EQ(game.LettersFound[3], 1);
    EXPECT_EQ(game.Command3Caption, scoreBefore);
    EXPECT_EQ(game.ErrorCount, 0);
}

TEST_F(Selection, theLastLetterOfAWordShowsItsCaptionAndSendsTheRunnerBack) {
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    clickAll({63, 61}); // LUNA backwards, with a gap
    game.Command1_Click(143);
    game.Command1_Click(62);
    const ClickResult result = game.Command1_Click(60);
    EXPECT_EQ(result.completedWords, std::vector<int>{3});
    EXPECT_TRUE(result.successAnimation);
    EXPECT_EQ(result.sounds, std::vector<SoundId>{SoundId::Success});
    EXPECT_TRUE(game.WordFound[3]);
    EXPECT_TRUE(game.LabelVisible[3]);
    EXPECT_EQ(game.List2, QStringList{"LUNA"});
    EXPECT_EQ(game.FlashLabel, 3);
    EXPECT_TRUE(game.runningTimers().Timer1);
    EXPECT_EQ(game.WordsFound, 1);
    EXPECT_EQ(game.Command3Caption, QStringLiteral("1 de 6 - 17 %"));
    EXPECT_EQ(game.RunnerLeft, Start);
}

TEST_F(Selection, aCrossingCellCreditsBothWordsAndTurnsBlue) {
    game.Command1_Click(2);
    EXPECT_EQ(look(2).BackColor, colours::SharedHit);
    EXPECT_EQ(game.LettersFound[0], 1);
    EXPECT_EQ(game.LettersFound[1], 1);
}

TEST_F(Selection, aCrossingCellCompletingTwoWordsCompletesBothInWordOrder) {
    clickAll({0, 1, 3, 14, 26});
    const ClickResult result = game.Command1_Click(2);
    EXPECT_EQ(result.completedWords, (std::vector<int>{0, 1}));
    EXPECT_EQ(result.sounds, (std::vector<SoundId>{SoundId::Success, SoundId::Success}));
    EXPECT_EQ(game.WordsFound, 2);
    EXPECT_EQ(game.FlashLabel, 1);
    EXPECT_EQ(game.List2, (QStringList{"CASA", "SOL"}));
}

TEST_F(Selection, aCrossingCellOfAWordAlreadyFoundCreditsOnlyTheOther) {
    clickAll({14, 26});
    game.Command1_Click(2); // SOL is found now, CASA got its S too
    EXPECT_TRUE(game.WordFound[1]);
    EXPECT_EQ(game.LettersFound[0], 1);
    clickAll({0, 1});
    const ClickResult result = game.Command1_Click(3);
    EXPECT_EQ(result.completedWords, std::vector<int>{0});
}

TEST_F(Selection, theSixthWordWinsTheRound) {
    clickAll({0, 1, 2, 3, 14, 26, 48, 49, 50, 60, 61, 62, 63, 72, 73, 74});
    const ClickResult result = clickAll({75, 84, 85, 86});
    EXPECT_EQ(result.sounds, std::vector<SoundId>{SoundId::Final});
    EXPECT_EQ(result.ending, RoundEnding::Won);
    EXPECT_EQ(game.WordsFound, 6);
    EXPECT_EQ(game.phase(), RoundPhase::Ended);
}

// From the end of a round until the next one is placed, neither a revealed letter nor a filler
// counts, and the hint key gives nothing away.
TEST_F(Selection, outsideARoundClicksAndHintsChangeNothing) {
    clickAll({130, 131, 132, 133, 134, 135, 136, 137}); // lost by the eighth miss
    const std::function<void()> toPhase[] = {
        [] {},                           // Ended: the pause
        [this] { game.Timer4_Timer(); }, // Menu
        [this] { game.playPressed(); }}; // Starting: play pressed, 500 ms to go
    for (const auto& enter : toPhase) {
        enter();
        const Game before = game;
        for (int cell : {0, 1, 2, 3, 100}) { // CASA revealed green, a filler
            const ClickResult result = game.Command1_Click(cell);
            EXPECT_TRUE(result.sounds.empty() && result.completedWords.empty());
            EXPECT_FALSE(result.focusToCommand2);
        }
        game.Command3_Click(program);
        EXPECT_EQ(game.board.Look, before.board.Look) << int(game.phase());
        EXPECT_EQ(game.ErrorCount, before.ErrorCount);
        EXPECT_EQ(game.WordsFound, before.WordsFound);
        EXPECT_EQ(game.Command3Caption, before.Command3Caption);
        EXPECT_EQ(game.runningTimers(), before.runningTimers());
    }
}

TEST_F(Selection, clicksOnSpentOrMissingCellsChangeNothing) {
    game.Command1_Click(143);
    const ClickResult again = game.Command1_Click(143);
    EXPECT_TRUE(again.sounds.empty());
    EXPECT_EQ(game.ErrorCount, 1);
    EXPECT_FALSE(game.Command1_Click(-1).focusToCommand2);
    EXPECT_FALSE(game.Command1_Click(144).focusToCommand2);
}

} // namespace
