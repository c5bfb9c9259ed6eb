#include "host/data/DbSetting.h"

#include "host/sdk/DbError.h"

#include <QDir>
#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>

namespace {

bool isPostgresText(const QString& text) {
    return text.startsWith(QLatin1String("postgresql://")) || text.startsWith(QLatin1String("postgres://"));
}

// A scheme other than ours ("mysql://", "http://") is a mistake, not a file name.
bool looksLikeOtherUri(const QString& text) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    return scheme.match(text).hasMatch();
}

bool isMemoryDatabase(const QString& path) {
    return path == QLatin1String(":memory:") || path.startsWith(QLatin1String("file::memory:")) ||
           path.contains(QLatin1String("mode=memory"));
}

bool isSystemSchema(const QString& schema) {
    return schema.startsWith(QLatin1String("pg_")) || schema == QLatin1String("information_schema");
}

} // namespace

QString DbSetting::defaultSqlitePath() {
    return QDir::home().filePath(QStringLiteral(".local/share/vip/vip.sqlite"));
}

QString DbSetting::chosen(const QString& argument) {
    if (!argument.isNull())
        return argument;
    return qEnvironmentVariable("VIP_DB", defaultSqlitePath());
}

DbSetting DbSetting::parse(const QString& raw) {
    const QString text = raw.trimmed();
    if (text.isEmpty())
        throw DbError(QStringLiteral("没有指定数据库。"));
    if (isPostgresText(text))
        return parsePostgres(text);
    if (looksLikeOtherUri(text))
        throw DbError(
            QStringLiteral("无法识别的数据库设置：%1\n请给出 SQLite 文件路径或 postgresql:// 地址。")
                .arg(text));
    return parseSqlite(text);
}

DbSetting DbSetting::parseSqlite(const QString& text) {
    DbSetting setting;
    setting.m_backend = Backend::SQLite;
    setting.m_text = text;
    setting.m_path = text.startsWith(QLatin1String("sqlite:")) ? text.mid(7).trimmed() : text;
    if (setting.m_path.isEmpty())
        throw DbError(QStringLiteral("SQLite 数据库设置没有给出文件路径：%1").arg(text));
    if (isMemoryDatabase(setting.m_path))
        throw DbError(QStringLiteral("不能使用内存数据库：程序一关闭，其中的数据就全部丢失。"));
    return setting;
}

DbSetting DbSetting::parsePostgres(const QString& text) {
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid())
        throw DbError(QStringLiteral("PostgreSQL 连接地址无法解析：%1").arg(text));
    DbSetting setting;
    setting.m_backend = Backend::PostgreSQL;
    setting.m_text = text;
    setting.m_host = url.host().isEmpty() ? QStringLiteral("localhost") : url.host();
    setting.m_port = url.port(5432);
    setting.m_database = url.path().mid(1);
    setting.m_user = url.userName();
    setting.m_password = url.password();
    setting.m_schema = QUrlQuery(url).queryItemValue(QStringLiteral("schema"));
    if (setting.m_database.isEmpty() || setting.m_database.contains(QLatin1Char('/')))
        throw DbError(QStringLiteral("PostgreSQL 连接地址缺少数据库名：%1").arg(setting.display()));
    static const QRegularExpression schemaName(QStringLiteral("^[a-z_][a-z0-9_]{0,62}$"));
    if (!setting.m_schema.isEmpty() && !schemaName.match(setting.m_schema).hasMatch())
        throw DbError(QStringLiteral("数据库连接设置中的模式名无效：%1").arg(setting.m_schema));
    if (isSystemSchema(setting.m_schema))
        throw DbError(QStringLiteral("不能使用 PostgreSQL 的系统模式 %1。").arg(setting.m_schema));
    return setting;
}

QString DbSetting::display() const {
    if (!isPostgres())
        return QDir::toNativeSeparators(QDir::cleanPath(QDir().absoluteFilePath(m_path)));
    QString shown = QStringLiteral("postgresql://");
    if (!m_user.isEmpty())
        shown += m_user + QLatin1Char('@');
    shown += QStringLiteral("%1:%2/%3").arg(m_host).arg(m_port).arg(m_database);
    if (!m_schema.isEmpty())
        shown += QStringLiteral("?schema=") + m_schema;
    return shown;
}

DbSetting DbSetting::withSchema(const QString& schema) const {
    if (!isPostgres())
        throw DbError(QStringLiteral("只有 PostgreSQL 数据库有模式。"));
    QUrl url(m_text);
    QUrlQuery query(url);
    query.removeAllQueryItems(QStringLiteral("schema"));
    query.addQueryItem(QStringLiteral("schema"), schema);
    url.setQuery(query);
    return parse(url.toString());
}
