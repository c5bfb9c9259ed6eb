#include "vip/base/UnitCatalogue.h"

#include <algorithm>

UnitCatalogue& UnitCatalogue::global() {
    static UnitCatalogue catalogue;
    return catalogue;
}

void UnitCatalogue::add(const QString& unit, int position, Code startUp, Code shutDown) {
    const bool added =
        m_units[unit].try_emplace(position, Contribution{std::move(startUp), std::move(shutDown)}).second;
    if (!added)
        qFatal("Unit %s has two contributions at position %d", qPrintable(unit), position);
}

const UnitCatalogue::Positions& UnitCatalogue::positionsOf(const QString& unit) const {
    static const Positions none;
    const auto found = m_units.find(unit);
    return found == m_units.end() ? none : found->second;
}

void UnitCatalogue::startUp(const QString& unit) const {
    for (const auto& [position, contribution] : positionsOf(unit)) {
        if (contribution.startUp)
            contribution.startUp();
    }
}

void UnitCatalogue::shutDown(const QString& unit) const {
    const Positions& positions = positionsOf(unit);
    for (auto it = positions.crbegin(); it != positions.crend(); ++it) {
        if (it->second.shutDown)
            it->second.shutDown();
    }
}

bool UnitCatalogue::hasStartUp(const QString& unit) const {
    const Positions& positions = positionsOf(unit);
    return std::any_of(positions.cbegin(), positions.cend(),
                       [](const auto& entry) { return bool(entry.second.startUp); });
}

bool UnitCatalogue::hasShutDown(const QString& unit) const {
    const Positions& positions = positionsOf(unit);
    return std::any_of(positions.cbegin(), positions.cend(),
                       [](const auto& entry) { return bool(entry.second.shutDown); });
}
