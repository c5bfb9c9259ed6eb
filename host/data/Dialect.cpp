#include "host/data/Dialect.h"

#include "host/sdk/DbError.h"
#include "host/sdk/Money.h"

#include <QDateTime>

std::unique_ptr<Dialect> Dialect::forDriver(const QString& driverName) {
    if (driverName == QLatin1String("QSQLITE"))
        return std::make_unique<SqliteDialect>();
    if (driverName == QLatin1String("QPSQL"))
        return std::make_unique<PostgresDialect>();
    throw DbError(QStringLiteral("不支持的数据库驱动：%1").arg(driverName));
}

QString Dialect::expandSchema(QString sql) const {
    sql.replace(QLatin1String("{ID}"), identityColumn());
    sql.replace(QLatin1String("{BLOB}"), blobType());
    // {POSTGRES} starts a one-line statement for PostgreSQL alone: elsewhere it is a comment.
    sql.replace(QLatin1String("{POSTGRES}"),
                driverName() == QLatin1String("QPSQL") ? QString() : QStringLiteral("--"));
    return sql;
}

QVariant Dialect::bindable(const QVariant& value) const {
    if (value.metaType() == QMetaType::fromType<Money>())
        return QVariant::fromValue<qint64>(value.value<Money>().raw());
    if (value.typeId() == QMetaType::Bool)
        return QVariant::fromValue<int>(value.toBool() ? 1 : 0);
    // Text columns hold '' rather than NULL; a text nobody typed is still text.
    // A caller who means NULL passes an invalid QVariant.
    if (value.typeId() == QMetaType::QString && value.toString().isNull())
        return QString(QLatin1String(""));
    return value;
}

QVariant SqliteDialect::bindable(const QVariant& value) const {
    // SQLite compares moments as text: keep one spelling, the one CURRENT_TIMESTAMP uses.
    if (value.typeId() == QMetaType::QDateTime && !value.isNull())
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (value.typeId() == QMetaType::QDate && !value.isNull())
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    return Dialect::bindable(value);
}

QVariant PostgresDialect::bindable(const QVariant& value) const {
    // Moments are wall-clock times of the store (TIMESTAMP without a zone); the
    // driver would send them converted to UTC.
    if (value.typeId() == QMetaType::QDateTime && !value.isNull())
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    return Dialect::bindable(value);
}

QString SqliteDialect::tableExistsQuery() const {
    return QStringLiteral(
        "SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND lower(name) = lower(?)");
}

QString PostgresDialect::tableExistsQuery() const {
    return QStringLiteral("SELECT COUNT(*) FROM information_schema.tables "
                          "WHERE table_schema = current_schema() AND table_name = lower(?)");
}
