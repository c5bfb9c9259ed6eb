#include "vip/points/VipPointsStore.h"

#include "host/sdk/TParamObject.h"
#include "host/sdk/Transaction.h"
#include "host/sdk/VipCodes.h"

#include <QDate>
#include <QUuid>

namespace {

// The mark a group's live rules carry while the group is being saved; nobody sees
// it outside the save's transaction.
constexpr int BeingReplaced = 151110;

QString amount(Money value) {
    return value.toString(4);
}

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
                              int posId, const QString& memo, Money total) {
    TParamObject p;
    p.Add(QStringLiteral("@CardNo"), cardNo.trimmed());
    p.Add(QStringLiteral("@ChangeType"), changeType);
    p.Add(QStringLiteral("@ChangeTotal"), points);
    p.Add(QStringLiteral("@EtypeID"), userCode);
    p.Add(QStringLiteral("@Posid"), posId);
    p.Add(QStringLiteral("@Memo"), memo);
    p.Add(QStringLiteral("@Total"), amount(total));
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

void VipPointsStore::LoadRules(int cardType, int changeType, int available, ClientDataSet& rows) {
    m_data.OpenProcByName(
        QStringLiteral("kd_QueryIntegralexchangeSet"),
        {QStringLiteral("@CardID"), QStringLiteral("@DealDate"), QStringLiteral("@ChangeType"),
         QStringLiteral("@UseInt")},
        {cardType, QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")), changeType + 1, available},
        rows);
}

int VipPointsStore::WarehouseRec(const QString& typeId) {
    return m_data.OpenSQLAsInt(QStringLiteral("SELECT rec FROM stock WHERE typeId = ? AND deleted = 0"),
                               {typeId});
}

void VipPointsStore::FindCouponCards(const QString& prefix, int posId, ClientDataSet& rows) {
    m_data.OpenProcByName(QStringLiteral("KD_ETCListQuery"),
                          {QStringLiteral("@CardNo"), QStringLiteral("@officeid")}, {prefix.trimmed(), posId},
                          rows);
}

void VipPointsStore::LoadCouponCard(int id, ClientDataSet& row) {
    m_data.OpenProcByName(QStringLiteral("KD_ETCListQuery"), {QStringLiteral("@ID")}, {id}, row);
}

VipPointsStore::ExchangeOutcome VipPointsStore::SaveExchange(const Exchange& exchange) {
    ExchangeOutcome outcome;
    Transaction transaction(m_data);
    const int newId = AddChange(exchange.cardNo, exchange.changeType, exchange.points, exchange.userCode,
                                exchange.posId, exchange.memo, exchange.total);
    if (newId <= 0) {
        outcome.changeRefusal = newId;
        return outcome;
    }
    const bool goodsOrCards =
        exchange.changeType == PointsChange::Goods || exchange.changeType == PointsChange::ShoppingCards;
    for (const ExchangeRow& row : exchange.rows) {
        TParamObject p;
        p.Add(QStringLiteral("@ExChangeID"), row.exchangeId);
        p.Add(QStringLiteral("@ExChangeNum"), row.units);
        if (goodsOrCards) {
            p.Add(QStringLiteral("@Prec"), row.prec);
            p.Add(QStringLiteral("@DiffTotal"), amount(row.diffTotal));
        }
        if (exchange.changeType == PointsChange::ShoppingCards)
            p.Add(QStringLiteral("@Comment"), row.cardList);
        p.Add(QStringLiteral("@BillID"), newId);
        if (m_data.ExecuteProcByName(QStringLiteral("P_InsertVipTotalChangeexchange"), p) < 0) {
            outcome.postResult = BillRefused;
            return outcome;
        }
    }
    TParamObject post;
    post.Add(QStringLiteral("@BillID"), newId);
    post.Add(QStringLiteral("@PosId"), exchange.posId);
    post.Add(QStringLiteral("@difftotal"), amount(exchange.diffTotal));
    post.Add(QStringLiteral("@comment"), exchange.comment);
    post.Add(QStringLiteral("@PzComment"), exchange.pzComment);
    if (goodsOrCards)
        post.Add(QStringLiteral("@ARec"), exchange.accountRec);
    else
        post.Add(QStringLiteral("@Total"), amount(exchange.total));
    post.Add(QStringLiteral("@Period"), exchange.period);
    post.Add(QStringLiteral("@TotalQty"), amount(exchange.quantity));
    post.Add(QStringLiteral("@KRec"), exchange.warehouseRec);
    outcome.postResult = m_data.ExecuteProcByName(QStringLiteral("P_VipTotalChangeexchangePost"), post);
    if (outcome.postResult != Posted || !handOut(exchange, outcome.cardRefusals))
        return outcome;
    transaction.Commit();
    outcome.newId = newId;
    return outcome;
}

bool VipPointsStore::handOut(const Exchange& exchange, QStringList& refusals) {
    for (const CouponCard& card : exchange.couponCards) {
        for (const auto& [mode, value] : {std::pair{CouponCardMode::Bind, exchange.cardNo},
                                          std::pair{CouponCardMode::Activate, QString()}}) {
            TParamObject p;
            p.Add(QStringLiteral("@ID"), card.id);
            p.Add(QStringLiteral("@Mode"), mode);
            p.Add(QStringLiteral("@Value"), value);
            p.Add(QStringLiteral("@LoginRec"), exchange.userRec);
            p.Add(QStringLiteral("@RetValue"), QString(), TParamObject::Output);
            if (m_data.ExecuteProcByName(QStringLiteral("KD_ETCListSet"), p) < 0) {
                refusals.append(QStringLiteral("编号：") + card.cardNo +
                                p.AsString(QStringLiteral("@RetValue")));
                break;
            }
            if (exchange.reportCards) {
                TParamObject up;
                up.Add(QStringLiteral("@ID"), card.id);
                up.Add(QStringLiteral("@UPType"), mode);
                up.Add(QStringLiteral("@ERec"), exchange.userRec);
                up.Add(QStringLiteral("@VALUE"), value);
                up.Add(QStringLiteral("@PosID"), exchange.posId);
                m_data.ExecuteProcByName(QStringLiteral("KD_ETCListUP"), up);
            }
        }
    }
    return refusals.isEmpty();
}
