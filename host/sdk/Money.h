#pragma once

#include <QMetaType>
#include <QString>
#include <compare>
#include <cstdint>

// An exact amount of money: a count of ten-thousandths, as the database stores it.
// Sums of many small amounts stay exact, which doubles cannot promise.
class Money {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Money() = default;
    static constexpr Money fromRaw(std::int64_t raw) { return Money(raw); }
    static Money fromDouble(double value);
    static Money fromUnits(std::int64_t units) { return Money(units * Scale); }
    // The host's reading of typed amounts: blanks and thousands separators are
    // ignored, and text that is no number counts as 0.
    static Money fromText(const QString& text);

    constexpr std::int64_t raw() const { return m_raw; }
    double toDouble() const { return static_cast<double>(m_raw) / Scale; }
    // Rounded half away from zero to the given number of decimals (0..4).
    Money rounded(int decimals = 2) const;
    QString toString(int decimals = 2) const;
    // This amount times a rate (0.955 for 95.5%), worked out exactly and rounded to
    // the cent half away from zero, as amounts are shown ("0.00"): 0.70 at 0.15 is
    // 0.11, where doubles make it 0.10. The rate counts to six decimals.
    Money timesRate(double rate) const;
    bool isZero() const { return m_raw == 0; }

    Money operator-() const { return Money(-m_raw); }
    Money operator+(Money other) const { return Money(m_raw + other.m_raw); }
    Money operator-(Money other) const { return Money(m_raw - other.m_raw); }
    Money operator*(std::int64_t factor) const { return Money(m_raw * factor); }
    Money& operator+=(Money other) {
        m_raw += other.m_raw;
        return *this;
    }
    Money& operator-=(Money other) {
        m_raw -= other.m_raw;
        return *this;
    }
    constexpr auto operator<=>(const Money&) const = default;

private:
    constexpr explicit Money(std::int64_t raw)
        : m_raw(raw) {}
    std::int64_t m_raw = 0;
};

Q_DECLARE_METATYPE(Money)
