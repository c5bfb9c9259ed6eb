#include "host/sdk/DataModule.h"
#include "host/sdk/Limit.h"
#include "host/sdk/SysLog.h"
#include "host/sdk/Ucomvar.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestUser.h"

#include <QDateTime>
#include <QTest>

namespace {

constexpr int IssueCard = 521;
constexpr int AdjustPoints = 828;
constexpr int SalesBill = 11;
constexpr int ReturnBill = 45;

QDateTime secondsNow() {
    QDateTime now = QDateTime::currentDateTime();
    return now.addMSecs(-now.time().msec());
}

} // namespace

class RightsAndLogTest : public QObject {
    Q_OBJECT

private slots:
    void init() { Ucomvar() = TComVar(); }

    void rightsComeFromTheUsersRows() {
        TestDatabase db;
        QVERIFY(!HasLimit(IssueCard));
        QVERIFY(!HasBillLimit(IssueCard, SalesBill));
        {
            // Another user's rights, and rows for nobody, grant nothing.
            TestUser other(db.data(), QStringLiteral("other"), {AdjustPoints});
            other.grantBillRight(IssueCard, SalesBill);
        }
        QCOMPARE(Ucomvar().nLoginUserRec, 0);
        QVERIFY(!HasLimit(AdjustPoints));

        TestUser cashier(db.data(), QStringLiteral("cashier"), {IssueCard});
        cashier.grantBillRight(AdjustPoints, SalesBill);
        QVERIFY(HasLimit(IssueCard));
        QVERIFY(!HasLimit(IssueCard + 1));
        QVERIFY(!HasLimit(AdjustPoints));
        QVERIFY(HasBillLimit(AdjustPoints, SalesBill));
        QVERIFY(!HasBillLimit(AdjustPoints, ReturnBill));
        // A plain right is no bill right, and a bill right no plain one.
        QVERIFY(!HasBillLimit(IssueCard, SalesBill));

        // Changes by the administrator count at once, without logging in again.
        db.data().ExecuteSQL(QStringLiteral("DELETE FROM userlimit WHERE UserRec = ?"), {cashier.rec()});
        QVERIFY(!HasLimit(IssueCard));
        db.data().ExecuteSQL(QStringLiteral("UPDATE loginuser SET deleted = 1 WHERE rec = ?"),
                             {cashier.rec()});
        QVERIFY(!HasBillLimit(AdjustPoints, SalesBill));

        // An administrator holds every right, bill rights included, until deleted.
        TestUser admin(db.data(), QStringLiteral("admin"), {}, true);
        QVERIFY(HasLimit(IssueCard));
        QVERIFY(HasLimit(0));
        QVERIFY(HasBillLimit(AdjustPoints, ReturnBill));
        db.data().ExecuteSQL(QStringLiteral("UPDATE loginuser SET deleted = 1 WHERE rec = ?"), {admin.rec()});
        QVERIFY(!HasLimit(IssueCard));
        QVERIFY(!HasBillLimit(AdjustPoints, ReturnBill));
    }

    void logLinesKeepUserKindStoreAndText() {
        TestDatabase db;
        TestUser clerk(db.data(), QStringLiteral("clerk"));
        Ucomvar().lPublicPosid = 7;
        const QString changed = QStringLiteral("会员卡[A'001]的\"姓名\"由 张三 改为 O'Brien; --");
        const QDateTime before = secondsNow();
        TSysLog::LocalLogOper(clerk.rec(), 9, changed, 0);
        TSysLog::LocalLogOper(clerk.rec(), 13, QStringLiteral("购物卡 G01 停用"), 0);
        Ucomvar().lPublicPosid = 0;
        TSysLog::LocalLogOper(0, 9, QString(), 0);

        // Texts past the limit are cut, not refused; a character outside the basic
        // plane straddling the limit goes whole.
        const QString chinese(2500, QChar(0x4F1A));
        const QString straddling = QString(1999, QLatin1Char('a')) + QStringLiteral("😀tail");
        const QString exact = QString(1998, QLatin1Char('b')) + QStringLiteral("😀");
        for (const QString& text : {chinese, straddling, exact})
            TSysLog::LocalLogOper(1, 9, text, 0);

        ClientDataSet rows;
        db.data().OpenSQL(QStringLiteral("SELECT * FROM syslog ORDER BY id"), rows);
        QCOMPARE(rows.RecordCount(), 6);
        const QStringList expected = {QStringLiteral("%1 9 7 ").arg(clerk.rec()) + changed,
                                      QStringLiteral("%1 13 7 购物卡 G01 停用").arg(clerk.rec()),
                                      QStringLiteral("0 9 0 "),
                                      QStringLiteral("1 9 0 ") + chinese.left(2000),
                                      QStringLiteral("1 9 0 ") + straddling.left(1999),
                                      QStringLiteral("1 9 0 ") + exact};
        for (int row = 0; row < rows.RecordCount(); ++row, rows.Next()) {
            QStringList values;
            for (const char* field : {"UserRec", "Kind", "PosId", "LogText"})
                values.append(rows.FieldByName(QLatin1String(field)).AsString());
            QCOMPARE(values.join(QLatin1Char(' ')), expected[row]);
            const QDateTime logged =
                QDateTime::fromString(rows.FieldByName(QStringLiteral("LogTime")).AsString(),
                                      QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            QVERIFY2(logged >= before && logged <= QDateTime::currentDateTime(),
                     qPrintable(logged.toString()));
        }
    }
};

QTEST_GUILESS_MAIN(RightsAndLogTest)
#include "tst_RightsAndLog.moc"
