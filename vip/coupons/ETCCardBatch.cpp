#include "vip/coupons/ETCCardBatch.h"

#include "host/sdk/Ucomvar.h"
#include "host/sdk/VipCodes.h"
#include "vip/coupons/ETCCardHeadOffice.h"
#include "vip/coupons/ETCCardStore.h"

QString ETCCardBatch::Run(ETCCardStore& store, const QList<Item>& cards, int mode) {
    const TComVar& session = Ucomvar();
    const bool reported =
        mode == CouponCardMode::Activate || mode == CouponCardMode::Void || mode == CouponCardMode::Bind;
    QString refusals;
    for (const Item& card : cards) {
        QString refusal =
            store.SetState(card.id, mode, card.value, session.nLoginUserRec, session.lPublicPosid);
        if (refusal.isEmpty() && reported)
            refusal = ETCCardHeadOffice::Report(store, card.id, mode, card.value);
        if (!refusal.isEmpty())
            refusals += QStringLiteral("编号：") + card.cardNo + refusal + QLatin1Char('\n');
    }
    return refusals;
}
