#pragma once

#include "host/sdk/PackageInfo.h"

#include <QLibrary>
#include <QString>

// The member-card module, loaded at run time as any host loads a package: its
// start-up code registers its windows and functions into the host's registries.
// Destroying the package runs its shut-down code and empties the registries;
// the library itself stays mapped, as the registries' code came from it.
class ModulePackage {
public:
    ModulePackage() = default;
    ~ModulePackage();
    ModulePackage(const ModulePackage&) = delete;
    ModulePackage& operator=(const ModulePackage&) = delete;

    // Looks in the build's module folder, then in ../lib beside the program. False
    // with the reason in 'error' when the module cannot be loaded or lacks its entry points.
    bool Load(QString& error);

private:
    QLibrary m_library;
    PackageFinalizeProc m_finalize = nullptr;
};
