#include "host/sdk/DataModule.h"
#include "host/sdk/Notices.h"
#include "host/sdk/Transaction.h"
#include "host/services/HostConfig.h"
#include "host/services/NoticeOutbox.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TestDatabase.h"

#include <QTest>
#include <optional>

namespace {

int outboxRows(DataModule& data) {
    return data.OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM noticeoutbox"));
}

// The outbox follows the host's switch as a workstation loads it; without a
// value saved, the switch is off.
void applySwitch(NoticeOutbox& outbox, DataModule& data, std::optional<bool> on = {}) {
    HostConfig config(data);
    if (on) {
        config.SetFlag(NoticeOutbox::SwitchName, *on);
        config.Save();
    }
    config.Load();
    outbox.Apply(config);
}

// The named fields of the current row, joined by commas.
QString fields(const ClientDataSet& rows, const QString& names) {
    QStringList values;
    for (const QString& name : names.split(QLatin1Char(',')))
        values.append(rows.FieldByName(name).AsString());
    return values.join(QLatin1Char(','));
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

        applySwitch(outbox, db.data());
        QVERIFY(!SendSMSMessageByBillFunc);
        sendRechargeNotice(40, 8);
        SenWXVip(QStringLiteral("A001"), QStringLiteral("text"), QStringLiteral("title"));
        QCOMPARE(outboxRows(db.data()), 0);

        applySwitch(outbox, db.data(), true);
        QVERIFY(SendSMSMessageByBillFunc);
        sendRechargeNotice(41, 8);
        SenWXVip(QStringLiteral("A'001"), QStringLiteral("您的储值余额为 \"100.00\" 元"),
                 QStringLiteral("储值变动"));

        // The flag of a password-change notice is kept as given, and empty texts stay empty.
        SendSMSMessageByBillFunc(3, 8, true, 0, 0, 8, 0, 0);
        SenWXVip(QStringLiteral("A002"), QString(), QString());

        ClientDataSet rows;
        db.data().OpenSQL(QStringLiteral("SELECT * FROM noticeoutbox ORDER BY id"), rows);
        QCOMPARE(rows.RecordCount(), 4);
        const QString sms = QStringLiteral("Channel,Kind,RecordId,ByCard,Arg1,Arg2,Arg3,Arg4,Arg5");
        const QString wx = QStringLiteral("Channel,CardNo,Text1,Text2");
        QCOMPARE(fields(rows, sms), QStringLiteral("SMS,1,41,0,0,1,8,5,0"));
        QVERIFY(!rows.FieldByName(QStringLiteral("CreatedAt")).IsNull());
        QVERIFY(rows.FieldByName(QStringLiteral("SentAt")).IsNull());
        rows.Next();
        QCOMPARE(fields(rows, wx), QStringLiteral("WX,A'001,您的储值余额为 \"100.00\" 元,储值变动"));
        rows.Next();
        QCOMPARE(fields(rows, sms), QStringLiteral("SMS,3,8,1,0,0,8,0,0"));
        rows.Next();
        QCOMPARE(fields(rows, wx), QStringLiteral("WX,A002,,"));

        applySwitch(outbox, db.data(), false);
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
