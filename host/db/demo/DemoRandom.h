#pragma once

#include "host/sdk/Money.h"

#include <QList>
#include <QRandomGenerator>
#include <QString>

// The demo's only source of chance. Seeded, so every demo database holds the same
// members, which keeps screenshots, manuals and bug reports comparable.
class DemoRandom {
public:
    explicit DemoRandom(quint32 seed)
        : m_generator(seed) {}

    // Inclusive at both ends.
    int between(int low, int high);
    bool chance(int percent) { return between(1, 100) <= percent; }
    template <typename T> const T& pick(const QList<T>& items) {
        return items.at(between(0, static_cast<int>(items.size()) - 1));
    }
    QString digits(int count);
    // An eleven-digit mobile number with a real carrier prefix.
    QString mobile();
    // A random (version 4) GUID in braces, the form cards are identified by.
    QString guid();
    // A whole number of cents between the two amounts of yuan.
    Money amount(int lowYuan, int highYuan);

private:
    QRandomGenerator m_generator;
};
