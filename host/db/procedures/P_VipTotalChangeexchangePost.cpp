#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/VipCzLedger.h"
#include "host/db/procedures/VipExchangeChange.h"
#include "host/db/procedures/VipExchangeRule.h"
#include "host/sdk/ClientDataSet.h"
#include "host/sdk/VipCodes.h"

#include <QDateTime>
#include <QMap>
#include <QSet>

// P_VipTotalChangeexchangePost: posts the exchange of the points change @BillID once
// its rule rows are written (P_InsertVipTotalChangeexchange), for the store @PosId and
// the period @Period, with the memo @comment (@PzComment for the price difference).
// Nothing the caller says is taken on trust: with the card's row held, every rule row
// is checked again against its rule, and the points the change took, the money
// @Total (cash, stored value), the quantity @TotalQty and the price difference
// @difftotal (goods, coupon cards) must be what the rows add up to. Then goods
// leave the warehouse @KRec, stored value is credited to the card through its
// ledger, and the bill is written with a code of its own; cash is recorded as paid
// out. A difference is paid into the account @ARec. The coupon cards of a
// coupon-card exchange must be of their rule's type and still free (not bound,
// activated, used or stopped); the caller binds and activates them in the same
// transaction. Returns 0; -6 the day lies before the start of the current period
// (hostconfig dPeriodStart); -1 the warehouse holds less of a product than is given,
// -100 it holds none of it; -101 the change or its rows are not a valid exchange
// waiting for its post, or a figure, the account or a coupon card does not agree;
// -102 goods are given outside a live store or from no live warehouse; -103 the
// card may no longer exchange points (stopped, lost, expired, not activated, points
// off, or stored value off for a stored-value exchange).
namespace {

constexpr int NoStock = -1;
constexpr int BeforePeriod = -6;
constexpr int NoStockRow = -100;
constexpr int Refused = -101;
constexpr int NotAStore = -102;
constexpr int CardRefused = -103;

const int CashWay = PointsChange::Cash + 1;
const int StoredValueWay = PointsChange::StoredValue + 1;
const int GoodsWay = PointsChange::Goods + 1;
const int CardsWay = PointsChange::ShoppingCards + 1;

bool cardMayExchange(Database& db, const VipExchangeChange& change) {
    ClientDataSet card;
    db.select(QStringLiteral("SELECT IsLife, Lose, StopUse, ValidityDate, AutoIntegral, VipCz FROM vipcard "
                             "WHERE id = ?"),
              {change.cardId}, card);
    const auto value = [&](const char* name) { return card.FieldByName(QLatin1String(name)).AsInteger(); };
    return value("IsLife") == 1 && value("Lose") == 0 && value("StopUse") == 0 &&
           value("AutoIntegral") == 1 &&
           card.FieldByName(QStringLiteral("ValidityDate")).AsDate() >= change.day &&
           (change.way != StoredValueWay || value("VipCz") == 1);
}

bool beforePeriod(Database& db, const QDate& day) {
    const QDate start = QDate::fromString(
        db.scalar(QStringLiteral("SELECT Value FROM hostconfig WHERE Name = 'dPeriodStart'"))
            .toString()
            .trimmed(),
        QStringLiteral("yyyy-MM-dd"));
    return start.isValid() && day < start;
}

// What the rows of an exchange add up to, each checked against its live rule.
struct Sums {
    qint64 points = 0;
    Money total; // money or quantity
    Money diff;
    QMap<int, Money> goods;   // quantity per product
    QMap<QString, int> cards; // coupon card number -> the coupon type its rule gives
};

bool addUp(Database& db, const VipExchangeChange& change, Sums& sums) {
    ClientDataSet rows;
    db.select(QStringLiteral("SELECT ExChangeID, ExChangeNum, DiffTotal, Comment FROM vipchangeexchange "
                             "WHERE BillID = ? ORDER BY id"),
              {change.billId}, rows);
    if (rows.IsEmpty())
        return false;
    for (rows.First(); !rows.Eof(); rows.Next()) {
        const auto field = [&](const char* name) { return rows.FieldByName(QLatin1String(name)); };
        const int units = field("ExChangeNum").AsInteger();
        const std::optional<VipExchangeRule> rule = VipExchangeRule::live(
            db, field("ExChangeID").AsInteger(), change.cardType, change.way, change.day);
        if (!rule || units <= 0)
            return false;
        const Money given = rule->line.total(units);
        const Money diff =
            change.way == GoodsWay || change.way == CardsWay ? rule->line.diffTotal(units) : Money();
        if (field("DiffTotal").AsMoney() != diff)
            return false;
        sums.points += rule->line.points(units);
        sums.total += given;
        sums.diff += diff;
        if (change.way == GoodsWay)
            sums.goods[rule->prec] += given;
        if (change.way == CardsWay) {
            const QStringList numbers =
                field("Comment").AsString().split(QLatin1Char(','), Qt::SkipEmptyParts);
            if (given != Money::fromUnits(numbers.size()))
                return false;
            for (const QString& number : numbers) {
                if (sums.cards.contains(number.trimmed()))
                    return false;
                sums.cards.insert(number.trimmed(), rule->etcId);
            }
        }
    }
    return sums.points == change.points;
}

bool figuresAgree(ProcedureContext& call, const VipExchangeChange& change, const Sums& sums) {
    if (call.money(QStringLiteral("@difftotal")) != sums.diff)
        return false;
    if (change.way == CashWay || change.way == StoredValueWay)
        return call.money(QStringLiteral("@Total")) == sums.total && change.total == sums.total;
    return call.money(QStringLiteral("@TotalQty")) == sums.total;
}

bool accountLive(Database& db, int accountRec) {
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM atype WHERE rec = ? AND deleted = 0"), {accountRec})
               .toInt() > 0;
}

// The coupon cards are of their rules' types and nobody's yet; held until the caller binds them.
bool cardsFree(Database& db, const QMap<QString, int>& cards) {
    for (auto it = cards.cbegin(); it != cards.cend(); ++it) {
        ClientDataSet card;
        db.select(QStringLiteral("SELECT ETCID, Flag, VIPID, Used, IsStop FROM ETCList WHERE CardNo = ? AND "
                                 "deleted = 0") +
                      db.dialect().forUpdate(),
                  {it.key()}, card);
        const auto value = [&](const char* name) {
            return card.FieldByName(QLatin1String(name)).AsInteger();
        };
        if (card.IsEmpty() || value("ETCID") != it.value() || value("Flag") != 0 || value("VIPID") != 0 ||
            value("Used") != 0 || value("IsStop") != 0)
            return false;
    }
    return true;
}

// Takes the goods out of the warehouse, or says why it cannot.
int takeGoods(Database& db, int warehouse, const QMap<int, Money>& goods) {
    for (auto it = goods.cbegin(); it != goods.cend(); ++it) {
        const QVariant held =
            db.scalar(QStringLiteral("SELECT Qty FROM GoodsStock WHERE KRec = ? AND PRec = ?") +
                          db.dialect().forUpdate(),
                      {warehouse, it.key()});
        if (!held.isValid())
            return NoStockRow;
        if (Money::fromRaw(held.toLongLong()) < it.value())
            return NoStock;
    }
    for (auto it = goods.cbegin(); it != goods.cend(); ++it)
        db.execute(QStringLiteral("UPDATE GoodsStock SET Qty = Qty - ? WHERE KRec = ? AND PRec = ?"),
                   {QVariant::fromValue(it.value()), warehouse, it.key()});
    return 0;
}

int pVipTotalChangeexchangePost(ProcedureContext& call) {
    Database& db = call.db();
    const int billId = call.integer(QStringLiteral("@BillID"));
    const int posId = call.integer(QStringLiteral("@PosId"));
    const int period = call.integer(QStringLiteral("@Period"));
    const QString comment = call.text(QStringLiteral("@comment"), 255);
    const QString pzComment = call.text(QStringLiteral("@PzComment"), 255);
    const std::optional<VipExchangeChange> change = VipExchangeChange::waitingForPost(db, billId);
    if (!change)
        return Refused;
    if (!cardMayExchange(db, *change))
        return CardRefused;
    if (beforePeriod(db, change->day))
        return BeforePeriod;
    Sums sums;
    if (!addUp(db, *change, sums) || !figuresAgree(call, *change, sums))
        return Refused;
    const bool paysDifference = change->way == GoodsWay || change->way == CardsWay;
    const int accountRec = paysDifference ? call.integer(QStringLiteral("@ARec")) : 0;
    if (!sums.diff.isZero() && !accountLive(db, accountRec))
        return Refused;
    int warehouse = 0;
    if (change->way == GoodsWay) {
        warehouse = call.integer(QStringLiteral("@KRec"));
        const bool liveStore =
            db.scalar(QStringLiteral("SELECT COUNT(*) FROM posinfo WHERE posid = ? AND deleted = 0"), {posId})
                .toInt() > 0;
        const bool liveWarehouse =
            db.scalar(QStringLiteral("SELECT COUNT(*) FROM stock WHERE rec = ? AND deleted = 0"), {warehouse})
                .toInt() > 0;
        if (!liveStore || !liveWarehouse)
            return NotAStore;
        if (const int taken = takeGoods(db, warehouse, sums.goods); taken != 0)
            return taken;
    }
    if (change->way == CardsWay && !cardsFree(db, sums.cards))
        return Refused;
    if (change->way == StoredValueWay &&
        VipCzLedger::post(db, {.cardId = change->cardId,
                               .changeType = StoredValueChange::PointsExchange,
                               .amount = Money(),
                               .gift = sums.total,
                               .operationId = QStringLiteral("JFDH-%1").arg(billId),
                               .posId = posId,
                               .userRec = change->userRec,
                               .memo = comment,
                               .accountRec = 0}) != VipCzLedger::Posted)
        return Refused;

    const QString number = change->day.toString(QStringLiteral("yyyyMMdd")) +
                           QStringLiteral("%1").arg(billId, 8, 10, QLatin1Char('0'));
    db.execute(
        QStringLiteral("INSERT INTO VipExchangeBill (BillID, BillCode, PZBillCode, ChangeType, PosId, KRec, "
                       "ARec, Period, Total, TotalQty, DiffTotal, Comment, PzComment, ERec, BillDate) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {billId, QStringLiteral("DH") + number,
         sums.diff.isZero() ? QString() : QStringLiteral("PZ") + number, change->way, posId, warehouse,
         accountRec, period, QVariant::fromValue(paysDifference ? Money() : sums.total),
         QVariant::fromValue(paysDifference ? sums.total : Money()), QVariant::fromValue(sums.diff), comment,
         sums.diff.isZero() ? QString() : pzComment, change->userRec, QDateTime::currentDateTime()});
    return 0;
}

const ProcedureRegistration registration(QStringLiteral("P_VipTotalChangeexchangePost"),
                                         pVipTotalChangeexchangePost);

} // namespace
