#include "host/db/procedures/ETCHeldCard.h"

#include "host/data/Database.h"
#include "host/sdk/ClientDataSet.h"
#include "host/sdk/VipCodes.h"

bool ETCHeldCard::voided() const {
    return flag == 3;
}

bool ETCHeldCard::activated() const {
    return flag == 1;
}

std::optional<ETCHeldCard> ETCHeldCard::hold(Database& db, int id) {
    ClientDataSet row;
    db.select(QStringLiteral("SELECT ID, ETCID, ETCType, CardNo, VIPID, VIPCode, Flag, Total, UsedTotal, "
                             "UsedCount, Used, IsStop, Flags, VIPType, StartDate, EndDate FROM ETCList "
                             "WHERE ID = ? AND deleted = 0") +
                  db.dialect().forUpdate(),
              {id}, row);
    if (row.IsEmpty())
        return std::nullopt;
    const auto field = [&](const char* name) { return row.FieldByName(QLatin1String(name)); };
    ETCHeldCard c;
    c.id = id;
    c.etcId = field("ETCID").AsInteger();
    c.kind = field("ETCType").AsInteger();
    c.cardNo = field("CardNo").AsString();
    c.vipId = field("VIPID").AsInteger();
    c.vipCode = field("VIPCode").AsString();
    c.flag = field("Flag").AsInteger();
    c.total = field("Total").AsLargeInt();
    c.usedTotal = field("UsedTotal").AsLargeInt();
    c.usedCount = field("UsedCount").AsInteger();
    c.used = field("Used").AsInteger() != 0;
    c.stopped = field("IsStop").AsInteger() != 0;
    c.flags = field("Flags").AsInteger();
    c.vipType = field("VIPType").AsString();
    c.startDate = field("StartDate").AsDate();
    c.endDate = field("EndDate").AsDate();
    return c;
}

QString ETCHeldCard::memberTypeRefusal(int flags, const QString& vipType, int memberCardType,
                                       const QString& cardNo, const QString& memberCardNo) {
    if (!CouponFlag::has(flags, CouponFlag::MemberTypes) || vipType.trimmed().isEmpty())
        return {};
    for (const QString& id : vipType.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (id.trimmed().toInt() == memberCardType)
            return {};
    }
    return QStringLiteral("购物卡%1的许可卡类型与会员卡[%2]不相符").arg(cardNo, memberCardNo);
}
