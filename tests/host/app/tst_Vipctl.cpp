#include "host/data/Database.h"
#include "host/sdk/DbError.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/Money.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

// vipctl as a user runs it, without VIP_DB unless the case sets one.
Run vipctl(const QStringList& arguments, const QString& vipDb = {}) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("VIP_DB"));
    if (!vipDb.isEmpty())
        environment.insert(QStringLiteral("VIP_DB"), vipDb);
    process.setProcessEnvironment(environment);
    process.start(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("vipctl")), arguments);
    if (!process.waitForFinished(120000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

class VipctlTest : public QObject {
    Q_OBJECT

private slots:
    void databaseIsTakenFromEitherSideOfTheCommandOrTheEnvironment() {
        QTemporaryDir dir;
        const QString before = dir.filePath(QStringLiteral("a/before.sqlite"));
        const QString after = dir.filePath(QStringLiteral("after.sqlite"));
        const QString fromEnvironment = dir.filePath(QStringLiteral("env.sqlite"));

        Run run = vipctl({QStringLiteral("--db"), before, QStringLiteral("init")});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY(run.out.contains(QStringLiteral("数据库结构版本")));
        QVERIFY2(run.err.contains(before), qPrintable(run.err));
        QVERIFY(QFile::exists(before));

        run = vipctl({QStringLiteral("init"), QStringLiteral("--db=") + after});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY(QFile::exists(after));

        run = vipctl({QStringLiteral("init")}, fromEnvironment);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY(run.err.contains(fromEnvironment));
        QVERIFY(QFile::exists(fromEnvironment));
    }

    void mistakesGetOneMessageAndAFailingExit_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("says");
        // clang-format off
        QTest::newRow("nothing") << QStringList{} << 2 << "没有给出命令";
        QTest::newRow("unknown command") << QStringList{"--db", "x.sqlite", "frobnicate"} << 2 << "未知命令：frobnicate";
        QTest::newRow("unknown option") << QStringList{"init", "--dbx", "x.sqlite"} << 2 << "无法识别的选项：--dbx";
        QTest::newRow("missing value") << QStringList{"init", "--db"} << 2 << "缺少数据库设置";
        QTest::newRow("no database") << QStringList{"init"} << 2 << "需要数据库";
        QTest::newRow("stray argument") << QStringList{"init", "--db", "x.sqlite", "extra"} << 2 << "不接受参数";
        QTest::newRow("memory database") << QStringList{"init", "--db", ":memory:"} << 1 << "内存数据库";
        QTest::newRow("setting that does not parse") << QStringList{"demo", "--db", "postgresql://u@h/"} << 1 << "缺少数据库名";
        QTest::newRow("mistyped file") << QStringList{"check", "--db", "x.sqlite"} << 1 << "数据库文件 x.sqlite 不存在";
        QTest::newRow("cannot be opened") << QStringList{"init", "--db", "/proc/no/such/folder/x.sqlite"} << 1 << "无法连接数据库";
        // clang-format on
    }
    void mistakesGetOneMessageAndAFailingExit() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, says);
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        const Run run = vipctl(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(says), qPrintable(run.err));
        QCOMPARE(run.err.count(says), 1);
        QVERIFY(run.out.isEmpty());
        // A refused command creates nothing.
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("x.sqlite"))));
    }

    // Without a screen nobody can answer a question, so none is answered for them.
    void questionsWithoutAScreenRefuseTheAction() {
        try {
            Question(QStringLiteral("确认删除这张会员卡吗？"));
            QFAIL("a question was answered on the user's behalf");
        } catch (const DbError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("确认删除这张会员卡吗？")), qPrintable(e.message()));
        }
        QCOMPARE(Messagebox(QStringLiteral("只是告知"), QStringLiteral("提示"), MB::Ok), IDOK);
    }

    void helpPrintsTheUsageOnce() {
        const Run run = vipctl({QStringLiteral("--help")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.count(QStringLiteral("用法")), 1);
        for (const char* command : {"init", "demo", "registry"})
            QVERIFY2(run.out.contains(QLatin1String(command)), command);
        QVERIFY(run.err.isEmpty());
    }

    // Scripts recharge and refund through the dialog's procedure: the new balance or
    // the reason, a retried operation id applied once; check names every card whose
    // balance left its rows and fails.
    void rechargeRefundAndCheck() {
        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("demo.sqlite"));
        QCOMPARE(vipctl({QStringLiteral("demo"), QStringLiteral("--db"), db}).exitCode, 0);
        const QStringList card = {QStringLiteral("--db"), db, QStringLiteral("--card"),
                                  QStringLiteral("80010003")};
        const QString balance = QStringLiteral("当前可用余额：");
        Run run = vipctl(QStringList{"refund"} + card + QStringList{"--amount", "0.01"});
        QCOMPARE(run.exitCode, 0);
        const Money before = Money::fromText(run.out.section(balance, 1).trimmed());
        for (int i = 0; i < 2; ++i) {
            run = vipctl(QStringList{"recharge"} + card + QStringList{"--amount", "50", "--op", "script-7"});
            QCOMPARE(run.exitCode, 0);
            QVERIFY2(run.out.contains(balance + (before + Money::fromUnits(50)).toString(2)),
                     qPrintable(run.out));
        }
        run = vipctl(QStringList{"refund"} + card + QStringList{"--amount", "99999"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("退款金额大于当前可用余额")), qPrintable(run.err));
        QCOMPARE(vipctl({QStringLiteral("check"), QStringLiteral("--db"), db}).exitCode, 0);

        Database::open(DbSetting::parse(db))
            ->execute(
                QStringLiteral("UPDATE vipcard SET Cz = Cz + 1, CzTotal = 7 WHERE CardNo = '80010003'"));
        run = vipctl({QStringLiteral("check"), QStringLiteral("--db"), db});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out.count(QStringLiteral("会员卡 80010003：")), 2);
        QVERIFY2(run.out.contains(QStringLiteral("发现 2 处余额与流水不符")), qPrintable(run.out));
    }
};

QTEST_GUILESS_MAIN(VipctlTest)
#include "tst_Vipctl.moc"
