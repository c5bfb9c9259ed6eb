#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/sdk/DbError.h"

#include <QDate>
#include <QDateTime>

// KD_vipCardSrvPrevRemain: the uses of the service item @pRec (0: of every item) the
// card @VipCardId held before the day @BeginDate began, from the service ledger
// (every sale, consumption and adjustment row before that moment), in @remainTimes.
// @EndDate, the end of the period the caller shows, is accepted and not needed.
// Returns 0; -1 when there is no such card.
namespace {

QDate dayOf(const QString& text) {
    // A day as "yyyy-mm-dd", perhaps followed by a time of day.
    return QDate::fromString(text.trimmed().left(10), QStringLiteral("yyyy-MM-dd"));
}

int kdVipCardSrvPrevRemain(ProcedureContext& call) {
    Database& db = call.db();
    const int cardId = call.integer(QStringLiteral("@VipCardId"));
    const int prec = call.integer(QStringLiteral("@pRec"));
    const QDate begin = dayOf(call.text(QStringLiteral("@BeginDate")));
    if (!begin.isValid())
        throw DbError(QStringLiteral("参数 @BeginDate 必须是 yyyy-mm-dd 形式的日期。"));
    call.setOutput(QStringLiteral("@remainTimes"), 0);
    if (!db.scalar(QStringLiteral("SELECT id FROM vipcard WHERE id = ?"), {cardId}).isValid())
        return -1;
    const int remain =
        db.scalar(QStringLiteral("SELECT COALESCE(SUM(Times), 0) FROM VipServiceChange WHERE VipCardId = ? "
                                 "AND (? = 0 OR prec = ?) AND ChangeDate < ?"),
                  {cardId, prec, prec, QDateTime(begin, QTime(0, 0))})
            .toInt();
    call.setOutput(QStringLiteral("@remainTimes"), remain);
    return 0;
}

const ProcedureRegistration registration(QStringLiteral("KD_vipCardSrvPrevRemain"), kdVipCardSrvPrevRemain);

} // namespace
