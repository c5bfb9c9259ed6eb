#include "vip/coupons/ETCCardBinding.h"

#include "host/sdk/MessageBox.h"
#include "host/sdk/VRecord.h"
#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/CallQueryClass.h"
#include "host/sdk/ui/ModalResult.h"
#include "vip/members/VipSelectExports.h"

#include <QRegularExpression>

bool ETCCardBinding::Bind(ETCCardStore& store, QList<ETCCardBatch::Item> cards) {
    if (cards.isEmpty())
        return false;
    QStringList members;
    if (cards.size() == 1) {
        VRecord record;
        if (!ShowBillVipCardSel(&record))
            return false;
        members.append(record.CardNo);
    } else {
        TParamObject params;
        params.Add(QStringLiteral("@FormStyle"), 1);
        if (CallQueryClass(QStringLiteral("TSelectVIPInfo"), params) != mrOk)
            return false;
        static const QRegularExpression separators(QStringLiteral("[,;\\r\\n]+"));
        members = params.AsString(QStringLiteral("@VIPCardNO")).split(separators, Qt::SkipEmptyParts);
        if (members.isEmpty())
            return false;
        if (members.size() < cards.size() &&
            !Question(QStringLiteral("你选择的会员卡张数小于购物卡张数是否继续绑定")))
            return false;
    }
    cards = cards.mid(0, members.size());
    for (int i = 0; i < cards.size(); ++i)
        cards[i].value = members.at(i).trimmed();
    const QString refusals = ETCCardBatch::Run(store, cards, CouponCardMode::Bind);
    if (!refusals.isEmpty())
        ShowError(refusals.trimmed(), QStringLiteral("错误"));
    return true;
}
