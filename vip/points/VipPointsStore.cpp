#include "vip/points/VipPointsStore.h"

#include "host/sdk/TParamObject.h"
#include "host/sdk/Transaction.h"

#include <QUuid>

namespace {

// The mark a group's live rules carry while the group is being saved; nobody sees
// it outside the save's transaction.
constexpr int BeingReplaced = 151110;

} // namespace

VipPointsStore::VipPointsStore(DataModule& data)
    : m_data(data) {}

void VipPointsStore::LoadCard(const QString& cardNo, ClientDataSet& row) {
    m_data.OpenSQL(
        QStringLiteral("SELECT c.*, t.TypeName AS CardTypeCN, t.ChangeIntegralPos FROM vipcard c "
                       "JOIN viptype t ON t.CTypeId = c.CardType WHERE c.deleted = 0 AND c.CardNo = ?"),
        row, {cardNo.trimmed()});
}

bool VipPointsStore::UsableInStore(int cardId, int posId) {
    return m_data.ExecuteProcByName(QStringLiteral("QueryVipPosType"),
                                    {QStringLiteral("@CardID"), QStringLiteral("@PosID")},
                                    {QString::number(cardId), QString::number(posId)}) == 0;
}

int VipPointsStore::AddChange(const QString& cardNo, int changeType, int points, const QString& userCode,
                              int posId, const QString& memo) {
    TParamObject p;
    p.Add(QStringLiteral("@CardNo"), cardNo.trimmed());
    p.Add(QStringLiteral("@ChangeType"), changeType);
    p.Add(QStringLiteral("@ChangeTotal"), points);
    p.Add(QStringLiteral("@EtypeID"), userCode);
    p.Add(QStringLiteral("@Posid"), posId);
    p.Add(QStringLiteral("@Memo"), memo);
    p.Add(QStringLiteral("@Total"), 0);
    p.Add(QStringLiteral("@NewId"), 0, TParamObject::Output);
    const int result = m_data.ExecuteProcByName(QStringLiteral("InsertVipTotalChangeInfo"), p);
    return result < 0 ? result : p.AsInteger(QStringLiteral("@NewId"));
}

QList<QPair<int, QString>> VipPointsStore::PointsCardTypes() {
    ClientDataSet rows;
    m_data.OpenSQL(
        QStringLiteral("SELECT CTypeId, TypeName FROM viptype WHERE AutoIntegral = 1 AND deleted = 0 "
                       "ORDER BY CTypeId"),
        rows);
    QList<QPair<int, QString>> types;
    for (int r = 0; r < rows.RecordCount(); ++r)
        types.append({rows.Value(r, QStringLiteral("CTypeId")).toInt(),
                      rows.Value(r, QStringLiteral("TypeName")).toString()});
    return types;
}

ExchangeGroup VipPointsStore::LoadExchangeGroup(const QString& groupId, int changeType) {
    ClientDataSet rows;
    m_data.OpenSQL(
        QStringLiteral(
            "SELECT i.*, COALESCE(p.UserCode, '') AS PUserCode, COALESCE(p.FullName, '') AS PFullName, "
            "COALESCE(et.TYPE, 0) AS CouponKind, COALESCE(et.NAME, '') AS CouponName "
            "FROM IntegralexchangeSet i LEFT JOIN ETCType et ON et.ID = i.ETCID "
            "LEFT JOIN ptype p ON p.rec = i.PRec "
            "WHERE i.deleted = 0 AND i.groupId = ? ORDER BY i.groupOrdId"),
        rows, {groupId});
    ExchangeGroup group;
    group.changeType = changeType;
    if (rows.IsEmpty())
        return group;
    const auto field = [&rows](int r, const char* name) {
        return Field(QString(), rows.Value(r, QLatin1String(name)));
    };
    group.groupId = groupId;
    group.ctypeId = field(0, "CTypeId").AsInteger();
    group.changeType = field(0, "ChangeType").AsInteger();
    group.startDate = field(0, "SDate").AsDate();
    group.endDate = field(0, "EDate").AsDate();
    group.memo = field(0, "Memo").AsString();
    group.czAuto = field(0, "IsCzAuto").AsInteger() == 1;
    for (int r = 0; r < rows.RecordCount(); ++r) {
        ExchangeRule rule;
        rule.useIntegral = field(r, "UseIntegral").AsInteger();
        rule.exchangeNum = field(r, "exchangeNum").AsMoney();
        rule.diffPrice = field(r, "diffprice").AsMoney();
        rule.prec = field(r, "PRec").AsInteger();
        rule.productCode = field(r, "PUserCode").AsString();
        rule.productName = field(r, "PFullName").AsString();
        rule.etcId = field(r, "ETCID").AsInteger();
        rule.couponKind = field(r, "CouponKind").AsInteger();
        rule.couponName = field(r, "CouponName").AsString();
        group.rules.append(rule);
    }
    return group;
}

VipPointsStore::ExchangeSave VipPointsStore::SaveExchangeGroup(ExchangeGroup& group, int userRec) {
    Transaction transaction(m_data);
    // Saves of one card type's rules queue on the type's row, so a group saved from
    // two places at once is replaced by one save and then by the other, never twice
    // over at the same time.
    m_data.ExecuteSQL(QStringLiteral("UPDATE viptype SET CTypeId = CTypeId WHERE CTypeId = ?"),
                      {group.ctypeId});
    const bool existing = !group.groupId.isEmpty();
    const QString groupId = existing ? group.groupId : QUuid::createUuid().toString(QUuid::WithBraces);
    if (existing)
        m_data.ExecuteSQL(
            QStringLiteral("UPDATE IntegralexchangeSet SET deleted = ? WHERE groupId = ? AND deleted = 0"),
            {BeingReplaced, groupId});
    const bool storedValue = group.changeType == ExchangeWay::StoredValue;
    for (int i = 0; i < group.rules.size(); ++i) {
        const ExchangeRule& rule = group.rules.at(i);
        TParamObject p;
        p.Add(QStringLiteral("@PRec"), rule.prec);
        p.Add(QStringLiteral("@ERec"), userRec);
        p.Add(QStringLiteral("@CTypeId"), group.ctypeId);
        p.Add(QStringLiteral("@ChangeType"), group.changeType);
        p.Add(QStringLiteral("@UseIntegral"), rule.useIntegral);
        p.Add(QStringLiteral("@exchangeNum"), QVariant::fromValue(rule.exchangeNum));
        p.Add(QStringLiteral("@diffprice"), QVariant::fromValue(rule.diffPrice));
        p.Add(QStringLiteral("@SDate"), group.startDate);
        p.Add(QStringLiteral("@EDate"), group.endDate);
        p.Add(QStringLiteral("@Memo"), group.memo);
        p.Add(QStringLiteral("@IsCzAuto"), storedValue && group.czAuto ? 1 : 0);
        p.Add(QStringLiteral("@ETCID"), rule.etcId);
        p.Add(QStringLiteral("@groupId"), groupId);
        p.Add(QStringLiteral("@groupOrdId"), i);
        const int result = m_data.ExecuteProcByName(QStringLiteral("P_InsertIntegralexchangeSet"), p);
        // Leaving without a commit rolls the marks back with the rows written so far.
        if (result < 0)
            return {result, i};
    }
    if (existing)
        m_data.ExecuteSQL(
            QStringLiteral("UPDATE IntegralexchangeSet SET deleted = 1 WHERE groupId = ? AND deleted = ?"),
            {groupId, BeingReplaced});
    transaction.Commit();
    group.groupId = groupId;
    return {};
}

bool VipPointsStore::SetExchangeCzAuto(int exchangeId, bool automatic) {
    return m_data.ExecuteSQL(QStringLiteral("UPDATE IntegralexchangeSet SET IsCzAuto = ? "
                                            "WHERE ExChangeID = ? AND deleted = 0 AND ChangeType = ?"),
                             {automatic ? 1 : 0, exchangeId, ExchangeWay::StoredValue}) > 0;
}

bool VipPointsStore::ExchangeRuleInUse(int exchangeId) {
    return m_data.OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM vipchangeexchange WHERE ExChangeID = ?"),
                               {exchangeId}) > 0;
}

void VipPointsStore::DeleteExchangeRule(int exchangeId) {
    m_data.ExecuteSQL(QStringLiteral("UPDATE IntegralexchangeSet SET deleted = 1 WHERE ExChangeID = ?"),
                      {exchangeId});
}
