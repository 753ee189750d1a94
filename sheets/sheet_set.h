// What a set of worksheets holds: per sheet the board, its six pictures and their words, made by
// the game's own round set-up. Nothing is drawn here, so a set can be checked without a PDF.
//
// A set is a run of rounds of one Game over one picture folder with a seeded random source: the
// pictures are chosen, the board cleared and the words placed exactly as the game screen does it,
// and the chooser's record of used pictures carries from sheet to sheet as from round to round. The
// same seed and folder therefore give the same set. Unlike a round, a sheet never shows one picture
// twice: one that would is drawn again.
#pragma once

#include "board.h"
#include "board_letters.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace sheets {

inline constexpr int MaxSheets = 500;

struct SheetRequest {
    // The folders the game draws from, the winning first (AssetPaths::pictureFolders()), or one.
    QStringList pictureFolders;
    int level = 1; // as the level menu numbers them, 1 to Module1::LevelCount
    int count = 1; // 1 to MaxSheets
    std::uint64_t seed = 0;
    bool lowerCase = false; // letters and words as the game shows them with its lower-case switch
    // A theme of the folders (a folder inside them), as the game draws it; empty: all pictures.
    QString theme;
    // How the boards spell the words, as the game's boards do (PlaySettings::letters).
    LetterRule letters;
};

struct Sheet {
    Board board; // the letters as the game holds them, and each word's cells
    std::array<QString, WordSlots> pictureFiles; // by the names the folder listing gives
    std::array<QString, WordSlots> words;        // as printed
    std::array<QString, BoardCells> letters;     // as printed, row by row
};

struct SheetSet {
    QStringList pictureFolders;
    int level = 1;
    std::vector<Sheet> sheets;

    // Where a sheet's picture comes from: the folder its name was listed from.
    QString picturePath(const Sheet& sheet, int slot) const;
};

// The set, or one line saying why it cannot be made.
struct MadeSet {
    std::optional<SheetSet> set;
    QString problem;
};

// What is wrong with the request before any picture is looked at: its level, its count or its
// folder; nullopt when nothing is.
std::optional<QString> requestProblem(const SheetRequest& request);

MadeSet makeSheetSet(const SheetRequest& request);

} // namespace sheets
