// Plain decimal text of a number, rounded to 15 significant digits.
#include "number_text.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <cstdio>

QString numberText(double value) {
    if (!std::isfinite(value)) return QString::number(value);
    if (value == 0.0) return QStringLiteral("0");
    // Round to 15 significant digits first: that decides how many decimals stay.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", value);
    const double rounded = std::strtod(buf, nullptr);
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(rounded))));
    const int decimals = std::clamp(14 - magnitude, 0, 340);
    QString text = QString::asprintf("%.*f", decimals, rounded);
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.')) text.chop(1);
    }
    return text.replace(u'.', QLocale().decimalPoint());
}
