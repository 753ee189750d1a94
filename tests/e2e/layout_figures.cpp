// Prints where the game lays its board on a screen of W x H pixels, as shell assignments, so that
// the real-window tests click and look where the game's own layout puts the cells.
#include "layout.h"
#include "units.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT (in pixels)\n", argv[0]);
        return 2;
    }
    const GameScreenLayout layout =
        ArrangeGameScreen(units::toTwips(std::atoi(argv[1])), units::toTwips(std::atoi(argv[2])));
    // The board's figures are whole twips: the pitch and the edges are rounded down in the layout.
    const TwipsRect& first = layout.Command1[0];
    std::printf("twips_per_pixel=%d\nboard_side=%d\nboard_left=%.0f\nboard_top=%.0f\npitch=%.0f\n",
                units::TwipsPerPixel, BoardSide, first.Left, first.Top,
                layout.Command1[1].Left - first.Left);
    return 0;
}
