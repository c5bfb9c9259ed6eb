#pragma once

#include "vip/base/UnitCatalogue.h"

// Adds code to a unit's start-up and shut-down when the library loads: one line in
// the owning area's registration file, naming the unit and the position within it.
struct UnitContribution {
    UnitContribution(const QString& unit, int position, UnitCatalogue::Code startUp,
                     UnitCatalogue::Code shutDown = {}) {
        UnitCatalogue::global().add(unit, position, std::move(startUp), std::move(shutDown));
    }
};
