#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedMessages.h"
#include "vip/cardtypes/CardTypeRuleExports.h"

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

QLineEdit* edit(QDialog& dialog, const char* field) {
    auto* edit = dialog.findChild<QLineEdit*>(QLatin1String(field));
    if (!edit)
        qFatal("no field %s", field);
    return edit;
}

void type(QDialog& dialog, const char* field, const QString& text) {
    edit(dialog, field)->selectAll();
    QTest::keyClick(edit(dialog, field), Qt::Key_Delete);
    QTest::keyClicks(edit(dialog, field), text);
}

void press(QDialog& dialog, const char* button) {
    QTest::mouseClick(dialog.findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
}

// Every box shown, as "caption|text".
QStringList shown(const ScriptedMessages& boxes) {
    QStringList list;
    for (const ScriptedMessages::Box& box : boxes.shown())
        list << box.caption + QLatin1Char('|') + box.text;
    return list;
}

QStringList ticked(QDialog& dialog) {
    QStringList list;
    auto* days = dialog.findChild<QListWidget*>(QStringLiteral("lstDays"));
    for (int i = 0; i < days->count(); ++i) {
        if (days->item(i)->checkState() == Qt::Checked)
            list.append(days->item(i)->text());
    }
    return list;
}

} // namespace

class CardTypeRuleDialogsTest : public QObject {
    Q_OBJECT

private slots:
    // Each refused entry leaves the editor open with its message; an entry the caller's
    // own check refuses keeps it open without one; leaving hands back nothing.
    void discountBandEditorChecksInOrder() {
        ModalDriver driver;
        ScriptedMessages boxes;
        QStringList asked;
        const BandCheck check = [&](double from, double to, bool flag) {
            asked << QStringLiteral("%1-%2-%3").arg(from).arg(to).arg(flag);
            return asked.size() > 1;
        };
        driver.setNextHandler([&](QDialog& d) {
            QCOMPARE(edit(d, "edtBegin")->text(), QStringLiteral("10.00"));
            const QList<QStringList> attempts = {
                {"100", "", "95"},  {"100", "200", "0"},  {"100", "200", "101"}, {"100", "99", "95"},
                {"0", "200", "95"}, {"100", "100", "95"}, {"100", "100.5", "95"}};
            for (const QStringList& a : attempts) {
                type(d, "edtBegin", a[0]);
                type(d, "edtEnd", a[1]);
                type(d, "edtDiscount", a[2]);
                press(d, "btnOK");
            }
        });
        double from = 10, to = 0, discount = 0;
        QString comment = QStringLiteral("原备注");
        QVERIFY(GetAutoDiscountSet(from, to, discount, comment, check, true));
        QCOMPARE(shown(boxes),
                 (QStringList{QStringLiteral("提示|数据输入不完整，不能保存！"),
                              QStringLiteral("提示|累计折扣设置的折扣错误,不能保存"),
                              QStringLiteral("输入错误|输入折扣必须在0至100之间，但不能为0！"),
                              QStringLiteral("输入不完整|累计折扣的结束金额不能小于开始金额，不能保存!"),
                              QStringLiteral("提示|累计折扣设置的开始金额不能为0")}));
        QCOMPARE(boxes.last().style, MB::Ok | MB::IconInformation);
        QCOMPARE(asked, (QStringList{QStringLiteral("100-100-1"), QStringLiteral("100-100.5-1")}));
        QCOMPARE((QList<double>{from, to, discount}), (QList<double>{100, 100.5, 95}));
        QCOMPARE(comment, QStringLiteral("原备注"));

        driver.setNextHandler([&](QDialog& d) {
            type(d, "edtEnd", QStringLiteral("300"));
            press(d, "btnExit");
        });
        QVERIFY(!GetAutoDiscountSet(from, to, discount, comment, check, true));
        QCOMPARE(to, 100.5);
    }

    void pointsBandBaseMustFitTheBand() {
        ModalDriver driver;
        ScriptedMessages boxes;
        driver.setNextHandler([&](QDialog& d) {
            type(d, "edtBegin", QStringLiteral("0"));
            type(d, "edtEnd", QStringLiteral("100"));
            type(d, "edtIntegral", QStringLiteral("2"));
            // Letters are refused keys: the base stays empty.
            for (const char* base : {"150", "abc", "0", "100"}) {
                type(d, "edtBase", QLatin1String(base));
                press(d, "btnOK");
            }
        });
        double from = 0, to = 0, base = 0, points = 0;
        QString comment;
        QVERIFY(GetVipIntegralSet(from, to, base, points, comment, {}, false));
        QCOMPARE(shown(boxes),
                 (QStringList{QStringLiteral("输入错误|设置的积分基数应<或=（金额至-金额开始），"),
                              QStringLiteral("提示|数据输入不完整，不能保存！"),
                              QStringLiteral("输入不完整|积分基数为0不能保存，请重新输入!")}));
        QCOMPARE((QList<double>{to, base, points}), (QList<double>{100, 100, 2}));
    }

    void memberDayPicker() {
        ModalDriver driver;
        // Unreadable and out-of-range days are dropped from what the picker starts with.
        driver.setNextHandler([&](QDialog& d) {
            QCOMPARE(ticked(d), (QStringList{"1", "15", "31"}));
            press(d, "btnInvert");
            press(d, "btnOK");
        });
        QCOMPARE(ShowVipdaySel(QStringLiteral("1,15,31,x,0,32"), 1).split(QLatin1Char(',')).size(), 28);

        // Leaving keeps the days given, whatever was ticked.
        driver.setNextHandler([&](QDialog& d) {
            press(d, "btnAll");
            press(d, "btnExit");
        });
        QCOMPARE(ShowVipdaySel(QStringLiteral("星期二"), 2), QStringLiteral("星期二"));
    }
};

QTEST_MAIN(CardTypeRuleDialogsTest)
#include "tst_CardTypeRuleDialogs.moc"
