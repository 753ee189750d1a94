// The game screen's layout in twips: the letter board and its buttons, the picture panel and the
// picture viewer's window, as pure functions of the screen's size.
#pragma once

// Everything here is computed in twips, as the game's layout is defined, and turned into pixels at
// one place only (toPixelRect), so that the arithmetic can be checked number by number against the
// screen-size tables without any window. It sits below the windows so that the programs beside
// the game (the folder check) size pictures with the game's own arithmetic.
//
// The layout stays usable on any screen: the board's pitch is also limited by the screen's height,
// and the two caption buttons keep a gap above the board. A picture column starts below the corner
// buttons, shrinks where it would otherwise leave the screen, and is centred in its space when that
// leaves it narrower than the space; a column that fits follows the screen-size tables' formulas
// exactly (kept: see docs/behaviours.md). The viewer shows a picture at least half the screen high
// and never larger than the screen. What has a fixed size (letters, animations, the menu and the
// splash) grows with the board past the pitch of a 1,024 x 768 screen, and windows shrink to fit
// small screens.

#include "board.h"

#include <QRect>
#include <array>
#include <cstdint>

struct TwipsRect {
    double Left = 0, Top = 0, Width = 0, Height = 0;
};

// The one place where a twips rectangle becomes pixels. The edges are rounded, not the size, so
// that neighbours that touch in twips touch in pixels as well.
QRect toPixelRect(const TwipsRect& twips);

// x rounded to the nearest whole number, halves to the even one (2.5 gives 2, 3.5 gives 4), as the
// layout's formulas round; the same under any floating-point rounding mode.
double roundHalfEven(double x);

// The layout's names for the board's size: one button a cell.
inline constexpr int BoardColumns = BoardSide;
inline constexpr int BoardButtons = BoardCells;

struct GameScreenLayout {
    float CellSize = 0;        // the board's pitch: one cell plus a one-twip gap
    std::int32_t GridLeft = 0; // the board's left edge
    double GridTop = 0;        // the board's top edge minus 500
    std::array<TwipsRect, BoardButtons> Command1{}; // row by row: 0 top left, 143 bottom right
    TwipsRect Command2, Command3, List2;
    std::array<TwipsRect, 2> Command4{}; // exit, then minimise to its left
    // Where the round's end sign stands: beside the board, never over it, so that the words the
    // round's end reveals stay in sight.
    TwipsRect EndSign;
    // The round's tries, a row of eight small pictures in the strip above the score button.
    TwipsRect Tries;
    // Upright screens only: the rows of three pictures above and below the board, each row with
    // room under its pictures for their captions. Empty on screens wider than tall.
    std::array<TwipsRect, 2> PictureRows{};
};

// Whether a screen of this size is laid out upright: the board across its width, the pictures
// above and below it.
bool isUpright(double screenWidth, double screenHeight);

// The board, the word-list and score buttons above it, the word list and the two picture buttons
// in the top right corner, for a screen of the given size in twips.
GameScreenLayout ArrangeGameScreen(double screenWidth, double screenHeight);

// What the panel needs to know of one picture slot, in twips.
struct PanelInput {
    double naturalWidth = 0, naturalHeight = 0; // 0 x 0: nothing was ever loaded into the slot
    // The caption's width for letters one twip high (its font's size): how wide its word is.
    double captionWidthPerHeight = 0;
};

// A found word's caption: its box, and the size of its letters (the font's size), in twips.
struct CaptionPlace {
    TwipsRect box;
    double letterHeight = 0;
};

struct PanelLayout {
    // Slots 0-2 the left column, 3-5 the right, top to bottom; upright, 0-2 the row above the
    // board and 3-5 the row below, left to right.
    std::array<TwipsRect, 6> Image1{};
    std::array<CaptionPlace, 6> Label1{};
};

// The six pictures in two columns beside the board, given the board's left edge
// (Command1(0).Left) and right edge (Command1(11).Left + Width).
PanelLayout ArrangePicturePanel(double boardLeft, double boardRight, double screenWidth,
                                double screenHeight, const std::array<PanelInput, 6>& pictures);
// The six pictures where the screen's layout puts them: in columns beside its board, or upright
// in its rows above and below it.
PanelLayout ArrangePictures(const GameScreenLayout& screen, double screenWidth, double screenHeight,
                            const std::array<PanelInput, 6>& pictures);

// A found word's caption over picture: letters a third of the picture's height, smaller where the
// word would not fit the picture's width, the box as wide as the picture and centred on its lower
// edge, so that the caption covers the picture's bottom edge rather than its middle. It stays
// above the screen's bottom edge.
CaptionPlace FoundCaption(const TwipsRect& picture, double widthPerHeight, double screenHeight);

// The top below which a picture column starts: under the corner buttons, grown by growth as the
// board grows, with the gap kept between two pictures.
double lowestColumnTop(double growth = 1);

// The top of a column whose pictures are ha, hb and hc high: the space they leave, less 1000,
// rounded halves-to-even and halved toward zero (so -7 gives -3).
int columnTop(double ha, double hb, double hc, double screenHeight);

struct ViewerPlacement {
    TwipsRect window;                           // outer rectangle, frame included
    double pictureWidth = 0, pictureHeight = 0; // the size at which the picture is shown
};

// The viewer's window centred on the screen around a picture of the given natural size: shown at
// least half the screen high (a smaller one scaled up, to twice its size at most), and within the
// screen.
ViewerPlacement ViewerWindow(double pictureWidth, double pictureHeight, double screenWidth,
                             double screenHeight);

// How much fixed sizes grow with the board: its pitch over the pitch at 1,024 x 768, never below 1.
double boardGrowth(float cellSize);

// The factor for a window designed designWidth x designHeight twips (frame included): it grows
// with the board, and shrinks where the screen cannot hold it with a margin all round.
double windowScale(double designWidth, double designHeight, double screenWidth,
                   double screenHeight);

// The rectangle's every edge multiplied by factor.
TwipsRect scaled(const TwipsRect& rect, double factor);
