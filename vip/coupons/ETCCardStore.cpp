#include "vip/coupons/ETCCardStore.h"

#include "host/sdk/MessageBox.h"
#include "host/sdk/SysLog.h"
#include "host/sdk/Transaction.h"
#include "host/sdk/VipCodes.h"

ETCCardStore::ETCCardStore(DataModule& data)
    : m_data(data) {}

ETCCardStore::Card ETCCardStore::FromRow(const ClientDataSet& rows) {
    const auto field = [&](const char* name) { return rows.FieldByName(QLatin1String(name)); };
    Card c;
    c.id = field("ID").AsInteger();
    c.etcId = field("ETCID").AsInteger();
    c.kind = field("ETCType").AsInteger();
    c.typeName = field("NAME").AsString();
    c.cardNo = field("CardNo").AsString();
    c.vipId = field("VIPID").AsInteger();
    c.vipCode = field("VIPCode").AsString();
    c.flag = field("Flag").AsInteger();
    c.total = field("Total").AsMoney();
    c.usedTotal = field("UsedTotal").AsMoney();
    c.startDate = field("StartDate").AsDate();
    c.endDate = field("EndDate").AsDate();
    c.posIds = field("LPosID").AsString();
    c.posNames = field("LPosName").AsString();
    c.used = field("Used").AsInteger() != 0;
    c.stopped = field("IsStop").AsInteger() != 0;
    c.flags = field("Flags").AsInteger();
    c.vipType = field("VIPType").AsString();
    return c;
}

std::optional<ETCCardStore::Card> ETCCardStore::Load(int id, int kind) {
    ClientDataSet rows;
    m_data.OpenProcByName(QStringLiteral("KD_ETCListQuery"),
                          {QStringLiteral("@ID"), QStringLiteral("@ETCType")}, {id, kind}, rows);
    if (rows.IsEmpty())
        return std::nullopt;
    return FromRow(rows);
}

void ETCCardStore::FindByNumber(const QString& prefix, int storeId, ClientDataSet& rows) {
    m_data.OpenProcByName(QStringLiteral("KD_ETCListQuery"),
                          {QStringLiteral("@CardNo"), QStringLiteral("@officeid")}, {prefix, storeId}, rows);
}

ETCCardStore::Saved ETCCardStore::Save(const Card& card, int userRec, const ETCCardChangeLog::Values& before,
                                       const ETCCardChangeLog::Values& after) {
    Transaction transaction(m_data);
    Saved saved{card.id, card.cardNo.trimmed(), {}};
    if (saved.cardNo.isEmpty()) {
        TParamObject next;
        next.Add(QStringLiteral("@ETCType"), card.kind);
        m_data.ExecuteProcByName(QStringLiteral("KD_ETCAutoCode"), next);
        saved.cardNo = next.AsString(QStringLiteral("@CardNo"));
    }
    TParamObject p;
    p.Add(QStringLiteral("@ID"), card.id);
    p.Add(QStringLiteral("@ETCID"), card.etcId);
    p.Add(QStringLiteral("@ETCType"), card.kind);
    p.Add(QStringLiteral("@CardNo"), saved.cardNo);
    p.Add(QStringLiteral("@VIPID"), card.vipId);
    p.Add(QStringLiteral("@VIPCode"), card.vipCode);
    p.Add(QStringLiteral("@CreateERec"), userRec);
    p.Add(QStringLiteral("@Flag"), card.flag);
    p.Add(QStringLiteral("@Total"), card.total.toString(4));
    p.Add(QStringLiteral("@UsedTotal"), 0);
    p.Add(QStringLiteral("@StartDate"),
          card.startDate.isValid() ? QVariant(card.startDate) : QVariant(QString()));
    p.Add(QStringLiteral("@EndDate"), card.endDate.isValid() ? QVariant(card.endDate) : QVariant(QString()));
    p.Add(QStringLiteral("@LPosID"), card.posIds);
    p.Add(QStringLiteral("@LPosName"), card.posNames.isEmpty() ? QStringLiteral("全部门店") : card.posNames);
    if (m_data.ExecuteProcByName(QStringLiteral("KD_ETCListEdit"), p) != 0) {
        saved.refusal = p.AsString(QStringLiteral("@RetValue"));
        if (saved.refusal.isEmpty())
            saved.refusal = ErrorWriteDb;
        return saved;
    }
    saved.id = p.AsInteger(QStringLiteral("@ID"));
    ETCCardChangeLog::Values now = after;
    now.cardNo = saved.cardNo;
    for (const QString& line : ETCCardChangeLog::Lines(saved.cardNo, before, now))
        TSysLog::LocalLogOper(userRec, LogKind::CouponCards, line);
    transaction.Commit();
    return saved;
}

QString ETCCardStore::SetState(int id, int mode, const QString& value, int userRec, int posId) {
    Transaction transaction(m_data);
    TParamObject p;
    p.Add(QStringLiteral("@ID"), id);
    p.Add(QStringLiteral("@Mode"), mode);
    if (mode != CouponCardMode::Stop && mode != CouponCardMode::Resume)
        p.Add(QStringLiteral("@Value"), value);
    p.Add(QStringLiteral("@LoginRec"), userRec);
    p.Add(QStringLiteral("@PosID"), posId);
    if (m_data.ExecuteProcByName(QStringLiteral("KD_ETCListSet"), p) < 0)
        return p.AsString(QStringLiteral("@RetValue"));
    transaction.Commit();
    return {};
}

QString ETCCardStore::ReportUp(int id, int mode, const QString& value, int userRec, int posId,
                               const QDate& date) {
    TParamObject p;
    p.Add(QStringLiteral("@ID"), id);
    p.Add(QStringLiteral("@UPType"), mode);
    p.Add(QStringLiteral("@ERec"), userRec);
    p.Add(QStringLiteral("@VALUE"), value);
    p.Add(QStringLiteral("@PosID"), posId);
    if (date.isValid())
        p.Add(QStringLiteral("@Date"), date);
    return m_data.ExecuteProcByName(QStringLiteral("KD_ETCListUP"), p) < 0
               ? p.AsString(QStringLiteral("@RetValue"))
               : QString();
}
