#include "vip/frame/PackageEntry.h"

#include "vip/frame/PackageUnit.h"

#include <array>

namespace {

constexpr std::size_t UnitCount = 12;

// The units in the order their start-up code runs; what each unit does is what the
// areas contributed to it. The host's registries keep registration order, so this
// order is also the order of the host's window and function lists. Uczoperator
// contributes nothing until the recharge dialog brings its own flag.
std::array<PackageUnit, UnitCount>& units() {
    static std::array<PackageUnit, UnitCount> table{{
        PackageUnit("Uczoperator"),
        PackageUnit("Uetctypemanage"),
        PackageUnit("Uvipcash"),
        PackageUnit("Fundev"),
        PackageUnit("Y_vipinfo"),
        PackageUnit("Uetccardbatchadd"),
        PackageUnit("Uetccardmanage"),
        PackageUnit("Kvr_vipchangetotal"),
        PackageUnit("Uvipinfo"),
        PackageUnit("Uvippricelimit"),
        PackageUnit("Uvipptypedis"),
        PackageUnit("Uptypeintegralset"),
    }};
    return table;
}

} // namespace

void Initialize() {
    for (PackageUnit& unit : units())
        unit.initialize();
}

void Finalize() {
    auto& table = units();
    for (auto unit = table.rbegin(); unit != table.rend(); ++unit)
        unit->finalize();
}

const PackageInfo* GetPackageInfoTable() {
    static const auto rows = [] {
        std::array<PackageUnitInfo, UnitCount> infos{};
        for (std::size_t i = 0; i < UnitCount; ++i)
            infos[i] = units()[i].info();
        return infos;
    }();
    static const PackageInfo table{static_cast<int>(rows.size()), rows.data()};
    return &table;
}
