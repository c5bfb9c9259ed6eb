#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedMessages.h"
#include "vip/cardtypes/CardTypeRuleExports.h"

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

void type(QDialog& dialog, const char* field, const QString& text) {
    auto* edit = dialog.findChild<QLineEdit*>(QString::fromLatin1(field));
    QVERIFY2(edit, field);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void press(QDialog& dialog, const char* button) {
    auto* b = dialog.findChild<QPushButton*>(QString::fromLatin1(button));
    QVERIFY2(b, button);
    QTest::mouseClick(b, Qt::LeftButton);
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
    void discountBandEditorChecksInOrder() {
        ModalDriver driver;
        ScriptedMessages boxes;
        QStringList refusals;
        // Each refused entry leaves the editor open with its message; the last entry passes.
        driver.setNextHandler([&](QDialog& d) {
            const QList<QStringList> attempts = {{"100", "", "95"},   {"100", "200", "0"}, {"100", "200", "101"},
                                                 {"100", "99", "95"}, {"0", "200", "95"},  {"100", "100", "95"}};
            for (const QStringList& a : attempts) {
                type(d, "edtBegin", a[0]);
                type(d, "edtEnd", a[1]);
                type(d, "edtDiscount", a[2]);
                press(d, "btnOK");
                if (!d.isVisible())
                    break;
                refusals << boxes.last().caption + QLatin1Char('|') + boxes.last().text;
                QCOMPARE(boxes.last().style, MB::Ok | MB::IconInformation);
            }
        });
        double from = 0, to = 0, discount = 0;
        QString comment = QStringLiteral("原备注");
        QVERIFY(GetAutoDiscountSet(from, to, discount, comment, {}, false));
        QCOMPARE(refusals, (QStringList{QStringLiteral("提示|数据输入不完整，不能保存！"),
                                        QStringLiteral("提示|累计折扣设置的折扣错误,不能保存"),
                                        QStringLiteral("输入错误|输入折扣必须在0至100之间，但不能为0！"),
                                        QStringLiteral("输入不完整|累计折扣的结束金额不能小于开始金额，不能保存!"),
                                        QStringLiteral("提示|累计折扣设置的开始金额不能为0")}));
        QCOMPARE(from, 100.0);
        QCOMPARE(to, 100.0);
        QCOMPARE(discount, 95.0);
        QCOMPARE(comment, QStringLiteral("原备注"));
        QCOMPARE(driver.leftOpen(), 0);
    }

    void callersCheckCanKeepTheEditorOpen() {
        ModalDriver driver;
        ScriptedMessages boxes;
        int asked = 0;
        bool allow = false;
        const BandCheck check = [&](double from, double to, bool flag) {
            ++asked;
            return allow && from == 10.0 && to == 20.5 && flag;
        };
        driver.setNextHandler([&](QDialog& d) {
            QCOMPARE(d.findChild<QLineEdit*>(QStringLiteral("edtBegin"))->text(), QStringLiteral("10.00"));
            type(d, "edtEnd", QStringLiteral("20.5"));
            press(d, "btnOK");
            QVERIFY(d.isVisible());
            allow = true;
            press(d, "btnOK");
        });
        double from = 10, to = 0, discount = 90;
        QString comment;
        QVERIFY(GetAutoDiscountSet(from, to, discount, comment, check, true));
        QCOMPARE(asked, 2);
        QCOMPARE(to, 20.5);
        QCOMPARE(boxes.shown().size(), 0);

        driver.setNextHandler([&](QDialog& d) { press(d, "btnExit"); });
        to = 1;
        QVERIFY(!GetAutoDiscountSet(from, to, discount, comment, check, true));
        QCOMPARE(to, 1.0);
    }

    void pointsBandBaseMustFitTheBand() {
        ModalDriver driver;
        ScriptedMessages boxes;
        driver.setNextHandler([&](QDialog& d) {
            type(d, "edtBegin", QStringLiteral("0"));
            type(d, "edtEnd", QStringLiteral("100"));
            type(d, "edtIntegral", QStringLiteral("2"));
            type(d, "edtBase", QStringLiteral("150"));
            press(d, "btnOK");
            QCOMPARE(boxes.last().text, QStringLiteral("设置的积分基数应<或=（金额至-金额开始），"));
            QCOMPARE(boxes.last().caption, QStringLiteral("输入错误"));
            type(d, "edtBase", QStringLiteral("abc")); // refused keys: the field stays empty
            QCOMPARE(d.findChild<QLineEdit*>(QStringLiteral("edtBase"))->text(), QString());
            press(d, "btnOK");
            QCOMPARE(boxes.last().text, QStringLiteral("数据输入不完整，不能保存！"));
            type(d, "edtBase", QStringLiteral("0"));
            press(d, "btnOK");
            QCOMPARE(boxes.last().text, QStringLiteral("积分基数为0不能保存，请重新输入!"));
            type(d, "edtBase", QStringLiteral("100"));
            press(d, "btnOK");
        });
        double from = 0, to = 0, base = 0, points = 0;
        QString comment;
        QVERIFY(GetVipIntegralSet(from, to, base, points, comment, {}, false));
        QCOMPARE(to, 100.0);
        QCOMPARE(base, 100.0);
        QCOMPARE(points, 2.0);
        QCOMPARE(boxes.shown().size(), 3);
    }

    void memberDayPicker() {
        ModalDriver driver;
        driver.setNextHandler([&](QDialog& d) {
            QCOMPARE(ticked(d), (QStringList{QStringLiteral("星期二"), QStringLiteral("星期五")}));
            press(d, "btnOK");
        });
        QCOMPARE(ShowVipdaySel(QStringLiteral("星期二,星期五"), 2), QStringLiteral("星期二,星期五"));

        driver.setNextHandler([&](QDialog& d) {
            QCOMPARE(ticked(d), (QStringList{QStringLiteral("1"), QStringLiteral("15"), QStringLiteral("31")}));
            press(d, "btnInvert");
            QCOMPARE(ticked(d).size(), 28);
            press(d, "btnAll");
            press(d, "btnInvert");
            auto* days = d.findChild<QListWidget*>(QStringLiteral("lstDays"));
            days->item(6)->setCheckState(Qt::Checked);
            days->item(1)->setCheckState(Qt::Checked);
            press(d, "btnOK");
        });
        QCOMPARE(ShowVipdaySel(QStringLiteral("1,15,31,x,0,32"), 1), QStringLiteral("2,7"));

        driver.setNextHandler([&](QDialog& d) {
            press(d, "btnAll");
            press(d, "btnExit");
        });
        QCOMPARE(ShowVipdaySel(QStringLiteral("3"), 1), QStringLiteral("3"));
    }
};

QTEST_MAIN(CardTypeRuleDialogsTest)
#include "tst_CardTypeRuleDialogs.moc"
