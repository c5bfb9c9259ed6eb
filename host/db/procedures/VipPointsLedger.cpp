#include "host/db/procedures/VipPointsLedger.h"

#include "host/data/Database.h"

#include <QDateTime>

int VipPointsLedger::post(Database& db, const Posting& p) {
    const QVariant held =
        db.scalar(QStringLiteral("SELECT IntegralTotal FROM vipcard WHERE id = ? AND deleted = 0") +
                      db.dialect().forUpdate(),
                  {p.cardId});
    if (!held.isValid() || held.toLongLong() + p.points < 0)
        return 0;
    const int billId =
        db.scalar(QStringLiteral("INSERT INTO VipChangeInfo (Vipcardid, ChangeType, ChangeTotal, Czxf, Memo, "
                                 "OfferCardID, PosId, ERec, ChangeDate) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?) "
                                 "RETURNING BillId"),
                  {p.cardId, p.changeType, p.points, QVariant::fromValue(p.total), p.memo.left(200),
                   p.offerCardId, p.posId, p.userRec, QDateTime::currentDateTime()})
            .toInt();
    db.execute(
        QStringLiteral("UPDATE vipcard SET IntegralTotal = IntegralTotal + ?, ljIntegral = ljIntegral + ? "
                       "WHERE id = ?"),
        {p.points, p.points > 0 ? p.points : 0, p.cardId});
    return billId;
}
