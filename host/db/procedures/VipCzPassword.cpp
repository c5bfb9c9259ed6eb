#include "host/db/procedures/VipCzPassword.h"

#include "host/data/Database.h"
#include "host/sdk/ClientDataSet.h"
#include "host/services/PasswordHash.h"

VipCzPassword::Result VipCzPassword::verify(Database& db, int cardId, const QString& password) {
    ClientDataSet card;
    db.select(QStringLiteral(
                  "SELECT UsePass, PasswordHash, CzPassLocked FROM vipcard WHERE id = ? AND deleted = 0") +
                  db.dialect().forUpdate(),
              {cardId}, card);
    if (card.IsEmpty())
        return CardGone;
    if (card.FieldByName(QStringLiteral("CzPassLocked")).AsInteger() != 0)
        return Locked;
    const QString hash = card.FieldByName(QStringLiteral("PasswordHash")).AsString();
    const bool guarded = card.FieldByName(QStringLiteral("UsePass")).AsInteger() != 0 && !hash.isEmpty();
    if (!guarded || PasswordHash::matches(QString(), hash, password)) {
        db.execute(QStringLiteral("UPDATE vipcard SET CzPassFails = 0 WHERE id = ?"), {cardId});
        return Right;
    }
    // One statement counts and locks, so two wrong entries at once are both counted.
    db.execute(QStringLiteral("UPDATE vipcard SET CzPassFails = CzPassFails + 1, "
                              "CzPassLocked = CASE WHEN CzPassFails + 1 >= ? THEN 1 ELSE 0 END WHERE id = ?"),
               {MostFailures, cardId});
    return failures(db, cardId) >= MostFailures ? Locked : Wrong;
}

int VipCzPassword::failures(Database& db, int cardId) {
    return db.scalar(QStringLiteral("SELECT CzPassFails FROM vipcard WHERE id = ?"), {cardId}).toInt();
}
