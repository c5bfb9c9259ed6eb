#include "vip/points/VipPointsStore.h"

#include "host/sdk/TParamObject.h"
#include "host/sdk/Transaction.h"
#include "host/sdk/VipCodes.h"

#include <QDate>

namespace {

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
