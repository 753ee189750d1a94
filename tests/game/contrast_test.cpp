// Every letter on every cell colour, and every flashing caption colour, can be read.
#include "contrast.h"

#include <gtest/gtest.h>

namespace {

TEST(Contrast, measuresAsTheGuidelinesDo) {
    EXPECT_DOUBLE_EQ(contrastRatio(0x000000, 0xFFFFFF), 21);
    EXPECT_DOUBLE_EQ(contrastRatio(0xFFFFFF, 0x000000), 21);
    EXPECT_DOUBLE_EQ(contrastRatio(0x808080, 0x808080), 1);
    // Mid grey on white, a value the guidelines' own tools give.
    EXPECT_NEAR(contrastRatio(0x767676, 0xFFFFFF), 4.54, 0.01);
}

TEST(Contrast, everyLetterReadsOnItsCellInEveryState) {
    std::vector<Colour> cells{colours::White, colours::Miss, colours::Reveal, colours::SharedHit};
    cells.insert(cells.end(), colours::Word.begin(), colours::Word.end());
    for (Colour cell : cells)
        EXPECT_GE(contrastRatio(letterColour(cell), cell), ReadableContrast) << std::hex << cell;
    EXPECT_EQ(letterColour(colours::SharedHit), colours::White);
    EXPECT_EQ(letterColour(colours::White), 0x000000u);
}

TEST(Contrast, everyFlashingCaptionReadsOnWhiteWithItsOutline) {
    int outlined = 0;
    for (Colour text : colours::Flash) {
        const std::optional<Colour> outline = captionOutline(text, colours::White);
        if (outline) {
            ++outlined;
            EXPECT_GE(contrastRatio(*outline, colours::White), ReadableContrast) << std::hex << text;
        } else {
            EXPECT_GE(contrastRatio(text, colours::White), ReadableContrast) << std::hex << text;
        }
    }
    // Yellow, light cyan, light grey and light green at least.
    for (Colour faint : {0x00FFFFu, 0xFFFF00u, 0xC0C0C0u, 0x00FF00u})
        EXPECT_TRUE(captionOutline(faint, colours::White)) << std::hex << faint;
    EXPECT_LT(outlined, 15);
}

} // namespace
