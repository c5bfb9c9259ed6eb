#pragma once

#include "host/sdk/PackageInfo.h"
#include "vip/base/VipExport.h"

// The package's entry points, exported by name with C linkage so that a host can
// resolve them after loading the module at run time.
extern "C" {
VIP_EXPORT void Initialize();
VIP_EXPORT void Finalize();
VIP_EXPORT const PackageInfo* GetPackageInfoTable();
}
