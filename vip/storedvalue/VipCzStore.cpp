#include "vip/storedvalue/VipCzStore.h"

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
