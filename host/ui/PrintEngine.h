#pragma once

#include "host/sdk/ui/PrintService.h"

class QPrinter;

// The host's print engine. A template is an HTML file the user can change, in the
// template folder, named after the template without its extension ("会员卡充值.Rwx"
// is "会员卡充值.html"); "{{item}}" stands for an item's text and "{{rows}}" for
// the grid as a table. Without a file there, the template the program ships
// (host/ui/templates) prints, else a plain layout of the items and rows.
class PrintEngine final : public PrintService {
public:
    enum Output { Preview, Printer, PdfFolder };

    explicit PrintEngine(Output output, QString pdfFolder = {});
    void print(const QString& templateName, const TParamObject& items,
               const QAbstractItemModel* rows) override;
    // The file the last print went to, in PdfFolder mode.
    const QString& lastPdf() const { return m_lastPdf; }

    // $VIP_TEMPLATE_DIR when set, else "templates" in the application's data folder.
    static QString templateDirectory();
    static QString templatePath(const QString& templateName);
    static QString renderHtml(const QString& templateName, const TParamObject& items,
                              const QAbstractItemModel* rows);
    static void render(const QString& html, QPrinter& printer);

private:
    Output m_output;
    QString m_pdfFolder;
    QString m_lastPdf;
};
