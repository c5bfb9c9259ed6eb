#include "tests/support/DbProbe.h"
#include "tests/support/FlowFixture.h"
#include "vip/base/ModuleGlobals.h"
#include "vip/devices/DeviceExports.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <optional>

namespace {

QLineEdit* field(QDialog& d, const char* name) {
    return d.findChild<QLineEdit*>(QLatin1String(name));
}

// Typed as an input method enters text: Chinese does not come by key clicks.
void type(QDialog& d, const char* name, const QString& text) {
    field(d, name)->setFocus();
    field(d, name)->selectAll();
    field(d, name)->insert(text);
}

void press(QDialog& d, const char* button) {
    QTest::mouseClick(d.findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
}

} // namespace

// The birthday reminder's two settings, through Kd_SetSubValue, on both backends.
class VipSoundSetTest : public QObject {
    Q_OBJECT
    std::optional<FlowFixture> flow;

    QString setting(const char* name) {
        return flow->data().OpenSQLAsStr(QStringLiteral("SELECT SubValue FROM sysdata WHERE SubName = ?"),
                                         {QLatin1String(name)});
    }

private slots:
    void init() { flow.emplace(); }
    void cleanup() {
        const int leftOver = flow->unsettled();
        flow.reset();
        QCOMPARE(leftOver, 0);
    }

    // A fresh database shows the defaults; what is saved is what the next opening shows.
    void defaultsAreSavedAndReadBack() {
        flow->driver().setNextHandler([&](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("会员语音提醒设置"));
            QCOMPARE(VipSoundSet.data(), &d);
            QCOMPARE(field(d, "edtDays")->text(), QStringLiteral("10"));
            QCOMPARE(field(d, "edtComment")->text(), QStringLiteral("祝您生日快乐,幸福安康!"));
            type(d, "edtDays", QStringLiteral("7"));
            type(d, "edtComment", QStringLiteral("王'小明，生日快乐"));
            press(d, "btnOK");
        });
        QVERIFY(ShowVipSoundSet());
        QVERIFY(!VipSoundSet);
        QCOMPARE(setting("VipTxDay"), QStringLiteral("7"));
        QCOMPARE(setting("VipTxComment"), QStringLiteral("王'小明，生日快乐"));

        flow->driver().setNextHandler([&](QDialog& d) {
            QCOMPARE(field(d, "edtDays")->text(), QStringLiteral("7"));
            QCOMPARE(field(d, "edtComment")->text(), QStringLiteral("王'小明，生日快乐"));
            type(d, "edtDays", QStringLiteral("30"));
            press(d, "btnExit");
        });
        QVERIFY(!ShowVipSoundSet());
        QCOMPARE(setting("VipTxDay"), QStringLiteral("7"));
    }

    // Each refusal names its field and keeps the dialog open with what was typed;
    // nothing is written until both fields hold.
    void outOfRangeDaysAndAnEmptyTextAreRefused() {
        flow->driver().setNextHandler([&](QDialog& d) {
            QStringList said;
            for (const char* days : {"0", "101", ""}) {
                type(d, "edtDays", QLatin1String(days));
                const qsizetype before = flow->boxes().shown().size();
                press(d, "btnOK");
                QCOMPARE(flow->boxes().shown().size(), before + 1);
                said << flow->boxes().last().text;
                QCOMPARE(field(d, "edtDays")->text(), QLatin1String(days));
                QCOMPARE(QApplication::focusWidget(), field(d, "edtDays"));
            }
            QCOMPARE(said, QStringList(3, QStringLiteral("提前提醒天数必须在 1 到 100 之间")));
            type(d, "edtDays", QStringLiteral("100"));
            type(d, "edtComment", QStringLiteral("   "));
            press(d, "btnOK");
            QCOMPARE(flow->boxes().last().text, QStringLiteral("提醒内容不能为空"));
            QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("sysdata"), QStringLiteral("SubName LIKE ?"),
                                    {QStringLiteral("VipTx%")}),
                     0);
            // At most 50 characters go in.
            type(d, "edtComment", QString(60, QChar(u'福')));
            QCOMPARE(field(d, "edtComment")->text().size(), qsizetype(50));
            press(d, "btnOK");
        });
        QVERIFY(ShowVipSoundSet());
        QCOMPARE(setting("VipTxDay"), QStringLiteral("100"));
        QCOMPARE(setting("VipTxComment"), QString(50, QChar(u'福')));
    }
};

QTEST_MAIN(VipSoundSetTest)
#include "tst_VipSoundSet.moc"
