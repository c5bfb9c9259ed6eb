#pragma once

#include <QString>

// How the host's windows show and read plain numbers (rates, multipliers, counts):
// no thousands separators, no trailing zeros, and text that is no number reads as 0.

// The value rounded to 'decimals' places, without trailing zeros: 95 -> "95",
// 1.50 -> "1.5".
QString DoubleToString(double value, int decimals = 4);
double StringToDouble(const QString& text);
// The whole part of the number the text holds ("12.7" -> 12).
int StringToInt(const QString& text);
