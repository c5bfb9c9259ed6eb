// How fast clerks exchange points for goods: exchanges per second through the save
// path of the exchange dialog (VipPointsStore::SaveExchange: the points change under
// the card's row lock, the rule row and the post, each checked again against the
// rule, the goods taken from the warehouse, the bill written, in one transaction)
// with 1, 4 and 8 connections at once on PostgreSQL (VIP_BENCH_PG_URI, a schema of
// its own dropped afterwards) and with one on SQLite. Beside each, in the same run,
// the raw shape of the same writes: the card's row read under a lock, its points
// moved, the change, rule and bill rows inserted and the stock lowered, in one
// transaction per exchange without a check. The ratio is the figure to watch.

#include "bench/ClerkRace.h"
#include "host/data/Database.h"
#include "host/db/SchemaMigrator.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/Money.h"
#include "host/sdk/Transaction.h"
#include "host/sdk/VipCodes.h"
#include "vip/points/VipPointsStore.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QRandomGenerator>
#include <QUuid>

namespace {

constexpr int Cards = 2000;
constexpr int RulePoints = 100;
const int GoodsWay = PointsChange::Goods + 1;

// What every exchange needs: the store, its warehouse, the product, the account and the rule.
struct Setup {
    int store = 0;
    int warehouse = 0;
    int product = 0;
    int account = 0;
    int rule = 0;
};

Setup prepare(const DbSetting& setting) {
    DataModule data(Database::open(setting));
    SchemaMigrator(data.database()).upgrade();
    Transaction transaction(data);
    Setup s;
    const auto insert = [&](const QString& sql, const QVariantList& values) {
        return data.OpenSQLAsInt(sql, values);
    };
    const int type =
        insert(QStringLiteral("INSERT INTO viptype (TypeName, Discount) VALUES (?, 100) RETURNING CTypeId"),
               {QStringLiteral("积分卡")});
    s.store = insert(
        QStringLiteral("INSERT INTO posinfo (PosCode, PosName) VALUES ('01', '一店') RETURNING posid"), {});
    s.warehouse = insert(QStringLiteral("INSERT INTO stock (typeId, UserCode, FullName, PosId) VALUES "
                                        "('00002', 'CK01', '一店仓库', ?) RETURNING rec"),
                         {s.store});
    s.product = insert(
        QStringLiteral("INSERT INTO ptype (typeId, UserCode, FullName) VALUES ('0001', 'P01', '保温杯') "
                       "RETURNING rec"),
        {});
    s.account = insert(QStringLiteral("INSERT INTO atype (typeId, parid, UserCode, FullName) VALUES "
                                      "('0000100001', '00001', '100101', '现金') RETURNING rec"),
                       {});
    s.rule = insert(
        QStringLiteral("INSERT INTO IntegralexchangeSet (groupId, CTypeId, ChangeType, PRec, UseIntegral, "
                       "exchangeNum, diffprice, SDate, EDate) VALUES ('g', ?, ?, ?, ?, ?, ?, ?, ?) "
                       "RETURNING ExChangeID"),
        {type, GoodsWay, s.product, RulePoints, QVariant::fromValue(Money::fromUnits(1)),
         QVariant::fromValue(Money::fromDouble(2.5)), QDate(2000, 1, 1), QDate(2099, 12, 31)});
    data.ExecuteSQL(QStringLiteral("INSERT INTO GoodsStock (KRec, PRec, Qty) VALUES (?, ?, ?)"),
                    {s.warehouse, s.product, QVariant::fromValue(Money::fromUnits(100000000))});
    for (int i = 0; i < Cards; ++i) {
        const int card =
            insert(QStringLiteral("INSERT INTO vipcard (cardid, CardNo, CardType, BulidDate, ValidityDate, "
                                  "IsLife, AutoIntegral) VALUES (?, ?, ?, ?, ?, 1, 1) RETURNING id"),
                   {QUuid::createUuid().toString(), QStringLiteral("X%1").arg(i), type, QDate(2026, 1, 1),
                    QDate(2099, 1, 1)});
        // The opening points go through the ledger's own row, so the cards add up.
        data.ExecuteSQL(
            QStringLiteral("INSERT INTO VipChangeInfo (Vipcardid, ChangeType, ChangeTotal, ChangeDate) "
                           "VALUES (?, 0, 100000000, ?)"),
            {card, QDateTime::currentDateTime()});
        data.ExecuteSQL(QStringLiteral("UPDATE vipcard SET IntegralTotal = 100000000, ljIntegral = 100000000 "
                                       "WHERE id = ?"),
                        {card});
    }
    transaction.Commit();
    return s;
}

// The dialog's save of one unit of goods; throws when it is refused.
void exchange(DataModule& data, const Setup& s, int card) {
    VipPointsStore::Exchange e;
    e.cardNo = QStringLiteral("X%1").arg(card);
    e.changeType = PointsChange::Goods;
    e.points = RulePoints;
    e.posId = s.store;
    e.memo = QStringLiteral("商品兑换");
    e.total = Money::fromUnits(RulePoints);
    e.rows = {{.exchangeId = s.rule, .units = 1, .prec = s.product, .diffTotal = Money::fromDouble(2.5)}};
    e.diffTotal = Money::fromDouble(2.5);
    e.quantity = Money::fromUnits(1);
    e.accountRec = s.account;
    e.warehouseRec = s.warehouse;
    e.comment = QStringLiteral("积分兑换保温杯等商品");
    e.pzComment = QStringLiteral("积分兑换保温杯等商品补差");
    const VipPointsStore::ExchangeOutcome outcome = VipPointsStore(data).SaveExchange(e);
    if (outcome.newId <= 0)
        throw DbError(QStringLiteral("兑换被拒绝：%1/%2").arg(outcome.changeRefusal).arg(outcome.postResult));
}

// The same writes without the procedures and their checks.
void rawExchange(DataModule& data, const Setup& s, int card) {
    Database& db = data.database();
    Transaction transaction(db);
    const int id = db.scalar(QStringLiteral("SELECT id FROM vipcard WHERE CardNo = ? AND deleted = 0") +
                                 db.dialect().forUpdate(),
                             {QStringLiteral("X%1").arg(card)})
                       .toInt();
    const int bill =
        db.scalar(QStringLiteral("INSERT INTO VipChangeInfo (Vipcardid, ChangeType, ChangeTotal, Czxf, "
                                 "Memo, PosId, ChangeDate) VALUES (?, ?, ?, ?, '商品兑换', ?, ?) "
                                 "RETURNING BillId"),
                  {id, GoodsWay, -RulePoints, QVariant::fromValue(Money::fromUnits(RulePoints)), s.store,
                   QDateTime::currentDateTime()})
            .toInt();
    db.execute(QStringLiteral("UPDATE vipcard SET IntegralTotal = IntegralTotal - ? WHERE id = ?"),
               {RulePoints, id});
    db.execute(
        QStringLiteral("INSERT INTO vipchangeexchange (BillID, ExChangeID, ExChangeNum, Prec, DiffTotal) "
                       "VALUES (?, ?, 1, ?, ?)"),
        {bill, s.rule, s.product, QVariant::fromValue(Money::fromDouble(2.5))});
    db.execute(QStringLiteral("UPDATE GoodsStock SET Qty = Qty - ? WHERE KRec = ? AND PRec = ?"),
               {QVariant::fromValue(Money::fromUnits(1)), s.warehouse, s.product});
    db.execute(QStringLiteral(
                   "INSERT INTO VipExchangeBill (BillID, BillCode, ChangeType, PosId, KRec, ARec, TotalQty, "
                   "DiffTotal, BillDate) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
               {bill, QStringLiteral("RAW%1").arg(bill), GoodsWay, s.store, s.warehouse, s.account,
                QVariant::fromValue(Money::fromUnits(1)), QVariant::fromValue(Money::fromDouble(2.5)),
                QDateTime::currentDateTime()});
    transaction.Commit();
}

// One clerk's operation on a random card.
ClerkRace::Step exchanges(const Setup& s) {
    return [=](DataModule& data, QRandomGenerator& random, bool raw) {
        const int card = random.bounded(Cards);
        if (raw)
            rawExchange(data, s, card);
        else
            exchange(data, s, card);
    };
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return ClerkRace(QStringLiteral("PointsExchange"), QStringLiteral("exchanges"))
        .runOnBothBackends(argc, argv, QStringLiteral("bench_exchange"),
                           [](const DbSetting& setting) { return exchanges(prepare(setting)); });
}
