// Module1, what the windows share for the whole run: the level and theme chosen, the hints taken.
#pragma once

#include <QString>
#include <cstdint>

// One value lives for the program: whoever owns the windows creates it and hands it to each window
// it builds. The level menu writes the level, the game screen deals its rounds at it and counts its
// hints here, so the count outlives a game screen and the menu opens on the level chosen last.
// The theme is the same: it starts as the class's (the settings' theme) and a child's choice in
// the menu lasts until the program ends, or until a grown-up changes the settings. Nothing here
// is ever written to disk.
struct Module1 {
    // How many levels there are; the level menu and the worksheets number them 1 to LevelCount.
    static constexpr int LevelCount = 6;

    std::uint8_t Level = 0; // difficulty 0 to LevelCount - 1, chosen in the level menu
    int HintsUsed = 0;      // hints taken since the program started
    QString Theme;          // the theme the next round draws from (a folder's name); empty: all
};
