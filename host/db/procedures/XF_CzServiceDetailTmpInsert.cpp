#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/sdk/DbError.h"

#include <QDate>

// XF_CzServiceDetailTmpInsert: stages row @ordId of a service sale or consumption
// under the save's batch id @id: the item @pRec, the uses @buyTimes, the unit price
// @oncePrice, the gift uses @gainTimes (-1 none) and the last day @ValidityPeriod
// ("yyyy-mm-dd", empty without end). Nothing here is trusted: XF_CzServiceMainInsert
// checks every staged row again against the rules and the card. A row staged again
// under the same batch and place replaces the first.
// Returns 0; -1 the item is no service item, -2 the uses are not between 1 and 9999.
namespace {

constexpr int NotAService = -1;
constexpr int BadCount = -2;
constexpr int MostUses = 9999;

int xfCzServiceDetailTmpInsert(ProcedureContext& call) {
    Database& db = call.db();
    const QString batch = call.text(QStringLiteral("@id"), 40).trimmed();
    if (batch.isEmpty())
        throw DbError(QStringLiteral("服务明细缺少批次编号。"));
    const int place = call.integer(QStringLiteral("@ordId"));
    if (place < 1)
        throw DbError(QStringLiteral("服务明细的行号必须大于0。"));
    const int prec = call.integer(QStringLiteral("@pRec"));
    const int count = call.integer(QStringLiteral("@buyTimes"));
    const Money price = call.money(QStringLiteral("@oncePrice"));
    const QString gainText = call.has(QStringLiteral("@gainTimes"))
                                 ? call.in().AsString(QStringLiteral("@gainTimes")).trimmed()
                                 : QString();
    const int gain = gainText.isEmpty() ? -1 : gainText.toInt();
    const QString dayText = call.has(QStringLiteral("@ValidityPeriod"))
                                ? call.in().AsString(QStringLiteral("@ValidityPeriod")).trimmed().left(10)
                                : QString();
    const QDate lastDay = QDate::fromString(dayText, QStringLiteral("yyyy-MM-dd"));
    if (!dayText.isEmpty() && !lastDay.isValid())
        throw DbError(QStringLiteral("参数 @ValidityPeriod 必须是 yyyy-mm-dd 形式的日期。"));
    if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM VipService WHERE prec = ?"), {prec}).toInt() == 0)
        return NotAService;
    if (count < 1 || count > MostUses)
        return BadCount;
    db.execute(QStringLiteral("DELETE FROM VipCzSrvDetailTmp WHERE id = ? AND ordId = ?"), {batch, place});
    db.execute(
        QStringLiteral("INSERT INTO VipCzSrvDetailTmp (id, ordId, pRec, buyTimes, oncePrice, gainTimes, "
                       "ValidityPeriod) VALUES (?, ?, ?, ?, ?, ?, ?)"),
        {batch, place, prec, count, QVariant::fromValue(price), gain,
         lastDay.isValid() ? QVariant(lastDay) : QVariant()});
    return 0;
}

const ProcedureRegistration registration(QStringLiteral("XF_CzServiceDetailTmpInsert"),
                                         xfCzServiceDetailTmpInsert);

} // namespace
