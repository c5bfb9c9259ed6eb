#include "host/data/Database.h"
#include "host/db/LedgerAudit.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/Money.h"
#include "tests/support/DbProbe.h"
#include "tests/support/FlowFixture.h"
#include "tests/support/ScriptedFiles.h"
#include "tests/support/TestRows.h"
#include "tests/support/UserInput.h"
#include "vip/frame/PackageEntry.h"
#include "vip/members/VipCardImport.h"

#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QStringEncoder>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

using UserInput::click;
using UserInput::get;

namespace {

// What a Chinese spreadsheet saves: GB18030, CR LF, a quoted field with a comma,
// a column the import does not know, a bad date, a number given twice, a type
// nobody defined and the row of bare commas a sheet ends with.
QString writeSheet(const QString& path) {
    const QString text =
        QStringLiteral("会员卡号*,持卡人,电话,持卡类型,发卡日期,有效期,储值余额,积分余额,推荐渠道\r\n"
                       "A001,张三,13900000001,金卡,2026-01-01,2027-01-01,100,20,门店\r\n"
                       "A002,李四,13900000002,金卡,2026-01-01,2027-13-45,0,0,\r\n"
                       "A001,王五,13900000003,金卡,2026-01-01,2027-01-01,0,0,\r\n"
                       "A003,\"赵六, 小\",13900000004,金卡,2026/1/1,2027/1/1,,5,\r\n"
                       "A004,孙七,13900000005,铜卡,2026-01-01,2027-01-01,,,\r\n"
                       ",,,,,,,,\r\n");
    QStringEncoder gb18030("GB18030");
    const QByteArray bytes = gb18030.encode(text);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QStringList column(QDialog& d, int c) {
    auto* grid = get<QTableWidget>(d, "sgPreview");
    QStringList values;
    for (int row = 0; row < grid->rowCount(); ++row)
        values << grid->item(row, c)->text();
    return values;
}

} // namespace

class TfrmVipCardImportTest : public QObject {
    Q_OBJECT
    std::optional<FlowFixture> flow;
    QTemporaryDir dir;

private slots:
    void initTestCase() { Initialize(); }
    void cleanupTestCase() { Finalize(); }
    void init() {
        flow.emplace();
        TestRows::addCardType(flow->data(), QStringLiteral("金卡"), 95,
                              {{QStringLiteral("IsCZPreferential"), 1}});
    }
    void cleanup() {
        const int leftOver = flow->unsettled();
        flow.reset();
        QCOMPARE(leftOver, 0);
    }

    // The preview names every refused row by its line and reason; the import writes
    // the accepted rows once, read from GB18030, with their balances in the ledgers.
    void refusedRowsAreToldAndTheRestImported() {
        ScriptedFiles files;
        files.setNextName(writeSheet(dir.filePath(QStringLiteral("members.csv"))));
        flow->driver().setNextHandler([&](QDialog& d) {
            QCOMPARE(column(d, 0), (QStringList{"2", "3", "4", "5", "6"}));
            QCOMPARE(
                column(d, 4),
                (QStringList{QStringLiteral("可以导入"),
                             QStringLiteral("有效期输入错误!请按如下格式输入(2000-10-01)或日期范围不正确!"),
                             QStringLiteral("发现相同的编号,不能保存!"), QStringLiteral("可以导入"),
                             QStringLiteral("持卡类型[铜卡]不存在!")}));
            QVERIFY(get<QLabel>(d, "lblSummary")->text().contains(QStringLiteral("忽略的列：推荐渠道")));
            // The preview wrote nothing that stays.
            QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("vipcard")), 0);
            flow->boxes().setNextAnswer(IDOK);
            click(d, "btnOK");
        });
        QVERIFY(VipCardImport(nullptr));
        QCOMPARE(flow->boxes().last().text,
                 QStringLiteral(
                     "已导入会员卡 2 张。\n第3行 会员卡号[A002]：有效期输入错误!请按如下格式输入(2000-10-01)"
                     "或日期范围不正确!\n第4行 会员卡号[A001]：发现相同的编号,不能保存!\n第6行 会员卡号[A004]"
                     "：持卡类型[铜卡]不存在!"));
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("vipcard")), 2);
        QCOMPARE(flow->data().OpenSQLAsStr(QStringLiteral("SELECT Name FROM vipcard WHERE CardNo = 'A003'")),
                 QStringLiteral("赵六, 小"));
        QCOMPARE(flow->data().OpenSQLAsStr(
                     QStringLiteral("SELECT Name || '/' || Tel FROM vipcard WHERE CardNo = 'A001'")),
                 QStringLiteral("张三/13900000001"));
        QCOMPARE(flow->data().OpenSQLAsInt(QStringLiteral("SELECT Cz FROM vipcard WHERE CardNo = 'A001'")),
                 int(Money::fromUnits(100).raw()));
        QCOMPARE(flow->data().OpenSQLAsInt(
                     QStringLiteral("SELECT IntegralTotal FROM vipcard WHERE CardNo = 'A003'")),
                 5);
        QCOMPARE(LedgerAudit::run(flow->data().database()).size(), 0);
        QCOMPARE(files.unsettled(), 0);
    }

    // Leaving the preview imports nothing; so does cancelling the file question.
    void cancelImportsNothing() {
        ScriptedFiles files;
        files.setNextName(writeSheet(dir.filePath(QStringLiteral("members.csv"))));
        flow->driver().setNextHandler([](QDialog& d) { click(d, "btnExit"); });
        QVERIFY(!VipCardImport(nullptr));
        files.setNextName(QString());
        QVERIFY(!VipCardImport(nullptr));
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("vipcard")), 0);
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("VipChangeInfo")), 0);
        QCOMPARE(files.unsettled(), 0);
    }
};

QTEST_MAIN(TfrmVipCardImportTest)
#include "tst_TfrmVipCardImport.moc"
