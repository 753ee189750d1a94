// Word placement: directions per level, the fit at the board's edges, crossings, conflicts,
// the attempt limit, and a long random run that checks the board after every round.
#include "fakes.h"

#include <gtest/gtest.h>
#include <random>
#include <set>

namespace {

struct PlacementTest : ::testing::Test {
    ScriptedRandom random;
    FakeFolder folder;
    Game game{random, folder};

    void words(std::initializer_list<const char*> list) {
        int k = 0;
        for (const char* w : list)
            game.wordList.Words[k++] = QString::fromUtf8(w);
    }
    int cell(int slot, int position) const { return game.board.WordCells[slot][position]; }
};

struct DirectionRow {
    int level;
    double directionU; // ignored at level 0, which draws no direction
    int expectedStep;  // index step from the first letter to the second
};

class DirectionPerLevel : public PlacementTest,
                          public ::testing::WithParamInterface<DirectionRow> {};

TEST_P(DirectionPerLevel, firstWordRunsInTheDrawnDirection) {
    const DirectionRow row = GetParam();
    words({"AB"});
    const bool drawsDirection = row.level >= 1 && row.level <= 5;
    std::vector<double> script;
    if (drawsDirection) script.push_back(row.directionU);
    script.push_back(pick(65, 144)); // row 5, column 5: every direction fits
    random.append(script);
    game.PlaceWords(row.level);
    EXPECT_EQ(cell(0, 1), 65);
    EXPECT_EQ(cell(0, 2) - cell(0, 1), row.expectedStep);
}

INSTANTIATE_TEST_SUITE_P(Levels, DirectionPerLevel,
                         ::testing::Values(DirectionRow{0, 0, +1}, DirectionRow{1, 0.1, +1},
                                           DirectionRow{1, 0.9, +12}, DirectionRow{2, 0.6, -1},
                                           DirectionRow{2, 0.9, -12}, DirectionRow{3, 0.7, +13},
                                           DirectionRow{3, 0.9, -11}, DirectionRow{4, 0.8, -13},
                                           DirectionRow{4, 0.9, +11}, DirectionRow{5, 0.0, -1},
                                           DirectionRow{5, 0.2, -12}, DirectionRow{5, 0.99, +11},
                                           DirectionRow{9, 0, +1}));

struct FitRow {
    int level;
    double directionU;
    int length;
    int start;
    bool fits;
};

class FitAtTheEdges : public PlacementTest, public ::testing::WithParamInterface<FitRow> {};

TEST_P(FitAtTheEdges, aStartThatDoesNotFitUsesUpTheAttempt) {
    const FitRow row = GetParam();
    const QString word(row.length, QLatin1Char('Q'));
    game.wordList.Words[0] = word;
    std::vector<double> script;
    if (row.level > 0) script.push_back(row.directionU);
    script.push_back(pick(row.start, 144));
    script.push_back(pick(65, 144)); // the centre: fits anything of up to six letters
    random.append(script);
    game.PlaceWords(row.level);
    EXPECT_EQ(cell(0, 1), row.fits ? row.start : 65);
}

// Rows at the limit: the last start that fits and the first that does not, in each direction.
INSTANTIATE_TEST_SUITE_P(
    Directions, FitAtTheEdges,
    ::testing::Values(FitRow{0, 0, 3, 9, true}, FitRow{0, 0, 3, 10, false},        // right
                      FitRow{1, 0.9, 3, 108, true}, FitRow{1, 0.9, 3, 120, false}, // down
                      FitRow{2, 0.6, 3, 2, true}, FitRow{2, 0.6, 3, 1, false},     // left
                      FitRow{2, 0.9, 3, 24, true}, FitRow{2, 0.9, 3, 12, false},   // up
                      FitRow{3, 0.7, 3, 117, true}, FitRow{3, 0.7, 3, 118, false}, // down-right
                      FitRow{3, 0.9, 3, 33, true}, FitRow{3, 0.9, 3, 21, false},   // up-right
                      FitRow{4, 0.8, 3, 26, true}, FitRow{4, 0.8, 3, 25, false},   // up-left
                      FitRow{4, 0.9, 3, 110, true}, FitRow{4, 0.9, 3, 122, false}  // down-left
                      ));

TEST_F(PlacementTest, twelveLettersAtLevelZeroStartOnlyInColumnZero) {
    words({"ABCDEFGHIJKL"});
    random.append({pick(1, 144), pick(143, 144), pick(37, 144), pick(24, 144)});
    game.PlaceWords(0);
    EXPECT_EQ(cell(0, 1), 24);
    EXPECT_EQ(cell(0, 12), 35);
    EXPECT_EQ(game.board.caption(35), QStringLiteral("L"));
}

TEST_F(PlacementTest, crossingWordsShareTheirCommonLetter) {
    words({"CASA", "SOL"});
    // CASA to the right from cell 0; SOL downwards from cell 2, its S on CASA's S.
    random.append({0.1, pick(0, 144), 0.9, pick(2, 144)});
    game.PlaceWords(1);
    EXPECT_EQ(cell(0, 3), 2);
    EXPECT_EQ(cell(1, 1), 2);
    EXPECT_EQ(cell(1, 3), 26);
    EXPECT_EQ(game.board.caption(2), QStringLiteral("S"));
}

TEST_F(PlacementTest, aConflictRejectsTheWholeAttempt) {
    words({"CASA", "CAT"});
    // CAT from cell 0 agrees on C and A, then meets S: nothing of it is written there.
    random.append({pick(0, 144), pick(0, 144), pick(24, 144)});
    game.PlaceWords(0);
    EXPECT_EQ(game.board.caption(2), QStringLiteral("S"));
    EXPECT_EQ(cell(1, 1), 24);
    EXPECT_EQ(cell(0, 1), 0);
}

TEST_F(PlacementTest, anEqualWordAtTheSameStartLiesExactlyOverTheFirst) {
    words({"OSO", "OSO"});
    random.append({pick(50, 144), pick(50, 144)});
    game.PlaceWords(0);
    for (int j = 1; j <= 3; ++j)
        EXPECT_EQ(cell(0, j), cell(1, j));
}

TEST_F(PlacementTest, after1001FailedAttemptsTheSlotDrawsANewDirection) {
    words({"ABCDEFGHIJKL"});
    std::vector<double> script{0.9}; // down: only row 0 fits a 12-letter word
    script.insert(script.end(), 1001, pick(17, 144));
    script.push_back(0.1); // right
    script.push_back(pick(48, 144));
    random.append(script);
    game.PlaceWords(1);
    EXPECT_EQ(cell(0, 1), 48);
    EXPECT_EQ(cell(0, 2), 49);
}

TEST_F(PlacementTest, emptyAndOneLetterWordsNeedNoRoom) {
    words({"", "Ñ"});
    random.append({pick(7, 144), pick(143, 144)});
    game.PlaceWords(0);
    for (int j = 0; j < WordPositions; ++j)
        EXPECT_EQ(cell(0, j), -1);
    EXPECT_EQ(cell(1, 1), 143);
    EXPECT_EQ(cell(1, 0), -1);
    EXPECT_EQ(game.board.caption(143), QStringLiteral("Ñ"));
}

TEST_F(PlacementTest, aWordWithNoRoomStartsTheBoardAgainAndEveryWordIsPlaced) {
    words({"ABCDEFGHIJKL", "MNOPQRSTUVWX", "ABCDEFGHIJKL", "YZYZYZYZYZYZ", "MNOPQRSTUVWY", "Z"});
    // Every start tried for the first word lies in column 1 until the retries run out.
    random.append(std::vector<double>(1001 * 100, pick(1, 144)));
    int runnerSetups = 0;
    game.RunnerSetup = [&] { ++runnerSetups; };
    game.PlaceWords(0);
    EXPECT_EQ(runnerSetups, 1);
    for (int k = 0; k < WordSlots; ++k)
        EXPECT_NE(cell(k, 1), -1) << "word " << k;
    EXPECT_EQ(cell(0, 1) % BoardSide, 0);
}

// --- A long random run over every level ---

const std::set<int> allowedSteps(int level) {
    switch (level) {
    case 1:
        return {1, 12};
    case 2:
        return {1, 12, -1, -12};
    case 3:
        return {1, 12, -1, -12, 13, -11};
    case 4:
        return {1, 12, -1, -12, 13, -11, -13, 11};
    case 5:
        return {-1, -12, 13, -11, -13, 11};
    default:
        return {1};
    }
}

QString randomWord(std::mt19937& gen, const QString& alphabet) {
    const int length = std::uniform_int_distribution<int>(1, 12)(gen);
    QString word;
    for (int i = 0; i < length; ++i)
        word += alphabet[std::uniform_int_distribution<int>(0, alphabet.size() - 1)(gen)];
    return word;
}

// Each word reads along its cells, one step at a time, in a direction its level allows.
void checkWord(const Game& game, int k, int level) {
    const std::u32string letters = wordLetters(game.wordList.Words[k]);
    const int length = static_cast<int>(letters.size());
    const auto& cells = game.board.WordCells[k];
    ASSERT_EQ(cells[0], -1);
    for (int j = 1; j <= length; ++j)
        ASSERT_EQ(game.board.Letters[cells[j]], letters[j - 1]);
    for (int j = length + 1; j < WordPositions; ++j)
        ASSERT_EQ(cells[j], -1);
    if (length < 2) return;
    const int step = cells[2] - cells[1];
    ASSERT_TRUE(allowedSteps(level).count(step)) << "step " << step << " at level " << level;
    for (int j = 2; j <= length; ++j) {
        ASSERT_EQ(cells[j] - cells[j - 1], step);
        ASSERT_LE(std::abs(Board::row(cells[j]) - Board::row(cells[j - 1])), 1);
        ASSERT_LE(std::abs(Board::column(cells[j]) - Board::column(cells[j - 1])), 1);
    }
}

TEST(PlacementStress, tenThousandRandomRoundsKeepTheBoardWhole) {
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZÁÉÍÓÚÜÑ -AAAEEEOOO");
    std::mt19937 gen(20261207);
    ScriptedRandom random({}, 7);
    FakeFolder folder;
    Game game(random, folder);
    for (int round = 0; round < 10000; ++round) {
        const int level = round % 6;
        for (int k = 0; k < WordSlots; ++k) {
            const bool repeat = k > 0 && gen() % 8 == 0;
            game.wordList.Words[k] =
                repeat ? game.wordList.Words[k - 1] : randomWord(gen, alphabet);
        }
        game.ClearBoard();
        game.PlaceWords(level);
        std::array<bool, BoardCells> covered{};
        for (int k = 0; k < WordSlots; ++k) {
            checkWord(game, k, level);
            if (HasFatalFailure()) FAIL() << "round " << round << " word " << k;
            for (int j = 1; j < WordPositions; ++j)
                if (game.board.WordCells[k][j] >= 0) covered[game.board.WordCells[k][j]] = true;
        }
        for (int i = 0; i < BoardCells; ++i) {
            ASSERT_EQ(game.board.CellUsed[i], covered[i]) << "round " << round << " cell " << i;
            if (!covered[i]) {
                ASSERT_TRUE(game.board.Letters[i] >= U'A' && game.board.Letters[i] <= U'Z');
            }
        }
    }
}

// Rounds dealt as the game deals them, from a seed, over picture names with accents and shared
// letters: every word reads letter for letter along its cells in a direction its level allows (so
// no word's letter was overwritten by another's), and every other cell is a filler A to Z.
TEST(RoundProperty, seededRoundsOnEveryLevelLeaveEveryWordReadable) {
    FakeFolder folder({"casa.png", "sol.png", "oso.png", "ñandú.png", "pingüino.png", "ala.png",
                       "murciélago.png", "hipopótamo.png", "cocodrilo.png", "anana.png",
                       "tortuga.png", "abecedarios.png", "mariposa.png", "x.png", "ojo.png",
                       "camaleón.png", "salamandra.png", "ballena.png"});
    SeededRandom random(20261209);
    Game game(random, folder);
    for (int round = 0; round < 3000; ++round) {
        const int level = round % Module1::LevelCount;
        ASSERT_EQ(game.NextRound(level), std::nullopt);
        for (int k = 0; k < WordSlots; ++k) {
            checkWord(game, k, level);
            if (HasFatalFailure()) FAIL() << "round " << round << " word " << k;
        }
        for (int i = 0; i < BoardCells; ++i) {
            if (game.board.CellUsed[i]) continue;
            ASSERT_TRUE(game.board.Letters[i] >= U'A' && game.board.Letters[i] <= U'Z')
                << "round " << round << " cell " << i;
        }
    }
}

} // namespace
