#include "host/sdk/ui/NumberText.h"

#include <climits>
#include <cmath>

QString DoubleToString(double value, int decimals) {
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    // Rounding a tiny negative value leaves "-0", which no user means.
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

double StringToDouble(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

int StringToInt(const QString& text) {
    const double value = std::trunc(StringToDouble(text));
    if (value > INT_MAX || value < INT_MIN)
        return 0;
    return static_cast<int>(value);
}
