// How fast clerks sell service uses: sales per second through the save path of the
// service sale dialog (one row staged with XF_CzServiceDetailTmpInsert, then
// XF_CzServiceMainInsert: the card's row locked, the row re-priced by the item's
// ladder, the lot found or made, the ledger row with its operation id, the bill code,
// the staged row deleted) with 1, 4 and 8 connections at once on PostgreSQL
// (VIP_BENCH_PG_URI, a schema of its own dropped afterwards) and with one on SQLite.
// Beside each, in the same run, the raw shape of the same work: the card's row read
// under a lock, the lot looked up or inserted and updated, one change row inserted,
// in one transaction per sale. The ratio of the two is the figure to watch.

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
constexpr int Count = 20; // the ladder's second step: price 7, 3 gift uses, 30 days

struct Setup {
    int account = 0;
    int item = 0;
};

// Service cards, one service item with a two-step ladder, and the cash account.
Setup prepare(const DbSetting& setting) {
    DataModule data(Database::open(setting));
    SchemaMigrator(data.database()).upgrade();
    Transaction transaction(data);
    const int type = data.OpenSQLAsInt(
        QStringLiteral(
            "INSERT INTO viptype (TypeName, Discount, IsCZService) VALUES (?, 100, 1) RETURNING CTypeId"),
        {QStringLiteral("次卡")});
    for (int i = 0; i < Cards; ++i)
        data.ExecuteSQL(
            QStringLiteral("INSERT INTO vipcard (cardid, CardNo, CardType, BulidDate, ValidityDate, "
                           "IsLife, VipCz, VipCzService) VALUES (?, ?, ?, ?, ?, 1, 1, 1)"),
            {QUuid::createUuid().toString(), QStringLiteral("S%1").arg(i), type, QDate(2026, 1, 1),
             QDate(2030, 1, 1)});
    Setup setup;
    setup.account = data.OpenSQLAsInt(
        QStringLiteral(
            "INSERT INTO atype (typeId, parid, UserCode, FullName) VALUES (?, ?, ?, ?) RETURNING rec"),
        {QStringLiteral("0000100003"), QStringLiteral("00001"), QStringLiteral("100103"),
         QStringLiteral("储值收款")});
    setup.item = data.OpenSQLAsInt(
        QStringLiteral(
            "INSERT INTO ptype (typeId, parid, UserCode, FullName) VALUES (?, ?, ?, ?) RETURNING rec"),
        {QStringLiteral("00001"), QStringLiteral("00000"), QStringLiteral("FW01"), QStringLiteral("足疗")});
    data.ExecuteSQL(
        QStringLiteral("INSERT INTO VipService (prec, startTimes, oncePrice, discountType, CreatedAt) "
                       "VALUES (?, 1, ?, 1, ?)"),
        {setup.item, QVariant::fromValue(Money::fromUnits(10)), QDateTime::currentDateTime()});
    for (const auto& [buy, price, gain, days] : {std::tuple{10, 8, 1, -1}, std::tuple{20, 7, 3, 30}})
        data.ExecuteSQL(QStringLiteral("INSERT INTO VipServiceRule (prec, buyTimes, oncePrice, gainTimes, "
                                       "ValidityDays) VALUES (?, ?, ?, ?, ?)"),
                        {setup.item, buy, QVariant::fromValue(Money::fromUnits(price)), gain, days});
    transaction.Commit();
    return setup;
}

// The dialog's save of one row; throws when the sale is refused.
void sell(DataModule& data, int card, const Setup& setup) {
    const QString batch = QUuid::createUuid().toString(QUuid::WithoutBraces);
    TParamObject row;
    row.Add(QStringLiteral("@id"), batch);
    row.Add(QStringLiteral("@ordId"), 1);
    row.Add(QStringLiteral("@pRec"), setup.item);
    row.Add(QStringLiteral("@buyTimes"), Count);
    row.Add(QStringLiteral("@oncePrice"), QVariant::fromValue(Money::fromUnits(7)));
    row.Add(QStringLiteral("@gainTimes"), 3);
    row.Add(QStringLiteral("@ValidityPeriod"), QDate::currentDate().addDays(30).toString(Qt::ISODate));
    if (data.ExecuteProcByName(QStringLiteral("XF_CzServiceDetailTmpInsert"), row) != 0)
        throw DbError(QStringLiteral("服务明细被拒绝"));
    TParamObject p;
    const QList<QPair<QString, QVariant>> values = {
        {"@tmpID", batch},
        {"@CardNo", QStringLiteral("S%1").arg(card)},
        {"@ChangeType", QStringLiteral("25")},
        {"@Total", QVariant::fromValue(Money::fromUnits(7 * Count))},
        {"@ERec", 1},
        {"@ARec", QString::number(setup.account)},
        {"@Posid", 0},
        {"@Memo", QString()},
        {"@szDate", QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))},
        {"@giftTotal", 0},
        {"@UniqueBillid", QUuid::createUuid().toString(QUuid::WithoutBraces)}};
    for (const auto& [name, value] : values)
        p.Add(name, value);
    if (const int result = data.ExecuteProcByName(QStringLiteral("XF_CzServiceMainInsert"), p))
        throw DbError(QStringLiteral("服务项目充值被拒绝（%1）").arg(result));
}

// The same work without the procedures: lock the card, find or make the lot, move it, add the row.
void rawSell(DataModule& data, int card, const Setup& setup) {
    Database& db = data.database();
    const QDate lastDay = QDate::currentDate().addDays(30);
    Transaction transaction(db);
    const int id = db.scalar(QStringLiteral("SELECT id FROM vipcard WHERE CardNo = ? AND deleted = 0") +
                                 db.dialect().forUpdate(),
                             {QStringLiteral("S%1").arg(card)})
                       .toInt();
    QVariant lot =
        db.scalar(QStringLiteral("SELECT id FROM vipCardService WHERE VipCardId = ? AND prec = ? AND "
                                 "ValidityPeriod = ?"),
                  {id, setup.item, lastDay});
    if (!lot.isValid())
        lot = db.scalar(QStringLiteral("INSERT INTO vipCardService (VipCardId, prec, remainTimes, Total, "
                                       "ValidityPeriod) VALUES (?, ?, 0, 0, ?) RETURNING id"),
                        {id, setup.item, lastDay});
    const Money total = Money::fromUnits(7 * Count);
    db.execute(QStringLiteral(
                   "UPDATE vipCardService SET remainTimes = remainTimes + ?, Total = Total + ? WHERE id = ?"),
               {Count + 3, QVariant::fromValue(total), lot});
    db.execute(
        QStringLiteral(
            "INSERT INTO VipServiceChange (ServiceId, VipCardId, prec, ChangeType, Times, GainTimes, "
            "OncePrice, Total, RemainAfter, OpId, ChangeDate) VALUES (?, ?, ?, 25, ?, 3, ?, ?, 0, ?, ?)"),
        {lot, id, setup.item, Count + 3, QVariant::fromValue(Money::fromUnits(7)), QVariant::fromValue(total),
         QUuid::createUuid().toString(QUuid::WithoutBraces), QDateTime::currentDateTime()});
    transaction.Commit();
}

// One clerk's operation on a random card.
ClerkRace::Step sales(const Setup& setup) {
    return [=](DataModule& data, QRandomGenerator& random, bool raw) {
        const int card = random.bounded(Cards);
        if (raw)
            rawSell(data, card, setup);
        else
            sell(data, card, setup);
    };
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return ClerkRace(QStringLiteral("ServiceSale"), QStringLiteral("sales"))
        .runOnBothBackends(argc, argv, QStringLiteral("bench_service"),
                           [](const DbSetting& setting) { return sales(prepare(setting)); });
}
