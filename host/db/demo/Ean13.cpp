#include "host/db/demo/Ean13.h"

QString Ean13::withCheckDigit(const QString& twelveDigits) {
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += twelveDigits.at(i).digitValue() * (i % 2 == 0 ? 1 : 3);
    return twelveDigits + QString::number((10 - sum % 10) % 10);
}
