#include "host/sdk/DataModule.h"
#include "host/sdk/VRecord.h"
#include "tests/support/FlowFixture.h"
#include "tests/support/TestRows.h"
#include "tests/support/TestUser.h"
#include "tests/support/UserInput.h"
#include "vip/members/ReaderOnlyInput.h"
#include "vip/members/VipCardStore.h"
#include "vip/members/VipSelectExports.h"

#include <QDialog>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <optional>
#include <stdexcept>

using UserInput::click;
using UserInput::get;

namespace {

// A live card written the way the editor writes it, through the card procedure.
void issue(int type, const QString& cardNo, const QString& name, const QDate& issued = QDate(2025, 1, 1)) {
    VipCardStore::CardFields card;
    card.cardNo = cardNo;
    card.name = name;
    card.cardType = type;
    card.bulidDate = issued;
    card.validityDate = QDate(2099, 12, 31);
    card.isLife = true;
    card.autoIntegral = true;
    if (VipCardStore().WriteCard(card) <= 0)
        qFatal("card %s not written", qPrintable(cardNo));
}

int select(VRecord& record, const QString& text) {
    return VIPSelect(record, text, false, false, false, false);
}

} // namespace

class TestVipSelect : public QObject {
    Q_OBJECT

    std::optional<FlowFixture> flow;
    int type = 0;

private slots:
    void init() {
        flow.emplace();
        type = TestRows::addCardType(flow->data(), QStringLiteral("普通卡"));
    }

    void cleanup() {
        QCOMPARE(flow->unsettled(), 0);
        ReaderOnlyInput::SetClock({});
        flow.reset();
    }

    void pinyinInitialsTakeTheFamilyReadingOfTheSurname() {
        const QList<QPair<QString, QString>> names = {{QStringLiteral("单雄信"), QStringLiteral("SXX")},
                                                      {QStringLiteral("曾国藩"), QStringLiteral("ZGF")},
                                                      {QStringLiteral("解缙"), QStringLiteral("XJ")},
                                                      {QStringLiteral("仇英"), QStringLiteral("QY")},
                                                      {QStringLiteral("区志强"), QStringLiteral("OZQ")},
                                                      {QStringLiteral("查良镛"), QStringLiteral("ZLY")},
                                                      {QStringLiteral("尉迟恭"), QStringLiteral("YCG")},
                                                      {QStringLiteral("王小明"), QStringLiteral("WXM")},
                                                      {QStringLiteral("欧阳娜娜"), QStringLiteral("OYNN")},
                                                      {QStringLiteral("Tom 李"), QStringLiteral("TOML")}};
        int n = 0;
        for (const auto& [name, initials] : names) {
            const QString cardNo = QStringLiteral("P%1").arg(++n);
            issue(type, cardNo, name);
            QCOMPARE(flow->data().OpenSQLAsStr(QStringLiteral("SELECT PYZJM FROM vipcard WHERE CardNo = ?"),
                                               {cardNo}),
                     initials);
        }
    }

    void oneMatchIsTakenAtOnceAndManyAreListedAThousandAtMost() {
        TestRows::addCards(flow->data(), 1500); // "会员000001".., 1200 of them activated
        issue(type, QStringLiteral("A1"), QStringLiteral("单雄信"));
        VRecord record;
        // One character of a name, and the initials through the search index, in any case.
        QCOMPARE(select(record, QStringLiteral("雄")), 0);
        QCOMPARE(record.CardNo, QStringLiteral("A1"));
        QCOMPARE(select(record, QStringLiteral("sxx")), 0);
        QCOMPARE(record.Name, QStringLiteral("单雄信"));
        QCOMPARE(record.PYZJM, QStringLiteral("SXX"));
        QVERIFY(flow->driver().shown().isEmpty());
        QCOMPARE(select(record, QStringLiteral("无此人")), 1);
        QCOMPARE(record.CardNo, QStringLiteral("A1"));

        int listed = 0;
        flow->driver().setNextHandler([&](QDialog& list) {
            auto* grid = get<QTableWidget>(list, "grdCards");
            listed = grid->rowCount();
            grid->setCurrentCell(4, 0);
            click(list, "btnSelect");
        });
        QCOMPARE(select(record, QStringLiteral("会员")), 0);
        QCOMPARE(listed, 1000);
        QVERIFY(record.Name.startsWith(QStringLiteral("会员")));
        // The same through the index, and leaving the list.
        flow->driver().setNextHandler([&](QDialog& list) {
            listed = get<QTableWidget>(list, "grdCards")->rowCount();
            click(list, "btnExit");
        });
        QCOMPARE(select(record, QStringLiteral("会员00")), -1);
        QCOMPARE(listed, 1000);
        QCOMPARE(flow->driver().shown(),
                 QStringList({QStringLiteral("Ty_vipselectFm"), QStringLiteral("Ty_vipselectFm")}));
    }

    void withoutRight567OnlyAReadersBurstIsTaken() {
        TestUser clerk(flow->data(), QStringLiteral("clerk"));
        qint64 now = 0;
        qint64 step = 10;
        ReaderOnlyInput::SetClock([&] { return now += step; });
        flow->driver().setNextHandler([&](QDialog& input) {
            auto* cardNo = get<QLineEdit>(input, "edtCardNo");
            QTest::keyClicks(cardNo, QStringLiteral("8001001600000001"));
            QCOMPARE(cardNo->text(), QStringLiteral("8001001600000001"));
            QTest::keyClick(cardNo, Qt::Key_Backspace);
            QVERIFY(cardNo->text().isEmpty());
            step = 200; // a person's pace
            QTest::keyClicks(cardNo, QStringLiteral("123"));
            QCOMPARE(cardNo->text(), QStringLiteral("1"));
            click(input, "btnExit");
        });
        VRecord record;
        QVERIFY(!ShowBillVipCardSel(&record));
    }

    void aBillRefusesACardIssuedTomorrowAndTakesOneIssuedBefore() {
        TestUser cashier(flow->data(), QStringLiteral("cashier"), {567});
        issue(type, QStringLiteral("T1"), QStringLiteral("明日卡"), QDate::currentDate().addDays(1));
        issue(type, QStringLiteral("T2"), QStringLiteral("今日卡"), QDate::currentDate());
        flow->driver().setNextHandler([&](QDialog& input) {
            UserInput::type(input, "edtCardNo", QStringLiteral("T1"));
            click(input, "btnOK");
            QCOMPARE(flow->boxes().last().text, QStringLiteral("这张卡发卡日期小于当前时间，还未启用！"));
            QCOMPARE(flow->boxes().last().caption, QStringLiteral("错误！"));
            QVERIFY(input.isVisible());
            UserInput::type(input, "edtCardNo", QStringLiteral("T2"));
            click(input, "btnOK");
        });
        VRecord record;
        QVERIFY(ShowBillVipCardSel(&record));
        QCOMPARE(record.CardNo, QStringLiteral("T2"));
        QCOMPARE(record.Name, QStringLiteral("今日卡"));

        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, ShowBillVipCardSel(nullptr));
        QCOMPARE(flow->driver().shown(), QStringList{QStringLiteral("TVipCardInputFrm")});
    }
};

QTEST_MAIN(TestVipSelect)
#include "tst_VipSelect.moc"
