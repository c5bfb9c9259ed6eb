// How fast cashiers recharge stored value: recharges per second through the save
// path of the recharge dialog (XF_CzOperator: the card's row locked, every check made
// again, the gift by the card type's rules, the ledger row with its operation id, the
// bill code) with 1, 4 and 8 connections at once on PostgreSQL (VIP_BENCH_PG_URI, a
// schema of its own dropped afterwards) and with one on SQLite. Beside each, in the
// same run, the raw shape of the same work: the card's row read under a lock, its
// balances updated and one change row inserted, in one transaction per recharge.
// The ratio of the two is the figure to watch.

#include "bench/ClerkRace.h"
#include "host/data/Database.h"
#include "host/db/SchemaMigrator.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/Money.h"
#include "host/sdk/Transaction.h"
#include "host/sdk/VipCodes.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QRandomGenerator>
#include <QUuid>

namespace {

constexpr int Cards = 2000;

// Cards of a stored-value type with a gift rule, and the account recharges go through.
int prepare(const DbSetting& setting) {
    DataModule data(Database::open(setting));
    SchemaMigrator(data.database()).upgrade();
    Transaction transaction(data);
    const int type = data.OpenSQLAsInt(
        QStringLiteral("INSERT INTO viptype (TypeName, Discount, IsCZPreferential) VALUES (?, 100, 1) "
                       "RETURNING CTypeId"),
        {QStringLiteral("储值卡")});
    data.ExecuteSQL(
        QStringLiteral("INSERT INTO vipAutoDiscount (VipTypeId, DisType, BuyToTalBegin, BuyTotalEnd, "
                       "IntegralQuotiety, Integral) VALUES (?, ?, 0, ?, ?, ?)"),
        {type, RuleKind::StoredValueGifts, QVariant::fromValue(Money::fromUnits(100000)),
         QVariant::fromValue(Money::fromUnits(100)), QVariant::fromValue(Money::fromUnits(10))});
    for (int i = 0; i < Cards; ++i)
        data.ExecuteSQL(
            QStringLiteral("INSERT INTO vipcard (cardid, CardNo, CardType, BulidDate, ValidityDate, "
                           "IsLife, VipCz) VALUES (?, ?, ?, ?, ?, 1, 1)"),
            {QUuid::createUuid().toString(), QStringLiteral("R%1").arg(i), type, QDate(2026, 1, 1),
             QDate(2030, 1, 1)});
    const int account = data.OpenSQLAsInt(
        QStringLiteral(
            "INSERT INTO atype (typeId, parid, UserCode, FullName) VALUES (?, ?, ?, ?) RETURNING rec"),
        {QStringLiteral("0000100003"), QStringLiteral("00001"), QStringLiteral("100103"),
         QStringLiteral("储值收款")});
    transaction.Commit();
    return account;
}

// The dialog's save: 0 when the recharge went through.
void recharge(DataModule& data, int card, int account, Money amount) {
    TParamObject p;
    const QList<QPair<QString, QVariant>> values = {
        {"@CardNo", QStringLiteral("R%1").arg(card)},
        {"@ChangeType", QStringLiteral("5")},
        {"@Total", amount.toDouble()},
        {"@ERec", 1},
        {"@ARec", QString::number(account)},
        {"@Posid", 0},
        {"@Memo", QString()},
        {"@szDate", QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))},
        {"@giftTotal",
         Money::fromRaw(amount.raw() / Money::fromUnits(100).raw() * Money::fromUnits(10).raw()).toDouble()},
        {"@OpId", QUuid::createUuid().toString(QUuid::WithoutBraces)}};
    for (const auto& [name, value] : values)
        p.Add(name, value);
    if (data.ExecuteProcByName(QStringLiteral("XF_CzOperator"), p) != 0)
        throw DbError(QStringLiteral("充值被拒绝"));
}

// The same work without the procedure: lock the row, move the balances, add the row.
void rawRecharge(DataModule& data, int card, int account, Money amount) {
    Database& db = data.database();
    const Money gift =
        Money::fromRaw(amount.raw() / Money::fromUnits(100).raw() * Money::fromUnits(10).raw());
    Transaction transaction(db);
    ClientDataSet row;
    db.select(QStringLiteral("SELECT id, Cz FROM vipcard WHERE CardNo = ? AND deleted = 0") +
                  db.dialect().forUpdate(),
              {QStringLiteral("R%1").arg(card)}, row);
    const int id = row.FieldByName(QStringLiteral("id")).AsInteger();
    const Money after = row.FieldByName(QStringLiteral("Cz")).AsMoney() + amount + gift;
    db.execute(QStringLiteral("UPDATE vipcard SET Cz = Cz + ?, CzTotal = CzTotal + ? WHERE id = ?"),
               {QVariant::fromValue(amount + gift), QVariant::fromValue(amount + gift), id});
    db.execute(
        QStringLiteral("INSERT INTO VipCzChange (Vipcardid, ChangeType, Amount, Gift, BalanceAfter, OpId, "
                       "PosId, ERec, ChangeDate, Memo, ARec) VALUES (?, ?, ?, ?, ?, ?, 0, 1, ?, '', ?)"),
        {id, StoredValueChange::Recharge, QVariant::fromValue(amount), QVariant::fromValue(gift),
         QVariant::fromValue(after), QUuid::createUuid().toString(QUuid::WithoutBraces),
         QDateTime::currentDateTime(), account});
    transaction.Commit();
}

// One clerk's operation on a random card.
ClerkRace::Step recharges(int account) {
    return [=](DataModule& data, QRandomGenerator& random, bool raw) {
        const int card = random.bounded(Cards);
        const Money amount = Money::fromUnits(random.bounded(50, 1000));
        if (raw)
            rawRecharge(data, card, account, amount);
        else
            recharge(data, card, account, amount);
    };
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return ClerkRace(QStringLiteral("Recharge"), QStringLiteral("recharges"))
        .runOnBothBackends(argc, argv, QStringLiteral("bench_recharge"),
                           [](const DbSetting& setting) { return recharges(prepare(setting)); });
}
