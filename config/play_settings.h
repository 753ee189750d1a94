// What a round plays with: the voice, the letters' case, the clock and the pictures, each from
// the first place that gives it.
#pragma once

#include "board_letters.h"
#include "voice_switch.h"

#include <optional>

namespace assets {
class AssetPaths;
}

// The order, stated once here for every program: the user's own settings (tolvano.conf), then the
// program's text files (voz.txt, velocidad.txt), then the game's own defaults (on, capitals, the
// clock's default interval, all pictures, all themes with the menu's row shown, the language's
// own letter style). The language
// set follows the same order, in resolve().
struct PlaySettings {
    Speaking speaking = Speaking::On;
    bool lowerCase = false;
    // The runner clock's interval in ms, 0 for no clock; none: the file's number was refused, and
    // the clock keeps the interval it has.
    std::optional<int> runnerInterval;
    bool onlyMine = false;
    // The theme rounds start with (empty: all pictures), and whether the menu lets a child choose
    // another; with the row hidden, the theme is fixed for the class.
    QString theme;
    bool themeRow = true;
    // How boards spell the words: the set's language, and as written or plain (the language's
    // default when tolvano.conf says nothing).
    LetterRule letters;
};

// Reads the set's voz.txt and velocidad.txt at every call, so that an edit shows at the next
// round; the user's settings are those read when the paths were resolved.
PlaySettings playSettings(const assets::AssetPaths& paths);
