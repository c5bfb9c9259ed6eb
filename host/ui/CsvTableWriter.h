#pragma once

#include <QString>

class QAbstractItemModel;

// Writes a table (its header and the display text of every cell) to a CSV file as
// spreadsheet programs read it: UTF-8 with a byte-order mark, so Chinese text opens
// right, fields quoted as RFC 4180 has it and lines ended by CR LF. The file appears
// whole or not at all.
class CsvTableWriter {
public:
    // Throws DbError naming the file when it cannot be written.
    static void write(const QAbstractItemModel& table, const QString& path);
};
