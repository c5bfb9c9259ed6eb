#include "host/db/procedures/VipExchangeChange.h"

#include "host/data/Database.h"
#include "host/sdk/ClientDataSet.h"
#include "host/sdk/VipCodes.h"

std::optional<VipExchangeChange> VipExchangeChange::waitingForPost(Database& db, int billId) {
    const QVariant cardId =
        db.scalar(QStringLiteral("SELECT Vipcardid FROM VipChangeInfo WHERE BillId = ?"), {billId});
    if (!cardId.isValid() ||
        !db.scalar(QStringLiteral("SELECT id FROM vipcard WHERE id = ? AND deleted = 0") +
                       db.dialect().forUpdate(),
                   {cardId})
             .isValid())
        return std::nullopt;
    ClientDataSet row;
    db.select(QStringLiteral("SELECT c.ChangeType, c.ChangeTotal, c.Czxf, c.ERec, c.ChangeDate, v.CardType "
                             "FROM VipChangeInfo c JOIN vipcard v ON v.id = c.Vipcardid WHERE c.BillId = ? "
                             "AND c.ChangeType IN (?, ?, ?, ?) AND c.ChangeTotal < 0 AND NOT EXISTS "
                             "(SELECT 1 FROM VipExchangeBill b WHERE b.BillID = c.BillId)"),
              {billId, PointsChange::Cash + 1, PointsChange::StoredValue + 1, PointsChange::Goods + 1,
               PointsChange::ShoppingCards + 1},
              row);
    if (row.IsEmpty())
        return std::nullopt;
    const auto field = [&](const char* name) { return row.FieldByName(QLatin1String(name)); };
    return VipExchangeChange{billId,
                             cardId.toInt(),
                             field("CardType").AsInteger(),
                             field("ChangeType").AsInteger(),
                             -field("ChangeTotal").AsInteger(),
                             field("Czxf").AsMoney(),
                             field("ERec").AsInteger(),
                             field("ChangeDate").AsDate()};
}
