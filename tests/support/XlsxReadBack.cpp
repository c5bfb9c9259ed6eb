#include "tests/support/XlsxReadBack.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>

namespace {

const char* const Script = R"PY(
import datetime, json, sys
from openpyxl import load_workbook
from openpyxl.utils import get_column_letter
sheet = load_workbook(sys.argv[1]).worksheets[0]
rows = []
for row in sheet.iter_rows():
    cells = []
    for cell in row:
        value = cell.value
        if isinstance(value, datetime.datetime):
            kind, value = "date", value.date().isoformat()
        elif isinstance(value, bool) or value is None:
            kind = "empty" if value is None else "text"
        elif isinstance(value, (int, float)):
            kind = "number"
        else:
            kind = "text"
        cells.append({"value": value, "kind": kind, "format": cell.number_format, "bold": bool(cell.font.b)})
    rows.append(cells)
widths = []
for column in range(1, sheet.max_column + 1):
    dimension = sheet.column_dimensions[get_column_letter(column)]
    widths.append(dimension.width or 0)
print(json.dumps({"title": sheet.title, "rowCount": sheet.max_row, "rows": rows, "widths": widths}))
)PY";

// The system's interpreter carries the distribution's openpyxl; one found first on
// the PATH (a version manager's) may not.
QString python() {
    const QString system =
        QStandardPaths::findExecutable(QStringLiteral("python3"), {QStringLiteral("/usr/bin")});
    return system.isEmpty() ? QStringLiteral("python3") : system;
}

} // namespace

XlsxReadBack::XlsxReadBack(const QString& path) {
    QProcess reader;
    reader.start(python(), {QStringLiteral("-c"), QString::fromUtf8(Script), path});
    if (!reader.waitForFinished(60000) || reader.exitStatus() != QProcess::NormalExit ||
        reader.exitCode() != 0) {
        error = QStringLiteral("openpyxl could not read %1: %2%3")
                    .arg(path, reader.errorString(), QString::fromUtf8(reader.readAllStandardError()));
        return;
    }
    const QJsonObject book = QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
    sheetTitle = book.value(QStringLiteral("title")).toString();
    rowCount = book.value(QStringLiteral("rowCount")).toInt();
    for (const QJsonValue& width : book.value(QStringLiteral("widths")).toArray())
        widths.append(width.toDouble());
    for (const QJsonValue& row : book.value(QStringLiteral("rows")).toArray()) {
        QList<Cell> cells;
        for (const QJsonValue& entry : row.toArray()) {
            const QJsonObject json = entry.toObject();
            Cell cell;
            cell.kind = json.value(QStringLiteral("kind")).toString();
            cell.format = json.value(QStringLiteral("format")).toString();
            cell.bold = json.value(QStringLiteral("bold")).toBool();
            const QJsonValue value = json.value(QStringLiteral("value"));
            if (cell.kind == QLatin1String("number"))
                cell.value = value.toDouble();
            else if (cell.kind == QLatin1String("date"))
                cell.value = QDate::fromString(value.toString(), Qt::ISODate);
            else if (cell.kind == QLatin1String("text"))
                cell.value = value.toVariant().toString();
            cells.append(cell);
        }
        rows.append(cells);
    }
}

XlsxReadBack::Cell XlsxReadBack::at(int row, int column) const {
    if (row < 0 || row >= rows.size() || column < 0 || column >= rows[row].size())
        return {};
    return rows[row][column];
}

QVariantList XlsxReadBack::valuesOf(int row) const {
    QVariantList values;
    if (row >= 0 && row < rows.size()) {
        for (const Cell& cell : rows[row])
            values.append(cell.value);
    }
    return values;
}
