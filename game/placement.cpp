// Word placement: each word along a straight line in a direction its level allows, crossing
// other words only on equal letters.
//
// The attempts keep the game's placement procedure draw for draw (a scripted random source
// replays it exactly), but which start cells can take the word is worked out once per direction
// draw with 144-bit cell sets, so an attempt costs one draw and one bit test. A direction with no
// room at all is known to fail without trying its 1001 start cells one by one, and takes none of
// their draws, which could not change the outcome.
#include "game.h"

#include <bitset>
#include <optional>

namespace {

using CellSet = std::bitset<BoardCells>;

struct Direction {
    int rowStep;
    int columnStep;
    int indexStep() const { return rowStep * BoardSide + columnStep; }
};

// Direction codes 0..7: right, down, left, up, down-right, up-right, up-left, down-left.
constexpr std::array<Direction, 8> Directions = {{
    {0, 1},
    {1, 0},
    {0, -1},
    {-1, 0},
    {1, 1},
    {-1, 1},
    {-1, -1},
    {1, -1},
}};

constexpr int MaxAttempts = 1001;      // start cells tried per direction draw
constexpr int MaxDirectionDraws = 100; // direction draws per word before the board starts again
constexpr int MaxRestarts = 50;        // fresh boards before the words go in row by row

// The direction codes each level allows, first to first + count - 1: right only at level 0 (and
// any unknown level), more directions as the level rises; level 5 never runs right or down.
struct LevelDirections {
    int first;
    int count;
};
constexpr std::array<LevelDirections, Module1::LevelCount> DirectionsOfLevel = {{
    {0, 1},
    {0, 2},
    {0, 4},
    {0, 6},
    {0, 8},
    {2, 6},
}};

LevelDirections directionsOf(int level) {
    return level >= 0 && level < Module1::LevelCount ? DirectionsOfLevel[level]
                                                     : LevelDirections{0, 1};
}

// A level with a single direction takes no draw for it.
int drawDirection(int level, RandomSource& random) {
    const LevelDirections allowed = directionsOf(level);
    return allowed.count == 1 ? allowed.first : allowed.first + random.draw(allowed.count);
}

// Whether all `length` cells from the start lie inside the board: no line runs off one edge of
// a row into the next.
bool fits(int start, int length, Direction d) {
    const int lastRow = Board::row(start) + d.rowStep * (length - 1);
    const int lastColumn = Board::column(start) + d.columnStep * (length - 1);
    return length == 0 ||
           (lastRow >= 0 && lastRow < BoardSide && lastColumn >= 0 && lastColumn < BoardSide);
}

// The start cells that fit, for every direction and length, worked out once.
const CellSet& fittingStarts(int direction, int length) {
    static const auto table = [] {
        std::array<std::array<CellSet, WordPositions>, 8> t;
        for (int d = 0; d < 8; ++d)
            for (int l = 0; l < WordPositions; ++l)
                for (int s = 0; s < BoardCells; ++s)
                    t[d][l][s] = fits(s, l, Directions[d]);
        return t;
    }();
    return table[direction][length];
}

// For one word on the current board: for each letter position, the cells where that letter
// cannot go (used by another letter).
std::vector<CellSet> blockedCells(const Board& board, const std::u32string& letters) {
    std::vector<int> used;
    for (int p = 0; p < BoardCells; ++p)
        if (board.CellUsed[p]) used.push_back(p);
    std::vector<CellSet> blocked(letters.size());
    for (std::size_t j = 0; j < letters.size(); ++j)
        for (int p : used)
            if (board.Letters[p] != letters[j]) blocked[j].set(p);
    return blocked;
}

// Starts from which the whole word fits and meets no other letter: a start s is spoiled when
// letter j would land on a blocked cell s + j * step.
CellSet openStarts(const std::vector<CellSet>& blocked, int direction) {
    const int step = Directions[direction].indexStep();
    CellSet spoiled;
    for (std::size_t j = 0; j < blocked.size(); ++j) {
        const int offset = static_cast<int>(j) * step;
        spoiled |= offset >= 0 ? blocked[j] >> offset : blocked[j] << -offset;
    }
    return fittingStarts(direction, static_cast<int>(blocked.size())) & ~spoiled;
}

void write(Board& board, int slot, int start, const std::u32string& letters, Direction d) {
    for (std::size_t j = 0; j < letters.size(); ++j) {
        const int p = start + static_cast<int>(j) * d.indexStep();
        board.Letters[p] = letters[j];
        board.WordCells[slot][j + 1] = static_cast<std::int16_t>(p);
        board.CellUsed[p] = true;
    }
}

bool tooLong(const std::u32string& letters) {
    return letters.size() > static_cast<std::size_t>(MaxWordLength);
}

} // namespace

void Game::PlaceWords(int level) {
    for (int restart = 0; !placeAll(level); ++restart) {
        // A crowded board left a word no room: start again on a fresh board. After many
        // fresh boards, lay the words along rows, which always succeeds for six words.
        resetCells();
        board.forgetWords();
        if (restart + 1 >= MaxRestarts) {
            for (int k = 0; k < WordSlots; ++k)
                placeInRows(k, boardLetters(k), level);
            break;
        }
    }
    if (RunnerSetup) RunnerSetup();
}

bool Game::placeAll(int level) {
    for (int k = 0; k < WordSlots; ++k) {
        const std::u32string letters = boardLetters(k);
        if (tooLong(letters)) continue; // such pictures are never drawn
        if (!placeWord(k, letters, level)) return false;
    }
    return true;
}

bool Game::placeWord(int slot, const std::u32string& letters, int level) {
    const std::vector<CellSet> blocked = blockedCells(board, letters);
    // A failed direction is drawn again often: its open starts are worked out once.
    std::array<std::optional<CellSet>, Directions.size()> open;
    int roomless = 0;
    for (int draw = 0; draw < MaxDirectionDraws; ++draw) {
        const int direction = drawDirection(level, m_random);
        if (!open[direction]) {
            open[direction] = openStarts(blocked, direction);
            if (open[direction]->none() && ++roomless == directionsOf(level).count) return false;
        }
        if (open[direction]->none()) continue;
        for (int attempt = 0; attempt < MaxAttempts; ++attempt) {
            const int start = m_random.draw(BoardCells);
            if (!open[direction]->test(start)) continue;
            write(board, slot, start, letters, Directions[direction]);
            return true;
        }
    }
    return false;
}

// The last resort: the level's first direction, straight along a row, in the first row with room.
// Six words of at most 12 letters always find six rows.
void Game::placeInRows(int slot, const std::u32string& letters, int level) {
    if (tooLong(letters)) return;
    const int direction = directionsOf(level).first; // leftwards at level 5
    const CellSet open = openStarts(blockedCells(board, letters), direction);
    const int firstColumn = direction == 2 ? BoardSide - 1 : 0;
    for (int row = 0; row < BoardSide; ++row) {
        const int start = row * BoardSide + firstColumn;
        if (open.test(start)) {
            write(board, slot, start, letters, Directions[direction]);
            return;
        }
    }
}
