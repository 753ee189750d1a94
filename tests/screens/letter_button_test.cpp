// A letter's states seen without colour, the keyboard cursor's ring, and the letter as screen
// readers get it.
#include "colours.h"
#include "contrast.h"
#include "letter_button.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QImage>
#include <QSignalSpy>
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr int Side = 48;

QImage render(const CellLook& look, bool cursor = false) {
    LetterButton button;
    button.resize(Side, Side);
    button.display(QStringLiteral("M"), look);
    button.showCursor(cursor);
    return button.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

CellLook withMark(CellLook look, CellMark mark) {
    look.Mark = mark;
    return look;
}

// Each state as the game leaves it, a found letter in every colour it can get.
std::vector<CellLook> stateLooks() {
    std::vector<CellLook> looks = {{colours::White, 18, false, true, CellMark::None},
                                   {colours::Miss, 18, false, false, CellMark::Miss},
                                   {colours::Miss, 18, false, false, CellMark::Hint},
                                   {colours::Reveal, 18, false, true, CellMark::Revealed},
                                   {colours::SharedHit, 24, true, false, CellMark::Found}};
    for (Colour word : colours::Word)
        looks.push_back({word, 24, true, false, CellMark::Found});
    return looks;
}

// Machado, Oliveira and Fernandes (2009) at severity 1.0, applied to the sRGB values directly as
// the common simulators do, then seen as grey by the Rec. 601 weights.
using Sight = std::array<std::array<double, 3>, 3>;
constexpr Sight Deuteranopia{{{0.367322, 0.860646, -0.227968},
                              {0.280085, 0.672501, 0.047413},
                              {-0.011820, 0.042940, 0.968881}}};
constexpr Sight Protanopia{{{0.152286, 1.052583, -0.204868},
                            {0.114503, 0.786281, 0.099216},
                            {-0.003882, -0.048116, 1.051998}}};

double seenGrey(QRgb pixel, const Sight& sight) {
    const std::array<double, 3> rgb = {double(qRed(pixel)), double(qGreen(pixel)),
                                       double(qBlue(pixel))};
    std::array<double, 3> seen{};
    for (std::size_t i = 0; i < 3; ++i)
        seen[i] = std::clamp(sight[i][0] * rgb[0] + sight[i][1] * rgb[1] + sight[i][2] * rgb[2],
                             0.0, 255.0);
    return 0.299 * seen[0] + 0.587 * seen[1] + 0.114 * seen[2];
}

double shareTellingApart(const QImage& a, const QImage& b, const Sight& sight) {
    int differing = 0;
    for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x)
            differing +=
                std::abs(seenGrey(a.pixel(x, y), sight) - seenGrey(b.pixel(x, y), sight)) > 40;
    return double(differing) / (Side * Side);
}

TEST(LetterMarks, everyTwoStatesLookApartWithoutRedAndGreen) {
    const std::vector<CellLook> looks = stateLooks();
    std::vector<QImage> images;
    for (const CellLook& look : looks)
        images.push_back(render(look));
    const std::pair<const char*, Sight> sights[] = {{"deuteranopia", Deuteranopia},
                                                    {"protanopia", Protanopia}};
    for (const auto& [name, sight] : sights) {
        double smallest = 1;
        for (std::size_t a = 0; a < looks.size(); ++a)
            for (std::size_t b = a + 1; b < looks.size(); ++b) {
                if (looks[a].Mark == looks[b].Mark) continue;
                const double share = shareTellingApart(images[a], images[b], sight);
                smallest = std::min(smallest, share);
                EXPECT_GE(share, 0.03) << name << ": rows " << a << " and " << b;
            }
        RecordProperty(std::string("smallest_share_") + name, std::to_string(smallest));
    }
}

TEST(LetterMarks, eachMarkIsDrawnWhereItBelongs) {
    const struct {
        CellLook look;
        std::function<bool(int, int)> where;
    } rows[] = {
        {{colours::Miss, 18, false, false, CellMark::Miss},
         [](int x, int y) { return std::abs(x - y) <= 1; }}, // the diagonal
        {{colours::Miss, 18, false, false, CellMark::Hint},
         [](int x, int y) { return x >= Side * 2 / 3 && y < Side / 3; }}, // the top right corner
        {{colours::Word[0], 24, true, false, CellMark::Found},
         [](int, int y) { return y >= Side * 3 / 4; }}, // under the letter
        {{colours::Reveal, 18, false, true, CellMark::Revealed},
         [](int x, int y) { // along the edges
             return std::min({x, y, Side - 1 - x, Side - 1 - y}) < Side / 6;
         }},
    };
    for (const auto& row : rows) {
        const QImage marked = render(row.look);
        const QImage plain = render(withMark(row.look, CellMark::None));
        int drawn = 0;
        for (int y = 0; y < Side; ++y)
            for (int x = 0; x < Side; ++x)
                drawn += row.where(x, y) && marked.pixel(x, y) != plain.pixel(x, y);
        EXPECT_GE(drawn, Side / 2) << int(row.look.Mark);
    }
}

// The ring must show on a clicked letter of any colour (one of its rings at least 3:1 against
// the cell, at least 3 px of it across each side, so the two tones make at least 6 px) and leave
// the letter as it was.
TEST(LetterCursor, theRingStandsOutOnEveryCellColourAndLeavesTheLetter) {
    std::vector<Colour> cells = {colours::White, colours::Miss, colours::Reveal,
                                 colours::SharedHit};
    cells.insert(cells.end(), colours::Word.begin(), colours::Word.end());
    for (Colour cell : cells) {
        const CellLook look{cell, 24, true, false, CellMark::None};
        const QImage ringed = render(look, true);
        const QImage plain = render(look);
        const QPoint inward[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        const QPoint from[] = {
            {0, Side / 2}, {Side - 1, Side / 2}, {Side / 2, 0}, {Side / 2, Side - 1}};
        for (int side = 0; side < 4; ++side) {
            int standingOut = 0;
            for (int step = 0; step < 8; ++step) {
                const QRgb pixel = ringed.pixel(from[side] + step * inward[side]);
                const Colour seen =
                    Colour(qRed(pixel)) | Colour(qGreen(pixel)) << 8 | Colour(qBlue(pixel)) << 16;
                standingOut += contrastRatio(seen, cell) >= 3;
            }
            EXPECT_GE(standingOut, 3) << std::hex << cell << " side " << side;
        }
        EXPECT_EQ(ringed.copy(8, 8, Side - 16, Side - 16), plain.copy(8, 8, Side - 16, Side - 16))
            << std::hex << cell;
    }
}

// Under the offscreen platform no screen reader listens, so the events themselves are not seen
// here; the interface is.
struct LetterAccessibility : ::testing::Test {
    LetterButton button;
    QAccessibleInterface* letter = QAccessible::queryAccessibleInterface(&button);

    void SetUp() override { ASSERT_NE(letter, nullptr); }
};

TEST_F(LetterAccessibility, namesTheLetterAndDescribesItsState) {
    button.display(QStringLiteral("Ñ"), CellLook{});
    button.setAccessibleDescription(QStringLiteral("found"));
    EXPECT_EQ(letter->role(), QAccessible::Button);
    EXPECT_EQ(letter->text(QAccessible::Name), QStringLiteral("Ñ"));
    EXPECT_EQ(letter->text(QAccessible::Description), QStringLiteral("found"));
}

TEST_F(LetterAccessibility, isFocusableWhenClickedAndFocusedWhileItHoldsTheBoardsFocus) {
    button.display(QStringLiteral("A"), CellLook{colours::Miss, 18, false, false, CellMark::Miss});
    EXPECT_TRUE(letter->state().focusable);
    EXPECT_TRUE(letter->state().disabled);
    EXPECT_FALSE(letter->state().focused);
    button.setHoldsFocus(true);
    EXPECT_TRUE(letter->state().focused);
    button.setHoldsFocus(false);
    EXPECT_FALSE(letter->state().focused);
}

TEST_F(LetterAccessibility, pressingItIsAKeyboardClickOnlyWhileEnabled) {
    QSignalSpy pressed(&button, &LetterButton::accessiblyPressed);
    QSignalSpy clicked(&button, &QAbstractButton::clicked);
    for (bool enabled : {true, false}) {
        button.display(QStringLiteral("A"), CellLook{colours::White, 18, false, enabled});
        pressed.clear();
        letter->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_EQ(pressed.count(), enabled ? 1 : 0) << enabled;
        EXPECT_EQ(letter->actionInterface()->actionNames().contains(
                      QAccessibleActionInterface::pressAction()),
                  enabled);
    }
    EXPECT_EQ(clicked.count(), 0);
}

} // namespace
