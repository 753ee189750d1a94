// The program-wide values shared by the windows: the chosen level and the picture the viewer shows.
#pragma once

#include <QString>
#include <cstdint>

namespace Module1 {

// How many levels there are; the level menu and the worksheets number them 1 to LevelCount.
inline constexpr int LevelCount = 6;

// Difficulty 0 to 5, chosen in the level menu and read by word placement; 0 at start.
inline std::uint8_t Level = 0;

// File name (as in the picture list) of the picture that the viewer opens next.
inline QString ViewerPictureFile;

} // namespace Module1
