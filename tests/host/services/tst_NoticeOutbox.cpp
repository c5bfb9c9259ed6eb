#include "host/sdk/DataModule.h"
#include "host/sdk/Notices.h"
#include "host/sdk/Transaction.h"
#include "host/services/HostConfig.h"
#include "host/services/NoticeOutbox.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TestDatabase.h"

#include <QTest>

namespace {

int outboxRows(DataModule& data) {
    return data.OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM noticeoutbox"));
}

void switchNotices(DataModule& data, bool on) {
    HostConfig config(data);
    config.SetFlag(NoticeOutbox::SwitchName, on);
    config.Save();
}

// What a caller does after its save: send only when the host has a hook.
void sendRechargeNotice(int changeId, int cardId) {
    if (SendSMSMessageByBillFunc)
        SendSMSMessageByBillFunc(1, changeId, false, 0, 1, cardId, 5, 0);
}

} // namespace

class NoticeOutboxTest : public QObject {
    Q_OBJECT

private slots:
    void noticesAreQueuedOnlyWhileTheHostSendsThem() {
        TestDatabase db;
        ScriptedMessages boxes;
        NoticeOutbox outbox(db.data());
        QVERIFY(!SendSMSMessageByBillFunc);

        HostConfig config(db.data());
        config.Load();
        outbox.Apply(config);
        QVERIFY(!SendSMSMessageByBillFunc);
        sendRechargeNotice(40, 8);
        SenWXVip(QStringLiteral("A001"), QStringLiteral("text"), QStringLiteral("title"));
        QCOMPARE(outboxRows(db.data()), 0);

        switchNotices(db.data(), true);
        config.Load();
        outbox.Apply(config);
        QVERIFY(SendSMSMessageByBillFunc);
        sendRechargeNotice(41, 8);
        SenWXVip(QStringLiteral("A'001"), QStringLiteral("您的储值余额为 \"100.00\" 元"),
                 QStringLiteral("储值变动"));

        ClientDataSet rows;
        db.data().OpenSQL(
            QStringLiteral("SELECT Channel, Kind, RecordId, ByCard, Arg1, Arg2, Arg3, Arg4, Arg5, CardNo, "
                           "Text1, Text2, CreatedAt, SentAt FROM noticeoutbox ORDER BY id"),
            rows);
        QCOMPARE(rows.RecordCount(), 2);
        QCOMPARE(rows.FieldByName(QStringLiteral("Channel")).AsString(), QStringLiteral("SMS"));
        QCOMPARE(rows.FieldByName(QStringLiteral("Kind")).AsInteger(), 1);
        QCOMPARE(rows.FieldByName(QStringLiteral("RecordId")).AsInteger(), 41);
        QCOMPARE(rows.FieldByName(QStringLiteral("ByCard")).AsInteger(), 0);
        const QList<int> args = {rows.FieldByName(QStringLiteral("Arg1")).AsInteger(),
                                 rows.FieldByName(QStringLiteral("Arg2")).AsInteger(),
                                 rows.FieldByName(QStringLiteral("Arg3")).AsInteger(),
                                 rows.FieldByName(QStringLiteral("Arg4")).AsInteger(),
                                 rows.FieldByName(QStringLiteral("Arg5")).AsInteger()};
        QCOMPARE(args, QList<int>({0, 1, 8, 5, 0}));
        QVERIFY(!rows.FieldByName(QStringLiteral("CreatedAt")).IsNull());
        QVERIFY(rows.FieldByName(QStringLiteral("SentAt")).IsNull());
        rows.Next();
        QCOMPARE(rows.FieldByName(QStringLiteral("Channel")).AsString(), QStringLiteral("WX"));
        QCOMPARE(rows.FieldByName(QStringLiteral("CardNo")).AsString(), QStringLiteral("A'001"));
        QCOMPARE(rows.FieldByName(QStringLiteral("Text1")).AsString(),
                 QStringLiteral("您的储值余额为 \"100.00\" 元"));
        QCOMPARE(rows.FieldByName(QStringLiteral("Text2")).AsString(), QStringLiteral("储值变动"));

        // The flag of a password-change notice is kept as given.
        SendSMSMessageByBillFunc(3, 8, true, 0, 0, 8, 0, 0);
        QCOMPARE(db.data().OpenSQLAsInt(QStringLiteral("SELECT ByCard FROM noticeoutbox WHERE Kind = 3")), 1);
        SenWXVip(QStringLiteral("A002"), QString(), QString());
        QCOMPARE(db.data().OpenSQLAsStr(
                     QStringLiteral("SELECT Text1 || Text2 || '.' FROM noticeoutbox WHERE CardNo = ?"),
                     {QStringLiteral("A002")}),
                 QStringLiteral("."));

        switchNotices(db.data(), false);
        config.Load();
        outbox.Apply(config);
        QVERIFY(!SendSMSMessageByBillFunc);
        sendRechargeNotice(42, 8);
        SenWXVip(QStringLiteral("A001"), QStringLiteral("text"), QStringLiteral("title"));
        QCOMPARE(outboxRows(db.data()), 4);
        QVERIFY(boxes.shown().isEmpty());
    }

    void anOutboxGoingAwayUnhooksOnlyItself() {
        TestDatabase db;
        auto otherConnection = db.openAnother();
        NoticeOutbox kept(db.data());
        {
            NoticeOutbox replaced(*otherConnection);
            replaced.Install();
            kept.Install();
        }
        otherConnection.reset();
        QVERIFY(SendSMSMessageByBillFunc);
        sendRechargeNotice(50, 9);
        SenWXVip(QStringLiteral("A001"), QStringLiteral("t"), QStringLiteral("t"));
        QCOMPARE(outboxRows(db.data()), 2);
        kept.Uninstall();
        QVERIFY(!SendSMSMessageByBillFunc);
        {
            NoticeOutbox scoped(db.data());
            scoped.Install();
        }
        QVERIFY(!SendSMSMessageByBillFunc);
        SenWXVip(QStringLiteral("A001"), QStringLiteral("t"), QStringLiteral("t"));
        QCOMPARE(outboxRows(db.data()), 2);
    }

    void aNoticeThatCannotBeQueuedKeepsTheSave() {
        TestDatabase db;
        ScriptedMessages boxes;
        NoticeOutbox outbox(db.data());
        outbox.Install();
        db.data().ExecuteSQL(QStringLiteral("DROP TABLE noticeoutbox"));

        // Even a caller still inside its transaction can go on and commit.
        Transaction save(db.data());
        db.data().ExecuteSQL(
            QStringLiteral("INSERT INTO sysdata (SubName, SubValue) VALUES ('before', '1')"));
        sendRechargeNotice(60, 9);
        QCOMPARE(boxes.shown().size(), 1);
        QVERIFY(boxes.last().text.startsWith(QStringLiteral("会员通知未能保存")));
        QCOMPARE(boxes.last().caption, QStringLiteral("错误"));
        SenWXVip(QStringLiteral("A001"), QStringLiteral("t"), QStringLiteral("t"));
        QCOMPARE(boxes.shown().size(), 2);
        db.data().ExecuteSQL(QStringLiteral("INSERT INTO sysdata (SubName, SubValue) VALUES ('after', '1')"));
        save.Commit();
        QCOMPARE(db.data().OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM sysdata")), 2);
    }
};

QTEST_GUILESS_MAIN(NoticeOutboxTest)
#include "tst_NoticeOutbox.moc"
