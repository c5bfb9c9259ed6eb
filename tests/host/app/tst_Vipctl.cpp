#include "host/sdk/DbError.h"
#include "host/sdk/MessageBox.h"

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
};

QTEST_GUILESS_MAIN(VipctlTest)
#include "tst_Vipctl.moc"
