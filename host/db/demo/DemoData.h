#pragma once

#include "host/db/demo/DemoBulkMembers.h"

#include <QDate>
#include <QString>

class Database;

// Fills a freshly migrated database with a believable chain of stores and its
// members, so the back office can be tried out, shown and tested by hand.
class DemoData {
public:
    // Writes everything in one transaction. A database that already holds members
    // or base data is refused with a DbError and left untouched. The same day
    // always gives the same data.
    static void fill(Database& db, const QDate& today = QDate::currentDate());
    // The same base data without its few hand-made members, committed first, then
    // the given number of members written in bulk, a transaction per batch.
    static void fillAtScale(Database& db, int members, const DemoBulkMembers::Progress& progress,
                            const QDate& today = QDate::currentDate());
    // One line for the operator: how much the database now holds.
    static QString summary(Database& db);

private:
    static void refuseUnlessEmpty(Database& db);
    static void fillSettings(Database& db);
};
