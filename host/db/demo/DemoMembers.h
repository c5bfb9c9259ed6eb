#pragma once

#include "host/db/demo/DemoCardTypes.h"
#include "host/db/demo/DemoStores.h"
#include "host/sdk/Money.h"
#include "host/sdk/TParamObject.h"

#include <QDate>
#include <QList>
#include <QSet>
#include <QString>

class Database;
class DemoAccounts;
class DemoRandom;
class DemoRow;
class DemoUsers;

// Member cards as years of trading leave them: active, lost, stopped, expired and
// not yet activated cards, reissued numbers, stored value, points, introducers and
// custom fields. Every card is issued and every balance moved through the
// procedures the member editor uses, so each card carries its creation record and
// its balances equal its ledgers.
class DemoMembers {
public:
    static constexpr int Count = 320;

    DemoMembers(Database& db, DemoRandom& random, const QDate& today)
        : m_db(db)
        , m_random(random)
        , m_today(today) {}

    void fill(const DemoStores& stores, const DemoCardTypes& types, const DemoAccounts& accounts,
              const DemoUsers& users);

private:
    struct Birthday {
        QString solar;
        QString lunar;
        int lunarEntry = 0;
        int leapMonth = 0;
        QDate date;
    };
    struct Introducer {
        int cardId = 0;
        QDate issued;
        int days = 0;  // the type's reward period, 0 none
        int limit = 0; // the type's most rewarded introductions, 0 none
        int introduced = 0;
    };

    QString nextCardNumber();
    QString uniqueMobile();
    Birthday birthday();
    QString identityCard(const QDate& born, bool female);
    QString address();
    QString email(const QString& initials, const QDate& born);
    void defineCustomFields();
    int call(const QString& procedure, const TParamObject& params, TParamObject* outputs = nullptr);
    int issue(const TParamObject& card);
    Money addStoredValue(int cardId, const DemoCardTypes::Type& type, const DemoStores::Store& store,
                         int user);
    void addPoints(const QString& cardNo, const DemoCardTypes::Type& type, Money bought, const QString& user,
                   int storeId);
    void addCustomValues(int cardId);
    // Moves the card's ledger rows to the day it was issued, as if written then.
    void backdate(int cardId, const QDate& day);
    // An introducer whose card still earns a reward for a card issued on the day.
    Introducer* introducerFor(const QDate& issued);

    Database& m_db;
    DemoRandom& m_random;
    QDate m_today;
    qint64 m_lastCardNumber = 80010000;
    QSet<QString> m_mobiles;
    QList<Introducer> m_introducers;
};
