// The game's one typeface, for the windows and the printed sheets alike.
#pragma once

#include <QFont>
#include <QString>

// Arial at a size in points; fontconfig gives Liberation Sans, of the same widths, where Arial is
// not installed (the Debian package depends on it).
inline QFont arial(double points, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}
