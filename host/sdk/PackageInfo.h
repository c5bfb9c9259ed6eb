#pragma once

// What a loadable package exports to its host, in plain C layout so that a host
// can use it through symbols resolved at run time.
extern "C" {

// One unit of the package, in the order its start-up code runs.
struct PackageUnitInfo {
    const char* name;
    bool hasStartUp;
    bool hasShutDown;
};

struct PackageInfo {
    int unitCount;
    const PackageUnitInfo* units;
};

// "Initialize" runs every unit's start-up code once, however often it is called;
// "Finalize" undoes one "Initialize", running the shut-down code in reverse order
// when the last one is undone; "GetPackageInfoTable" describes the units.
using PackageInitializeProc = void (*)();
using PackageFinalizeProc = void (*)();
using GetPackageInfoTableProc = const PackageInfo* (*)();
}
