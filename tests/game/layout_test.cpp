// The game screen's layout in twips against the screen-size tables, and the wide-screen fixes.
#include "layout.h"

#include <gtest/gtest.h>

namespace {

constexpr double Px = 15; // twips to the pixel
constexpr double RunnerHeight = 735;

void expectRect(const TwipsRect& r, double left, double top, double width, double height) {
    EXPECT_EQ(r.Left, left);
    EXPECT_EQ(r.Top, top);
    EXPECT_EQ(r.Width, width);
    EXPECT_EQ(r.Height, height);
}

bool overlaps(const TwipsRect& a, const TwipsRect& b) {
    return a.Left < b.Left + b.Width && b.Left < a.Left + a.Width && a.Top < b.Top + b.Height &&
           b.Top < a.Top + a.Height;
}

bool onScreen(const TwipsRect& r, double width, double height) {
    return r.Left >= 0 && r.Top >= 0 && r.Left + r.Width <= width && r.Top + r.Height <= height;
}

TwipsRect boardOf(const GameScreenLayout& g) {
    const TwipsRect& first = g.Command1[0];
    const TwipsRect& last = g.Command1[143];
    return {first.Left, first.Top, last.Left + last.Width - first.Left,
            last.Top + last.Height - first.Top};
}

TwipsRect runnerRowOf(const GameScreenLayout& g) {
    const TwipsRect& start = g.Command1[132];
    const TwipsRect& finish = g.Command1[143];
    return {start.Left, start.Top + start.Height, finish.Left + RunnerHeight - start.Left,
            RunnerHeight};
}

struct ClassicScreen {
    const char* name;
    double width, height;
    float cellSize;
    int gridLeft;
    double gridTop;
    double firstTop;
};

class ClassicScreens : public ::testing::TestWithParam<ClassicScreen> {};

TEST_P(ClassicScreens, boardKeepsTheClassicPitchAndPlace) {
    const ClassicScreen& s = GetParam();
    const GameScreenLayout g = ArrangeGameScreen(s.width, s.height);
    EXPECT_EQ(g.CellSize, s.cellSize);
    EXPECT_EQ(g.GridLeft, s.gridLeft);
    EXPECT_EQ(g.GridTop, s.gridTop);
    expectRect(g.Command1[0], s.gridLeft, s.firstTop, s.cellSize - 1, s.cellSize - 1);
}

TEST_P(ClassicScreens, neighboursLeaveAOneTwipGapAndAtMostAPixelOnScreen) {
    const ClassicScreen& s = GetParam();
    const GameScreenLayout g = ArrangeGameScreen(s.width, s.height);
    for (int i = 0; i < BoardButtons; ++i) {
        const TwipsRect& cell = g.Command1[i];
        if (i % BoardColumns != BoardColumns - 1) {
            const TwipsRect& right = g.Command1[i + 1];
            EXPECT_EQ(right.Left - (cell.Left + cell.Width), 1) << "cell " << i;
            const int pixels = toPixelRect(right).left() - (toPixelRect(cell).right() + 1);
            EXPECT_TRUE(pixels == 0 || pixels == 1) << "cell " << i;
        }
        if (i + BoardColumns < BoardButtons) {
            const TwipsRect& below = g.Command1[i + BoardColumns];
            EXPECT_EQ(below.Top - (cell.Top + cell.Height), 1) << "cell " << i;
            const int pixels = toPixelRect(below).top() - (toPixelRect(cell).bottom() + 1);
            EXPECT_TRUE(pixels == 0 || pixels == 1) << "cell " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layout, ClassicScreens,
    ::testing::Values(ClassicScreen{"800x600", 12000, 9000, 571, 2574, 645, 1145},
                      ClassicScreen{"1024x768", 15360, 11520, 731, 3294, 825, 1325},
                      ClassicScreen{"640x480", 9600, 7200, 457, 2058, 515, 1015}),
    [](const auto& info) { return std::string("screen") + info.param.name; });

TEST(Layout, screenOf800x600PlacesEveryControlAsTabled) {
    const GameScreenLayout g = ArrangeGameScreen(12000, 9000);
    EXPECT_EQ(g.Command1[11].Left, 8855);
    EXPECT_EQ(g.Command1[11].Top, 1145);
    EXPECT_EQ(g.Command1[143].Left, 8855);
    EXPECT_EQ(g.Command1[143].Top, 7426);
    expectRect(g.Command2, 2574, 600, 3425, 471);
    expectRect(g.Command3, 6009, 600, 3416, 471);
    expectRect(g.List2, 2574, 1145, 3425, 6951);
    expectRect(g.Command4[0], 11375, 10, 615, 615);
    expectRect(g.Command4[1], 10760, 10, 615, 615);
}

TEST(Layout, screenOf1024x768LiftsTheCaptionButtonsOffTheFirstRow) {
    const GameScreenLayout g = ArrangeGameScreen(15360, 11520);
    // Classically at Top 780, reaching 86 twips into the first row of letters.
    EXPECT_EQ(g.Command2.Top, 644);
    EXPECT_EQ(g.Command2.Height, 631);
    EXPECT_EQ(g.Command3.Top, 644);
    EXPECT_EQ(g.Command3.Height, 631);
    EXPECT_EQ(g.Command1[0].Top - (g.Command2.Top + g.Command2.Height), 50);
    EXPECT_EQ(g.List2.Width, 4385);
    EXPECT_EQ(g.List2.Height, 8871);
}

TEST(Layout, screenOf640x480KeepsTheClassicCaptionButtons) {
    const GameScreenLayout g = ArrangeGameScreen(9600, 7200);
    expectRect(g.Command2, 2058, 470, 2741, 357);
    EXPECT_EQ(g.Command3.Top, 470);
}

TEST(Layout, pixelRectangleRoundsItsEdges) {
    // 2574 / 15 = 171.6 and (2574 + 570) / 15 = 209.6: the edges round, the size follows them.
    EXPECT_EQ(toPixelRect({2574, 1145, 570, 570}), QRect(172, 76, 38, 38));
    EXPECT_EQ(toPixelRect({7.5, 22.5, 15, 15}), QRect(1, 2, 1, 1));
}

class WideScreens : public ::testing::TestWithParam<QSize> {
  protected:
    double width() const { return GetParam().width() * Px; }
    double height() const { return GetParam().height() * Px; }
};

TEST_P(WideScreens, boardButtonsAndRunnerLieOnTheScreen) {
    const GameScreenLayout g = ArrangeGameScreen(width(), height());
    EXPECT_TRUE(onScreen(boardOf(g), width(), height()));
    EXPECT_TRUE(onScreen(g.Command2, width(), height()));
    EXPECT_TRUE(onScreen(g.Command3, width(), height()));
    EXPECT_TRUE(onScreen(g.Command4[0], width(), height()));
    EXPECT_TRUE(onScreen(g.Command4[1], width(), height()));
    EXPECT_TRUE(onScreen(runnerRowOf(g), width(), height()));
}

TEST_P(WideScreens, nothingCoversTheBoard) {
    const GameScreenLayout g = ArrangeGameScreen(width(), height());
    const TwipsRect board = boardOf(g);
    EXPECT_FALSE(overlaps(g.Command2, board));
    EXPECT_FALSE(overlaps(g.Command3, board));
    EXPECT_FALSE(overlaps(g.Command4[0], board));
    EXPECT_FALSE(overlaps(g.Command4[1], board));
    EXPECT_FALSE(overlaps(runnerRowOf(g), board));
    EXPECT_FALSE(overlaps(g.Command2, g.Command3));
}

INSTANTIATE_TEST_SUITE_P(Layout, WideScreens,
                         ::testing::Values(QSize(1920, 1080), QSize(1366, 768), QSize(2560, 1440),
                                           QSize(3840, 2160)),
                         [](const auto& info) {
                             return "screen" + std::to_string(info.param.width()) + "x" +
                                    std::to_string(info.param.height());
                         });

// --- Picture panel -------------------------------------------------------------------------------

std::array<PanelInput, 6> allPictures(double naturalWidth, double naturalHeight) {
    std::array<PanelInput, 6> pictures;
    pictures.fill({naturalWidth, naturalHeight, 2}); // a short word: SOL is about 2 letters wide
    return pictures;
}

TEST(Layout, panelPictureTakesTheCommonWidthAndKeepsItsProportions) {
    const PanelLayout p = ArrangePicturePanel(2040, 9000, 11040, 11520, allPictures(1500, 1000));
    EXPECT_EQ(p.Image1[0].Width, 1915);
    EXPECT_EQ(p.Image1[0].Height, 1276);
}

TEST(Layout, panelRoundsTheNaturalHeightHalvesToEven) {
    // At width 1500 the shown height is the rounded natural height.
    struct Row {
        double naturalHeight, shown;
    };
    for (const Row row : {Row{1000.5, 1000}, Row{1001.5, 1002}, Row{999.4, 999}}) {
        const PanelLayout p =
            ArrangePicturePanel(1625, 9000, 10625, 20000, allPictures(1500, row.naturalHeight));
        EXPECT_EQ(p.Image1[0].Height, row.shown) << row.naturalHeight;
    }
}

TEST(Layout, panelStacksEachColumnFromItsComputedTop) {
    // At L = 3125 the common width is 3000, so natural 3000 x h is shown h high.
    std::array<PanelInput, 6> pictures = allPictures(3000, 3000);
    pictures[2].naturalHeight = 3001;
    pictures[5].naturalHeight = 3001;
    pictures[4].captionWidthPerHeight = 6; // a long word: its letters fit the width
    const PanelLayout p = ArrangePicturePanel(3125, 12000, 15125, 11520, pictures);
    const double tops[] = {759, 3809, 6859};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(p.Image1[k].Top, tops[k % 3]) << "slot " << k;
        EXPECT_EQ(p.Image1[k].Left, k < 3 ? 75 : 12075) << "slot " << k;
        EXPECT_EQ(p.Image1[k].Width, 3000) << "slot " << k;
        EXPECT_EQ(p.Label1[k].box.Left, p.Image1[k].Left) << "slot " << k;
    }
    // Each caption is centred on its picture's lower edge.
    EXPECT_DOUBLE_EQ(p.Label1[4].box.Top + p.Label1[4].box.Height / 2, 3809 + 3000);
    EXPECT_DOUBLE_EQ(p.Label1[4].letterHeight, 3000 * 0.94 / 6);
    EXPECT_DOUBLE_EQ(p.Label1[2].box.Top + p.Label1[2].box.Height / 2, 6859 + 3001);
}

TEST(Layout, columnTopRoundsHalvesToEvenThenHalvesTowardZero) {
    struct Row {
        double space;
        int top;
    };
    for (const Row row : {Row{1519, 759}, Row{-7, -3}, Row{7, 3}, Row{2.5, 1}, Row{3.5, 2},
                          Row{-2.5, -1}, Row{-3.5, -2}, Row{0.4, 0}}) {
        EXPECT_EQ(columnTop(0, 0, 0, 1000 + row.space), row.top) << row.space;
    }
    EXPECT_EQ(columnTop(3000, 3000, 3001, 11520), 759);
}

TEST(Layout, panelSlotThatNeverHeldAPictureIsFlat) {
    std::array<PanelInput, 6> pictures = allPictures(1500, 1000);
    pictures[1] = {0, 0, 2};
    const PanelLayout p = ArrangePicturePanel(2040, 9000, 11040, 11520, pictures);
    EXPECT_EQ(p.Image1[1].Height, 0);
    EXPECT_EQ(p.Image1[2].Top, p.Image1[0].Top + 1276 + 50 + 0 + 50);
}

TEST(Layout, panelShrinksAColumnTooTallForTheScreenAndCentresIt) {
    // Portrait photos beside an 800 x 600 board on a 640 x 480 screen: 3 x 2553 does not fit.
    std::array<PanelInput, 6> pictures = allPictures(1500, 1000);
    for (int k = 0; k < 3; ++k)
        pictures[k] = {3000, 4000, 2};
    const double screenHeight = 7200;
    const PanelLayout p = ArrangePicturePanel(2040, 9000, 11040, screenHeight, pictures);
    const TwipsRect& a = p.Image1[0];
    const TwipsRect& c = p.Image1[2];
    EXPECT_EQ(a.Top, lowestColumnTop());
    EXPECT_NEAR(c.Top + c.Height, screenHeight - 900 - lowestColumnTop(), 1);
    for (int k = 0; k < 3; ++k) {
        const TwipsRect& r = p.Image1[k];
        EXPECT_LT(r.Width, 1915) << "slot " << k;
        EXPECT_NEAR(r.Height, r.Width * 4000 / 3000, 1) << "slot " << k;
        EXPECT_DOUBLE_EQ(r.Left, (2040 - r.Width) / 2) << "slot " << k;
        EXPECT_DOUBLE_EQ(p.Label1[k].box.Top + p.Label1[k].box.Height / 2, r.Top + r.Height)
            << "slot " << k;
    }
    // The right column fits and follows the formulas exactly.
    EXPECT_EQ(p.Image1[3].Left, 9075);
    EXPECT_EQ(p.Image1[3].Width, 1915);
    EXPECT_EQ(p.Image1[3].Height, 1276);
    EXPECT_EQ(p.Image1[3].Top, columnTop(1276, 1276, 1276, screenHeight));
}

// Every screen from 640 x 480 to 3,840 x 2,160 and a portrait one, with the square pictures the
// game comes with and with tall photos: every control on the screen, no picture over another
// control, and a column narrower than its space centred in it.
class EveryScreen : public ::testing::TestWithParam<std::tuple<QSize, QSizeF>> {};

TEST_P(EveryScreen, picturesStayOnTheScreenClearOfEveryControlAndCentred) {
    const auto [pixels, natural] = GetParam();
    const double width = pixels.width() * Px;
    const double height = pixels.height() * Px;
    const GameScreenLayout g = ArrangeGameScreen(width, height);
    const TwipsRect board = boardOf(g);
    const double boardRight = board.Left + board.Width;
    const PanelLayout p =
        ArrangePictures(g, width, height, allPictures(natural.width(), natural.height()));
    for (int k = 0; k < 6; ++k) {
        const TwipsRect& picture = p.Image1[k];
        SCOPED_TRACE("slot " + std::to_string(k));
        EXPECT_TRUE(onScreen(picture, width, height));
        for (const TwipsRect& other :
             {board, g.Command2, g.Command3, g.Command4[0], g.Command4[1], runnerRowOf(g)})
            EXPECT_FALSE(overlaps(picture, other));
        for (int j = 0; j < 6; ++j)
            EXPECT_TRUE(j == k || !overlaps(picture, p.Image1[j])) << "and slot " << j;
        // Its found word's caption too stays on the screen and off every control.
        const TwipsRect& caption = p.Label1[k].box;
        EXPECT_TRUE(onScreen(caption, width, height));
        for (const TwipsRect& other :
             {board, g.Command2, g.Command3, g.Command4[0], g.Command4[1], g.Tries, runnerRowOf(g)})
            EXPECT_FALSE(overlaps(caption, other));
        if (isUpright(width, height)) continue; // rows, not columns
        const double spaceLeft = k < 3 ? 0 : boardRight;
        const double spaceRight = k < 3 ? board.Left : width;
        if (picture.Width < board.Left - 125) {
            EXPECT_NEAR(picture.Left - spaceLeft, spaceRight - picture.Left - picture.Width,
                        2 * Px);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layout, EveryScreen,
    ::testing::Combine(::testing::Values(QSize(640, 480), QSize(800, 600), QSize(1024, 768),
                                         QSize(1366, 768), QSize(1920, 1080), QSize(2560, 1440),
                                         QSize(3840, 2160), QSize(1080, 1920), QSize(600, 800),
                                         QSize(768, 1024), QSize(1000, 1001)),
                       ::testing::Values(QSizeF(7680, 7680), QSizeF(9000, 16000))),
    [](const auto& info) {
        const QSize screen = std::get<0>(info.param);
        return "screen" + std::to_string(screen.width()) + "x" + std::to_string(screen.height()) +
               (std::get<1>(info.param).height() > 10000 ? "TallPhotos" : "SquarePictures");
    });

// A found word's caption at three screen sizes, over the game's square pictures: a short word's
// letters a third of the picture's height, a long word's fitted to its width, each centred on the
// picture's lower edge and as wide as the picture.
class CaptionOnScreen : public ::testing::TestWithParam<QSize> {};

TEST_P(CaptionOnScreen, isLargeCentredOnThePicturesLowerEdgeAndFitsItsWidth) {
    const double width = GetParam().width() * Px, height = GetParam().height() * Px;
    const GameScreenLayout g = ArrangeGameScreen(width, height);
    std::array<PanelInput, 6> pictures = allPictures(7680, 7680);
    constexpr double Sol = 2.06, Bicicleta = 6.0; // their widths in bold Arial, per letter height
    for (int k = 0; k < 6; ++k)
        pictures[k].captionWidthPerHeight = k % 2 ? Bicicleta : Sol;
    const PanelLayout p = ArrangePictures(g, width, height, pictures);
    for (int k = 0; k < 6; ++k) {
        SCOPED_TRACE("slot " + std::to_string(k));
        const TwipsRect& picture = p.Image1[k];
        const CaptionPlace& caption = p.Label1[k];
        EXPECT_GT(picture.Height, 0);
        EXPECT_LE(caption.letterHeight * pictures[k].captionWidthPerHeight, picture.Width);
        if (k % 2 == 0) EXPECT_GE(caption.letterHeight, picture.Height / 3 - 1e-9);
        EXPECT_GE(caption.letterHeight * Px, 12 * Px) << "readable: at least 12 px";
        EXPECT_DOUBLE_EQ(caption.box.Left, picture.Left);
        EXPECT_DOUBLE_EQ(caption.box.Width, picture.Width);
        EXPECT_DOUBLE_EQ(caption.box.Top + caption.box.Height / 2, picture.Top + picture.Height);
        EXPECT_GE(caption.box.Height, caption.letterHeight);
    }
}

INSTANTIATE_TEST_SUITE_P(Layout, CaptionOnScreen,
                         ::testing::Values(QSize(800, 600), QSize(1366, 768), QSize(1920, 1080)),
                         [](const auto& info) {
                             return "screen" + std::to_string(info.param.width()) + "x" +
                                    std::to_string(info.param.height());
                         });

// Upright, the board lies across the width and the pictures stand three above it and three
// below; the corner buttons grow with the board.
TEST(Layout, uprightScreenLaysTheBoardAcrossWithPicturesAboveAndBelow) {
    const double width = 1080 * Px, height = 1920 * Px;
    const GameScreenLayout g = ArrangeGameScreen(width, height);
    const TwipsRect board = boardOf(g);
    EXPECT_GE(board.Width, 0.8 * width);
    EXPECT_NEAR(board.Left, width - board.Left - board.Width, 1); // centred
    EXPECT_DOUBLE_EQ(g.Command4[0].Width, 615 * boardGrowth(g.CellSize));
    const PanelLayout p = ArrangePictures(g, width, height, allPictures(7680, 7680));
    for (int k = 0; k < 6; ++k) {
        SCOPED_TRACE("slot " + std::to_string(k));
        const TwipsRect& picture = p.Image1[k];
        EXPECT_GE(picture.Height, 2 * g.CellSize) << "a picture a child can see";
        if (k < 3) EXPECT_LE(picture.Top + picture.Height, g.Command3.Top);
        if (k >= 3) EXPECT_GE(picture.Top, runnerRowOf(g).Top + runnerRowOf(g).Height);
        if (k % 3) EXPECT_GT(picture.Left, p.Image1[k - 1].Left + p.Image1[k - 1].Width);
    }
    EXPECT_FALSE(overlaps(g.EndSign, board));
    EXPECT_TRUE(onScreen(g.EndSign, width, height));
}

// On 4:3 screens a column of landscape photos fills its space: the classic numbers stand.
TEST(Layout, columnThatFillsItsSpaceKeepsTheClassicPlace) {
    const GameScreenLayout g = ArrangeGameScreen(15360, 11520);
    const PanelLayout p =
        ArrangePicturePanel(3294, 3294 + 12 * 731 - 1, 15360, 11520, allPictures(3000, 2000));
    EXPECT_EQ(g.Command1[0].Left, 3294);
    EXPECT_EQ(p.Image1[0].Left, 75);
    EXPECT_EQ(p.Image1[0].Width, 3294 - 125);
    EXPECT_EQ(p.Image1[3].Left, 3294 + 12 * 731 - 1 + 75);
}

// Fixed sizes grow with the board beyond 1,024 x 768; windows also shrink to fit small screens.
TEST(Layout, windowsGrowWithTheBoardAndShrinkToFitTheScreen) {
    struct Row {
        QSize screen;
        double growth, menuScale;
    };
    const Row rows[] = {{{640, 480}, 1, 1},
                        {{800, 600}, 1, 1},
                        {{1024, 768}, 1, 1},
                        {{1920, 1080}, 1045.0 / 731, 1045.0 / 731},
                        {{3840, 2160}, 2090.0 / 731, 2090.0 / 731},
                        {{320, 240}, 1, (4800 - 300) / 8235.0}};
    for (const Row& row : rows) {
        const double width = row.screen.width() * Px;
        const double height = row.screen.height() * Px;
        const GameScreenLayout g = ArrangeGameScreen(width, height);
        EXPECT_DOUBLE_EQ(boardGrowth(g.CellSize), row.growth);
        // The corner buttons grow too, and stay in the corner.
        EXPECT_DOUBLE_EQ(g.Command4[0].Width, 615 * row.growth);
        EXPECT_DOUBLE_EQ(g.Command4[0].Left + g.Command4[0].Width, width - 10);
        // The level menu with a frame and a title bar.
        const double menu = windowScale(8115 + 120, 5070 + 450, width, height);
        EXPECT_DOUBLE_EQ(menu, row.menuScale) << row.screen.width();
        EXPECT_LE((5070 + 450) * menu, height - 300);
    }
}

// --- Picture viewer ------------------------------------------------------------------------------

TEST(Layout, viewerCentresItsWindowAroundThePicture) {
    const ViewerPlacement v = ViewerWindow(8000, 6000, 15360, 11520);
    expectRect(v.window, 3517, 2410, 8325, 6700);
    EXPECT_EQ(v.pictureWidth, 8000);
    EXPECT_EQ(v.pictureHeight, 6000);
}

TEST(Layout, viewerShowsAPictureHalfTheScreenHighAtMostTwiceItsSizeAndWithinIt) {
    struct Row {
        double width, height;
    };
    // A bundled picture (512 px square), tiny ones, and pictures larger than the screen.
    for (const Row row : {Row{7680, 7680}, Row{300, 200}, Row{15000, 150}, Row{60000, 45000},
                          Row{20000, 3000}, Row{3000, 20000}}) {
        const ViewerPlacement v = ViewerWindow(row.width, row.height, 15360, 11520);
        EXPECT_TRUE(v.pictureHeight >= std::min(5760.0, 2 * row.height) - 1 ||
                    v.window.Width >= 15360 - 1)
            << row.width << "x" << row.height;
        EXPECT_LE(v.pictureHeight, 2 * row.height);
        EXPECT_TRUE(onScreen(v.window, 15360, 11520)) << row.width << "x" << row.height;
        EXPECT_NEAR(v.pictureHeight, v.pictureWidth * row.height / row.width, 1);
        EXPECT_EQ(v.window.Width, v.pictureWidth + 325);
        EXPECT_EQ(v.window.Height, v.pictureHeight + 700);
    }
    EXPECT_EQ(ViewerWindow(300, 200, 15360, 11520).pictureHeight, 400);
}

} // namespace
