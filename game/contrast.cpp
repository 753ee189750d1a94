// WCAG luminance and contrast, and the readable colours for letters and captions.
#include "contrast.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr Colour Black = 0x000000;

double linear(std::uint32_t channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

Colour moreContrasting(Colour with) {
    return contrastRatio(colours::White, with) > contrastRatio(Black, with) ? colours::White
                                                                              : Black;
}

} // namespace

double relativeLuminance(Colour colour) {
    const double red = linear(colour & 0xFF);
    const double green = linear((colour >> 8) & 0xFF);
    const double blue = linear((colour >> 16) & 0xFF);
    return 0.2126 * red + 0.7152 * green + 0.0722 * blue;
}

double contrastRatio(Colour a, Colour b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Colour letterColour(Colour cell) {
    return moreContrasting(cell);
}

std::optional<Colour> captionOutline(Colour text, Colour background) {
    if (contrastRatio(text, background) >= ReadableContrast) return std::nullopt;
    return moreContrasting(background);
}
