// The 12 x 12 letter board, the round's six picture words, and the colours the board shows.
//
// The game core keeps every rule of the game screen in plain classes that know nothing of
// widgets: the windows mirror this state into their buttons and labels and carry out the
// effects that the operations return (sounds, animations, timers).
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

inline constexpr int BoardSide = 12;
inline constexpr int BoardCells = BoardSide * BoardSide; // cells 0..143, row by row
inline constexpr int WordSlots = 6;
inline constexpr int WordPositions = 13; // letter positions 1..12; position 0 is never used
inline constexpr int MaxWordLength = WordPositions - 1;
inline constexpr int MaxErrors = 8;

// Colours as 0xBBGGRR numbers, red in the low byte; the screens turn them into QColor at one place.
using Colour = std::uint32_t;
namespace colours {
inline constexpr Colour White = 0xFFFFFF;
inline constexpr Colour Miss = 0x0000FF;      // red
inline constexpr Colour Reveal = 0x00FF00;    // green: the letters of the words not found
inline constexpr Colour SharedHit = 0xFF0000; // blue: one click credited to two or more words
inline constexpr std::array<Colour, WordSlots> Word = {0xFFC0FF, 0xC0FFFF, 0xC0FFC0,
                                                       0xC0C0FF, 0xFFFFC0, 0xFFC0C0};
// The 16-colour text-mode palette through which the last found word's caption flashes; it
// never gets 15, bright white.
inline constexpr std::array<Colour, 15> Flash = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF,
};
} // namespace colours

// What a letter's state is, for the screens to show by more than colour: about one boy in twelve
// cannot tell the miss red from the reveal green.
enum class CellMark { None, Miss, Hint, Found, Revealed };

// How one letter button looks; reset at every round.
struct CellLook {
    Colour BackColor = colours::White;
    int FontSize = 18;
    bool FontBold = false;
    bool Enabled = true;
    CellMark Mark = CellMark::None;
    bool operator==(const CellLook&) const = default;
};

struct Board {
    Board();

    static int row(int cell) { return cell / BoardSide; }
    static int column(int cell) { return cell % BoardSide; }

    // One character per cell (a code point, so that any letter of a file name fits).
    std::array<char32_t, BoardCells> Letters{};
    // True on the cells of the placed words and on cells spent by a wrong click.
    std::array<bool, BoardCells> CellUsed{};
    // WordCells[k][j]: the cell of letter j (1..12) of word k, or -1.
    std::array<std::array<std::int16_t, WordPositions>, WordSlots> WordCells{};
    std::array<CellLook, BoardCells> Look{};

    QString caption(int cell) const;
    void forgetWords(); // every WordCells entry back to -1
};

// The six picture-word slots of a round: slots 0..2 the left column, 3..5 the right.
struct WordList {
    std::array<QString, WordSlots> Words;        // upper case, as the player must find it
    std::array<QString, WordSlots> PictureFiles; // file name as the folder listing gives it
};
