#include "host/services/StartFigures.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/VipCodes.h"

#include <QDateTime>

StartFigures StartFigures::Read(DataModule& data, const QDate& day) {
    StartFigures figures;
    ClientDataSet rows;
    data.OpenSQL(QStringLiteral("SELECT COUNT(*) AS Members, COALESCE(SUM(Cz), 0) AS Outstanding "
                                "FROM vipcard WHERE deleted = 0"),
                 rows);
    figures.members = rows.FieldByName(QStringLiteral("Members")).AsInteger();
    figures.outstanding = rows.FieldByName(QStringLiteral("Outstanding")).AsMoney();

    // What customers paid in; the shop's gift on top is no takings.
    data.OpenSQL(
        QStringLiteral("SELECT COUNT(*) AS Recharges, COALESCE(SUM(Amount), 0) AS Recharged "
                       "FROM VipCzChange WHERE ChangeDate >= ? AND ChangeDate < ? AND ChangeType = ?"),
        rows,
        {QDateTime(day, QTime(0, 0)), QDateTime(day.addDays(1), QTime(0, 0)), StoredValueChange::Recharge});
    figures.recharges = rows.FieldByName(QStringLiteral("Recharges")).AsInteger();
    figures.recharged = rows.FieldByName(QStringLiteral("Recharged")).AsMoney();
    return figures;
}
