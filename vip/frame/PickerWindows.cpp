#include "vip/base/RegistrationRows.h"
#include "vip/frame/TMachineSel.h"
#include "vip/frame/TPosMultSel.h"
#include "vip/frame/TPosMultSelFun.h"
#include "vip/frame/TPosWithCenterMultSel.h"

// The store and machine pickers other windows open by class name. The store
// pickers share window number 265, the host's store list.
namespace {

using enum Subsystem;

const RegistrationRows
    storePicker("Uvipinfo", 50,
                {QueryClassEntry{"TPosMultSel", 265, editionFlags({}), 0, Frame, {}, opens<TPosMultSel>}});

const RegistrationRows otherPickers(
    "Uvipinfo", 70,
    {
        QueryClassEntry{"TPosMultSelFun", 265, editionFlags({}), 0, Frame, {}, opens<TPosMultSelFun>},
        QueryClassEntry{"TMachineSel", 916, editionFlags({}), 0, Frame, {}, opens<TMachineSel>},
        QueryClassEntry{
            "TPosWithCenterMultSel", 265, editionFlags({}), 0, Frame, {}, opens<TPosWithCenterMultSel>},
    });

} // namespace
