#include "host/data/Database.h"
#include "host/db/SchemaMigrator.h"
#include "host/db/procedures/PinyinInitials.h"
#include "host/sdk/ClientDataSet.h"

// Cards written before the card procedure worked out the pinyin initials get them
// when the member search's index is built, so the index holds them from the start.
namespace {

void fillPinyinInitials(Database& db) {
    ClientDataSet cards;
    db.select(QStringLiteral("SELECT id, Name FROM vipcard WHERE PYZJM = '' AND Name <> ''"), {}, cards);
    for (cards.First(); !cards.Eof(); cards.Next()) {
        const QString initials = PinyinInitials::of(cards.FieldByName(QStringLiteral("Name")).AsString());
        if (!initials.isEmpty())
            db.execute(QStringLiteral("UPDATE vipcard SET PYZJM = ? WHERE id = ?"),
                       {initials, cards.FieldByName(QStringLiteral("id")).AsInteger()});
    }
}

const MigrationStep step(QStringLiteral("member_search"), fillPinyinInitials);

} // namespace
