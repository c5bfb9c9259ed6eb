#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/VipCardRows.h"
#include "host/sdk/DbError.h"

#include <QDate>

// XF_VipQuery: live cards for a pick list, with the member list's columns, at most
// MaxRows of them in number order. @VIPNO matches any part of the number (the
// whole number with @OnlyOne), @VIPName any part of the holder's name, @VIPType a
// type (0 all), @nPosRec the issuing store (0 all); the date pairs bound the
// birthday (@vipsearchdate..1), the issue date (@VIPFKDate..1) and the validity
// date (@VIPYxDate..1), "1900-01-01" leaving a bound open. Returns the row count.
namespace {

constexpr int MaxRows = 1000;
const QDate Open(1900, 1, 1);

QDate bound(const ProcedureContext& call, const QString& name) {
    const QVariant value = call.in().Value(name);
    if (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime)
        return value.toDate() == Open ? QDate() : value.toDate();
    const QString text = call.text(name).trimmed();
    if (text.isEmpty())
        return {};
    const QDate date = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        throw DbError(QStringLiteral("参数 %1 不是有效的日期。").arg(name));
    return date == Open ? QDate() : date;
}

// Text matched as typed: LIKE's own wildcards in it stand for themselves.
QString containing(const QString& text) {
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('%'), QStringLiteral("\\%"))
        .replace(QLatin1Char('_'), QStringLiteral("\\_"));
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

int xfVipQuery(ProcedureContext& call) {
    Database& db = call.db();
    QStringList where = {QStringLiteral("a.deleted = 0")};
    QVariantList params;
    const QString number = call.text(QStringLiteral("@VIPNO"), 30).trimmed();
    const bool onlyOne = call.flag(QStringLiteral("@OnlyOne"));
    if (!number.isEmpty()) {
        where.append(onlyOne ? QStringLiteral("a.CardNo = ?")
                             : QStringLiteral("a.CardNo LIKE ? ESCAPE '\\'"));
        params.append(onlyOne ? number : containing(number));
    }
    const QString name = call.text(QStringLiteral("@VIPName"), 50).trimmed();
    if (!name.isEmpty()) {
        where.append(QStringLiteral("a.Name %1 ? ESCAPE '\\'").arg(db.dialect().likeIgnoringCase()));
        params.append(containing(name));
    }
    if (const int type = call.integer(QStringLiteral("@VIPType")); type > 0) {
        where.append(QStringLiteral("a.CardType = ?"));
        params.append(type);
    }
    if (const int store = call.integer(QStringLiteral("@nPosRec")); store > 0) {
        where.append(QStringLiteral("a.ActivatePosId = ?"));
        params.append(store);
    }
    const QList<std::pair<const char*, QString>> ranges = {{"@vipsearchdate", QStringLiteral("a.Birthday")},
                                                           {"@VIPFKDate", QStringLiteral("a.BulidDate")},
                                                           {"@VIPYxDate", QStringLiteral("a.ValidityDate")}};
    for (const auto& [param, column] : ranges) {
        const QDate from = bound(call, QLatin1String(param));
        const QDate to = bound(call, QLatin1String(param) + QLatin1Char('1'));
        // Birthdays are kept as text, the other two as dates.
        const bool text = column == QLatin1String("a.Birthday");
        if (from.isValid()) {
            where.append(column + QStringLiteral(" >= ?"));
            params.append(text ? QVariant(from.toString(Qt::ISODate)) : QVariant(from));
        }
        if (to.isValid()) {
            where.append(column + QStringLiteral(" <= ?"));
            params.append(text ? QVariant(to.toString(Qt::ISODate)) : QVariant(to));
        }
        if (text && (from.isValid() || to.isValid()))
            where.append(QStringLiteral("a.Birthday <> ''"));
    }
    call.returnRows(VipCardRows::select() + QStringLiteral("WHERE ") + where.join(QStringLiteral(" AND ")) +
                        QStringLiteral(" ORDER BY a.CardNo LIMIT %1").arg(MaxRows),
                    params);
    return db
        .scalar(QStringLiteral("SELECT COUNT(*) FROM (SELECT a.id FROM vipcard a WHERE %1 LIMIT %2) n")
                    .arg(where.join(QStringLiteral(" AND ")))
                    .arg(MaxRows),
                params)
        .toInt();
}

const ProcedureRegistration registration(QStringLiteral("XF_VipQuery"), xfVipQuery);

} // namespace
