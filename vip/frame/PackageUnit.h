#pragma once

#include "host/sdk/PackageInfo.h"

// One unit of the package with its start-up and shut-down code. The counter lets
// the host call Initialize as often as it likes: start-up runs on the first call,
// shut-down only when every Initialize has been matched by a Finalize.
class PackageUnit {
public:
    using Code = void (*)();

    constexpr PackageUnit(const char* name, Code startUp, Code shutDown)
        : m_name(name)
        , m_startUp(startUp)
        , m_shutDown(shutDown) {}

    void initialize();
    void finalize();
    PackageUnitInfo info() const { return {m_name, m_startUp != nullptr, m_shutDown != nullptr}; }

private:
    const char* m_name;
    Code m_startUp;
    Code m_shutDown;
    int m_count = 0;
};
