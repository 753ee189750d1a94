// Contrast between two colours as accessibility guidelines measure it, and the colours the
// screens choose so that every letter and caption can be read.
#pragma once

#include "board.h"

#include <optional>

// What text needs against its background to be read by children with low vision: WCAG's level
// for ordinary text.
inline constexpr double ReadableContrast = 4.5;

// WCAG relative luminance of an 0xBBGGRR colour, 0 (black) to 1 (white).
double relativeLuminance(Colour colour);

// WCAG contrast ratio, 1 (the same colour) to 21 (black on white), in either order.
double contrastRatio(Colour a, Colour b);

// The letter's colour on a cell of the given colour: black, or white where the cell is dark
// (the shared-hit blue), whichever contrasts more.
Colour letterColour(Colour cell);

// The outline a caption of colour text needs to be read on background: none when the text
// contrasts enough by itself, otherwise black or white, whichever contrasts more with the
// background.
std::optional<Colour> captionOutline(Colour text, Colour background);
