#include "vip/frame/PackageEntry.h"

#include "vip/frame/PackageUnit.h"
#include "vip/frame/PackageUnits.h"

#include <array>

namespace {

constexpr std::size_t UnitCount = 12;

// The units in the order their start-up code runs. The host's registries keep
// registration order, so this order is also the order of the host's window and
// function lists.
std::array<PackageUnit, UnitCount>& units() {
    static std::array<PackageUnit, UnitCount> table{{
        // The recharge dialog's own flag arrives with that dialog; until then this
        // unit has nothing to run.
        {"Uczoperator", nullptr, nullptr},
        {"Uetctypemanage", UnitUetctypemanage::startUp, nullptr},
        {"Uvipcash", UnitUvipcash::startUp, UnitUvipcash::shutDown},
        {"Fundev", UnitFundev::startUp, UnitFundev::shutDown},
        {"Y_vipinfo", UnitY_vipinfo::startUp, UnitY_vipinfo::shutDown},
        {"Uetccardbatchadd", UnitUetccardbatchadd::startUp, nullptr},
        {"Uetccardmanage", UnitUetccardmanage::startUp, UnitUetccardmanage::shutDown},
        {"Kvr_vipchangetotal", UnitKvr_vipchangetotal::startUp, nullptr},
        {"Uvipinfo", UnitUvipinfo::startUp, nullptr},
        {"Uvippricelimit", UnitUvippricelimit::startUp, nullptr},
        {"Uvipptypedis", UnitUvipptypedis::startUp, nullptr},
        {"Uptypeintegralset", UnitUptypeintegralset::startUp, nullptr},
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
