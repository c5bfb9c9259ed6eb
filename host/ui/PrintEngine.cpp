#include "host/ui/PrintEngine.h"

#include "host/sdk/DbError.h"
#include "host/sdk/ui/ModalService.h"

#include <QAbstractItemModel>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QTextDocument>

namespace {

QString escaped(const QString& text) {
    return text.toHtmlEscaped().replace(QLatin1Char('\n'), QLatin1String("<br>"));
}

QString baseName(const QString& templateName) {
    const QFileInfo info(templateName);
    return info.suffix().isEmpty() ? templateName : info.completeBaseName();
}

QString rowsTable(const QAbstractItemModel* rows) {
    if (!rows)
        return QString();
    QString html =
        QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\"><tr>");
    const int columns = rows->columnCount();
    for (int c = 0; c < columns; ++c)
        html += QStringLiteral("<th>%1</th>").arg(escaped(rows->headerData(c, Qt::Horizontal).toString()));
    html += QStringLiteral("</tr>");
    for (int r = 0; r < rows->rowCount(); ++r) {
        html += QStringLiteral("<tr>");
        for (int c = 0; c < columns; ++c)
            html += QStringLiteral("<td>%1</td>").arg(escaped(rows->index(r, c).data().toString()));
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

QString plainLayout(const QString& templateName, const TParamObject& items, bool withRows) {
    QString html = QStringLiteral("<h2 align=\"center\">%1</h2><table cellpadding=\"3\">")
                       .arg(escaped(baseName(templateName)));
    for (const auto& item : items.Params())
        html += QStringLiteral("<tr><td>%1：</td><td>{{%1}}</td></tr>").arg(escaped(item.name));
    html += QStringLiteral("</table>");
    if (withRows)
        html += QStringLiteral("<p>{{rows}}</p>");
    return html;
}

void pageSetup(QPrinter& printer) {
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}

} // namespace

PrintEngine::PrintEngine(Output output, QString pdfFolder)
    : m_output(output)
    , m_pdfFolder(std::move(pdfFolder)) {}

QString PrintEngine::templateDirectory() {
    const QString configured = qEnvironmentVariable("VIP_TEMPLATE_DIR");
    if (!configured.isEmpty())
        return configured;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/templates");
}

QString PrintEngine::templatePath(const QString& templateName) {
    // Callers spell one template with different extension cases ("x.Rwx", "x.RWX").
    return QDir(templateDirectory()).filePath(baseName(templateName) + QStringLiteral(".html"));
}

QString PrintEngine::renderHtml(const QString& templateName, const TParamObject& items,
                                const QAbstractItemModel* rows) {
    QString html;
    QFile file(templatePath(templateName));
    if (!file.exists())
        file.setFileName(QStringLiteral(":/ui/templates/%1.html").arg(baseName(templateName)));
    if (file.open(QIODevice::ReadOnly))
        html = QString::fromUtf8(file.readAll());
    else
        html = plainLayout(templateName, items, rows != nullptr);
    // One pass over the template: an item whose own text holds "{{...}}" is printed
    // as typed, never expanded again.
    QString out;
    int pos = 0;
    while (true) {
        const int open = html.indexOf(QLatin1String("{{"), pos);
        const int close = open < 0 ? -1 : html.indexOf(QLatin1String("}}"), open + 2);
        if (close < 0) {
            out += html.mid(pos);
            break;
        }
        out += html.mid(pos, open - pos);
        const QString key = html.mid(open + 2, close - open - 2).trimmed();
        if (key == QLatin1String("rows"))
            out += rowsTable(rows);
        else if (items.Has(key))
            out += escaped(items.AsString(key));
        pos = close + 2;
    }
    return out;
}

void PrintEngine::render(const QString& html, QPrinter& printer) {
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Noto Sans CJK SC"), 10));
    document.setHtml(html);
    document.print(&printer);
}

void PrintEngine::print(const QString& templateName, const TParamObject& items,
                        const QAbstractItemModel* rows) {
    const QString html = renderHtml(templateName, items, rows);
    QPrinter printer(QPrinter::HighResolution);
    pageSetup(printer);
    switch (m_output) {
    case PdfFolder: {
        QDir().mkpath(m_pdfFolder);
        m_lastPdf =
            QDir(m_pdfFolder)
                .filePath(QStringLiteral("%1-%2.pdf")
                              .arg(baseName(templateName), QDateTime::currentDateTime().toString(
                                                               QStringLiteral("yyyyMMdd-HHmmss-zzz"))));
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_lastPdf);
        render(html, printer);
        if (QFileInfo(m_lastPdf).size() == 0)
            throw DbError(QStringLiteral("无法写入打印文件：%1").arg(m_lastPdf));
        break;
    }
    case Printer: {
        QPrintDialog dialog(&printer);
        if (ModalService::current().showModal(dialog) == QDialog::Accepted)
            render(html, printer);
        break;
    }
    case Preview: {
        QPrintPreviewDialog preview(&printer);
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                         [&html](QPrinter* target) { render(html, *target); });
        ModalService::current().showModal(preview);
        break;
    }
    }
}
