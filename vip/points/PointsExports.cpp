#include "vip/points/PointsExports.h"

#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "vip/base/ModuleGlobals.h"
#include "vip/points/TfrmVipTotalAdjust.h"

#include <QApplication>

bool IntegralExchageAdjust(int changeType, const QString& cardNo) {
    bool saved = false;
    RunGuarded([&] {
        TfrmVipTotalAdjust dialog(QApplication::activeWindow());
        kvr_VipChangeTotalfrm = &dialog;
        dialog.SetChangeType(changeType);
        if (!dialog.OpenCard(cardNo))
            return;
        saved = dialog.ShowModal() == mrOk;
    });
    return saved;
}

bool IntegralVipTotal_Adjust() {
    return IntegralExchageAdjust(PointsChange::Adjustment, QString());
}
