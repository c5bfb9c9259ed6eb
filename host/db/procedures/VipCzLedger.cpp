#include "host/db/procedures/VipCzLedger.h"

#include "host/data/Database.h"
#include "host/sdk/DbError.h"
#include "host/sdk/VipCodes.h"

#include <QDateTime>
#include <QUuid>

bool VipCzLedger::lock(Database& db, int cardId) {
    return db
        .scalar(QStringLiteral("SELECT id FROM vipcard WHERE id = ? AND deleted = 0") +
                    db.dialect().forUpdate(),
                {cardId})
        .isValid();
}

bool VipCzLedger::isDeposit(int changeType) {
    return changeType == StoredValueChange::Opening || changeType == StoredValueChange::CarriedOver ||
           changeType == StoredValueChange::Recharge || changeType == StoredValueChange::Refund;
}

QString VipCzLedger::newOperationId() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

VipCzLedger::Result VipCzLedger::post(Database& db, const Posting& p, Entry* entry) {
    if (p.operationId.trimmed().isEmpty() || p.operationId.size() > 60)
        throw DbError(QStringLiteral("储值变动缺少有效的操作编号。"));
    const QVariant held = db.scalar(QStringLiteral("SELECT Cz FROM vipcard WHERE id = ? AND deleted = 0") +
                                        db.dialect().forUpdate(),
                                    {p.cardId});
    if (!held.isValid())
        return CardGone;
    // Under the card's lock a retry of the same operation waits for the first to
    // finish and then finds its row.
    if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM VipCzChange WHERE OpId = ?"), {p.operationId})
            .toInt() > 0)
        return AlreadyPosted;
    const Money change = p.amount + p.gift;
    const Money after = Money::fromRaw(held.toLongLong()) + change;
    if (after < Money())
        return BelowZero;
    const int changeId =
        db.scalar(QStringLiteral(
                      "INSERT INTO VipCzChange (Vipcardid, ChangeType, Amount, Gift, BalanceAfter, OpId, "
                      "PosId, ERec, ChangeDate, Memo, ARec) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
                      "RETURNING id"),
                  {p.cardId, p.changeType, QVariant::fromValue(p.amount), QVariant::fromValue(p.gift),
                   QVariant::fromValue(after), p.operationId, p.posId, p.userRec,
                   QDateTime::currentDateTime(), p.memo.left(200), p.accountRec})
            .toInt();
    const Money deposit = isDeposit(p.changeType) ? change : Money();
    const Money opening = p.changeType == StoredValueChange::Opening ? p.amount : Money();
    db.execute(
        QStringLiteral("UPDATE vipcard SET Cz = Cz + ?, CzTotal = CzTotal + ?, Cz00 = Cz00 + ? WHERE id = ?"),
        {QVariant::fromValue(change), QVariant::fromValue(deposit), QVariant::fromValue(opening), p.cardId});
    if (entry)
        *entry = {changeId, after};
    return Posted;
}
