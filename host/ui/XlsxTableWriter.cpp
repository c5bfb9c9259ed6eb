#include "host/ui/XlsxTableWriter.h"

#include "host/sdk/DbError.h"
#include "host/sdk/ui/TQueryGrid.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>

#include <xlsxwriter.h>

namespace {

// Excel measures a column in widths of the digit "0" of its default font, about
// seven pixels.
constexpr double PixelsPerCharacter = 7.0;

QString refusal(const QString& path, const QString& why) {
    return QStringLiteral("不能写入文件“%1”：%2").arg(path, why);
}

// A sheet name may not hold these characters nor run past 31; the default name
// stands in for one that breaks the rules.
QByteArray sheetNameOf(lxw_workbook* book, const QString& name) {
    const QByteArray utf8 = name.left(31).toUtf8();
    if (utf8.isEmpty() || workbook_validate_sheet_name(book, utf8.constData()) != LXW_NO_ERROR)
        return {};
    return utf8;
}

struct Formats {
    lxw_format* header;
    lxw_format* money;
    lxw_format* date;
};

void writeCell(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column, const QVariant& value,
               GridColumn::Format kind, const Formats& formats) {
    if (value.typeId() == QMetaType::QDate) {
        const QDate date = value.toDate();
        lxw_datetime moment{date.year(), date.month(), date.day(), 0, 0, 0};
        worksheet_write_datetime(sheet, row, column, &moment, formats.date);
    } else if (value.typeId() == QMetaType::Double) {
        worksheet_write_number(sheet, row, column, value.toDouble(),
                               kind == GridColumn::Money ? formats.money : nullptr);
    } else {
        const QByteArray text = value.toString().toUtf8();
        if (!text.isEmpty())
            worksheet_write_string(sheet, row, column, text.constData(), nullptr);
    }
}

} // namespace

void XlsxTableWriter::write(const TQueryGrid& grid, const QString& sheetName, const QString& path) {
    bool given = false;
    write(grid, sheetName, path, [&]() -> const TQueryGridModel* {
        const bool first = !given;
        given = true;
        return first ? grid.GridModel() : nullptr;
    });
}

void XlsxTableWriter::write(const TQueryGrid& grid, const QString& sheetName, const QString& path,
                            const std::function<const TQueryGridModel*()>& next) {
    // The workbook is written beside its place and moved there once complete, so a
    // failure never leaves half a file under the chosen name.
    const QString partial = path + QStringLiteral(".part");
    const QByteArray partialName = QFile::encodeName(partial);
    // Each row goes to the file as it is written, so a long list never sits whole in memory.
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* book = workbook_new_opt(partialName.constData(), &options);
    if (!book)
        throw DbError(refusal(path, QStringLiteral("不能创建工作簿")));
    const QByteArray name = sheetNameOf(book, sheetName);
    lxw_worksheet* sheet = workbook_add_worksheet(book, name.isEmpty() ? nullptr : name.constData());
    Formats formats{workbook_add_format(book), workbook_add_format(book), workbook_add_format(book)};
    format_set_bold(formats.header);
    format_set_num_format(formats.money, "0.00");
    format_set_num_format(formats.date, "yyyy-mm-dd");

    const TQueryGridModel& model = *grid.GridModel();
    const QList<int> columns = grid.ShownColumns();
    for (int place = 0; place < columns.size(); ++place) {
        const int column = columns[place];
        const QByteArray caption = model.headerData(column, Qt::Horizontal).toString().toUtf8();
        worksheet_write_string(sheet, 0, place, caption.constData(), formats.header);
        worksheet_set_column(sheet, place, place, grid.columnWidth(column) / PixelsPerCharacter, nullptr);
    }
    lxw_row_t written = 0;
    while (const TQueryGridModel* batch = next()) {
        for (int row = 0; row < batch->rowCount(); ++row) {
            ++written;
            for (int place = 0; place < columns.size(); ++place) {
                const int column = columns[place];
                writeCell(sheet, written, lxw_col_t(place), batch->CellValue(row, column),
                          model.Columns()[column].format, formats);
            }
        }
    }

    const lxw_error closed = workbook_close(book);
    if (closed != LXW_NO_ERROR) {
        QFile::remove(partial);
        throw DbError(refusal(path, QString::fromUtf8(lxw_strerror(closed))));
    }
    QFile::remove(path);
    if (!QFile::rename(partial, path)) {
        QFile::remove(partial);
        throw DbError(refusal(path, QStringLiteral("不能替换原有文件")));
    }
}
