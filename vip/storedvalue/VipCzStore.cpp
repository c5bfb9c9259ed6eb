#include "vip/storedvalue/VipCzStore.h"

#include "host/sdk/Transaction.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/VipCodes.h"

VipCzStore::VipCzStore(DataModule& data)
    : m_data(data) {}

std::optional<VipCzStore::Card> VipCzStore::LoadCard(const QString& cardNo, std::optional<int> onlyStore) {
    QString sql =
        QStringLiteral("SELECT id, CardNo, Name, IdentityCard, Cz, IsLife, VipCz, PosId, deleted, Lose, "
                       "StopUse, UsePass, CzPassLocked, CardType FROM vipcard WHERE deleted = 0 "
                       "AND CardNo = ?");
    QVariantList params{cardNo};
    if (onlyStore) {
        sql += QStringLiteral(" AND (PosId = ? OR (PosId = 0 AND EXISTS (SELECT 1 FROM sysdata "
                              "WHERE SubName = 'vipConnect' AND SubValue = '1')))");
        params.append(*onlyStore);
    }
    ClientDataSet rows;
    m_data.OpenSQL(sql, rows, params);
    if (rows.IsEmpty())
        return std::nullopt;
    const auto field = [&rows](const char* name) { return rows.FieldByName(QLatin1String(name)); };
    Card card;
    card.id = field("id").AsInteger();
    card.cardNo = field("CardNo").AsString();
    card.name = field("Name").AsString();
    card.identityCard = field("IdentityCard").AsString();
    card.cz = field("Cz").AsMoney();
    card.isLife = field("IsLife").AsInteger() != 0;
    card.vipCz = field("VipCz").AsInteger() != 0;
    card.posId = field("PosId").AsInteger();
    card.deleted = field("deleted").AsInteger() != 0;
    card.lose = field("Lose").AsInteger() != 0;
    card.stopUse = field("StopUse").AsInteger() != 0;
    card.usePass = field("UsePass").AsInteger() != 0;
    card.locked = field("CzPassLocked").AsInteger() != 0;
    card.cardType = field("CardType").AsInteger();
    return card;
}

bool VipCzStore::CanUseInPos(int cardType, int posId) {
    return m_data.OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM viptype t WHERE t.CTypeId = ? AND "
                                              "(t.PosRange = 0 OR t.CanAllPos = 1 OR EXISTS (SELECT 1 FROM "
                                              "PosVipType p WHERE p.viptype = t.CTypeId AND p.PosID = ?))"),
                               {cardType, posId}) > 0;
}

Money VipCzStore::GiftFor(Money amount, int cardType) {
    TParamObject outputs;
    m_data.ExecuteProcByName(
        QStringLiteral("kd_VIPGetCZGiftTotal"),
        {QStringLiteral("@CtypeId"), QStringLiteral("@CZTotal"), QStringLiteral("@GiftTotal")},
        {cardType, amount.toDouble(), 0}, &outputs);
    return outputs.AsMoney(QStringLiteral("@GiftTotal"));
}

int VipCzStore::AccountRec(const QString& typeId) {
    return m_data.OpenSQLAsInt(QStringLiteral("SELECT rec FROM atype WHERE typeId = ? AND deleted = 0"),
                               {typeId});
}

QString VipCzStore::AccountName(const QString& typeId) {
    return m_data.OpenSQLAsStr(QStringLiteral("SELECT FullName FROM atype WHERE typeId = ? AND deleted = 0"),
                               {typeId});
}

VipCzStore::Outcome VipCzStore::Operate(const Operation& op) {
    TParamObject p;
    p.Add(QStringLiteral("@CardNo"), op.cardNo);
    p.Add(QStringLiteral("@ChangeType"), QString::number(op.changeType));
    p.Add(QStringLiteral("@Total"), op.amount.toDouble());
    p.Add(QStringLiteral("@ERec"), op.userRec);
    p.Add(QStringLiteral("@ARec"), QString::number(op.accountRec));
    p.Add(QStringLiteral("@Posid"), op.posId);
    p.Add(QStringLiteral("@Memo"), op.memo);
    p.Add(QStringLiteral("@szDate"), op.date);
    p.Add(QStringLiteral("@szBillCode"), QString(), TParamObject::Output);
    p.Add(QStringLiteral("@changeid"), 0, TParamObject::Output);
    p.Add(QStringLiteral("@giftTotal"), op.gift.toDouble());
    p.Add(QStringLiteral("@OpId"), op.operationId);
    Outcome outcome;
    outcome.result = m_data.ExecuteProcByName(QStringLiteral("XF_CzOperator"), p);
    if (outcome.result == Saved) {
        outcome.changeId = p.AsInteger(QStringLiteral("@changeid"));
        outcome.billCode = p.AsString(QStringLiteral("@szBillCode"));
        outcome.balanceAfter = p.AsMoney(QStringLiteral("@BalanceAfter"));
    }
    return outcome;
}

VipCzStore::PasswordResult VipCzStore::CheckPassword(const QString& cardNo, const QString& password) {
    return PasswordResult(m_data.ExecuteProcByName(QStringLiteral("kd_CheckVipCzPassword"),
                                                   {QStringLiteral("@CardNo"), QStringLiteral("@Password")},
                                                   {cardNo, password}));
}

VipCzStore::PasswordResult VipCzStore::ChangePassword(int cardId, const QString& oldPassword,
                                                      const QString& newPassword) {
    return PasswordResult(m_data.ExecuteProcByName(
        QStringLiteral("kd_ChangeVipCzPassword"),
        {QStringLiteral("@Vipcardid"), QStringLiteral("@OldPassword"), QStringLiteral("@NewPassword")},
        {cardId, oldPassword, newPassword}));
}

std::optional<VipCzStore::ServiceItem> VipCzStore::LoadServiceItem(int prec) {
    ClientDataSet rows;
    m_data.OpenSQL(
        QStringLiteral("SELECT s.prec, p.UserCode, p.FullName, s.startTimes, s.oncePrice, s.discountType "
                       "FROM VipService s JOIN ptype p ON p.rec = s.prec WHERE s.prec = ?"),
        rows, {prec});
    if (rows.IsEmpty())
        return std::nullopt;
    const int startTimes = rows.FieldByName(QStringLiteral("startTimes")).AsInteger();
    return ServiceItem{.prec = prec,
                       .code = rows.FieldByName(QStringLiteral("UserCode")).AsString(),
                       .name = rows.FieldByName(QStringLiteral("FullName")).AsString(),
                       .startTimes = startTimes > 0 ? startTimes : 0,
                       .oncePrice = rows.FieldByName(QStringLiteral("oncePrice")).AsMoney(),
                       .discountType = rows.FieldByName(QStringLiteral("discountType")).AsInteger()};
}

void VipCzStore::ServiceRuleRows(int prec, ClientDataSet& rows) {
    m_data.OpenProcByName(QStringLiteral("QueryVipServiceRule"), {QStringLiteral("@Prec")}, {prec}, rows);
}

QList<VipCzStore::ServiceRule> VipCzStore::ServiceRules(int prec) {
    ClientDataSet rows;
    ServiceRuleRows(prec, rows);
    QList<ServiceRule> rules;
    for (int row = 0; row < rows.RecordCount(); ++row) {
        const auto field = [&](const char* name) {
            return Field(QString(), rows.Value(row, QLatin1String(name)));
        };
        rules.append({.buyTimes = field("buyTimes").AsInteger(),
                      .oncePrice = field("oncePrice").AsMoney(),
                      .gainTimes = field("gainTimes").AsInteger(),
                      .validityDays = field("ValidityDays").AsInteger()});
    }
    return rules;
}

VipCzStore::ServiceSaved VipCzStore::SaveServiceItem(const ServiceItem& item, bool isNew,
                                                     const QList<ServiceRule>& rules) {
    Transaction transaction(m_data);
    const int id = m_data.ExecuteProcByName(
        isNew ? QStringLiteral("Kd_InsertVipService") : QStringLiteral("Kd_UpdateVipService"),
        {QStringLiteral("@pRec"), QStringLiteral("@startTimes"), QStringLiteral("@oncePrice"),
         QStringLiteral("@discountType"), QStringLiteral("@ERec")},
        {item.prec, item.startTimes > 0 ? item.startTimes : -1, item.oncePrice.toDouble(), item.discountType,
         Ucomvar().nLoginUserRec});
    if (id < 0)
        return {id, false};
    if (!isNew)
        m_data.ExecuteSQL(QStringLiteral("DELETE FROM VipServiceRule WHERE prec = ?"), {id});
    for (const ServiceRule& rule : rules) {
        if (rule.buyTimes == 0)
            continue;
        const int result = m_data.ExecuteProcByName(
            QStringLiteral("Kd_InsertVipServiceRule"),
            {QStringLiteral("@pRec"), QStringLiteral("@buyTimes"), QStringLiteral("@oncePrice"),
             QStringLiteral("@gainTimes"), QStringLiteral("@ValidityDays")},
            {id, rule.buyTimes, rule.oncePrice.toDouble(), rule.gainTimes > 0 ? rule.gainTimes : -1,
             rule.validityDays > 0 ? rule.validityDays : -1});
        if (result < 0)
            return {result, true};
    }
    transaction.Commit();
    return {id, false};
}

VipCzStore::ServiceDeleteResult VipCzStore::DeleteServiceItem(int prec) {
    return ServiceDeleteResult(
        m_data.ExecuteProcByName(QStringLiteral("kd_DelVipService"), {QStringLiteral("@id")}, {prec}));
}

QList<QPair<int, QString>> VipCzStore::CardServiceItems(int cardId) {
    ClientDataSet rows;
    m_data.OpenSQL(
        QStringLiteral("SELECT p.rec, p.FullName FROM ptype p WHERE p.rec IN (SELECT DISTINCT prec "
                       "FROM vipCardService WHERE ? = 0 OR VipCardId = ?) ORDER BY p.rec"),
        rows, {cardId, cardId});
    QList<QPair<int, QString>> items;
    for (int row = 0; row < rows.RecordCount(); ++row)
        items.append({rows.Value(row, 0).toInt(), rows.Value(row, 1).toString()});
    return items;
}

int VipCzStore::UsesBefore(const QString& cardNo, int prec, const QDate& begin, const QDate& end) {
    const int cardId = m_data.OpenSQLAsInt(
        QStringLiteral("SELECT id FROM vipcard WHERE CardNo = ? AND deleted = 0"), {cardNo});
    TParamObject outputs;
    m_data.ExecuteProcByName(QStringLiteral("KD_vipCardSrvPrevRemain"),
                             {QStringLiteral("@VipCardId"), QStringLiteral("@pRec"),
                              QStringLiteral("@BeginDate"), QStringLiteral("@EndDate")},
                             {cardId, prec, begin.toString(QStringLiteral("yyyy-MM-dd")),
                              end.toString(QStringLiteral("yyyy-MM-dd 23:59:59"))},
                             &outputs);
    return outputs.AsInteger(QStringLiteral("@remainTimes"));
}

QList<VipCzStore::ServiceCard> VipCzStore::FindServiceCards(const QString& cardNo, int posId) {
    ClientDataSet rows;
    m_data.OpenProcByName(QStringLiteral("kd_GetVipCardCount"),
                          {QStringLiteral("@VipCardNo"), QStringLiteral("@PosID")}, {cardNo, posId}, rows);
    QList<ServiceCard> cards;
    for (rows.First(); !rows.Eof(); rows.Next()) {
        const auto field = [&rows](const char* name) { return rows.FieldByName(QLatin1String(name)); };
        ServiceCard card;
        card.id = field("id").AsInteger();
        card.cardNo = field("CardNo").AsString();
        card.typeName = field("TypeName").AsString();
        card.name = field("Name").AsString();
        card.tel = field("Tel").AsString();
        card.posId = field("PosId").AsInteger();
        card.isLife = field("IsLife").AsInteger() != 0;
        card.lose = field("Lose").AsInteger() != 0;
        card.stopUse = field("StopUse").AsInteger() != 0;
        card.vipCz = field("VipCz").AsInteger() != 0;
        card.vipCzService = field("VipCzService").AsInteger() != 0;
        card.usePass = field("UsePass").AsInteger() != 0;
        cards.append(card);
    }
    return cards;
}

void VipCzStore::RefreshServices(int cardId) {
    m_data.ExecuteProcByName(QStringLiteral("kd_RefreshVipCardService"), {QStringLiteral("@inVipCardid")},
                             {cardId});
}

bool VipCzStore::IsIndependentStore(int posId) {
    return m_data.OpenSQLAsInt(
               QStringLiteral("SELECT ConnectType FROM posinfo WHERE posid = ? AND deleted = 0"), {posId}) ==
           1;
}

std::optional<VipCzStore::ServicePrice> VipCzStore::PriceService(int prec, int count) {
    TParamObject p;
    p.Add(QStringLiteral("@pRec"), prec);
    p.Add(QStringLiteral("@buyTimes"), count);
    if (m_data.ExecuteProcByName(QStringLiteral("kd_GetVipServicePrice"), p) != 0)
        return std::nullopt;
    return ServicePrice{p.AsMoney(QStringLiteral("@oncePrice")), p.AsInteger(QStringLiteral("@gainTimes")),
                        p.AsString(QStringLiteral("@ValidityPeriod"))};
}

VipCzStore::HeldUses VipCzStore::UsesHeld(int cardId, int prec) {
    ClientDataSet row;
    m_data.OpenSQL(
        QStringLiteral("SELECT COALESCE(SUM(remainTimes), 0) AS times, COALESCE(SUM(Total), 0) AS total "
                       "FROM vipCardService WHERE VipCardId = ? AND prec = ? AND "
                       "(ValidityPeriod IS NULL OR ValidityPeriod >= ?)"),
        row, {cardId, prec, QDate::currentDate()});
    return {row.FieldByName(QStringLiteral("times")).AsInteger(),
            row.FieldByName(QStringLiteral("total")).AsMoney()};
}

QList<int> VipCzStore::ItemsHeld(int cardId) {
    ClientDataSet rows;
    m_data.OpenSQL(
        QStringLiteral("SELECT DISTINCT prec FROM vipCardService WHERE VipCardId = ? AND remainTimes > 0 "
                       "AND (ValidityPeriod IS NULL OR ValidityPeriod >= ?) ORDER BY prec"),
        rows, {cardId, QDate::currentDate()});
    QList<int> items;
    for (rows.First(); !rows.Eof(); rows.Next())
        items.append(rows.FieldByName(QStringLiteral("prec")).AsInteger());
    return items;
}

VipCzStore::ServiceOutcome VipCzStore::SaveServices(const ServiceSave& save, const QList<ServiceRow>& rows) {
    ServiceOutcome outcome;
    m_data.ExecuteSQL(QStringLiteral("DELETE FROM VipCzSrvDetailTmp WHERE id = ?"), {save.batchId});
    int place = 0;
    for (const ServiceRow& row : rows) {
        TParamObject p;
        p.Add(QStringLiteral("@id"), save.batchId);
        p.Add(QStringLiteral("@ordId"), ++place);
        p.Add(QStringLiteral("@pRec"), row.prec);
        p.Add(QStringLiteral("@buyTimes"), row.count);
        p.Add(QStringLiteral("@oncePrice"), QVariant::fromValue(row.oncePrice));
        p.Add(QStringLiteral("@gainTimes"), row.gainTimes);
        p.Add(QStringLiteral("@ValidityPeriod"), row.lastDay);
        const int result = m_data.ExecuteProcByName(QStringLiteral("XF_CzServiceDetailTmpInsert"), p);
        if (result != 0) {
            outcome.result = result;
            outcome.staging = true;
            return outcome;
        }
    }
    TParamObject p;
    p.Add(QStringLiteral("@tmpID"), save.batchId);
    p.Add(QStringLiteral("@CardNo"), save.cardNo);
    p.Add(QStringLiteral("@ChangeType"), QString::number(save.changeType));
    p.Add(QStringLiteral("@Total"), QVariant::fromValue(save.total));
    p.Add(QStringLiteral("@ERec"), save.userRec);
    p.Add(QStringLiteral("@ARec"), QString::number(save.accountRec));
    p.Add(QStringLiteral("@Posid"), save.posId);
    p.Add(QStringLiteral("@Memo"), save.memo);
    p.Add(QStringLiteral("@szDate"), save.date);
    p.Add(QStringLiteral("@szBillCode"), QString(), TParamObject::Output);
    p.Add(QStringLiteral("@billId"), 0, TParamObject::Output);
    p.Add(QStringLiteral("@giftTotal"), 0);
    p.Add(QStringLiteral("@UniqueBillid"), save.uniqueBillId);
    outcome.result = m_data.ExecuteProcByName(QStringLiteral("XF_CzServiceMainInsert"), p);
    // A refused save's staged rows serve no later save: each save stages anew.
    if (outcome.result != 0)
        m_data.ExecuteSQL(QStringLiteral("DELETE FROM VipCzSrvDetailTmp WHERE id = ?"), {save.batchId});
    if (outcome.result == 0) {
        outcome.billCode = p.AsString(QStringLiteral("@szBillCode"));
        outcome.billId = p.AsInteger(QStringLiteral("@billId"));
    }
    return outcome;
}

int VipCzStore::AdjustUses(const UsesAdjustment& a) {
    TParamObject p;
    p.Add(QStringLiteral("@BillID"), 0);
    p.Add(QStringLiteral("@CardNo"), a.cardNo);
    p.Add(QStringLiteral("@ChangeType"), a.changeType);
    p.Add(QStringLiteral("@ordId"), 1);
    p.Add(QStringLiteral("@pRec"), a.prec);
    p.Add(QStringLiteral("@buyTimes"), a.count);
    p.Add(QStringLiteral("@oncePrice"), 0);
    p.Add(QStringLiteral("@gainTimes"), QString());
    p.Add(QStringLiteral("@ValidityPeriod"), a.validity);
    p.Add(QStringLiteral("@comment"), a.comment);
    p.Add(QStringLiteral("@Posid"), a.posId);
    p.Add(QStringLiteral("@ERec"), a.userRec);
    p.Add(QStringLiteral("@UniqueBillid"), a.uniqueBillId);
    return m_data.ExecuteProcByName(QStringLiteral("XF_CzServiceDetailInsert"), p);
}
