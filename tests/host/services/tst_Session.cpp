#include "host/sdk/DbError.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/VipCodes.h"
#include "host/services/HostConfig.h"
#include "host/services/LoginService.h"
#include "host/services/PasswordHash.h"
#include "tests/support/DbProbe.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestRows.h"

#include <QCryptographicHash>
#include <QTest>

namespace {

const QString Refused = QStringLiteral("用户编号或密码错误，请重新输入。");

int addUser(DataModule& data, const QString& code, const QString& password, bool deleted = false) {
    return data.OpenSQLAsInt(
        QStringLiteral("INSERT INTO loginuser (UserCode, UserName, PasswordSalt, PasswordHash, "
                       "deleted) VALUES (?, ?, '', ?, ?) RETURNING rec"),
        {code, QStringLiteral("收银员 ") + code, PasswordHash::hash(password), deleted});
}

} // namespace

class SessionTest : public QObject {
    Q_OBJECT

private slots:
    void init() { Ucomvar() = TComVar(); }
    void cleanup() { Ucomvar() = TComVar(); }

    void loginChecksUserPasswordAndStore() {
        TestDatabase db;
        ScriptedMessages boxes;
        const int store = TestRows::addStore(db.data(), {.code = QStringLiteral("S01"),
                                                         .name = QStringLiteral("中山\"路\"店"),
                                                         .connectType = 1,
                                                         .posType = 2});
        const int closedStore = TestRows::addStore(
            db.data(), {.code = QStringLiteral("S02"), .name = QStringLiteral("已关店"), .deleted = true});
        for (const auto& [code, posId, deleted] :
             {std::tuple{"00001", store, 1}, {"00002", store, 0}, {"00003", store, 0}, {"00009", 0, 0}})
            db.data().ExecuteSQL(
                QStringLiteral("INSERT INTO stock (typeId, UserCode, FullName, PosId, deleted) "
                               "VALUES (?, ?, '仓库', ?, ?)"),
                {code, code, posId, deleted});
        const int cashier = addUser(db.data(), QStringLiteral("O'Neil"), QStringLiteral("12'34\"56"));
        addUser(db.data(), QStringLiteral("gone"), QStringLiteral("pw"), true);
        // A code reused after its first owner was deleted belongs to the live user only.
        addUser(db.data(), QStringLiteral("dup"), QStringLiteral("old"), true);
        const int liveDup = addUser(db.data(), QStringLiteral("dup"), QStringLiteral("new"));
        LoginService login(db.data());

        struct Attempt {
            QString code, password;
            int posId;
            QString message;
        };
        const QString noStore = QStringLiteral("所选门店不存在或已删除，请重新选择门店。");
        // clang-format off
        const QList<Attempt> refused = {
            {"O'Neil", "12'34\"5", store, Refused},        {"O'Neil", "12'34\"56 ", store, Refused},
            {"o'neil", "12'34\"56", store, Refused},       {"' OR '1'='1", "' OR '1'='1", store, Refused},
            {"nobody", "pw", store, Refused},              {"gone", "pw", store, Refused},
            {"dup", "old", store, Refused},                {"   ", "pw", store, QStringLiteral("请输入用户编号。")},
            {"O'Neil", "12'34\"56", closedStore, noStore}, {"O'Neil", "12'34\"56", 9999, noStore},
        };
        // clang-format on
        for (const Attempt& attempt : refused) {
            boxes.clear();
            QVERIFY2(!login.LogIn(attempt.code, attempt.password, attempt.posId), qPrintable(attempt.code));
            QCOMPARE(boxes.shown().size(), 1);
            QCOMPARE(boxes.last().text, attempt.message);
            QCOMPARE(boxes.last().caption, QStringLiteral("登录"));
            QCOMPARE(Ucomvar().nLoginUserRec, 0);
            QCOMPARE(Ucomvar().lPublicPosid, 0);
        }

        boxes.clear();
        Ucomvar().bNoVipKeyPress = true;
        QVERIFY(login.LogIn(QStringLiteral("  O'Neil "), QStringLiteral("12'34\"56"), store));
        QVERIFY(boxes.shown().isEmpty());
        QCOMPARE(Ucomvar().szLoginUserId, QStringLiteral("O'Neil"));
        QCOMPARE(Ucomvar().szLoginUserName, QStringLiteral("收银员 O'Neil"));
        QCOMPARE(Ucomvar().nLoginUserRec, cashier);
        QCOMPARE(Ucomvar().lPublicPosid, store);
        QCOMPARE(Ucomvar().szPublicPosName, QStringLiteral("中山\"路\"店"));
        QCOMPARE(Ucomvar().lpostype, 2);
        QCOMPARE(Ucomvar().lConnectType, 1);
        QCOMPARE(Ucomvar().szPublicPosKtype, QStringLiteral("00002"));
        QVERIFY(!Ucomvar().bNoVipKeyPress);

        // A failed attempt to switch users keeps the session that was open.
        QVERIFY(!login.LogIn(QStringLiteral("dup"), QStringLiteral("wrong"), 0));
        QCOMPARE(Ucomvar().nLoginUserRec, cashier);
        QCOMPARE(Ucomvar().lPublicPosid, store);

        QVERIFY(login.LogIn(QStringLiteral("dup"), QStringLiteral("new"), 0));
        QCOMPARE(Ucomvar().nLoginUserRec, liveDup);
        QCOMPARE(Ucomvar().lPublicPosid, 0);
        QCOMPARE(Ucomvar().szPublicPosName, QStringLiteral("总部"));
        QCOMPARE(Ucomvar().lpostype + Ucomvar().lConnectType, 0);
        QCOMPARE(Ucomvar().szPublicPosKtype, QStringLiteral("00009"));

        Ucomvar().bvipConnect = true;
        LoginService::LogOut();
        QCOMPARE(Ucomvar().nLoginUserRec, 0);
        QVERIFY(Ucomvar().szLoginUserId.isEmpty());
        QVERIFY(Ucomvar().szPublicPosKtype.isEmpty());
        QVERIFY(Ucomvar().bvipConnect);
    }

    void guessingLocksTheAccountUntilUnlockedAndOldHashesAreUpgraded() {
        TestDatabase db;
        ScriptedMessages boxes;
        const int clerk = addUser(db.data(), QStringLiteral("clerk"), QStringLiteral("right"));
        LoginService login(db.data());
        const auto failures = [&] {
            return db.data().OpenSQLAsInt(QStringLiteral("SELECT FailedLogins FROM loginuser WHERE rec = ?"),
                                          {clerk});
        };
        // A success in between starts the count again.
        for (int i = 1; i < LoginService::MaxFailedLogins; ++i)
            QVERIFY(!login.LogIn(QStringLiteral("clerk"), QStringLiteral("wrong"), 0));
        QCOMPARE(failures(), LoginService::MaxFailedLogins - 1);
        QVERIFY(login.LogIn(QStringLiteral("clerk"), QStringLiteral("right"), 0));
        QCOMPARE(failures(), 0);

        boxes.clear();
        for (int i = 1; i <= LoginService::MaxFailedLogins; ++i)
            QVERIFY(!login.LogIn(QStringLiteral("clerk"), QStringLiteral("wrong"), 0));
        QVERIFY(boxes.last().text.contains(QStringLiteral("锁定")));
        QVERIFY(!login.LogIn(QStringLiteral("clerk"), QStringLiteral("right"), 0));
        QVERIFY(boxes.last().text.contains(QStringLiteral("锁定")));
        // Every wrong password is in the log, the locking one says so.
        QCOMPARE(DbProbe::count(db.data(), QStringLiteral("syslog"),
                                QStringLiteral("Kind = ? AND UserRec = ?"), {LogKind::Logins, clerk}),
                 2 * LoginService::MaxFailedLogins - 1);
        QCOMPARE(DbProbe::count(db.data(), QStringLiteral("syslog"), QStringLiteral("LogText LIKE ?"),
                                {QStringLiteral("%已锁定%")}),
                 1);

        LoginService::Unlock(db.data(), clerk);
        QVERIFY(login.LogIn(QStringLiteral("clerk"), QStringLiteral("right"), 0));

        // A password kept the earlier way (salted SHA-256) still logs in, once, and
        // leaves an Argon2id hash behind.
        const QString salt = QStringLiteral("00112233445566778899aabbccddeeff");
        db.data().ExecuteSQL(
            QStringLiteral("UPDATE loginuser SET PasswordSalt = ?, PasswordHash = ? WHERE rec = ?"),
            {salt,
             QString::fromLatin1(QCryptographicHash::hash((salt + QStringLiteral("老密码")).toUtf8(),
                                                          QCryptographicHash::Sha256)
                                     .toHex()),
             clerk});
        QVERIFY(login.LogIn(QStringLiteral("clerk"), QStringLiteral("老密码"), 0));
        const QString upgraded = db.data().OpenSQLAsStr(
            QStringLiteral("SELECT PasswordHash FROM loginuser WHERE rec = ?"), {clerk});
        QVERIFY2(upgraded.startsWith(QLatin1String("$argon2id$")), qPrintable(upgraded));
        QVERIFY(!PasswordHash::needsUpgrade(upgraded));
        QVERIFY(login.LogIn(QStringLiteral("clerk"), QStringLiteral("老密码"), 0));
        QVERIFY(!login.LogIn(QStringLiteral("clerk"), QStringLiteral("老密"), 0));
    }

    void appClassFlagsRoundTripByPosition() {
        TestDatabase db;
        const QList<int> set = {1, 10, 14, 19, 25, 32, 64};
        TAppClass flags;
        for (int position : set)
            flags.SetFlag(position, true);
        HostConfig writer(db.data());
        writer.SetAppFlags(flags);
        writer.Save();

        // Another workstation reads them back through its own connection.
        auto other = db.openAnother();
        HostConfig reader(*other);
        reader.Load();
        reader.ApplyTo(Ucomvar());
        for (int position = 1; position <= TAppClass::FlagCount; ++position)
            QVERIFY2(AppClass().Flag(position) == set.contains(position),
                     qPrintable(QString::number(position)));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, AppClass().Flag(0));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, AppClass().Flag(TAppClass::FlagCount + 1));

        // Stored by position, first flag first: what any other reader of the row sees.
        const QString stored = db.data().OpenSQLAsStr(
            QStringLiteral("SELECT Value FROM hostconfig WHERE Name = ?"), {QStringLiteral("AppClass")});
        QCOMPARE(stored.size(), TAppClass::FlagCount);
        QCOMPARE(stored.left(20), QStringLiteral("10000000010001000010"));

        // Clearing one flag updates the one row in place.
        flags.SetFlag(14, false);
        reader.SetAppFlags(flags);
        reader.Save();
        writer.Load();
        QVERIFY(!writer.AppFlags().Flag(14));
        QVERIFY(writer.AppFlags().Flag(19));
        QCOMPARE(db.data().OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM hostconfig")), 1);

        // A text written when the host had fewer flags leaves the newer ones clear.
        db.data().ExecuteSQL(QStringLiteral("UPDATE hostconfig SET Value = ? WHERE Name = ?"),
                             {QStringLiteral("0000000000001x1"), QStringLiteral("AppClass")});
        writer.Load();
        QVERIFY(writer.AppFlags().Flag(13));
        QVERIFY(!writer.AppFlags().Flag(14));
        QVERIFY(writer.AppFlags().Flag(15));
        QVERIFY(!writer.AppFlags().Flag(16));
        QVERIFY(!writer.AppFlags().Flag(64));
    }

    void configurationReachesTheSession() {
        TestDatabase db;
        HostConfig config(db.data());
        config.Load();
        Ucomvar().nMedVersion = 99;
        Ucomvar().szPubGoodsName.clear();
        config.ApplyTo(Ucomvar());
        QCOMPARE(MEDVERSION(), 1);
        QCOMPARE(Ucomvar().szPubGoodsName, QStringLiteral("商品"));
        QVERIFY(!IsFood());

        config.SetInteger(QStringLiteral("MEDVERSION"), 7);
        config.SetFlag(QStringLiteral("IsFood"), true);
        config.SetText(QStringLiteral("szPubGoodsName"), QStringLiteral("菜'品\""));
        config.SetText(QStringLiteral("lPublicPeriod"), QStringLiteral("第三期"));
        config.SetText(QStringLiteral("bCenterDb"), QStringLiteral("yes"));
        config.Save();

        HostConfig reloaded(db.data());
        reloaded.Load();
        Ucomvar().nLoginUserRec = 5;
        Ucomvar().lPublicPosid = 3;
        Ucomvar().bCenterDb = true;
        reloaded.ApplyTo(Ucomvar());
        QCOMPARE(MEDVERSION(), 7);
        QVERIFY(IsFood());
        QCOMPARE(Ucomvar().szPubGoodsName, QStringLiteral("菜'品\""));
        // Text that is no number or flag reads as the default, never as garbage.
        QCOMPARE(Ucomvar().lPublicPeriod, 0);
        QVERIFY(!Ucomvar().bCenterDb);
        // Login values are not configuration.
        QCOMPARE(Ucomvar().nLoginUserRec, 5);
        QCOMPARE(Ucomvar().lPublicPosid, 3);
    }

    void valuesUpToTheLimitAreKeptAndLongerOnesRefused() {
        TestDatabase db;
        HostConfig config(db.data());
        const QString longest(2000, QChar(0x5E97));
        const QString longestName(60, QLatin1Char('n'));
        config.SetText(longestName, longest);
        config.SetText(QStringLiteral("empty"), QString());
        config.Save();
        QVERIFY_THROWS_EXCEPTION(DbError, config.SetText(QStringLiteral("x"), longest + QLatin1Char('!')));
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 config.SetText(longestName + QLatin1Char('n'), QStringLiteral("1")));
        QVERIFY_THROWS_EXCEPTION(DbError, config.SetText(QStringLiteral(" "), QStringLiteral("1")));
        config.Save();

        HostConfig reloaded(db.data());
        reloaded.Load();
        QCOMPARE(reloaded.Text(longestName), longest);
        QCOMPARE(reloaded.Text(QStringLiteral("x"), QStringLiteral("absent")), QStringLiteral("absent"));
        QCOMPARE(reloaded.Text(QStringLiteral("empty"), QStringLiteral("absent")), QString());
        QCOMPARE(db.data().OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM hostconfig")), 2);
    }
};

QTEST_GUILESS_MAIN(SessionTest)
#include "tst_Session.moc"
