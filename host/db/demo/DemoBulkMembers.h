#pragma once

#include "host/db/demo/DemoCardTypes.h"
#include "host/db/demo/DemoStores.h"
#include "host/sdk/Money.h"

#include <QDate>
#include <QSet>
#include <QString>
#include <QVariantList>
#include <functional>

class Database;
class DemoRandom;
class DemoUsers;

// Members by the hundred thousand, for trying the back office at a chain's scale.
// The procedures write one card at a time; here cards and their ledger rows go in
// as multi-row inserts, a batch per transaction, each card's balances set to the
// sums of the rows written with it so the ledger audit passes.
class DemoBulkMembers {
public:
    static constexpr int Batch = 10000;
    // Told the number of members written so far, every ProgressStep of them.
    static constexpr int ProgressStep = 100000;
    using Progress = std::function<void(int written)>;

    DemoBulkMembers(Database& db, DemoRandom& random, const QDate& today)
        : m_db(db)
        , m_random(random)
        , m_today(today) {}

    void fill(int count, const DemoStores& stores, const DemoCardTypes& types, const DemoUsers& users,
              const Progress& progress);

private:
    // One card's stored-value row or points row, waiting for the card's id.
    struct LedgerRow {
        int changeType = 0;
        Money amount;
        Money gift;
        Money after;
        int points = 0;
        QString memo;
    };
    struct Card {
        QString cardNo;
        QDateTime issuedAt;
        int storeId = 0;
        int user = 0;
        QList<LedgerRow> storedValue;
        QList<LedgerRow> points;
    };

    QString uniqueMobile();
    // Appends the card's vipcard columns to the batch and returns what its ledgers need.
    Card makeCard(const DemoCardTypes::Type& type, const DemoStores& stores, const DemoUsers& users,
                  QVariantList& values);
    void writeBatch(int count, const DemoStores& stores, const DemoCardTypes& types, const DemoUsers& users);

    Database& m_db;
    DemoRandom& m_random;
    QDate m_today;
    int m_storedValuePercent = 0; // of the cards whose type takes stored value
    int m_pointsPercent = 0;      // of the cards whose type earns points
    qint64 m_lastCardNumber = 80010000;
    QSet<qint64> m_mobiles;
};
