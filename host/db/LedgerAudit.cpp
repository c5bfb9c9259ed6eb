#include "host/db/LedgerAudit.h"

#include "host/data/Database.h"
#include "host/sdk/ClientDataSet.h"
#include "host/sdk/Money.h"
#include "host/sdk/VipCodes.h"

namespace {

// The card's balance column and the expression of its rows that must equal it.
struct Rule {
    const char* column;
    const char* sum;
    bool money;
};

constexpr Rule storedValue[] = {
    {"Cz", "s.cz", true},
    {"CzTotal", "s.deposits", true},
    {"Cz00", "s.opening", true},
};
constexpr Rule points[] = {
    {"IntegralTotal", "p.points", false},
    {"ljIntegral", "p.earned", false},
};

// Exchanges whose points change took other points than their rule rows add up to.
void auditExchanges(Database& db, QList<LedgerAudit::Mismatch>& found) {
    ClientDataSet rows;
    db.select(QStringLiteral("SELECT v.CardNo, c.BillId, -c.ChangeTotal AS taken, "
                             "CAST(COALESCE(SUM(i.UseIntegral * e.ExChangeNum), 0) AS BIGINT) AS used "
                             "FROM VipChangeInfo c JOIN vipcard v ON v.id = c.Vipcardid "
                             "LEFT JOIN vipchangeexchange e ON e.BillID = c.BillId "
                             "LEFT JOIN IntegralexchangeSet i ON i.ExChangeID = e.ExChangeID "
                             "WHERE c.ChangeType IN (?, ?, ?, ?) GROUP BY v.CardNo, c.BillId, c.ChangeTotal "
                             "HAVING -c.ChangeTotal <> COALESCE(SUM(i.UseIntegral * e.ExChangeNum), 0) "
                             "ORDER BY v.CardNo, c.BillId"),
              {PointsChange::Cash + 1, PointsChange::StoredValue + 1, PointsChange::Goods + 1,
               PointsChange::ShoppingCards + 1},
              rows);
    for (rows.First(); !rows.Eof(); rows.Next())
        found.append({rows.FieldByName(QStringLiteral("CardNo")).AsString(),
                      QStringLiteral("积分兑换 %1 的兑换积分")
                          .arg(rows.FieldByName(QStringLiteral("BillId")).AsInteger()),
                      rows.FieldByName(QStringLiteral("taken")).AsLargeInt(),
                      rows.FieldByName(QStringLiteral("used")).AsLargeInt(), false});
}

} // namespace

int LedgerAudit::liveCards(Database& db) {
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM vipcard WHERE deleted = 0")).toInt();
}

QList<LedgerAudit::Mismatch> LedgerAudit::run(Database& db) {
    const QString deposits = QStringLiteral("%1, %2, %3, %4")
                                 .arg(StoredValueChange::Opening)
                                 .arg(StoredValueChange::CarriedOver)
                                 .arg(StoredValueChange::Recharge)
                                 .arg(StoredValueChange::Refund);
    QStringList sums;
    for (const Rule& rule : storedValue)
        sums.append(QStringLiteral("c.%1 AS held_%1, COALESCE(%2, 0) AS rows_%1")
                        .arg(QLatin1String(rule.column), QLatin1String(rule.sum)));
    for (const Rule& rule : points)
        sums.append(QStringLiteral("c.%1 AS held_%1, COALESCE(%2, 0) AS rows_%1")
                        .arg(QLatin1String(rule.column), QLatin1String(rule.sum)));
    ClientDataSet rows;
    db.select(
        QStringLiteral(
            "SELECT c.CardNo, %1 FROM vipcard c "
            "LEFT JOIN (SELECT Vipcardid, CAST(SUM(Amount + Gift) AS BIGINT) AS cz, "
            "CAST(SUM(CASE WHEN ChangeType IN (%2) THEN Amount + Gift ELSE 0 END) AS BIGINT) AS deposits, "
            "CAST(SUM(CASE WHEN ChangeType = %3 THEN Amount ELSE 0 END) AS BIGINT) AS opening "
            "FROM VipCzChange GROUP BY Vipcardid) s ON s.Vipcardid = c.id "
            "LEFT JOIN (SELECT Vipcardid, CAST(SUM(ChangeTotal) AS BIGINT) AS points, "
            "CAST(SUM(CASE WHEN ChangeTotal > 0 THEN ChangeTotal ELSE 0 END) AS BIGINT) AS earned "
            "FROM VipChangeInfo GROUP BY Vipcardid) p ON p.Vipcardid = c.id "
            "WHERE c.deleted = 0 ORDER BY c.CardNo")
            .arg(sums.join(QStringLiteral(", ")), deposits)
            .arg(StoredValueChange::Opening),
        {}, rows);
    QList<Mismatch> found;
    for (rows.First(); !rows.Eof(); rows.Next()) {
        const auto check = [&](const Rule& rule) {
            const QString column = QLatin1String(rule.column);
            const qint64 held = rows.FieldByName(QStringLiteral("held_") + column).AsLargeInt();
            const qint64 ledger = rows.FieldByName(QStringLiteral("rows_") + column).AsLargeInt();
            if (held != ledger)
                found.append({rows.FieldByName(QStringLiteral("CardNo")).AsString(), column, held, ledger,
                              rule.money});
        };
        for (const Rule& rule : storedValue)
            check(rule);
        for (const Rule& rule : points)
            check(rule);
    }
    found.append(serviceLots(db));
    auditExchanges(db, found);
    return found;
}

// Each lot of service uses of a live card against its ledger rows: remainTimes and
// Total equal the sums of the rows' Times and Total, the last row's RemainAfter is
// what the lot holds, and neither is below zero.
QList<LedgerAudit::Mismatch> LedgerAudit::serviceLots(Database& db) {
    ClientDataSet rows;
    db.select(
        QStringLiteral("SELECT c.CardNo, l.id, l.prec, l.ValidityPeriod, l.remainTimes, l.Total, "
                       "COALESCE(s.times, 0) AS times, COALESCE(s.total, 0) AS total, "
                       "COALESCE((SELECT r.RemainAfter FROM VipServiceChange r WHERE r.ServiceId = l.id "
                       "ORDER BY r.id DESC LIMIT 1), 0) AS lastAfter "
                       "FROM vipCardService l JOIN vipcard c ON c.id = l.VipCardId "
                       "LEFT JOIN (SELECT ServiceId, CAST(SUM(Times) AS BIGINT) AS times, "
                       "CAST(SUM(Total) AS BIGINT) AS total FROM VipServiceChange GROUP BY ServiceId) s "
                       "ON s.ServiceId = l.id WHERE c.deleted = 0 ORDER BY c.CardNo, l.id"),
        {}, rows);
    QList<Mismatch> found;
    for (rows.First(); !rows.Eof(); rows.Next()) {
        const QString lot = QStringLiteral("服务项目 %1 批次 %2")
                                .arg(rows.FieldByName(QStringLiteral("prec")).AsInteger())
                                .arg(rows.FieldByName(QStringLiteral("id")).AsInteger());
        const QString cardNo = rows.FieldByName(QStringLiteral("CardNo")).AsString();
        const qint64 times = rows.FieldByName(QStringLiteral("remainTimes")).AsLargeInt();
        const qint64 total = rows.FieldByName(QStringLiteral("Total")).AsLargeInt();
        const qint64 rowTimes = rows.FieldByName(QStringLiteral("times")).AsLargeInt();
        const qint64 rowTotal = rows.FieldByName(QStringLiteral("total")).AsLargeInt();
        if (times != rowTimes || times < 0)
            found.append({cardNo, lot + QStringLiteral(" remainTimes"), times, rowTimes, false});
        if (total != rowTotal || total < 0)
            found.append({cardNo, lot + QStringLiteral(" Total"), total, rowTotal, true});
        const qint64 after = rows.FieldByName(QStringLiteral("lastAfter")).AsLargeInt();
        if (after != times)
            found.append({cardNo, lot + QStringLiteral(" RemainAfter"), times, after, false});
    }
    return found;
}

int LedgerAudit::liveCouponCards(Database& db) {
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM ETCList WHERE deleted = 0")).toInt();
}

QList<LedgerAudit::CouponMismatch> LedgerAudit::couponCards(Database& db) {
    ClientDataSet rows;
    db.select(
        QStringLiteral("SELECT e.CardNo, e.ETCType, e.Flag, e.Used, e.Total, e.UsedTotal, e.UsedCount, "
                       "e.VIPID, e.VIPCode, COALESCE(u.total, 0) AS usesTotal, COALESCE(u.uses, 0) AS uses, "
                       "CASE WHEN v.id IS NULL THEN 0 ELSE 1 END AS memberFound "
                       "FROM ETCList e "
                       "LEFT JOIN (SELECT ETCListID, CAST(SUM(Total) AS BIGINT) AS total, COUNT(*) AS uses "
                       "FROM ETCUse GROUP BY ETCListID) u ON u.ETCListID = e.ID "
                       "LEFT JOIN vipcard v ON v.id = e.VIPID AND v.deleted = 0 AND v.CardNo = e.VIPCode "
                       "WHERE e.deleted = 0 ORDER BY e.CardNo"),
        {}, rows);
    QList<CouponMismatch> found;
    for (rows.First(); !rows.Eof(); rows.Next()) {
        const auto integer = [&](const char* name) {
            return rows.FieldByName(QLatin1String(name)).AsLargeInt();
        };
        const QString cardNo = rows.FieldByName(QStringLiteral("CardNo")).AsString();
        const auto money = [](qint64 raw) { return Money::fromRaw(raw).toString(); };
        const qint64 flag = integer("Flag"), used = integer("Used"), total = integer("Total"),
                     usedTotal = integer("UsedTotal");
        if (flag != 0 && flag != 1 && flag != 3)
            found.append({cardNo, QStringLiteral("状态 Flag 为 %1，应为 0、1 或 3").arg(flag)});
        if (used != 0 && flag == 0)
            found.append({cardNo, QStringLiteral("未激活却标为已用完")});
        if (integer("ETCType") == CouponKind::CashCoupon && (used != 0) != (usedTotal >= total))
            found.append({cardNo, QStringLiteral("已用完标记 Used 为 %1，已用 %2，面值 %3")
                                      .arg(used)
                                      .arg(money(usedTotal), money(total))});
        const QString vipCode = rows.FieldByName(QStringLiteral("VIPCode")).AsString();
        // A voided card keeps the number it was bound to; its member may have gone since.
        if (flag != 3 && (integer("VIPID") != 0 || !vipCode.isEmpty()) && integer("memberFound") == 0)
            found.append({cardNo, QStringLiteral("绑定的会员卡 %1（id %2）不存在或卡号不符")
                                      .arg(vipCode)
                                      .arg(integer("VIPID"))});
        if (usedTotal != integer("usesTotal"))
            found.append({cardNo, QStringLiteral("已用金额 UsedTotal 为 %1，使用流水合计 %2")
                                      .arg(money(usedTotal), money(integer("usesTotal")))});
        if (integer("UsedCount") != integer("uses"))
            found.append({cardNo, QStringLiteral("使用次数 UsedCount 为 %1，使用流水 %2 笔")
                                      .arg(integer("UsedCount"))
                                      .arg(integer("uses"))});
        if (usedTotal < 0 || (integer("ETCType") == CouponKind::CashCoupon && usedTotal > total))
            found.append(
                {cardNo,
                 QStringLiteral("已用金额 %1 不在 0 到面值 %2 之间").arg(money(usedTotal), money(total))});
    }
    return found;
}
