// Numbers as the player reads them: plain decimal, at most 15 significant digits, locale separator.
#pragma once

#include <QString>

// 16.6666666666667, 50, 0; with a Spanish default locale 16,6666666666667. Never an exponent,
// never a group separator, no trailing zeros, no separator when the value is whole.
QString numberText(double value);
