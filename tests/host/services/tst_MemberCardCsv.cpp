#include "host/data/Database.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestRows.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
};

Run vipctl(const QStringList& arguments) {
    QProcess process;
    process.start(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("vipctl")), arguments);
    if (!process.waitForFinished(120000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
}

QByteArray read(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void addTypes(DataModule& data) {
    TestRows::addCardType(data, QStringLiteral("金卡"), 95, {{QStringLiteral("IsCZPreferential"), 1}});
    TestRows::addCardType(data, QStringLiteral("银卡"), 98);
}

} // namespace

class MemberCardCsvTest : public QObject {
    Q_OBJECT

private slots:
    // A spreadsheet's file goes in through vipctl with its bad row told; what the
    // database then holds is exported, and that export imports into a database
    // without members as the same cards, which export to the same file.
    void exportImportsIntoAnEmptyDatabaseUnchanged() {
        QTemporaryDir dir;
        TestDatabase source;
        addTypes(source.data());
        const QString sheet = dir.filePath(QStringLiteral("sheet.csv"));
        QFile file(sheet);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QStringEncoder gb18030("GB18030");
        file.write(gb18030.encode(QStringLiteral(
            "会员卡号,会员卡条码,持卡人,性别,电话,出生年月日,持卡类型,有效期,激活,储值余额,积分余额,备注\n"
            "R1,6900001,周一,女,13800000001,1990-05-04,金卡,2028-01-01,是,88.5,12,\"多行\n备注\"\n"
            "R2,,吴二,男,,,银卡,2028-01-01,否,,,\n"
            "R3,,郑三,男,,,银卡,2028-01-01,否,5,,\n")));
        file.close();
        Run run = vipctl(
            {QStringLiteral("import-members"), QStringLiteral("--db"), source.setting().text(), sheet});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.out.contains(QStringLiteral("第5行 会员卡号[R3]：持卡类型[银卡]不允许会员储值!")),
                 qPrintable(run.out));
        QVERIFY2(run.out.contains(QStringLiteral("导入会员卡 2 张，拒绝 1 行。")), qPrintable(run.out));

        const QString first = dir.filePath(QStringLiteral("first.csv"));
        QCOMPARE(
            vipctl({QStringLiteral("export-members"), QStringLiteral("--db"), source.setting().text(), first})
                .exitCode,
            0);
        TestDatabase target;
        addTypes(target.data());
        run = vipctl(
            {QStringLiteral("import-members"), QStringLiteral("--db"), target.setting().text(), first});
        QCOMPARE(run.exitCode, 0);
        const QString second = dir.filePath(QStringLiteral("second.csv"));
        QCOMPARE(vipctl({QStringLiteral("export-members"), QStringLiteral("--db"), target.setting().text(),
                         second})
                     .exitCode,
                 0);
        QCOMPARE(read(second), read(first));
        QVERIFY(read(first).startsWith("\xEF\xBB\xBF"));
        QCOMPARE(vipctl({QStringLiteral("check"), QStringLiteral("--db"), target.setting().text()}).exitCode,
                 0);
        // The same file again: every number is there already and nothing is imported.
        run = vipctl(
            {QStringLiteral("import-members"), QStringLiteral("--db"), target.setting().text(), first});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out.count(QStringLiteral("发现相同的编号,不能保存!")), 2);
    }
};

QTEST_GUILESS_MAIN(MemberCardCsvTest)
#include "tst_MemberCardCsv.moc"
