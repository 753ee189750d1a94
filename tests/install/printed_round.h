// What the install tests' helper programs print of a round: each picture offered, its word, and
// whether it showed, one tab-separated line each.
#pragma once

#include "game_screen.h"

#include <cstdio>

inline void printRound(Form1& form) {
    for (int k = 0; k < WordSlots; ++k) {
        const QString& file = form.game().wordList.PictureFiles[k];
        if (file.isEmpty()) continue;
        const bool shown = !form.Image1[k]->pixmap().isNull();
        std::printf("%s\t%s\t%s\n", qPrintable(file), qPrintable(form.game().wordList.Words[k]),
                    shown ? "shown" : "blank");
    }
}
