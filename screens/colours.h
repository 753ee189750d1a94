// The one conversion from the game's 0xBBGGRR colour numbers to Qt colours.
#pragma once

#include "board.h"

#include <QColor>

inline QColor toQColor(Colour bbggrr) {
    return QColor(static_cast<int>(bbggrr & 0xFF), static_cast<int>((bbggrr >> 8) & 0xFF),
                  static_cast<int>((bbggrr >> 16) & 0xFF));
}
