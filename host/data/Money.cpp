#include "host/sdk/Money.h"

#include <cmath>

namespace {

std::int64_t roundRaw(std::int64_t raw, int decimals) {
    std::int64_t step = 1;
    for (int i = decimals; i < 4; ++i)
        step *= 10;
    if (step == 1)
        return raw;
    const std::int64_t half = step / 2;
    const std::int64_t magnitude = raw < 0 ? -raw : raw;
    const std::int64_t rounded = (magnitude + half) / step * step;
    return raw < 0 ? -rounded : rounded;
}

} // namespace

Money Money::fromDouble(double value) {
    if (!std::isfinite(value))
        return Money();
    return Money(static_cast<std::int64_t>(std::llround(value * Scale)));
}

Money Money::fromText(const QString& text) {
    QString s = text.trimmed();
    s.remove(QLatin1Char(',')).remove(QLatin1Char(' '));
    if (s.isEmpty())
        return Money();
    bool negative = false;
    int pos = 0;
    if (s[0] == QLatin1Char('-') || s[0] == QLatin1Char('+')) {
        negative = s[0] == QLatin1Char('-');
        pos = 1;
    }
    std::int64_t whole = 0;
    std::int64_t fraction = 0;
    int fractionDigits = 0;
    bool seenDigit = false;
    bool seenPoint = false;
    bool roundUp = false;
    for (; pos < s.size(); ++pos) {
        const QChar c = s[pos];
        if (c == QLatin1Char('.') && !seenPoint) {
            seenPoint = true;
            continue;
        }
        if (!c.isDigit() || c.unicode() > '9')
            return Money(); // not a number at all: the host counts it as 0
        seenDigit = true;
        const int digit = c.unicode() - '0';
        if (!seenPoint) {
            if (whole > (INT64_MAX / Scale - 9) / 10)
                return Money(); // beyond any amount the database can hold
            whole = whole * 10 + digit;
        } else if (fractionDigits < 4) {
            fraction = fraction * 10 + digit;
            ++fractionDigits;
        } else if (fractionDigits == 4) {
            roundUp = digit >= 5;
            ++fractionDigits;
        }
    }
    if (!seenDigit)
        return Money();
    for (int i = std::min(fractionDigits, 4); i < 4; ++i)
        fraction *= 10;
    std::int64_t raw = whole * Scale + fraction + (roundUp ? 1 : 0);
    return Money(negative ? -raw : raw);
}

Money Money::rounded(int decimals) const {
    return Money(roundRaw(m_raw, std::clamp(decimals, 0, 4)));
}

Money Money::timesRate(double rate) const {
    constexpr std::int64_t RateScale = 1000000;
    // The product counts in units of Scale * RateScale per yuan; one cent of it is
    // this step. 128 bits hold the product of any amount and any sensible rate.
    constexpr __int128 CentStep = __int128(RateScale) * (Scale / 100);
    const __int128 product = __int128(m_raw) * std::llround(rate * RateScale);
    const __int128 magnitude = product < 0 ? -product : product;
    const __int128 cents = (magnitude + CentStep / 2) / CentStep;
    const auto raw = static_cast<std::int64_t>(cents * (Scale / 100));
    return Money(product < 0 ? -raw : raw);
}

QString Money::toString(int decimals) const {
    decimals = std::clamp(decimals, 0, 4);
    const std::int64_t raw = roundRaw(m_raw, decimals);
    const std::int64_t magnitude = raw < 0 ? -raw : raw;
    QString text = QString::number(magnitude / Scale);
    if (decimals > 0) {
        QString fraction = QStringLiteral("%1").arg(magnitude % Scale, 4, 10, QLatin1Char('0'));
        text += QLatin1Char('.') + fraction.left(decimals);
    }
    return raw < 0 ? QLatin1Char('-') + text : text;
}
