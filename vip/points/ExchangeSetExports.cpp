#include "vip/points/ExchangeSetExports.h"

#include "host/sdk/ui/GuardedHandler.h"
#include "vip/base/ModuleGlobals.h"
#include "vip/points/TFExchange.h"

#include <QApplication>

bool ExchangeShow(int ctypeId, const QString& typeName, int exchangeId, int changeType,
                  const QString& groupId, bool flag) {
    bool saved = false;
    RunGuarded([&] {
        TFExchange dialog(QApplication::activeWindow());
        FExchange = &dialog;
        dialog.Setup(ctypeId, typeName, exchangeId, changeType, groupId, flag);
        saved = dialog.ShowModal() == mrOk;
    });
    return saved;
}
