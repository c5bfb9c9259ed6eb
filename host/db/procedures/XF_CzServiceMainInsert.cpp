#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/VipCzLedger.h"
#include "host/db/procedures/VipServiceLedger.h"
#include "host/db/procedures/VipServicePricing.h"
#include "host/sdk/ClientDataSet.h"
#include "host/sdk/DbError.h"
#include "host/sdk/VipCodes.h"

#include <QDate>
#include <QSet>

// XF_CzServiceMainInsert: applies the rows staged under @tmpID to the live card
// @CardNo in one go: a sale of uses (@ChangeType "25") or their consumption ("26"),
// by the user @ERec in store @Posid, under the save's id @UniqueBillid.
//
// A sale re-prices every row by the item's ladder (VipServicePricing, today): the
// staged unit price, gift uses and last day must be the ones the rules give, the
// count at least the item's least purchase, and @Total the sum of count x price. A
// sale through the members' stored-value account (@ARec, ServiceAccount::MemberStoredValue)
// is paid from the card's balance through the stored-value ledger (change type 25)
// in the same transaction; any other account must exist. A consumption takes each
// row's uses from the card's lots still valid today, those ending first first; the
// money behind them is what the procedure reports, not what the caller sent.
// Everything runs under the card's row lock, so two consumptions racing for the last
// use are applied one after the other and the second finds none left.
//
// A second call with an id already in the ledger is the retry of a save that went
// through: it applies nothing and answers with the first one's bill. Staged rows
// are deleted once applied. Outputs @szBillCode, @billId and @AppliedTotal.
// Returns 0; -1 a row spends more uses than the card holds valid, -2 the stored
// value does not cover the sale, -3 the total is not above 0, -4 the card is gone
// or may not use services (not activated, lost, stopped, stored value or services
// off), -5 a row is no service item or its price, gift or last day is not the
// rules', or the total is not the rows' sum, -6 no staged rows, a count below 1 or
// the least purchase, or an item twice in a consumption, -7 the card's stored value
// is locked after wrong passwords, -8 the id belongs to another operation, -9 no
// such account.
namespace {

constexpr int TooFewUses = -1;
constexpr int BelowZero = -2;
constexpr int NotPositive = -3;
constexpr int CardRefused = -4;
constexpr int NotTheRules = -5;
constexpr int BadRows = -6;
constexpr int Locked = -7;
constexpr int OperationReused = -8;
constexpr int NoAccount = -9;
constexpr int MostUses = 9999;

struct Staged {
    int prec = 0;
    int count = 0;
    Money price;
    int gain = -1;
    QDate lastDay;
};

QList<Staged> stagedRows(Database& db, const QString& batch) {
    ClientDataSet rows;
    db.select(
        QStringLiteral("SELECT pRec, buyTimes, oncePrice, gainTimes, ValidityPeriod FROM VipCzSrvDetailTmp "
                       "WHERE id = ? ORDER BY ordId"),
        {batch}, rows);
    QList<Staged> staged;
    for (rows.First(); !rows.Eof(); rows.Next())
        staged.append({rows.FieldByName(QStringLiteral("pRec")).AsInteger(),
                       rows.FieldByName(QStringLiteral("buyTimes")).AsInteger(),
                       rows.FieldByName(QStringLiteral("oncePrice")).AsMoney(),
                       rows.FieldByName(QStringLiteral("gainTimes")).AsInteger(),
                       rows.FieldByName(QStringLiteral("ValidityPeriod")).AsDate()});
    return staged;
}

QString billCodeOf(int changeType, const QDate& day, int billId) {
    return QStringLiteral("%1%2-%3")
        .arg(changeType == StoredValueChange::ServiceSale ? QStringLiteral("FW") : QStringLiteral("XF"),
             day.toString(QStringLiteral("yyyyMMdd")))
        .arg(billId, 6, 10, QLatin1Char('0'));
}

int xfCzServiceMainInsert(ProcedureContext& call) {
    Database& db = call.db();
    const QString batch = call.text(QStringLiteral("@tmpID"), 40).trimmed();
    const QString cardNo = call.text(QStringLiteral("@CardNo"), 30).trimmed();
    const int changeType = call.integer(QStringLiteral("@ChangeType"));
    if (changeType != StoredValueChange::ServiceSale && changeType != StoredValueChange::ServiceConsumption)
        throw DbError(QStringLiteral("服务项目变动类型只能是充值或消费。"));
    const bool sale = changeType == StoredValueChange::ServiceSale;
    const Money total = call.money(QStringLiteral("@Total")).rounded(2);
    const int userRec = call.integer(QStringLiteral("@ERec"));
    const int accountRec = call.text(QStringLiteral("@ARec")).trimmed().toInt();
    const int posId = call.integer(QStringLiteral("@Posid"));
    const QString memo = call.text(QStringLiteral("@Memo"), 255);
    const QDate day =
        QDate::fromString(call.text(QStringLiteral("@szDate")).trimmed(), QStringLiteral("yyyy-MM-dd"));
    if (!day.isValid())
        throw DbError(QStringLiteral("参数 @szDate 必须是 yyyy-mm-dd 形式的日期。"));
    const QString operationId = call.text(QStringLiteral("@UniqueBillid"), 50).trimmed();
    if (operationId.isEmpty())
        throw DbError(QStringLiteral("服务项目变动缺少有效的单据编号。"));
    const QDate today = QDate::currentDate();

    ClientDataSet card;
    db.select(
        QStringLiteral("SELECT id, IsLife, VipCz, VipCzService, Lose, StopUse, CzPassLocked FROM vipcard "
                       "WHERE CardNo = ? AND deleted = 0") +
            db.dialect().forUpdate(),
        {cardNo}, card);
    if (card.IsEmpty())
        return CardRefused;
    const int cardId = card.FieldByName(QStringLiteral("id")).AsInteger();
    const auto answer = [&](int billId, const QString& billCode, Money applied) {
        db.execute(QStringLiteral("DELETE FROM VipCzSrvDetailTmp WHERE id = ?"), {batch});
        call.setOutput(QStringLiteral("@szBillCode"), billCode);
        call.setOutput(QStringLiteral("@billId"), billId);
        call.setOutput(QStringLiteral("@AppliedTotal"), applied.toDouble());
        return 0;
    };

    // Under the card's lock a retry finds the rows its first try committed.
    if (const int first = VipServiceLedger::firstRowOf(db, operationId)) {
        ClientDataSet earlier;
        db.select(QStringLiteral("SELECT VipCardId, ChangeType, BillCode FROM VipServiceChange WHERE id = ?"),
                  {first}, earlier);
        if (earlier.FieldByName(QStringLiteral("VipCardId")).AsInteger() != cardId ||
            earlier.FieldByName(QStringLiteral("ChangeType")).AsInteger() != changeType)
            return OperationReused;
        const Money applied = Money::fromRaw(
            db.scalar(QStringLiteral("SELECT COALESCE(SUM(Total), 0) FROM VipServiceChange WHERE BillId = ?"),
                      {first})
                .toLongLong());
        return answer(first, earlier.FieldByName(QStringLiteral("BillCode")).AsString(),
                      sale ? applied : -applied);
    }

    if (card.FieldByName(QStringLiteral("IsLife")).AsInteger() == 0 ||
        card.FieldByName(QStringLiteral("VipCz")).AsInteger() == 0 ||
        card.FieldByName(QStringLiteral("VipCzService")).AsInteger() == 0 ||
        card.FieldByName(QStringLiteral("Lose")).AsInteger() != 0 ||
        card.FieldByName(QStringLiteral("StopUse")).AsInteger() != 0)
        return CardRefused;
    const QList<Staged> staged = stagedRows(db, batch);
    if (staged.isEmpty())
        return BadRows;

    VipServiceLedger ledger(db, {cardId, changeType, operationId, accountRec, posId, userRec, memo});
    Money applied;
    if (sale) {
        struct Priced {
            Staged row;
            VipServicePricing::Price price;
        };
        QList<Priced> priced;
        Money sum;
        for (const Staged& row : staged) {
            const std::optional<VipServicePricing::Item> item = VipServicePricing::item(db, row.prec);
            if (!item)
                return NotTheRules;
            if (row.count < 1 || row.count > MostUses || row.count < item->startTimes)
                return BadRows;
            const VipServicePricing::Price price = VipServicePricing::priceFor(db, *item, row.count, today);
            if (price.oncePrice != row.price || price.gainTimes != std::max(row.gain, 0) ||
                price.lastDay != row.lastDay || price.oncePrice <= Money())
                return NotTheRules;
            sum += price.oncePrice * row.count;
            priced.append({row, price});
        }
        if (total <= Money())
            return NotPositive;
        if (sum.rounded(2) != total)
            return NotTheRules;
        const QString accountType =
            db.scalar(QStringLiteral("SELECT typeId FROM atype WHERE rec = ? AND deleted = 0"), {accountRec})
                .toString();
        if (accountType.isEmpty())
            return NoAccount;
        if (accountType == QLatin1String(ServiceAccount::MemberStoredValue)) {
            if (card.FieldByName(QStringLiteral("CzPassLocked")).AsInteger() != 0)
                return Locked;
            const VipCzLedger::Result paid =
                VipCzLedger::post(db, {.cardId = cardId,
                                       .changeType = StoredValueChange::ServiceSale,
                                       .amount = -sum,
                                       .gift = Money(),
                                       .operationId = operationId,
                                       .posId = posId,
                                       .userRec = userRec,
                                       .memo = memo,
                                       .accountRec = accountRec});
            if (paid == VipCzLedger::BelowZero)
                return BelowZero;
            if (paid != VipCzLedger::Posted)
                return OperationReused;
        }
        for (const Priced& p : priced)
            ledger.add(p.row.prec, p.row.count + p.price.gainTimes, p.price.gainTimes, p.price.oncePrice,
                       p.price.oncePrice * p.row.count, p.price.lastDay);
        applied = sum;
    } else {
        QSet<int> items;
        for (const Staged& row : staged) {
            if (row.count < 1 || row.count > MostUses || items.contains(row.prec))
                return BadRows;
            items.insert(row.prec);
            Money taken;
            if (!ledger.take(row.prec, row.count, today, &taken))
                return TooFewUses;
            applied += taken;
        }
    }

    const QString billCode = billCodeOf(changeType, day, ledger.billId());
    ledger.finish(billCode);
    db.execute(QStringLiteral("UPDATE VipCzChange SET BillCode = ? WHERE OpId = ?"), {billCode, operationId});
    return answer(ledger.billId(), billCode, applied);
}

const ProcedureRegistration registration(QStringLiteral("XF_CzServiceMainInsert"), xfCzServiceMainInsert);

} // namespace
