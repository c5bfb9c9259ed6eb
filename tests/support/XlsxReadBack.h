#pragma once

#include <QList>
#include <QString>
#include <QVariant>

// An Excel workbook read back for a test by openpyxl (python3-openpyxl, run by the
// system's python3), since libxlsxwriter only writes. Reads the first sheet: every
// cell with its value, its kind and number format, whether it is bold, and the
// column widths. A file that cannot be read leaves 'error' saying why.
class XlsxReadBack {
public:
    struct Cell {
        QVariant value; // a number as double, a date as QDate, text as QString; null when empty
        QString kind;   // "number", "date", "text" or "empty"
        QString format; // the number format ("0.00", "yyyy-mm-dd", "General")
        bool bold = false;
    };

    explicit XlsxReadBack(const QString& path);

    QString error;
    QString sheetTitle;
    int rowCount = 0; // the sheet's rows, header included
    QList<QList<Cell>> rows;
    QList<double> widths; // in characters, as the workbook stores them

    // The cell at a row (0 = the header) and column, or an empty cell.
    Cell at(int row, int column) const;
    // The values of one row; numbers as double, dates as QDate.
    QVariantList valuesOf(int row) const;
};
