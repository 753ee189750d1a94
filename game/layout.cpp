// The game screen's layout in twips: board, buttons, picture panel and viewer window.
#include "layout.h"

#include "units.h"

#include <algorithm>
#include <cmath>
#include <limits>

double roundHalfEven(double x) {
    // std::round takes halves away from zero whatever the rounding mode; a half is then taken to
    // the even neighbour by rounding half of it.
    if (std::fabs(x - std::trunc(x)) == 0.5) return 2.0 * std::round(x / 2.0);
    return std::round(x);
}

namespace {

// The caption buttons' design height, which their top leaves room for.
constexpr double DesignButtonHeight = 495;
// The least gap between the caption buttons and the board's first row.
constexpr double ButtonGap = 50;
constexpr double PictureButtonSize = 615;
constexpr double PictureButtonMargin = 10;
// The tries' row keeps this clear of the screen's top and of the score button.
constexpr double TriesMargin = 30;

// The pitch of a 1,024 x 768 screen, at which every fixed size was designed.
constexpr double ReferenceCellSize = 731;
// What a window keeps clear of the screen's edges when it has to shrink.
constexpr double WindowMargin = 150;

constexpr double PanelMargin = 75;     // from the screen's left edge, and from the board's right
constexpr double PanelWidthLoss = 125; // the column is L - 125 wide, 50 twips short of the board
constexpr double PictureGap = 50;      // between two pictures of a column
constexpr double PanelBottomSpace = 1000;

// Upright screens: the board across the width with a margin of 0.3 pitch each side, unless the
// height cannot hold, besides the board, the buttons and the running figure (UprightFixedHeight
// and about 2.5 pitches), two rows of pictures three pitches high with their captions' room.
constexpr float UprightWidthPitches = 12.6f;
constexpr float UprightHeightPitches = 22.5f;
constexpr double UprightFixedHeight = 1400;
// Under each row of pictures, a share of their height is kept clear for the lower half of their
// found words' captions.
constexpr double CaptionRoom = 0.25;
constexpr double RunnerDesignSize = 735; // the running figure, grown with the board
constexpr double UprightTriesHeight = 600;

// A found word's letters are a third of its picture's height, and fill at most this share of the
// picture's width; the box is taller than the letters by their line's spacing.
constexpr double CaptionShare = 1.0 / 3;
constexpr double CaptionFill = 0.94;
constexpr double CaptionLineHeight = 1.3;

// Outer window size minus the picture's size: frame, and the picture box's offset of 120.
constexpr double ViewerExtraWidth = 325;
constexpr double ViewerExtraHeight = 700;

double shownHeight(double width, const PanelInput& picture) {
    // A slot that never held a picture has no proportions to keep.
    if (picture.naturalWidth <= 0) return 0;
    return std::floor(width * roundHalfEven(picture.naturalHeight) / picture.naturalWidth);
}

// A column too tall for the room between the corner buttons and the bottom would put its lower
// pictures and the found words' captions below the screen's edge, or its top picture under the
// exit button: one common factor keeps the pictures' proportions and their order and makes the
// column fill that room exactly (a top of lowestColumnTop, as columnTop computes it). Fractions of
// a twip are left to the pixel conversion.
void shrinkColumn(TwipsRect& a, TwipsRect& b, TwipsRect& c, double screenHeight, double growth) {
    const double sum = a.Height + b.Height + c.Height;
    const double room = screenHeight - PanelBottomSpace - 2 * lowestColumnTop(growth);
    if (sum <= 0 || room <= 0) return;
    const double factor = room / sum;
    for (TwipsRect* picture : {&a, &b, &c}) {
        picture->Width *= factor;
        picture->Height *= factor;
    }
}

// A column narrower than its space, from spaceLeft to spaceRight, stands in its middle.
void centreColumn(TwipsRect& a, TwipsRect& b, TwipsRect& c, double spaceLeft, double spaceRight) {
    const double left = spaceLeft + (spaceRight - spaceLeft - a.Width) / 2;
    for (TwipsRect* picture : {&a, &b, &c})
        picture->Left = left;
}

void placeColumn(PanelLayout& panel, int first, double screenHeight, double spaceLeft,
                 double spaceRight, double growth) {
    TwipsRect& a = panel.Image1[first];
    TwipsRect& b = panel.Image1[first + 1];
    TwipsRect& c = panel.Image1[first + 2];
    const double lowest = lowestColumnTop(growth);
    if (columnTop(a.Height, b.Height, c.Height, screenHeight) < lowest) {
        shrinkColumn(a, b, c, screenHeight, growth);
        centreColumn(a, b, c, spaceLeft, spaceRight);
    }
    a.Top = std::max<double>(columnTop(a.Height, b.Height, c.Height, screenHeight), lowest);
    b.Top = a.Top + a.Height + PictureGap;
    c.Top = b.Top + b.Height + PictureGap;
}

// Three pictures side by side in row, each as large as its third of the row allows, standing on
// the row's lower edge so that their captions fall into the room kept under it.
void placeRow(PanelLayout& panel, int first, const TwipsRect& row,
              const std::array<PanelInput, 6>& pictures) {
    const double slotWidth = std::max(0.0, (row.Width - 2 * PanelMargin) / 3);
    for (int i = 0; i < 3; ++i) {
        const PanelInput& picture = pictures[first + i];
        TwipsRect& image = panel.Image1[first + i];
        image.Width = slotWidth;
        image.Height = 0;
        if (picture.naturalWidth > 0 && picture.naturalHeight > 0) {
            const double factor =
                std::min(slotWidth / picture.naturalWidth, row.Height / picture.naturalHeight);
            image.Width = std::floor(picture.naturalWidth * factor);
            image.Height = std::floor(picture.naturalHeight * factor);
        }
        image.Left = row.Left + i * (slotWidth + PanelMargin) + (slotWidth - image.Width) / 2;
        image.Top = row.Top + row.Height - image.Height;
    }
}

void placeCaptions(PanelLayout& panel, const std::array<PanelInput, 6>& pictures,
                   double screenHeight) {
    for (int k = 0; k < 6; ++k)
        panel.Label1[k] =
            FoundCaption(panel.Image1[k], pictures[k].captionWidthPerHeight, screenHeight);
}

float boardPitch(double screenWidth, double screenHeight) {
    // Single precision (kept: see docs/behaviours.md). The height bound (13.5 pitches for the
    // board and the buttons above it, two more for the running figure below) only decides on
    // screens wider than about 4:3, so on 4:3 and 5:4 screens the pitch follows the width alone.
    if (!isUpright(screenWidth, screenHeight))
        return std::floor(std::min(static_cast<float>(screenWidth) / 21.0f,
                                   static_cast<float>(screenHeight) / 15.5f));
    return std::floor(std::max(
        0.0f,
        std::min(static_cast<float>(screenWidth) / UprightWidthPitches,
                 static_cast<float>(screenHeight - UprightFixedHeight) / UprightHeightPitches)));
}

} // namespace

bool isUpright(double screenWidth, double screenHeight) {
    return screenHeight > screenWidth;
}

QRect toPixelRect(const TwipsRect& twips) {
    const int left = units::toPixels(twips.Left);
    const int top = units::toPixels(twips.Top);
    const int right = units::toPixels(twips.Left + twips.Width);
    const int bottom = units::toPixels(twips.Top + twips.Height);
    return QRect(left, top, right - left, bottom - top);
}

GameScreenLayout ArrangeGameScreen(double screenWidth, double screenHeight) {
    GameScreenLayout g;
    g.CellSize = boardPitch(screenWidth, screenHeight);
    const double cell = g.CellSize;
    const double growth = boardGrowth(g.CellSize);
    const double buttonRoom = std::max(DesignButtonHeight + ButtonGap, cell - ButtonGap);
    g.GridLeft = static_cast<std::int32_t>(std::floor((screenWidth - 12.0 * cell) / 2.0));
    g.GridTop = std::floor((screenHeight - 13.5 * cell) / 2.0);
    double uprightTriesTop = 0;
    if (isUpright(screenWidth, screenHeight)) {
        // From the top: the corner buttons, a row of pictures with its captions' room, the tries,
        // the buttons, the board, the running figure, the other row of pictures and its room.
        const double rowTop = lowestColumnTop(growth);
        const double runnerRoom = RunnerDesignSize * growth + PictureGap;
        const double free = screenHeight - rowTop - UprightTriesHeight - buttonRoom - 12 * cell -
                            runnerRoom - PanelMargin;
        const double rowHeight = std::max(0.0, free / (2 * (1 + CaptionRoom)));
        const double rowWidth = screenWidth - 2 * PanelMargin;
        g.PictureRows[0] = {PanelMargin, rowTop, rowWidth, rowHeight};
        uprightTriesTop = rowTop + rowHeight * (1 + CaptionRoom);
        g.GridTop = uprightTriesTop + UprightTriesHeight + buttonRoom - 500;
        g.PictureRows[1] = {PanelMargin, g.GridTop + 500 + 12 * cell - 1 + runnerRoom, rowWidth,
                            rowHeight};
    }

    for (int i = 0; i < BoardButtons; ++i) {
        const int column = i % BoardColumns;
        const int row = i / BoardColumns;
        g.Command1[i] = {g.GridLeft + cell * column, g.GridTop + cell * row + 500, cell - 1,
                         cell - 1};
    }
    const TwipsRect& first = g.Command1[0];
    const TwipsRect& middle = g.Command1[5];
    const TwipsRect& topRight = g.Command1[11];
    const TwipsRect& last = g.Command1[143];

    // The buttons are CellSize - 100 high, more than the design height on large pitches: their
    // top makes room for whichever is taller, so that they stay 50 twips above the first row.
    const double buttonTop = first.Top - buttonRoom;
    g.Command2.Top = buttonTop;
    g.Command2.Left = first.Left;
    g.Command2.Width = middle.Left + middle.Width - g.Command2.Left;
    g.Command2.Height = cell - 100;

    g.Command3.Top = buttonTop;
    g.Command3.Left = g.Command2.Left + g.Command2.Width + 10;
    g.Command3.Width = topRight.Left + topRight.Width - g.Command3.Left;
    g.Command3.Height = cell - 100;

    g.List2.Top = first.Top;
    g.List2.Left = first.Left;
    g.List2.Width = g.Command2.Width;
    g.List2.Height = last.Top + last.Height - g.List2.Top + 100;

    // Above the score, right-aligned with it, eight squares at most as tall as the strip allows:
    // the strip over the buttons, or upright the one kept between them and the upper pictures.
    const double triesTop = g.PictureRows[0].Height > 0 ? uprightTriesTop : 0;
    const double triesHeight = std::max(0.0, buttonTop - triesTop - 2 * TriesMargin);
    const double triesWidth = std::min(g.Command3.Width, MaxErrors * triesHeight);
    g.Tries = {g.Command3.Left + g.Command3.Width - triesWidth, triesTop + TriesMargin, triesWidth,
               triesHeight};

    // Over the left picture column, from the board's first row to its last; upright, over the
    // row of pictures above the board.
    g.EndSign = {PanelMargin, first.Top, std::max(0.0, g.GridLeft - 2 * PanelMargin),
                 last.Top + last.Height - first.Top};
    if (g.PictureRows[0].Height > 0) g.EndSign = g.PictureRows[0];

    // The corner buttons grow with the board, like everything else of a fixed size.
    const double side = PictureButtonSize * growth;
    const double exitLeft = screenWidth - side - PictureButtonMargin;
    g.Command4[0] = {exitLeft, PictureButtonMargin, side, side};
    g.Command4[1] = {exitLeft - side, PictureButtonMargin, side, side};
    return g;
}

int columnTop(double ha, double hb, double hc, double screenHeight) {
    const double space = screenHeight - (ha + hb + hc) - PanelBottomSpace;
    // Integer division truncates toward zero, as the halving is defined.
    return static_cast<int>(roundHalfEven(space)) / 2;
}

double lowestColumnTop(double growth) {
    return PictureButtonMargin + PictureButtonSize * growth + PictureGap;
}

CaptionPlace FoundCaption(const TwipsRect& picture, double widthPerHeight, double screenHeight) {
    CaptionPlace caption;
    double letters = picture.Height * CaptionShare;
    if (widthPerHeight > 0)
        letters = std::min(letters, picture.Width * CaptionFill / widthPerHeight);
    caption.letterHeight = std::max(0.0, letters);
    TwipsRect& box = caption.box;
    box.Width = picture.Width;
    box.Height = caption.letterHeight * CaptionLineHeight;
    box.Left = picture.Left;
    const double centred = picture.Top + picture.Height - box.Height / 2;
    box.Top = std::max(0.0, std::min(centred, screenHeight - box.Height));
    return caption;
}

PanelLayout ArrangePicturePanel(double boardLeft, double boardRight, double screenWidth,
                                double screenHeight, const std::array<PanelInput, 6>& pictures) {
    PanelLayout panel;
    const double width = boardLeft - PanelWidthLoss;
    for (int k = 0; k < 6; ++k) {
        TwipsRect& image = panel.Image1[k];
        image.Left = k < 3 ? PanelMargin : boardRight + PanelMargin;
        image.Width = width;
        image.Height = shownHeight(width, pictures[k]);
    }
    // The corner buttons grow with the board: its pitch from its width, twelve cells less a gap.
    const double growth = boardGrowth(static_cast<float>((boardRight - boardLeft + 1) / 12));
    placeColumn(panel, 0, screenHeight, 0, boardLeft, growth);
    placeColumn(panel, 3, screenHeight, boardRight, screenWidth, growth);
    placeCaptions(panel, pictures, screenHeight);
    return panel;
}

PanelLayout ArrangePictures(const GameScreenLayout& screen, double screenWidth, double screenHeight,
                            const std::array<PanelInput, 6>& pictures) {
    const TwipsRect& right = screen.Command1[BoardColumns - 1];
    if (screen.PictureRows[0].Height <= 0)
        return ArrangePicturePanel(screen.Command1[0].Left, right.Left + right.Width, screenWidth,
                                   screenHeight, pictures);
    PanelLayout panel;
    placeRow(panel, 0, screen.PictureRows[0], pictures);
    placeRow(panel, 3, screen.PictureRows[1], pictures);
    placeCaptions(panel, pictures, screenHeight);
    return panel;
}

ViewerPlacement ViewerWindow(double pictureWidth, double pictureHeight, double screenWidth,
                             double screenHeight) {
    ViewerPlacement v;
    constexpr double unbounded = std::numeric_limits<double>::infinity();
    // A small picture shown at its natural size is hard to see from a child's chair: it grows to
    // half the screen's height, but never beyond twice its size, where it turns to blur. Whatever
    // it grows to, the viewer and the picture that closes it stay on the screen.
    constexpr double MostEnlarged = 2.0;
    const double toHalf =
        pictureHeight > 0 ? std::clamp(screenHeight / 2 / pictureHeight, 1.0, MostEnlarged) : 1.0;
    const double byWidth =
        pictureWidth > 0 ? (screenWidth - ViewerExtraWidth) / pictureWidth : unbounded;
    const double byHeight =
        pictureHeight > 0 ? (screenHeight - ViewerExtraHeight) / pictureHeight : unbounded;
    const double factor = std::max(0.0, std::min({toHalf, byWidth, byHeight}));
    v.pictureWidth = std::floor(pictureWidth * factor);
    v.pictureHeight = std::floor(pictureHeight * factor);
    v.window.Width = v.pictureWidth + ViewerExtraWidth;
    v.window.Height = v.pictureHeight + ViewerExtraHeight;
    v.window.Left = std::floor((screenWidth - v.window.Width) / 2);
    v.window.Top = std::floor((screenHeight - v.window.Height) / 2);
    return v;
}

double boardGrowth(float cellSize) {
    return std::max(1.0, cellSize / ReferenceCellSize);
}

double windowScale(double designWidth, double designHeight, double screenWidth,
                   double screenHeight) {
    const double growth = boardGrowth(ArrangeGameScreen(screenWidth, screenHeight).CellSize);
    if (designWidth <= 0 || designHeight <= 0) return growth;
    const double fit = std::min((screenWidth - 2 * WindowMargin) / designWidth,
                                (screenHeight - 2 * WindowMargin) / designHeight);
    return std::max(0.1, std::min(growth, fit));
}

TwipsRect scaled(const TwipsRect& rect, double factor) {
    return {rect.Left * factor, rect.Top * factor, rect.Width * factor, rect.Height * factor};
}
