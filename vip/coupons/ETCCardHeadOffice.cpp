#include "vip/coupons/ETCCardHeadOffice.h"

#include "host/sdk/ShopCardConnect.h"
#include "host/sdk/Ucomvar.h"
#include "vip/coupons/ETCCardStore.h"

bool ETCCardHeadOffice::ChainEdition() {
    return AppClass().Flag(14) || AppClass().Flag(19);
}

QString ETCCardHeadOffice::Report(ETCCardStore& store, int cardId, int mode, const QString& value,
                                  const QDate& date) {
    if (!ChainEdition())
        return {};
    const TComVar& session = Ucomvar();
    const QString refusal =
        store.ReportUp(cardId, mode, value, session.nLoginUserRec, session.lPublicPosid, date);
    if (refusal.isEmpty() && session.lConnectType == 1) {
        TShopCardConnect link;
        if (date.isValid())
            link.SetETCList(cardId, mode, value, session.nLoginUserRec, date);
        else
            link.SetETCList(cardId, mode, value, session.nLoginUserRec);
    }
    return refusal;
}
