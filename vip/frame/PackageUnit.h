#pragma once

#include "host/sdk/PackageInfo.h"

// One unit of the package. Its start-up and shut-down code is what the areas
// contributed to it (UnitCatalogue). The counter lets the host call Initialize as
// often as it likes: start-up runs on the first call, shut-down only when every
// Initialize has been matched by a Finalize.
class PackageUnit {
public:
    explicit constexpr PackageUnit(const char* name)
        : m_name(name) {}

    void initialize();
    void finalize();
    PackageUnitInfo info() const;

private:
    const char* m_name;
    int m_count = 0;
};
