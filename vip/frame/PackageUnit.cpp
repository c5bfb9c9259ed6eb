#include "vip/frame/PackageUnit.h"

void PackageUnit::initialize() {
    if (m_count++ == 0 && m_startUp)
        m_startUp();
}

void PackageUnit::finalize() {
    // A Finalize without a matching Initialize must not tear down what was never built.
    if (m_count == 0)
        return;
    if (--m_count == 0 && m_shutDown)
        m_shutDown();
}
