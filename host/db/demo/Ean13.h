#pragma once

#include <QString>

// Bar codes on products and member cards are EAN-13, so scanners accept the demo's.
class Ean13 {
public:
    // Appends the check digit to twelve digits.
    static QString withCheckDigit(const QString& twelveDigits);
};
