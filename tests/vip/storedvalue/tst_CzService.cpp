#include "host/sdk/DataModule.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/TQueryGrid.h"
#include "tests/support/FlowFixture.h"
#include "tests/support/RecordingLink.h"
#include "tests/support/RecordingPrint.h"
#include "tests/support/TestRows.h"
#include "tests/support/TestUser.h"
#include "tests/support/UserInput.h"
#include "vip/storedvalue/ServiceExports.h"
#include "vip/storedvalue/TfrmCzService.h"
#include "vip/storedvalue/TfrmCzServiceConsume.h"
#include "vip/storedvalue/TvipCardSrvConsumeQuery.h"
#include "vip/storedvalue/VipCzStore.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QTest>
#include <QUuid>
#include <optional>

using UserInput::click;
using UserInput::get;
using UserInput::type;

namespace {

// A count typed into a grid cell, as the cell editor hands it over.
void enterCell(ServiceGridModel* model, int row, const QString& field, const QString& text) {
    model->setData(model->index(row, model->ColumnOf(field)), text);
}

QString cell(ServiceGridModel* model, int row, const QString& field) {
    return model->TextAt(row, field);
}

// Picks the account of that name in the account selection.
void pickAccount(QDialog& picker, const QString& name) {
    auto* grid = picker.findChild<TQueryGrid*>();
    for (int r = 0; r < grid->GridModel()->rowCount(); ++r)
        if (grid->GridModel()->Text(r, QStringLiteral("FullName")) == name)
            grid->SetCurrentRow(r);
    click(picker, "btnOK");
}

} // namespace

class CzServiceTest : public QObject {
    Q_OBJECT

    std::optional<FlowFixture> flow;
    std::optional<TestUser> clerk;
    int cardType = 0;
    int item = 0;
    int cashRec = 0;

    QStringList said() {
        QStringList list;
        for (const ScriptedMessages::Box& box : flow->boxes().shown())
            list << box.caption + QLatin1Char('|') + box.text;
        flow->boxes().clear();
        return list;
    }
    int addCard(const QString& cardNo) {
        const int id =
            TestRows::addCard(flow->data(), {.cardNo = cardNo, .cardType = cardType, .storedValue = true});
        flow->data().ExecuteSQL(
            QStringLiteral("UPDATE vipcard SET IsLife = 1, VipCzService = 1 WHERE id = ?"), {id});
        return id;
    }
    int uses(const QString& cardNo) {
        return flow->data().OpenSQLAsInt(
            QStringLiteral("SELECT COALESCE(SUM(s.remainTimes), 0) FROM vipCardService s "
                           "JOIN vipcard c ON c.id = s.VipCardId WHERE c.CardNo = ?"),
            {cardNo});
    }
    int adjust(const QString& cardNo, int changeType, int count) {
        return VipCzStore(flow->data())
            .AdjustUses({cardNo,
                         changeType,
                         item,
                         count,
                         {},
                         {},
                         0,
                         0,
                         QUuid::createUuid().toString(QUuid::WithoutBraces)});
    }

private slots:
    void init() {
        flow.emplace();
        DataModule& data = flow->data();
        cardType = TestRows::addCardType(data, QStringLiteral("次卡"));
        TestRows::addAccount(data, QStringLiteral("00001"), QStringLiteral("00000"), QStringLiteral("现金"));
        cashRec = TestRows::addAccount(data, QLatin1String(ServiceAccount::SaleDefault),
                                       QStringLiteral("00001"), QStringLiteral("储值收款"));
        TestRows::addAccount(data, QLatin1String(ServiceAccount::MemberStoredValue), QStringLiteral("00000"),
                             QStringLiteral("会员储值"));
        item = TestRows::addProduct(data, QStringLiteral("00001"), QStringLiteral("FW01"),
                                    QStringLiteral("足疗"));
        TestRows::addServiceItem(data, item, Money::fromUnits(10),
                                 {{10, Money::fromUnits(8), 1, -1}, {20, Money::fromUnits(7), 3, 30}});
        clerk.emplace(data, QStringLiteral("clerk"), QList<int>{906, 907, 908, 909});
        Ucomvar().szLoginUserName = QStringLiteral("收银员甲");
    }
    void cleanup() {
        clerk.reset();
        const int leftOver = flow->unsettled();
        flow.reset();
        QCOMPARE(leftOver, 0);
    }

    // Ten treatments and more: the row follows the ladder as the count is typed.
    // Paid from the card's stored value, a refund another cashier just made leaves
    // too little and the sale is refused with the dialog open; paid in cash it goes
    // through, tells the head office and prints the receipt.
    void saleFromStoredValueAfterAConcurrentRefund() {
        const int id = addCard(QStringLiteral("C1"));
        VipCzStore store(flow->data());
        const auto move = [&](DataModule& data, int changeType, Money amount) {
            return VipCzStore(data)
                .Operate({.cardNo = QStringLiteral("C1"),
                          .changeType = changeType,
                          .amount = amount,
                          .gift = Money(),
                          .accountRec = cashRec,
                          .date = QDate::currentDate().toString(Qt::ISODate),
                          .operationId = QUuid::createUuid().toString()})
                .result;
        };
        QCOMPARE(move(flow->data(), StoredValueChange::Recharge, Money::fromUnits(400)), 0);
        RecordingPrint printer;
        RecordingLink link;
        flow->driver().setNextHandler([&](QDialog& d) {
            auto& dialog = dynamic_cast<TfrmCzService&>(d);
            ServiceGridModel* grid = dialog.Grid();
            dialog.SetItem(0, item);
            QCOMPARE(cell(grid, 0, QStringLiteral("oncePrice")), QStringLiteral("10.00"));
            enterCell(grid, 0, QStringLiteral("BuyTimes"), QStringLiteral("45"));
            QCOMPARE(cell(grid, 0, QStringLiteral("oncePrice")), QStringLiteral("7.00"));
            QCOMPARE(cell(grid, 0, QStringLiteral("gainTimes")), QStringLiteral("6"));
            QCOMPARE(cell(grid, 0, QStringLiteral("money")), QStringLiteral("315.00"));
            QCOMPARE(cell(grid, 0, QStringLiteral("ValidityPeriod")),
                     QDate::currentDate().addDays(30).toString(Qt::ISODate));
            QCOMPARE(get<QLabel>(d, "lblMoney")->text(), QStringLiteral("315.00"));
            flow->driver().setNextHandler(
                [](QDialog& picker) { pickAccount(picker, QStringLiteral("会员储值")); });
            click(d, "btnZH");
            const std::unique_ptr<DataModule> other = flow->db().openAnother();
            QCOMPARE(move(*other, StoredValueChange::Refund, Money::fromUnits(100)), 0);
            flow->boxes().setNextAnswer(IDOK);
            click(d, "btnSave");
            QCOMPARE(said(), QStringList{QStringLiteral(
                                 "提示|充值失败，退款金额大于当前可用余额，请重新保存或放弃本次操作。")});
            QVERIFY(d.isVisible());
            QCOMPARE(cell(grid, 0, QStringLiteral("BuyTimes")), QStringLiteral("45"));
            flow->driver().setNextHandler(
                [](QDialog& picker) { pickAccount(picker, QStringLiteral("储值收款")); });
            click(d, "btnZH");
            click(d, "btnSavePrint");
        });
        bool saved = false;
        ShowCzService(QStringLiteral("C1"), true, false, saved);
        QVERIFY(saved);
        QCOMPARE(uses(QStringLiteral("C1")), 51);
        QCOMPARE(flow->data()
                     .OpenSQLAsStr(QStringLiteral("SELECT Cz FROM vipcard WHERE id = ?"), {id})
                     .toLongLong(),
                 Money::fromUnits(300).raw());
        QCOMPARE(printer.name, QStringLiteral("会员卡项目充值.Rwx"));
        QVERIFY(printer.itemTexts().contains(QStringLiteral("金额合计=315.00")));
        QCOMPARE(link.operations().filter(QStringLiteral("Svr")),
                 (QStringList{QStringLiteral("SvrDetailTmpInsert"), QStringLiteral("SvrMainInsert")}));
    }

    // A card holding one item opens with it in the first row and a count of 1;
    // spending 5 of 3 is refused naming the row, 3 of 3 goes through.
    void consumptionRefusesMoreThanHeld() {
        addCard(QStringLiteral("C1"));
        QCOMPARE(adjust(QStringLiteral("C1"), StoredValueChange::UsesAdded, 3), 0);
        flow->driver().setNextHandler([&](QDialog& d) {
            auto& dialog = dynamic_cast<TfrmCzServiceConsume&>(d);
            ServiceGridModel* grid = dialog.Grid();
            QCOMPARE(cell(grid, 0, QStringLiteral("PFULLNAME")), QStringLiteral("足疗"));
            QCOMPARE(cell(grid, 0, QStringLiteral("ConsumeTimes")), QStringLiteral("1"));
            QCOMPARE(cell(grid, 0, QStringLiteral("ValidityTimes")), QStringLiteral("3"));
            enterCell(grid, 0, QStringLiteral("ConsumeTimes"), QStringLiteral("5"));
            flow->boxes().setNextAnswer(IDOK);
            click(d, "btnSave");
            QCOMPARE(said(), QStringList{QStringLiteral("提示|第1行，消费次数(5)不能大于有效次数(3)！")});
            enterCell(grid, 0, QStringLiteral("ConsumeTimes"), QStringLiteral("3"));
            click(d, "btnSave");
        });
        bool saved = false;
        ShowCzServiceConsume(QStringLiteral("C1"), true, false, false, saved);
        QVERIFY(saved);
        QCOMPARE(uses(QStringLiteral("C1")), 0);
    }

    // From the list of uses: a decrease beyond what the chosen rows hold, and an
    // increase expiring today, are refused; expiring tomorrow the uses last today.
    void timesAdjustmentFromTheList() {
        addCard(QStringLiteral("C1"));
        addCard(QStringLiteral("C2"));
        QCOMPARE(adjust(QStringLiteral("C1"), StoredValueChange::UsesAdded, 3), 0);
        QCOMPARE(adjust(QStringLiteral("C2"), StoredValueChange::UsesAdded, 8), 0);
        TvipCardSrvConsumeQuery list;
        list.Open();
        QCOMPARE(list.RowCount(), 2);
        list.GetMainGrid()->selectAll();
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        flow->driver().setNextHandler([&](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("次数调整"));
            click(d, "chkDecrease");
            QVERIFY(!get<QCheckBox>(d, "chkIncrease")->isChecked());
            type(d, "edtTimes", QStringLiteral("4"));
            flow->boxes().setNextAnswer(IDOK);
            click(d, "btnOK");
            click(d, "chkIncrease");
            click(d, "chkExpiry");
            get<QDateEdit>(d, "dtpExpiry")->setDate(QDate::currentDate());
            flow->boxes().setNextAnswer(IDOK);
            click(d, "btnOK");
            get<QDateEdit>(d, "dtpExpiry")->setDate(QDate::currentDate().addDays(1));
            type(d, "edtReason", QStringLiteral("补偿"));
            click(d, "btnOK");
        });
        list.GetAction(QStringLiteral("次数调整[&A]"))->trigger();
        QCOMPARE(
            said(),
            (QStringList{QStringLiteral("提示|调减次数不能大于剩余次数(3)"),
                         QStringLiteral("提示|失效日期(%1)必须大于当前日期(%1)，请重新选择！").arg(today)}));
        QCOMPARE(flow->data().OpenSQLAsInt(
                     QStringLiteral("SELECT COUNT(*) FROM vipCardService WHERE ValidityPeriod = ? "
                                    "AND remainTimes = 4"),
                     {QDate::currentDate()}),
                 2);
        QCOMPARE(list.GData(QStringLiteral("remainTimes"), 0), QStringLiteral("7"));
    }
};

QTEST_MAIN(CzServiceTest)
#include "tst_CzService.moc"
