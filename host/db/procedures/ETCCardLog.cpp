#include "host/db/procedures/ETCCardLog.h"

#include "host/data/Database.h"
#include "host/sdk/VipCodes.h"

#include <QDateTime>

void ETCCardLog::write(Database& db, int userRec, int posId, const QString& text) {
    db.execute(
        QStringLiteral("INSERT INTO syslog (LogTime, UserRec, Kind, LogText, PosId) VALUES (?, ?, ?, ?, ?)"),
        {QDateTime::currentDateTime(), userRec, LogKind::CouponCards, text.left(2000), posId});
}
