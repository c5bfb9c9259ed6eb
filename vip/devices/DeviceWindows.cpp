#include "vip/base/ModuleGlobals.h"
#include "vip/base/RegistrationRows.h"
#include "vip/base/UnitContribution.h"
#include "vip/devices/DeviceExports.h"
#include "vip/devices/TFunCard.h"

// The device area's part of the package's units: the one card device object every
// card dialog shares, and the device set-up the host offers as "TFunCard".
namespace {

using enum Subsystem;

const UnitContribution cardDevice(
    "Fundev", 10, [] { FunCard = new TFunCard; },
    [] {
        delete FunCard;
        FunCard = nullptr;
    });

const RegistrationRows
    deviceSetUp("Fundev", 20,
                {ComClassEntry{"TFunCard", editionFlags({1, 2, 5, 8}), 935, Devices, "IC卡设置", ICCardSet}});

} // namespace
