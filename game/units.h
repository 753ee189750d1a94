// Twips and pixels: the layout is computed in twips, widgets get logical pixels; this is the one
// conversion.
#pragma once

#include <cmath>

namespace units {

// 1440 twips to the inch and 96 logical pixels to the inch.
inline constexpr int TwipsPerPixel = 15;

// Rounds to the nearest pixel so that a one-twip gap never opens or closes a pixel by itself.
inline int toPixels(double twips) {
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

inline double toTwips(int pixels) {
    return static_cast<double>(pixels) * TwipsPerPixel;
}

} // namespace units
