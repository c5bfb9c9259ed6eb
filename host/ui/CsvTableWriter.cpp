#include "host/ui/CsvTableWriter.h"

#include "host/sdk/DbError.h"

#include <QAbstractItemModel>
#include <QSaveFile>
#include <algorithm>

namespace {

QString field(const QString& text) {
    static const QString special = QStringLiteral(",\"\r\n");
    const bool quoted = std::any_of(text.cbegin(), text.cend(), [](QChar c) { return special.contains(c); });
    if (!quoted)
        return text;
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

// One record: fields holding a comma, a quote or a line break are quoted, their
// quotes doubled.
QString record(const QStringList& fields) {
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& text : fields)
        quoted.append(field(text));
    return quoted.join(QLatin1Char(',')) + QLatin1String("\r\n");
}

} // namespace

void CsvTableWriter::write(const QAbstractItemModel& table, const QString& path) {
    bool given = false;
    write(
        table,
        [&]() -> const QAbstractItemModel* {
            const bool first = !given;
            given = true;
            return first ? &table : nullptr;
        },
        path);
}

void CsvTableWriter::write(const QAbstractItemModel& header,
                           const std::function<const QAbstractItemModel*()>& next, const QString& path) {
    const QAbstractItemModel& table = header;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw DbError(QStringLiteral("不能写入文件“%1”：%2").arg(path, file.errorString()));
    file.write("\xEF\xBB\xBF");
    const int columns = table.columnCount();
    QStringList fields;
    for (int column = 0; column < columns; ++column)
        fields.append(table.headerData(column, Qt::Horizontal).toString());
    file.write(record(fields).toUtf8());
    while (const QAbstractItemModel* batch = next()) {
        for (int row = 0; row < batch->rowCount(); ++row) {
            fields.clear();
            for (int column = 0; column < columns; ++column)
                fields.append(batch->index(row, column).data().toString());
            file.write(record(fields).toUtf8());
        }
    }
    if (!file.commit())
        throw DbError(QStringLiteral("不能写入文件“%1”：%2").arg(path, file.errorString()));
}
