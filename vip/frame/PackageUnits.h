#pragma once

// The start-up and shut-down code of the package's units, each defined in the file
// named after its unit. Only PackageEntry calls these, through the units' counters.
namespace UnitUetctypemanage {
void startUp();
}
namespace UnitUvipcash {
void startUp();
void shutDown();
} // namespace UnitUvipcash
namespace UnitFundev {
void startUp();
void shutDown();
} // namespace UnitFundev
namespace UnitY_vipinfo {
void startUp();
void shutDown();
} // namespace UnitY_vipinfo
namespace UnitUetccardbatchadd {
void startUp();
}
namespace UnitUetccardmanage {
void startUp();
void shutDown();
} // namespace UnitUetccardmanage
namespace UnitKvr_vipchangetotal {
void startUp();
}
namespace UnitUvipinfo {
void startUp();
}
namespace UnitUvippricelimit {
void startUp();
}
namespace UnitUvipptypedis {
void startUp();
}
namespace UnitUptypeintegralset {
void startUp();
}
