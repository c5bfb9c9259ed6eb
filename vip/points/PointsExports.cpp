#include "vip/points/PointsExports.h"

#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "vip/base/ModuleGlobals.h"
#include "vip/points/TKvr_VipChangeTotalfrm.h"
#include "vip/points/TfrmVipTotalAdjust.h"

#include <QApplication>

namespace {

template <class Dialog> bool openPoints(int changeType, const QString& cardNo) {
    bool saved = false;
    RunGuarded([&] {
        Dialog dialog(QApplication::activeWindow());
        kvr_VipChangeTotalfrm = &dialog;
        dialog.SetChangeType(changeType);
        if (!dialog.OpenCard(cardNo))
            return;
        saved = dialog.ShowModal() == mrOk;
    });
    return saved;
}

} // namespace

bool IntegralExchageAdjust(int changeType, const QString& cardNo) {
    return openPoints<TfrmVipTotalAdjust>(changeType, cardNo);
}

bool IntegralVipTotal_Adjust() {
    return IntegralExchageAdjust(PointsChange::Adjustment, QString());
}

bool IntegralExchage(int changeType, const QString& cardNo) {
    return openPoints<TKvr_VipChangeTotalfrm>(changeType, cardNo);
}

bool IntegralExchage_Cash() {
    return IntegralExchage(PointsChange::Cash, QString());
}

bool IntegralExchage_Cz() {
    return IntegralExchage(PointsChange::StoredValue, QString());
}

bool IntegralExchage_Sp() {
    return IntegralExchage(PointsChange::Goods, QString());
}

bool IntegralExchage_Gwk() {
    return IntegralExchage(PointsChange::ShoppingCards, QString());
}

bool IntegralExchage_Add() {
    return IntegralExchage(PointsChange::Added, QString());
}

bool IntegralExchage_Del() {
    return IntegralExchage(PointsChange::Deducted, QString());
}

bool IntegralExchage_Adjust() {
    return IntegralExchage(PointsChange::Adjustment, QString());
}
