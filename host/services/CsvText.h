#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Comma-separated text the way spreadsheet programs write and read it (RFC 4180:
// fields with a comma, a quote or a line break are quoted, quotes doubled).
class CsvText {
public:
    // One record and the line of the file it starts on, counted from 1.
    struct Record {
        int line = 0;
        QStringList fields;
    };

    // The text of a file saved by a spreadsheet: UTF-8, with or without a byte-order
    // mark, or else GB18030, which Chinese spreadsheets save by default.
    static QString Decode(const QByteArray& bytes);
    // The records of the text; lines with nothing but blanks and commas are skipped.
    static QList<Record> Parse(const QString& text);
    // UTF-8 with a byte-order mark, so that Chinese text opens right, lines ended by CR LF.
    static QByteArray Encode(const QList<QStringList>& rows);
};
