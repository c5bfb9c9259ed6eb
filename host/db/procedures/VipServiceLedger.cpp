#include "host/db/procedures/VipServiceLedger.h"

#include "host/data/Database.h"
#include "host/sdk/ClientDataSet.h"
#include "host/sdk/DbError.h"
#include "host/sdk/VipCodes.h"

#include <QDateTime>

namespace {

QVariant dayOrNull(const QDate& day) {
    return day.isValid() ? QVariant(day) : QVariant();
}

// Lots still valid on a day, those ending first first, the ones without end last.
const char* const ValidLots =
    "SELECT id, remainTimes, Total FROM vipCardService WHERE VipCardId = ? AND prec = ? "
    "AND remainTimes > 0 AND (ValidityPeriod IS NULL OR ValidityPeriod >= ?) "
    "ORDER BY CASE WHEN ValidityPeriod IS NULL THEN 1 ELSE 0 END, ValidityPeriod, id";

} // namespace

VipServiceLedger::VipServiceLedger(Database& db, Operation operation)
    : m_db(db)
    , m_op(std::move(operation)) {
    if (m_op.operationId.trimmed().isEmpty() || m_op.operationId.size() > 50)
        throw DbError(QStringLiteral("服务次数变动缺少有效的操作编号。"));
}

int VipServiceLedger::firstRowOf(Database& db, const QString& operationId) {
    return db.scalar(QStringLiteral("SELECT id FROM VipServiceChange WHERE OpId = ?"), {operationId + "/1"})
        .toInt();
}

QString VipServiceLedger::nextOperationId() {
    return QStringLiteral("%1/%2").arg(m_op.operationId).arg(m_rows.size() + 1);
}

int VipServiceLedger::lotOf(int prec, const QDate& lastDay) {
    const QString same =
        lastDay.isValid() ? QStringLiteral("ValidityPeriod = ?") : QStringLiteral("ValidityPeriod IS NULL");
    QVariantList params{m_op.cardId, prec};
    if (lastDay.isValid())
        params.append(lastDay);
    const QVariant found = m_db.scalar(
        QStringLiteral("SELECT id FROM vipCardService WHERE VipCardId = ? AND prec = ? AND ") + same, params);
    if (found.isValid())
        return found.toInt();
    return m_db
        .scalar(
            QStringLiteral("INSERT INTO vipCardService (VipCardId, prec, remainTimes, Total, ValidityPeriod) "
                           "VALUES (?, ?, 0, 0, ?) RETURNING id"),
            {m_op.cardId, prec, dayOrNull(lastDay)})
        .toInt();
}

void VipServiceLedger::write(int lotId, int prec, int times, int gainTimes, Money oncePrice, Money total,
                             int remainAfter, const QString& operationId) {
    const int id =
        m_db.scalar(
                QStringLiteral("INSERT INTO VipServiceChange (ServiceId, VipCardId, prec, ChangeType, Times, "
                               "GainTimes, OncePrice, Total, RemainAfter, OpId, ARec, PosId, ERec, "
                               "ChangeDate, Comment) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
                               "RETURNING id"),
                {lotId, m_op.cardId, prec, m_op.changeType, times, gainTimes, QVariant::fromValue(oncePrice),
                 QVariant::fromValue(total), remainAfter, operationId, m_op.accountRec, m_op.posId,
                 m_op.userRec, QDateTime::currentDateTime(), m_op.comment.left(255)})
            .toInt();
    m_db.execute(QStringLiteral("UPDATE vipCardService SET remainTimes = remainTimes + ?, Total = Total + ? "
                                "WHERE id = ?"),
                 {times, QVariant::fromValue(total), lotId});
    m_rows.append(id);
}

void VipServiceLedger::add(int prec, int times, int gainTimes, Money oncePrice, Money total,
                           const QDate& lastDay) {
    if (times <= 0 || total < Money())
        throw DbError(QStringLiteral("服务次数的增加必须大于0。"));
    const int lot = lotOf(prec, lastDay);
    const int held =
        m_db.scalar(QStringLiteral("SELECT remainTimes FROM vipCardService WHERE id = ?"), {lot}).toInt();
    write(lot, prec, times, gainTimes, oncePrice, total, held + times, nextOperationId());
}

bool VipServiceLedger::take(int prec, int times, const QDate& today, Money* taken) {
    if (times <= 0)
        throw DbError(QStringLiteral("服务次数的减少必须大于0。"));
    ClientDataSet lots;
    m_db.select(QLatin1String(ValidLots), {m_op.cardId, prec, today}, lots);
    struct Part {
        int lot;
        int times;
        Money total;
        int after;
    };
    QList<Part> parts;
    int left = times;
    Money money;
    for (lots.First(); !lots.Eof() && left > 0; lots.Next()) {
        const int held = lots.FieldByName(QStringLiteral("remainTimes")).AsInteger();
        const Money standing = lots.FieldByName(QStringLiteral("Total")).AsMoney();
        const int n = std::min(left, held);
        // The lot's money leaves with its uses, the last use taking what is left.
        const Money share = n == held ? standing : Money::fromRaw((standing.raw() * n + held / 2) / held);
        parts.append({lots.FieldByName(QStringLiteral("id")).AsInteger(), n, share, held - n});
        money += share;
        left -= n;
    }
    if (left > 0)
        return false;
    for (const Part& part : parts) {
        const Money each = Money::fromRaw(part.total.raw() / part.times);
        write(part.lot, prec, -part.times, 0, each, -part.total, part.after, nextOperationId());
    }
    if (taken)
        *taken = money;
    return true;
}

void VipServiceLedger::finish(const QString& billCode) {
    for (int id : m_rows)
        m_db.execute(QStringLiteral("UPDATE VipServiceChange SET BillId = ?, BillCode = ? WHERE id = ?"),
                     {billId(), billCode, id});
}

VipServiceLedger::Held VipServiceLedger::usable(Database& db, int cardId, int prec, const QDate& today) {
    ClientDataSet row;
    db.select(
        QStringLiteral("SELECT COALESCE(SUM(remainTimes), 0) AS times, COALESCE(SUM(Total), 0) AS total "
                       "FROM vipCardService WHERE VipCardId = ? AND prec = ? "
                       "AND (ValidityPeriod IS NULL OR ValidityPeriod >= ?)"),
        {cardId, prec, today}, row);
    return {row.FieldByName(QStringLiteral("times")).AsInteger(),
            row.FieldByName(QStringLiteral("total")).AsMoney()};
}

int VipServiceLedger::expire(Database& db, int cardId, const QDate& today, int userRec) {
    ClientDataSet lots;
    db.select(QStringLiteral("SELECT id, prec, remainTimes, Total FROM vipCardService WHERE VipCardId = ? "
                             "AND ValidityPeriod < ? AND (remainTimes > 0 OR Total > 0) ORDER BY id"),
              {cardId, today}, lots);
    int count = 0;
    for (lots.First(); !lots.Eof(); lots.Next()) {
        const int lot = lots.FieldByName(QStringLiteral("id")).AsInteger();
        // A lot expires once: nothing is ever added to a lot whose last day has passed.
        VipServiceLedger ledger(db,
                                {cardId, StoredValueChange::UsesExpired, QStringLiteral("expire-%1").arg(lot),
                                 0, 0, userRec, QStringLiteral("过期作废")});
        ledger.write(lot, lots.FieldByName(QStringLiteral("prec")).AsInteger(),
                     -lots.FieldByName(QStringLiteral("remainTimes")).AsInteger(), 0, Money(),
                     -lots.FieldByName(QStringLiteral("Total")).AsMoney(), 0, ledger.m_op.operationId);
        ++count;
    }
    return count;
}
