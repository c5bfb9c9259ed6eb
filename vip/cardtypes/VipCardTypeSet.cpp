#include "vip/cardtypes/VipCardTypeSet.h"

#include "host/sdk/ui/GuardedHandler.h"
#include "vip/cardtypes/TVipCardTypeSetfrm.h"

#include <QApplication>

int VipCardTypeSet(int typeId) {
    RunGuarded([typeId] {
        TVipCardTypeSetfrm dialog(typeId, QApplication::activeWindow());
        dialog.OpenDb();
        dialog.RefreshAll();
        dialog.ShowModal();
    });
    return 0;
}
