#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/VipServiceLedger.h"
#include "host/sdk/ClientDataSet.h"
#include "host/sdk/DbError.h"
#include "host/sdk/VipCodes.h"

#include <QDate>

// XF_CzServiceDetailInsert: adds (@ChangeType 28) or removes (29) @buyTimes uses of
// the item @pRec on the live card @CardNo by hand, for the reason @comment, by the
// user @ERec in store @Posid, under the id @UniqueBillid. Added uses carry no money
// and last until @ValidityPeriod ("yyyy-mm-dd ...", the last day; empty: without
// end), which may not lie before today. Removed uses come from the lots still valid
// today, those ending first first, with their share of the money behind them; the
// card never holds fewer than none. Under the card's row lock; a retried id applies
// nothing. @BillID, @ordId, @oncePrice and @gainTimes are accepted for callers that
// send them: a hand adjustment has no price and no gift.
// Returns 0; -1 fewer valid uses than the removal, -2 the card is gone or its
// services are off, -3 the last day lies before today, -4 the count is not between
// 1 and 9999, -5 the item is no service item, -8 the id belongs to another operation.
namespace {

constexpr int TooFewUses = -1;
constexpr int CardRefused = -2;
constexpr int DayPassed = -3;
constexpr int BadCount = -4;
constexpr int NotAService = -5;
constexpr int OperationReused = -8;
constexpr int MostUses = 9999;

int xfCzServiceDetailInsert(ProcedureContext& call) {
    Database& db = call.db();
    const QString cardNo = call.text(QStringLiteral("@CardNo"), 30).trimmed();
    const int changeType = call.integer(QStringLiteral("@ChangeType"));
    if (changeType != StoredValueChange::UsesAdded && changeType != StoredValueChange::UsesRemoved)
        throw DbError(QStringLiteral("服务次数调整类型只能是增加或减少。"));
    const int prec = call.integer(QStringLiteral("@pRec"));
    const int count = call.integer(QStringLiteral("@buyTimes"));
    const QString dayText = call.has(QStringLiteral("@ValidityPeriod"))
                                ? call.in().AsString(QStringLiteral("@ValidityPeriod")).trimmed().left(10)
                                : QString();
    const QDate lastDay = QDate::fromString(dayText, QStringLiteral("yyyy-MM-dd"));
    if (!dayText.isEmpty() && !lastDay.isValid())
        throw DbError(QStringLiteral("参数 @ValidityPeriod 必须是 yyyy-mm-dd 形式的日期。"));
    const QString comment = call.text(QStringLiteral("@comment"), 255);
    const int posId = call.integer(QStringLiteral("@Posid"));
    const int userRec = call.integer(QStringLiteral("@ERec"));
    const QString operationId = call.text(QStringLiteral("@UniqueBillid"), 50).trimmed();
    const QDate today = QDate::currentDate();

    const QVariant cardId = db.scalar(
        QStringLiteral("SELECT id FROM vipcard WHERE CardNo = ? AND deleted = 0 AND VipCzService <> 0") +
            db.dialect().forUpdate(),
        {cardNo});
    if (!cardId.isValid())
        return CardRefused;
    if (const int first = VipServiceLedger::firstRowOf(db, operationId)) {
        ClientDataSet earlier;
        db.select(QStringLiteral("SELECT VipCardId, ChangeType, prec FROM VipServiceChange WHERE id = ?"),
                  {first}, earlier);
        const bool same = earlier.FieldByName(QStringLiteral("VipCardId")).AsInteger() == cardId.toInt() &&
                          earlier.FieldByName(QStringLiteral("ChangeType")).AsInteger() == changeType &&
                          earlier.FieldByName(QStringLiteral("prec")).AsInteger() == prec;
        return same ? 0 : OperationReused;
    }
    if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM VipService WHERE prec = ?"), {prec}).toInt() == 0)
        return NotAService;
    if (count < 1 || count > MostUses)
        return BadCount;

    VipServiceLedger ledger(db, {cardId.toInt(), changeType, operationId, 0, posId, userRec, comment});
    if (changeType == StoredValueChange::UsesAdded) {
        if (lastDay.isValid() && lastDay < today)
            return DayPassed;
        ledger.add(prec, count, 0, Money(), Money(), lastDay);
    } else if (!ledger.take(prec, count, today)) {
        return TooFewUses;
    }
    ledger.finish(QStringLiteral("TZ%1-%2")
                      .arg(today.toString(QStringLiteral("yyyyMMdd")))
                      .arg(ledger.billId(), 6, 10, QLatin1Char('0')));
    return 0;
}

const ProcedureRegistration registration(QStringLiteral("XF_CzServiceDetailInsert"), xfCzServiceDetailInsert);

} // namespace
