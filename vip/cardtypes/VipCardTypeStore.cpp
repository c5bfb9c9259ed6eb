#include "vip/cardtypes/VipCardTypeStore.h"

#include "host/sdk/Transaction.h"
#include "host/sdk/VipCodes.h"
#include "vip/cardtypes/VipCardTypeParams.h"

#include <QDateTime>

namespace {

const QString allStoresText = QStringLiteral("全部门店");

QString marks(qsizetype count) {
    return QStringList(count, QStringLiteral("?")).join(QLatin1Char(','));
}

QVariantList variants(const QList<int>& values) {
    QVariantList list;
    for (int value : values)
        list.append(value);
    return list;
}

} // namespace

VipCardTypeStore::VipCardTypeStore(DataModule& data)
    : m_data(data) {}

VipCardTypeData VipCardTypeStore::Load(int typeId) {
    VipCardTypeData d;
    d.typeId = typeId > 0 ? typeId : 0;
    if (d.typeId > 0) {
        m_data.OpenSQL(QStringLiteral("SELECT * FROM viptype WHERE CTypeId = ?"), d.type, {d.typeId});
        for (int kind : {RuleKind::DiscountBands, RuleKind::PointsBands, RuleKind::PointsPerPurchase,
                         RuleKind::StoredValueGifts, RuleKind::PointsPerAmount})
            m_data.OpenSQL(
                QStringLiteral(
                    "SELECT * FROM vipAutoDiscount WHERE DisType = ? AND VipTypeId = ? ORDER BY id"),
                d.rules[kind], {kind, d.typeId});
        // Rows whose product or attribute is gone since stay in the grid, marked, so
        // the user sees what the rule was and chooses again or drops the row.
        m_data.OpenSQL(
            QStringLiteral("SELECT v.*, p.typeId AS ptypeid, COALESCE(p.UserCode, '') AS itemCode, "
                           "COALESCE(p.FullName, '') AS itemName, "
                           "CASE WHEN p.rec IS NULL OR p.deleted <> 0 THEN 1 ELSE 0 END AS itemGone "
                           "FROM vipAutoDiscount v LEFT JOIN ptype p ON p.rec = v.prec "
                           "WHERE v.DisType = ? AND v.VipTypeId = ? AND v.prec > 0 ORDER BY v.id"),
            d.products, {RuleKind::ProductPoints, d.typeId});
        m_data.OpenSQL(
            QStringLiteral(
                "SELECT v.*, COALESCE(p.UserCode, '') AS itemCode, COALESCE(p.FullName, '') AS itemName, "
                "CASE WHEN p.rec IS NULL OR p.deleted <> 0 THEN 1 ELSE 0 END AS itemGone "
                "FROM vipAutoDiscount v LEFT JOIN BaseInfoProperty p ON p.rec = v.prec AND p.IDFlag = 1 "
                "WHERE v.DisType = ? AND v.VipTypeId = ? AND v.prec > 0 ORDER BY v.id"),
            d.attributes, {RuleKind::AttributePoints, d.typeId});
        const QString catchAll = QStringLiteral("SELECT v.* FROM vipAutoDiscount v WHERE v.DisType = ? AND "
                                                "v.prec = 0 AND v.VipTypeId = ? ORDER BY v.id");
        m_data.OpenSQL(catchAll, d.otherProducts, {RuleKind::ProductPoints, d.typeId});
        m_data.OpenSQL(catchAll, d.otherAttributes, {RuleKind::AttributePoints, d.typeId});
    }
    m_data.OpenProcByName(QStringLiteral("P_PosMultSel"), {QStringLiteral("@CTypeId")}, {d.typeId}, d.stores);
    d.prices = PriceModes();
    const bool allStores = !d.found() || d.type.FieldByName(QStringLiteral("CanAllPos")).AsInteger() == 1;
    d.exchangeStores = IndependentStores(allStores ? 0 : d.typeId);
    d.storeNames = StoreNames(nullptr, allStores, d.typeId);
    return d;
}

void VipCardTypeStore::deleteRules(int typeId, int kind) {
    m_data.ExecuteSQL(QStringLiteral("DELETE FROM vipAutoDiscount WHERE VipTypeId = ? AND DisType = ?"),
                      {typeId, kind});
}

void VipCardTypeStore::insertRules(int typeId, int kind, const QList<VipTypeRuleRow>& rows) {
    const bool perItem = kind == RuleKind::ProductPoints || kind == RuleKind::AttributePoints;
    QStringList names = {QStringLiteral("@BuyTotalBegin"), QStringLiteral("@BuyTotalEnd"),
                         QStringLiteral("@Discount"),      QStringLiteral("@Comment"),
                         QStringLiteral("@DisType"),       QStringLiteral("@IntegralQuotiety"),
                         QStringLiteral("@Integral"),      QStringLiteral("@VipTypeId")};
    if (perItem)
        names.append(QStringLiteral("@prec"));
    for (const VipTypeRuleRow& row : rows) {
        // Only discount bands carry a rate; every other kind stores 0 there.
        QVariantList values = {QVariant::fromValue(row.from),
                               QVariant::fromValue(row.to),
                               kind == RuleKind::DiscountBands ? row.discount : 0.0,
                               row.comment,
                               kind,
                               QVariant::fromValue(row.base),
                               QVariant::fromValue(row.grant),
                               typeId};
        if (perItem)
            values.append(row.prec);
        m_data.ExecuteProcByName(QStringLiteral("Y_InsVipDiscount"), names, values);
    }
}

int VipCardTypeStore::Save(const VipCardTypeSettings& s) {
    using S = VipCardTypeSettings;
    Transaction transaction(m_data);
    TParamObject params = VipCardTypeParams::Of(s);
    const int id = m_data.ExecuteProcByName(QStringLiteral("Y_InsVipType"), params);
    if (id <= 0)
        return id < 0 ? id : TypeGone;

    // Turning clearing on starts a new clearing period for the type's cards; a type
    // that already cleared keeps its running period.
    if (s.clearIntegral && (!s.clearingWasOn || s.typeId <= 0))
        m_data.ExecuteSQL(QStringLiteral("UPDATE vipcard SET ClearDate = ? WHERE CardType = ?"),
                          {QDateTime::currentDateTime(), id});

    m_data.ExecuteSQL(QStringLiteral("DELETE FROM PosVipType WHERE viptype = ?"), {id});
    if (s.posRange && !s.allStores) {
        for (int store : s.markedStores)
            m_data.ExecuteSQL(QStringLiteral("INSERT INTO PosVipType (PosID, viptype) VALUES (?, ?)"),
                              {store, id});
    }

    deleteRules(id, RuleKind::DiscountBands);
    if (s.mode != S::MemberPrice && s.discountKind == S::SegmentedDiscount)
        insertRules(id, RuleKind::DiscountBands, s.discountBands);

    // Points rows are kept as they were while points are switched off, so that
    // switching them on again brings the old rules back; the same for stored value.
    if (s.autoIntegral)
        writePointsRules(id, s);
    if (s.storedValue) {
        deleteRules(id, RuleKind::StoredValueGifts);
        insertRules(id, RuleKind::StoredValueGifts, s.storedValueBands);
    }

    m_data.ExecuteProcByName(QStringLiteral("KD_UpdateVipTypePosNames"), {QStringLiteral("@CTypeid")}, {id});
    transaction.Commit();
    return id;
}

void VipCardTypeStore::writePointsRules(int id, const VipCardTypeSettings& s) {
    using S = VipCardTypeSettings;
    const auto single = [&](const QString& comment) {
        VipTypeRuleRow row;
        row.base = s.pointsAmount;
        row.grant = s.points;
        row.comment = comment;
        return QList<VipTypeRuleRow>{row};
    };
    deleteRules(id, RuleKind::PointsPerAmount);
    if (s.pointsRule == S::FixedPoints)
        insertRules(id, RuleKind::PointsPerAmount, single(QStringLiteral("单次消费积分")));
    deleteRules(id, RuleKind::PointsPerPurchase);
    if (s.pointsRule == S::TimesPoints)
        insertRules(id, RuleKind::PointsPerPurchase, single(QStringLiteral("消费次数积分")));
    deleteRules(id, RuleKind::PointsBands);
    if (s.pointsRule == S::StepPoints)
        insertRules(id, RuleKind::PointsBands, s.pointBands);
    const auto perItem = [&](int kind, S::PointsRule rule, const QList<VipTypeRuleRow>& rows,
                             const QString& other) {
        deleteRules(id, kind);
        if (s.pointsRule != rule)
            return;
        QList<VipTypeRuleRow> all;
        for (VipTypeRuleRow row : rows) {
            row.to = row.from;
            row.discount = 0;
            row.base = Money::fromUnits(1);
            all.append(row);
        }
        if (!s.otherAmount.isZero() && !s.otherPoints.isZero()) {
            VipTypeRuleRow rest;
            rest.from = rest.to = s.otherAmount;
            rest.base = Money::fromUnits(1);
            rest.grant = s.otherPoints;
            rest.comment = other;
            all.append(rest);
        }
        insertRules(id, kind, all);
    };
    perItem(RuleKind::ProductPoints, S::ProductPoints, s.productRows, QStringLiteral("其它商品"));
    perItem(RuleKind::AttributePoints, S::AttributePoints, s.attributeRows, QStringLiteral("其它属性"));
}

int VipCardTypeStore::Delete(int typeId) {
    Transaction transaction(m_data);
    const int result = m_data.ExecuteProcByName(
        QStringLiteral("Y_InsVipAuto"),
        {QStringLiteral("@edittype"), QStringLiteral("@cardbz"), QStringLiteral("@Autoid")},
        {QStringLiteral("D"), QStringLiteral("1"), typeId});
    if (result != 0)
        return result;
    m_data.ExecuteSQL(QStringLiteral("DELETE FROM PosVipType WHERE viptype = ?"), {typeId});
    m_data.ExecuteSQL(QStringLiteral("DELETE FROM vipAutoDiscount WHERE VipTypeId = ?"), {typeId});
    transaction.Commit();
    return result;
}

QList<NamedId> VipCardTypeStore::PriceModes() {
    ClientDataSet rows;
    m_data.OpenSQL(QStringLiteral("SELECT PriceMode, PriceName FROM pricelist ORDER BY PriceMode"), rows);
    QList<NamedId> prices;
    for (; !rows.Eof(); rows.Next())
        prices.append({rows.FieldByName(QStringLiteral("PriceMode")).AsInteger(),
                       rows.FieldByName(QStringLiteral("PriceName")).AsString()});
    return prices;
}

bool VipCardTypeStore::IsNameTaken(const QString& name, int typeId) {
    return m_data.ExecuteProcByName(QStringLiteral("Pro_checkhassamevipname"),
                                    {QStringLiteral("@vipTypename"), QStringLiteral("@viptypeId")},
                                    {name, typeId}) == 1;
}

bool VipCardTypeStore::HoldsStoredValue(int storeId, int typeId) {
    return m_data.ExecuteProcByName(QStringLiteral("kd_GetVipUsePosInfo"),
                                    {QStringLiteral("@PosID"), QStringLiteral("@nviptype")},
                                    {storeId, typeId}) == 1;
}

QSet<int> VipCardTypeStore::gone(const QString& liveQuery, const QList<int>& recs) {
    QSet<int> missing(recs.cbegin(), recs.cend());
    if (recs.isEmpty())
        return missing;
    ClientDataSet live;
    m_data.OpenSQL(liveQuery.arg(marks(recs.size())), live, variants(recs));
    for (; !live.Eof(); live.Next())
        missing.remove(live.FieldByName(QStringLiteral("rec")).AsInteger());
    return missing;
}

QSet<int> VipCardTypeStore::GoneProducts(const QList<int>& recs) {
    return gone(QStringLiteral("SELECT rec FROM ptype WHERE deleted = 0 AND rec IN (%1)"), recs);
}

QSet<int> VipCardTypeStore::GoneAttributes(const QList<int>& recs) {
    return gone(
        QStringLiteral("SELECT rec FROM BaseInfoProperty WHERE deleted = 0 AND IDFlag = 1 AND rec IN (%1)"),
        recs);
}

int VipCardTypeStore::AttributeGroup(int rec) {
    return m_data.OpenSQLAsInt(QStringLiteral("SELECT a.parid FROM BaseInfoProperty a WHERE a.deleted = 0 "
                                              "AND a.typeid <> ? AND a.IDFlag = 1 AND a.Rec = ?"),
                               {QStringLiteral("00000"), rec});
}

std::optional<BaseInfoItem> VipCardTypeStore::Attribute(const QString& treeKey) {
    ClientDataSet rows;
    m_data.OpenProcByName(QStringLiteral("Kd_QueryBaseInfoProperty"),
                          {QStringLiteral("@IDFlag"), QStringLiteral("@TypeId"), QStringLiteral("@Mode")},
                          {1, treeKey, QStringLiteral("Single")}, rows);
    if (rows.IsEmpty())
        return std::nullopt;
    return BaseInfoItem{rows.FieldByName(QStringLiteral("Rec")).AsInteger(), treeKey,
                        rows.FieldByName(QStringLiteral("UserCode")).AsString(),
                        rows.FieldByName(QStringLiteral("FullName")).AsString()};
}

QList<NamedId> VipCardTypeStore::stores(const QString& sql, const QVariantList& params) {
    ClientDataSet rows;
    m_data.OpenSQL(sql, rows, params);
    QList<NamedId> list;
    for (; !rows.Eof(); rows.Next())
        list.append({rows.FieldByName(QStringLiteral("posid")).AsInteger(),
                     rows.FieldByName(QStringLiteral("PosName")).AsString()});
    return list;
}

QString VipCardTypeStore::StoreNames(TStringList* list, bool allStores, int typeId) {
    if (allStores)
        return allStoresText;
    if (typeId == 0)
        return QString();
    const QList<NamedId> own = stores(
        QStringLiteral("SELECT p.posid, p.PosName FROM posinfo p, PosVipType v WHERE p.posid = v.PosID "
                       "AND v.viptype = ? AND p.deleted = 0 ORDER BY p.RowIndex, p.posid"),
        {typeId});
    if (list)
        list->Clear();
    QStringList names;
    for (const NamedId& store : own) {
        if (list)
            list->Add(QString::number(store.id) + QLatin1Char('=') + store.name);
        names.append(store.name);
    }
    return names.join(QLatin1Char(';'));
}

QList<NamedId> VipCardTypeStore::IndependentStores(int typeId, const QList<int>& among) {
    if (typeId != 0)
        return stores(
            QStringLiteral("SELECT p.posid, p.PosName FROM posinfo p, PosVipType v WHERE p.posid = v.PosID "
                           "AND p.ConnectType = 1 AND v.viptype = ? AND p.deleted = 0 "
                           "ORDER BY p.RowIndex, p.posid"),
            {typeId});
    QString sql = QStringLiteral("SELECT posid, PosName FROM posinfo WHERE deleted = 0 AND ConnectType = 1");
    if (!among.isEmpty())
        sql += QStringLiteral(" AND posid IN (%1)").arg(marks(among.size()));
    return stores(sql + QStringLiteral(" ORDER BY RowIndex, posid"), variants(among));
}

std::optional<int> VipCardTypeStore::TypeOfCard(const QString& cardNo) {
    ClientDataSet card;
    m_data.OpenSQL(QStringLiteral("SELECT CardType FROM vipcard WHERE deleted = 0 AND CardNo = ?"), card,
                   {cardNo});
    if (card.IsEmpty())
        return std::nullopt;
    return card.FieldByName(QStringLiteral("CardType")).AsInteger();
}

bool VipCardTypeStore::AppliesEverywhere(int typeId) {
    return m_data.OpenSQLAsInt(
               QStringLiteral("SELECT CanAllPos FROM viptype WHERE deleted = 0 AND CTypeId = ?"), {typeId}) ==
           1;
}

void VipCardTypeStore::ReadRuleTable(ClientDataSet& rows) {
    m_data.OpenProcByName(QStringLiteral("kd_CashVipType"), {}, {}, rows);
}
