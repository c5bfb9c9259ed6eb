#include "vip/coupons/ETCTypeStore.h"

#include "host/sdk/Transaction.h"
#include "host/sdk/Ucomvar.h"

namespace {

QList<int> ids(const QString& text) {
    QList<int> list;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
        list.append(part.trimmed().toInt());
    return list;
}

QString joined(const QList<int>& ids) {
    QStringList parts;
    for (int id : ids)
        parts.append(QString::number(id));
    return parts.join(QLatin1Char(','));
}

} // namespace

ETCTypeStore::ETCTypeStore(DataModule& data)
    : m_data(data) {}

std::optional<ETCTypeRecord> ETCTypeStore::Load(int kind, int id) {
    ClientDataSet row;
    m_data.OpenProcByName(QStringLiteral("KD_ETCTypeQuery"), {QStringLiteral("@Type"), QStringLiteral("@ID")},
                          {kind, id}, row);
    if (id <= 0 || row.IsEmpty())
        return std::nullopt;
    const auto field = [&row](const char* name) { return row.FieldByName(QLatin1String(name)); };
    ETCTypeRecord t;
    t.id = id;
    t.kind = kind;
    t.name = field("NAME").AsString();
    t.comment = field("Comment").AsString();
    t.flags = field("Flags").AsInteger();
    t.saleStart = field("SaleStart").AsMoney();
    t.useCount = field("UseCount").AsInteger();
    t.useLimit = field("UseLimit").AsInteger();
    t.value = field("RangLimit").AsMoney();
    t.memberTypes = ids(field("VIPType").AsString());
    t.expiryType = field("VallidityType").AsInteger();
    t.expiryDate = field("VallidityDate").AsDate();
    t.expiryDays = field("VallidityDay").AsInteger();
    t.stores = ids(field("TPosID").AsString());
    t.storeNames = field("TPosName").AsString();
    t.pointsRule = field("IntegerType").AsInteger();
    t.enabled = field("Enabled").AsInteger();
    t.goods = goodsOf(id);
    return t;
}

// Products deleted or no longer sold since drop out of the list.
QList<BaseInfoItem> ETCTypeStore::goodsOf(int id) {
    ClientDataSet rows;
    m_data.OpenSQL(QStringLiteral("SELECT p.rec, p.typeId, p.UserCode, p.FullName FROM ETCTypeGoods etc "
                                  "INNER JOIN ptype p ON etc.PTypeID = p.typeId AND p.deleted = 0 AND "
                                  "p.StopSale = 0 WHERE etc.id = ? ORDER BY p.UserCode, p.typeId"),
                   rows, {id});
    QList<BaseInfoItem> goods;
    for (; !rows.Eof(); rows.Next())
        goods.append({rows.FieldByName(QStringLiteral("rec")).AsInteger(),
                      rows.FieldByName(QStringLiteral("typeId")).AsString(),
                      rows.FieldByName(QStringLiteral("UserCode")).AsString(),
                      rows.FieldByName(QStringLiteral("FullName")).AsString()});
    return goods;
}

ClientDataSet ETCTypeStore::MemberTypes() {
    ClientDataSet rows;
    m_data.OpenProcByName(QStringLiteral("Y_InsVipAuto"),
                          {QStringLiteral("@edittype"), QStringLiteral("@cardbz")},
                          {QStringLiteral("S"), QStringLiteral("1")}, rows);
    return rows;
}

ETCTypeStore::Result ETCTypeStore::Save(const ETCTypeRecord& t) {
    Transaction transaction(m_data);
    TParamObject p;
    p.Add(QStringLiteral("@ID"), t.id);
    p.Add(QStringLiteral("@TYPE"), t.kind);
    p.Add(QStringLiteral("@NAME"), t.name);
    p.Add(QStringLiteral("@Comment"), t.comment);
    p.Add(QStringLiteral("@Flags"), t.flags);
    p.Add(QStringLiteral("@SaleStart"), QVariant::fromValue(t.saleStart));
    p.Add(QStringLiteral("@UseCount"), t.useCount);
    p.Add(QStringLiteral("@UseLimit"), t.useLimit);
    p.Add(QStringLiteral("@RangLimit"), QVariant::fromValue(t.value));
    p.Add(QStringLiteral("@VIPNO"), QString());
    p.Add(QStringLiteral("@VIPType"), joined(t.memberTypes));
    p.Add(QStringLiteral("@VallidityType"), t.expiryType);
    p.Add(QStringLiteral("@VallidityDate"), t.expiryDate);
    p.Add(QStringLiteral("@VallidityDay"), t.expiryDays);
    p.Add(QStringLiteral("@UserID"), Ucomvar().nLoginUserRec);
    p.Add(QStringLiteral("@LPosID"), joined(t.stores));
    p.Add(QStringLiteral("@LPosName"), t.stores.isEmpty() ? QStringLiteral("全部门店") : t.storeNames);
    p.Add(QStringLiteral("@IntegerType"), t.pointsRule);
    const int result = m_data.ExecuteProcByName(QStringLiteral("KD_ETCTypeEdit"), p);
    if (result != 0)
        return {result, p.AsString(QStringLiteral("@RetValue"))};
    const int id = p.AsInteger(QStringLiteral("@ID"));
    m_data.ExecuteSQL(QStringLiteral("DELETE FROM ETCTypeGoods WHERE id = ?"), {id});
    for (const BaseInfoItem& product : t.goods) {
        TParamObject out;
        const int added = m_data.ExecuteProcByName(
            QStringLiteral("KD_ETCTypeGoods"),
            {QStringLiteral("@ID"), QStringLiteral("@Type"), QStringLiteral("@PTypeID")},
            {id, t.kind, product.typeId}, &out);
        if (added < 0)
            return {added, product.name + out.AsString(QStringLiteral("@RetValue"))};
    }
    transaction.Commit();
    return {0, {}, id};
}

int ETCTypeStore::CardCount(int id) {
    return m_data.ExecuteProcByName(QStringLiteral("KD_ETCTypeCheckRet"), {QStringLiteral("@ID")}, {id});
}

ETCTypeStore::Result ETCTypeStore::SetEnabled(int id, int state, int user) {
    TParamObject out;
    const int result = m_data.ExecuteProcByName(
        QStringLiteral("KD_ETCTypeEnable"),
        {QStringLiteral("@ID"), QStringLiteral("@Enable"), QStringLiteral("@LoginUser")}, {id, state, user},
        &out);
    return {result, out.AsString(QStringLiteral("@RetValue")), id};
}
