#include "host/services/CsvText.h"

#include <QStringDecoder>
#include <algorithm>

QString CsvText::Decode(const QByteArray& bytes) {
    static const QByteArray Bom("\xEF\xBB\xBF");
    if (bytes.startsWith(Bom))
        return QString::fromUtf8(bytes.mid(Bom.size()));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder gb18030("GB18030");
    return gb18030.decode(bytes);
}

QList<CsvText::Record> CsvText::Parse(const QString& text) {
    QList<Record> records;
    Record record;
    QString field;
    bool quoted = false;
    bool fieldStarted = false;
    int line = 1;
    record.line = line;
    const auto endField = [&] {
        record.fields.append(field);
        field.clear();
        fieldStarted = false;
    };
    const auto endRecord = [&] {
        endField();
        // Spreadsheets end a sheet with rows of bare commas.
        const bool blank = std::all_of(record.fields.cbegin(), record.fields.cend(),
                                       [](const QString& f) { return f.trimmed().isEmpty(); });
        if (!blank)
            records.append(record);
        record = Record{line, {}};
    };
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                    field.append(c);
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                field.append(c);
            }
        } else if (c == QLatin1Char('"') && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
        } else if (c == QLatin1Char(',')) {
            endField();
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            ++line;
            endRecord();
        } else {
            field.append(c);
            fieldStarted = true;
        }
    }
    if (fieldStarted || !field.isEmpty() || !record.fields.isEmpty())
        endRecord();
    return records;
}

QByteArray CsvText::Encode(const QList<QStringList>& rows) {
    QString text;
    for (const QStringList& row : rows) {
        QStringList fields;
        for (const QString& value : row) {
            const bool quote = value.contains(QLatin1Char(',')) || value.contains(QLatin1Char('"')) ||
                               value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'));
            fields.append(quote ? QLatin1Char('"') +
                                      QString(value).replace(QLatin1String("\""), QLatin1String("\"\"")) +
                                      QLatin1Char('"')
                                : value);
        }
        text += fields.join(QLatin1Char(',')) + QLatin1String("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}
