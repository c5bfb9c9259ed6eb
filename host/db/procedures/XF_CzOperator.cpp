#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/VipCzGiftRule.h"
#include "host/db/procedures/VipCzLedger.h"
#include "host/sdk/ClientDataSet.h"
#include "host/sdk/DbError.h"
#include "host/sdk/VipCodes.h"

#include <QDate>

// XF_CzOperator: a recharge (@ChangeType "5") or refund ("6") of @Total on the live
// card @CardNo, with the gift @giftTotal the card type's rules give that amount
// (added by a recharge, taken back by a refund), through the account @ARec, by the
// user @ERec in store @Posid, under the operation id @OpId. Everything is checked
// again under the card's lock. Outputs @changeid, @szBillCode and @BalanceAfter.
// A second call with an operation id already in the ledger is the retry of a save
// that went through: it applies nothing and answers with the first one's outputs.
// Returns 0; -1 the card is gone or may not use stored value (not activated,
// stored value off, lost, stopped), -2 the refund exceeds the balance, -3 the
// amount is not above 0, -4 the amount is above the most one save may move,
// -5 the gift is not the one the rules give, -6 no such account, -7 the card's
// stored value is locked after wrong passwords, -8 the operation id belongs to
// another operation.
namespace {

constexpr int CardRefused = -1;
constexpr int BelowZero = -2;
constexpr int NotPositive = -3;
constexpr int AboveMost = -4;
constexpr int WrongGift = -5;
constexpr int NoAccount = -6;
constexpr int Locked = -7;
constexpr int OperationReused = -8;
const Money Most = Money::fromUnits(100000);

void answer(ProcedureContext& call, const ClientDataSet& change) {
    call.setOutput(QStringLiteral("@changeid"), change.FieldByName(QStringLiteral("id")).AsInteger());
    call.setOutput(QStringLiteral("@szBillCode"), change.FieldByName(QStringLiteral("BillCode")).AsString());
    call.setOutput(QStringLiteral("@BalanceAfter"),
                   change.FieldByName(QStringLiteral("BalanceAfter")).AsMoney().toDouble());
}

void changeOf(Database& db, const QString& operationId, ClientDataSet& change) {
    db.select(
        QStringLiteral("SELECT id, Vipcardid, ChangeType, Amount, BillCode, BalanceAfter FROM VipCzChange "
                       "WHERE OpId = ?"),
        {operationId}, change);
}

int xfCzOperator(ProcedureContext& call) {
    Database& db = call.db();
    const QString cardNo = call.text(QStringLiteral("@CardNo"), 30).trimmed();
    const int changeType = call.integer(QStringLiteral("@ChangeType"));
    if (changeType != StoredValueChange::Recharge && changeType != StoredValueChange::Refund)
        throw DbError(QStringLiteral("储值变动类型只能是充值或退款。"));
    const Money amount = call.money(QStringLiteral("@Total")).rounded(2);
    const Money gift = call.money(QStringLiteral("@giftTotal")).rounded(2);
    const int userRec = call.integer(QStringLiteral("@ERec"));
    const int accountRec = call.text(QStringLiteral("@ARec")).trimmed().toInt();
    const int posId = call.integer(QStringLiteral("@Posid"));
    const QString memo = call.text(QStringLiteral("@Memo"), 255);
    const QDate day =
        QDate::fromString(call.text(QStringLiteral("@szDate")).trimmed(), QStringLiteral("yyyy-MM-dd"));
    if (!day.isValid())
        throw DbError(QStringLiteral("参数 @szDate 必须是 yyyy-mm-dd 形式的日期。"));
    const QString operationId = call.text(QStringLiteral("@OpId"), 60).trimmed();
    if (operationId.isEmpty())
        throw DbError(QStringLiteral("储值变动缺少有效的操作编号。"));

    ClientDataSet card;
    db.select(QStringLiteral("SELECT id, CardType, IsLife, VipCz, Lose, StopUse, CzPassLocked FROM vipcard "
                             "WHERE CardNo = ? AND deleted = 0") +
                  db.dialect().forUpdate(),
              {cardNo}, card);
    if (card.IsEmpty())
        return CardRefused;
    const int cardId = card.FieldByName(QStringLiteral("id")).AsInteger();
    const Money signedAmount = changeType == StoredValueChange::Refund ? -amount : amount;

    // Under the card's lock a retry finds the row its first try committed.
    ClientDataSet earlier;
    changeOf(db, operationId, earlier);
    if (!earlier.IsEmpty()) {
        if (earlier.FieldByName(QStringLiteral("Vipcardid")).AsInteger() != cardId ||
            earlier.FieldByName(QStringLiteral("ChangeType")).AsInteger() != changeType ||
            earlier.FieldByName(QStringLiteral("Amount")).AsMoney() != signedAmount)
            return OperationReused;
        answer(call, earlier);
        return 0;
    }

    if (card.FieldByName(QStringLiteral("IsLife")).AsInteger() == 0 ||
        card.FieldByName(QStringLiteral("VipCz")).AsInteger() == 0 ||
        card.FieldByName(QStringLiteral("Lose")).AsInteger() != 0 ||
        card.FieldByName(QStringLiteral("StopUse")).AsInteger() != 0)
        return CardRefused;
    if (card.FieldByName(QStringLiteral("CzPassLocked")).AsInteger() != 0)
        return Locked;
    if (amount <= Money())
        return NotPositive;
    if (amount > Most)
        return AboveMost;
    if (gift != VipCzGiftRule::giftFor(db, card.FieldByName(QStringLiteral("CardType")).AsInteger(), amount))
        return WrongGift;
    if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM atype WHERE rec = ? AND deleted = 0"), {accountRec})
            .toInt() == 0)
        return NoAccount;

    VipCzLedger::Entry entry;
    const VipCzLedger::Result posted =
        VipCzLedger::post(db,
                          {.cardId = cardId,
                           .changeType = changeType,
                           .amount = signedAmount,
                           .gift = changeType == StoredValueChange::Refund ? -gift : gift,
                           .operationId = operationId,
                           .posId = posId,
                           .userRec = userRec,
                           .memo = memo,
                           .accountRec = accountRec},
                          &entry);
    if (posted == VipCzLedger::BelowZero)
        return BelowZero;
    if (posted == VipCzLedger::CardGone)
        return CardRefused;
    const QString billCode =
        QStringLiteral("%1%2-%3")
            .arg(changeType == StoredValueChange::Refund ? QStringLiteral("TK") : QStringLiteral("CZ"),
                 day.toString(QStringLiteral("yyyyMMdd")))
            .arg(entry.changeId, 6, 10, QLatin1Char('0'));
    db.execute(QStringLiteral("UPDATE VipCzChange SET BillCode = ? WHERE id = ?"),
               {billCode, entry.changeId});
    call.setOutput(QStringLiteral("@changeid"), entry.changeId);
    call.setOutput(QStringLiteral("@szBillCode"), billCode);
    call.setOutput(QStringLiteral("@BalanceAfter"), entry.balanceAfter.toDouble());
    return 0;
}

const ProcedureRegistration registration(QStringLiteral("XF_CzOperator"), xfCzOperator);

} // namespace
