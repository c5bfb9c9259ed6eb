#include "host/db/procedures/VipClearHistory.h"

#include "host/data/Database.h"
#include "host/sdk/DbError.h"
#include "host/sdk/VipCodes.h"

int VipClearHistory::check(Database& db, int cardId, const QDate& date, bool hold, QDate* lastDate) {
    QString sql = QStringLiteral("SELECT IsLife FROM vipcard WHERE id = ? AND deleted = 0");
    if (hold)
        sql += db.dialect().forUpdate();
    const QVariant isLife = db.scalar(sql, {cardId});
    if (!isLife.isValid())
        return PointsClearCheck::Gone;
    const QVariant last =
        db.scalar(QStringLiteral("SELECT MAX(ClearDate) FROM VipClearJF WHERE Vipcardid = ?"), {cardId});
    const QDate lastCleared = last.isNull() ? QDate() : last.toDate();
    if (lastDate)
        *lastDate = lastCleared;
    if (lastCleared.isValid() && lastCleared >= date)
        return PointsClearCheck::AlreadyCleared;
    if (isLife.toInt() == 0)
        return PointsClearCheck::NotActivated;
    return 0;
}

QDate VipClearHistory::clearDate(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return QDate::currentDate();
    const QDate date = QDate::fromString(trimmed, QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        throw DbError(QStringLiteral("清零日期“%1”无效。").arg(trimmed.left(20)));
    return date;
}
