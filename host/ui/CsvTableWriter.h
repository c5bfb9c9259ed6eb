#pragma once

#include <QString>
#include <functional>

class QAbstractItemModel;

// Writes a table (its header and the display text of every cell) to a CSV file as
// spreadsheet programs read it: UTF-8 with a byte-order mark, so Chinese text opens
// right, fields quoted as RFC 4180 has it and lines ended by CR LF. The file appears
// whole or not at all.
class CsvTableWriter {
public:
    // Throws DbError naming the file when it cannot be written.
    static void write(const QAbstractItemModel& table, const QString& path);
    // The same for a table too long to hold at once: 'next' hands its rows over a
    // batch at a time, each a table of the header's columns, and null after the last.
    static void write(const QAbstractItemModel& header,
                      const std::function<const QAbstractItemModel*()>& next, const QString& path);
};
