#pragma once

#include <QString>
#include <functional>
#include <map>

// The start-up and shut-down code the areas contribute to the package's units.
// Contributions sign up while the library loads, in whatever order the linker
// chose; the frame starts and stops each unit in its own order, and a unit runs its
// contributions by their positions, so the host's registries fill exactly in the
// order of the registration tables.
class UnitCatalogue {
public:
    using Code = std::function<void()>;

    static UnitCatalogue& global();

    // Either code may be empty. Two contributions at one position of a unit would
    // run in link order, so the second one stops the library from loading.
    void add(const QString& unit, int position, Code startUp, Code shutDown);
    void startUp(const QString& unit) const;
    // Last position first, so a contribution can rely on what earlier ones built.
    void shutDown(const QString& unit) const;
    bool hasStartUp(const QString& unit) const;
    bool hasShutDown(const QString& unit) const;

private:
    struct Contribution {
        Code startUp;
        Code shutDown;
    };

    using Positions = std::map<int, Contribution>;
    const Positions& positionsOf(const QString& unit) const;

    std::map<QString, Positions> m_units;
};
