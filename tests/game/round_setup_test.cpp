// Clearing the board, the score text and the hint.
#include "fakes.h"
#include "number_text.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

struct RoundSetup : ::testing::Test {
    ScriptedRandom random;
    FakeFolder folder;
    Game game{random, folder};

    void SetUp() override { game.ScoreOfWord = QStringLiteral("de"); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

TEST_F(RoundSetup, clearBoardLeavesAFreshBoardOfCapitalLetters) {
    // A board left in the middle of a round.
    for (int i = 0; i < BoardCells; ++i) {
        game.board.Look[i] = CellLook{colours::Miss, 24, true, false, CellMark::Miss};
        game.board.CellUsed[i] = true;
    }
    game.board.WordCells[3][4] = 17;
    game.LabelVisible.fill(true);
    game.LabelFontSize.fill(20);
    game.LettersFound.fill(3);
    game.WordFound.fill(true);
    std::vector<double> letters(BoardCells, 0.5);
    letters.front() = 0.0;
    letters.back() = 0.99999;
    random.append(letters);

    game.ClearBoard();

    for (int i = 0; i < BoardCells; ++i) {
        EXPECT_EQ(game.board.Look[i], CellLook{}) << "cell " << i;
        EXPECT_FALSE(game.board.CellUsed[i]);
    }
    EXPECT_EQ(game.board.caption(0), QStringLiteral("A"));
    EXPECT_EQ(game.board.caption(1), QStringLiteral("N"));
    EXPECT_EQ(game.board.caption(143), QStringLiteral("Z"));
    for (const auto& word : game.board.WordCells)
        for (auto cell : word)
            EXPECT_EQ(cell, -1);
    for (int k = 0; k < WordSlots; ++k) {
        EXPECT_FALSE(game.LabelVisible[k]);
        EXPECT_EQ(game.LabelFontSize[k], 14);
        EXPECT_EQ(game.LettersFound[k], 0);
        EXPECT_FALSE(game.WordFound[k]);
    }
    EXPECT_EQ(game.BackColor, colours::White);
}

// The worksheets' rule: the pictures are drawn again while the rule refuses them, and a round
// whose pictures it refused at every draw is not dealt at all.
TEST_F(RoundSetup, nextRoundDrawsThePicturesAgainWhileItsRuleRefusesThem) {
    folder.names = {"casa.png", "sol.png", "pan.png", "luna.png", "gato.png", "oso.png", "pez.png"};
    int asked = 0;
    const PictureRule secondDraw{[&](const WordList&) { return ++asked == 2; }, 5};
    EXPECT_EQ(game.NextRound(0, secondDraw), std::nullopt);
    EXPECT_EQ(random.reseeds(), 2);
    EXPECT_EQ(game.WordsOffered, 6);
    const PictureRule never{[](const WordList&) { return false; }, 3};
    EXPECT_EQ(game.NextRound(0, never), RoundProblem::PicturesRefused);
    EXPECT_EQ(random.reseeds(), 5);
    EXPECT_EQ(game.WordsOffered, 6);
}

TEST_F(RoundSetup, aFolderWithNoUsablePictureStillDealsARoundOfEmptyWords) {
    EXPECT_EQ(game.NextRound(0), RoundProblem::NoUsablePicture);
    EXPECT_EQ(game.WordsOffered, 6);
    EXPECT_EQ(game.phase(), RoundPhase::Playing);
    for (const QString& word : game.wordList.Words)
        EXPECT_TRUE(word.isEmpty());
}

TEST_F(RoundSetup, everyRoundOffersSixMoreWordsAndRewritesTheScore) {
    game.ClearBoard();
    EXPECT_EQ(game.Command3Caption, QStringLiteral("0 de 6 - 0 %"));
    game.WordsFound = 4;
    game.ClearBoard();
    EXPECT_EQ(game.WordsOffered, 12);
    EXPECT_EQ(game.Command3Caption, QStringLiteral("4 de 12 - 33 %"));
}

struct ScoreRow {
    int found;
    int offered;
    const char* text;
};

class ScoreText : public RoundSetup, public ::testing::WithParamInterface<ScoreRow> {};

TEST_P(ScoreText, foundOfOfferedWithThePercentage) {
    game.WordsFound = GetParam().found;
    game.WordsOffered = GetParam().offered;
    EXPECT_EQ(game.ScoreText().value_or(QStringLiteral("none")),
              QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ScoreText,
    ::testing::Values(ScoreRow{0, 6, "0 de 6 - 0 %"}, ScoreRow{1, 6, "1 de 6 - 17 %"},
                      ScoreRow{4, 6, "4 de 6 - 67 %"}, // two thirds
                      ScoreRow{5, 6, "5 de 6 - 83 %"}, ScoreRow{6, 6, "6 de 6 - 100 %"},
                      ScoreRow{3, 6, "3 de 6 - 50 %"},
                      // Over several rounds; a half is rounded up.
                      ScoreRow{1, 12, "1 de 12 - 8 %"}, ScoreRow{5, 12, "5 de 12 - 42 %"},
                      ScoreRow{3, 24, "3 de 24 - 13 %"}, ScoreRow{9, 24, "9 de 24 - 38 %"},
                      // Past 327 found words the score stays right.
                      ScoreRow{400, 600, "400 de 600 - 67 %"}, ScoreRow{0, 0, "none"}));

TEST_F(RoundSetup, thePercentageIsWholeUnderAnyLocaleWhileOtherNumbersKeepItsSeparator) {
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    game.WordsFound = 1;
    game.WordsOffered = 6;
    EXPECT_EQ(game.ScoreText(), QStringLiteral("1 de 6 - 17 %"));
    EXPECT_EQ(numberText(1234567.5), QStringLiteral("1234567,5")); // no group separator
}

TEST(NumberText, plainDecimalWithFifteenSignificantDigits) {
    EXPECT_EQ(numberText(0.0), QStringLiteral("0"));
    EXPECT_EQ(numberText(7.0), QStringLiteral("7"));
    EXPECT_EQ(numberText(1.5), QStringLiteral("1.5"));
    EXPECT_EQ(numberText(-2.25), QStringLiteral("-2.25"));
    EXPECT_EQ(numberText(100.0 / 3.0), QStringLiteral("33.3333333333333"));
    EXPECT_EQ(numberText(1e20), QStringLiteral("100000000000000000000"));
    EXPECT_EQ(numberText(0.000125), QStringLiteral("0.000125"));
}

TEST_F(RoundSetup, theHintSpendsEightFreeFillerCellsAndCountsHintsAcrossTheRun) {
    Module1 program;
    game.HintCaption = QStringLiteral("Pistas");
    game.wordList.Words = {"CASA", "SOL", "PERRO", "GATO", "LUNA", "PAN"};
    game.ClearBoard();
    game.PlaceWords(0);
    const auto wordCells = game.board.CellUsed;
    game.Command3_Click(program);
    int spent = 0;
    for (int i = 0; i < BoardCells; ++i) {
        if (wordCells[i] || !game.board.CellUsed[i]) continue;
        ++spent;
        EXPECT_EQ(game.board.Look[i].BackColor, colours::Miss);
        EXPECT_FALSE(game.board.Look[i].Enabled);
    }
    EXPECT_EQ(spent, 8);
    for (int i = 0; i < BoardCells; ++i) {
        if (wordCells[i]) {
            EXPECT_TRUE(game.board.Look[i].Enabled) << "word cell " << i;
        }
    }
    EXPECT_EQ(game.Command3Caption, QStringLiteral("Pistas 1"));
    game.Command3_Click(program);
    EXPECT_EQ(game.Command3Caption, QStringLiteral("Pistas 2"));
    EXPECT_EQ(program.HintsUsed, 2);
    EXPECT_FALSE(game.Command3Enabled);
}

TEST_F(RoundSetup, theHintEndsOnABoardWithNoFreeCell) {
    Module1 program;
    game.board.CellUsed.fill(true);
    game.Command3_Click(program);
    for (const CellLook& look : game.board.Look)
        EXPECT_TRUE(look.Enabled);
}

} // namespace
