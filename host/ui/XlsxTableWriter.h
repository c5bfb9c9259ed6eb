#pragma once

#include <QString>
#include <functional>

class TQueryGrid;
class TQueryGridModel;

// Writes what a grid shows to an Excel workbook (libxlsxwriter): one sheet named
// after the window, a bold header row, the rows the filter shows in their order,
// the visible columns in theirs at the widths the grid gives them. Amounts are
// numbers shown with two decimals, dates are dates, flags read "是" or "否". The
// file appears whole or not at all.
class XlsxTableWriter {
public:
    // Throws DbError naming the file when it cannot be written.
    static void write(const TQueryGrid& grid, const QString& sheetName, const QString& path);
    // The same for a list too long to hold at once: 'next' hands its rows over a
    // batch at a time, each a model of the grid's columns, and null after the last.
    static void write(const TQueryGrid& grid, const QString& sheetName, const QString& path,
                      const std::function<const TQueryGridModel*()>& next);
};
