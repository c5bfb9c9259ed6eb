#include "host/sdk/ui/PrintService.h"
#include "host/ui/PrintEngine.h"
#include "tests/support/ScriptedMessages.h"

#include <QFile>
#include <QProcess>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>

namespace {

TParamObject rechargeItems(const QString& holder) {
    TParamObject items;
    items.Add(QStringLiteral("会员卡号"), QStringLiteral("A0001"));
    items.Add(QStringLiteral("持卡人"), holder);
    items.Add(QStringLiteral("充值金额"), QStringLiteral("100.00"));
    return items;
}

QString pdfText(const QString& path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

} // namespace

class PrintEngineTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QVERIFY(m_templates.isValid());
        qputenv("VIP_TEMPLATE_DIR", m_templates.path().toUtf8());
    }

    void userTemplatesFillItemsAndRows() {
        QFile file(m_templates.filePath(QStringLiteral("会员卡充值.html")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("<p>卡号 {{会员卡号}} / {{ 持卡人 }} / {{未知项}}</p>{{rows}}").toUtf8());
        file.close();
        QStandardItemModel rows(2, 2);
        rows.setHorizontalHeaderLabels({QStringLiteral("项目"), QStringLiteral("次数")});
        rows.setItem(0, 0, new QStandardItem(QStringLiteral("洗车")));
        rows.setItem(0, 1, new QStandardItem(QStringLiteral("3")));
        rows.setItem(1, 0, new QStandardItem(QStringLiteral("<打蜡>")));

        // The same template whatever the case of its extension; a holder's text that
        // looks like markup or a placeholder prints as typed.
        for (const QString& name : {QStringLiteral("会员卡充值.Rwx"), QStringLiteral("会员卡充值.RWX")}) {
            const QString html = PrintEngine::renderHtml(name, rechargeItems(QStringLiteral("<b>{{会员卡号}}</b>")), &rows);
            QVERIFY2(html.startsWith(QStringLiteral("<p>卡号 A0001 / &lt;b&gt;{{会员卡号}}&lt;/b&gt; / </p>")),
                     qPrintable(html));
            QVERIFY(html.contains(QStringLiteral("<th>项目</th><th>次数</th>")));
            QVERIFY(html.contains(QStringLiteral("<td>&lt;打蜡&gt;</td><td></td>")));
        }
    }

    void pdfCarriesTheChineseText() {
        QTemporaryDir out;
        PrintEngine engine(PrintEngine::PdfFolder, out.path());
        PrintService::install(&engine);
        RunPrintManage(QStringLiteral("积分增加详情.rwx"), rechargeItems(QStringLiteral("张三丰")));
        PrintService::install(nullptr);
        QVERIFY(QFile::exists(engine.lastPdf()));
        const QString text = pdfText(engine.lastPdf());
        QVERIFY2(text.contains(QStringLiteral("积分增加详情")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("张三丰")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("会员卡号")));
    }

    void noEngineIsOneErrorBox() {
        ScriptedMessages boxes;
        bool aborted = false;
        try {
            RunPrintManage(QStringLiteral("x.rwx"), TParamObject());
        } catch (const AbortAction&) {
            aborted = true;
        }
        QVERIFY(aborted);
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.last().caption, QStringLiteral("错误"));
    }

private:
    QTemporaryDir m_templates;
};

QTEST_MAIN(PrintEngineTest)
#include "tst_PrintEngine.moc"
