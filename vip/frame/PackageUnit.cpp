#include "vip/frame/PackageUnit.h"

#include "vip/base/UnitCatalogue.h"

void PackageUnit::initialize() {
    if (m_count++ == 0)
        UnitCatalogue::global().startUp(QLatin1String(m_name));
}

void PackageUnit::finalize() {
    // A Finalize without a matching Initialize must not tear down what was never built.
    if (m_count == 0)
        return;
    if (--m_count == 0)
        UnitCatalogue::global().shutDown(QLatin1String(m_name));
}

PackageUnitInfo PackageUnit::info() const {
    const UnitCatalogue& catalogue = UnitCatalogue::global();
    const QString name = QLatin1String(m_name);
    return {m_name, catalogue.hasStartUp(name), catalogue.hasShutDown(name)};
}
