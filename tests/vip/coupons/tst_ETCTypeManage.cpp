#include "host/sdk/BitValue.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/CallQueryClass.h"
#include "host/sdk/ui/TBaseQuery.h"
#include "host/sdk/ui/TQueryGrid.h"
#include "tests/support/DbProbe.h"
#include "tests/support/FlowFixture.h"
#include "tests/support/TestRows.h"
#include "tests/support/TestUser.h"
#include "tests/support/UserInput.h"
#include "vip/coupons/CouponTypeExports.h"
#include "vip/frame/PackageEntry.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolBar>
#include <optional>

using namespace UserInput;
using namespace CouponTypeFlag;

namespace {

int scalar(const QString& sql, const QVariantList& params = {}) {
    return dmClient().OpenSQLAsInt(sql, params);
}

int lastType() {
    return scalar(QStringLiteral("SELECT MAX(ID) FROM ETCType"));
}

QList<int> bitsOf(int flags) {
    QList<int> bits;
    for (int bit = 1; bit <= 15; ++bit) {
        if (GetBitValue(flags, bit))
            bits.append(bit);
    }
    return bits;
}

QList<int> storedBits(int id) {
    return bitsOf(scalar(QStringLiteral("SELECT Flags FROM ETCType WHERE ID = ?"), {id}));
}

bool tabShown(QDialog& d, const QString& caption) {
    auto* pages = get<QTabWidget>(d, "pcMain");
    for (int i = 0; i < pages->count(); ++i) {
        if (pages->tabText(i) == caption)
            return pages->isTabVisible(i);
    }
    return false;
}

// The page a user brings up by its tab.
void showPage(QDialog& d, const QString& caption) {
    auto* pages = get<QTabWidget>(d, "pcMain");
    for (int i = 0; i < pages->count(); ++i) {
        if (pages->tabText(i) == caption)
            pages->setCurrentIndex(i);
    }
}

// A click on a cell of a grid; a double click on the first cell of a row.
void clickCell(QTableView* grid, int row, int column) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                      grid->visualRect(grid->model()->index(row, column)).center());
}

void doubleClickRow(QTableView* grid, int row) {
    const QPoint at = grid->visualRect(grid->model()->index(row, 0)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

void press(TBaseQuery* window, const QString& caption) {
    QAction* action = window->GetAction(caption);
    QVERIFY2(action, qPrintable(caption));
    QTest::mouseClick(window->findChild<QToolBar*>()->widgetForAction(action), Qt::LeftButton);
}

void addCard(int typeId, const QString& number) {
    dmClient().ExecuteSQL(QStringLiteral("INSERT INTO ETCList (ETCID, ETCType, CardNo, CreateDate, Flag) "
                                         "VALUES (?, 1, ?, ?, 1)"),
                          {typeId, number, QDateTime(QDate(2025, 3, 1), QTime(9, 0))});
}

} // namespace

class ETCTypeManageTest : public QObject {
    Q_OBJECT
    std::optional<FlowFixture> flow;
    int gold = 0, silver = 0;

    // The editor of the kind on the type, worked by 'user'; whether it saved.
    bool edit(int kind, int id, const std::function<void(QDialog&)>& user, bool readOnly = false) {
        flow->driver().setNextHandler([user](QDialog& d) {
            user(d);
            if (d.isVisible())
                click(d, "btnExit");
        });
        return ShowETCTypeManage(kind, id, readOnly);
    }

    // OK pressed: the text of the box it brought, or nothing.
    QString save(QDialog& d) {
        const qsizetype before = flow->boxes().shown().size();
        click(d, "btnOK");
        return flow->boxes().shown().size() > before ? flow->boxes().last().text : QString();
    }

private slots:
    void initTestCase() { Initialize(); }
    void cleanupTestCase() { Finalize(); }
    void init() {
        flow.emplace();
        gold = TestRows::addCardType(dmClient(), QStringLiteral("金卡"));
        silver = TestRows::addCardType(dmClient(), QStringLiteral("银卡"));
        TestRows::addProduct(dmClient(), QStringLiteral("00001"), QStringLiteral("6901"),
                             QStringLiteral("可乐"));
        TestRows::addProduct(dmClient(), QStringLiteral("00002"), QStringLiteral("6902"),
                             QStringLiteral("雪碧"));
    }
    void cleanup() {
        const int leftOver = flow->unsettled();
        flow.reset();
        QCOMPARE(leftOver, 0);
    }

    // Each kind's own settings go into the flag bits and come back ticked.
    void eachKindSavesItsFlagsAndShowsThemAgain() {
        // Cash: only 雪碧, two coupons per receipt.
        QVERIFY(edit(CouponKind::CashCoupon, 0, [&](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("现金券类型信息"));
            QVERIFY(!tabShown(d, QStringLiteral("许可商品")));
            type(d, "edtName", QStringLiteral("五十元券"));
            type(d, "edtTotal", QStringLiteral("50"));
            type(d, "edtUseLimit", QStringLiteral("2"));
            click(d, "chkPartGoods");
            QVERIFY(tabShown(d, QStringLiteral("许可商品")));
            flow->driver().setNextHandler([](QDialog& products) {
                clickCell(get<QTableView>(products, "GridPtype"), 1, 1);
                click(products, "btnOK");
            });
            click(d, "btnAddGoods");
            QCOMPARE(save(d), QString());
        }));
        const int cash = lastType();
        QCOMPARE(storedBits(cash), (QList<int>{PartialGoods, EarnsPoints, SeveralPerReceipt, HasValue}));
        QCOMPARE(
            dmClient().OpenSQLAsStr(QStringLiteral("SELECT PTypeID FROM ETCTypeGoods WHERE id = ?"), {cash}),
            QStringLiteral("00002"));

        // Discount: silver members only, goods without discount discounted too.
        QVERIFY(edit(CouponKind::DiscountCard, 0, [&](QDialog& d) {
            QVERIFY(!get<QLineEdit>(d, "edtUseLimit")->isVisibleTo(&d));
            QCOMPARE(get<QLineEdit>(d, "edtUseCount")->text(), QStringLiteral("1"));
            type(d, "edtName", QStringLiteral("九折卡"));
            type(d, "edtTotal", QStringLiteral("90"));
            click(d, "chkVipType");
            click(d, "chkNoDiscount");
            showPage(d, QStringLiteral("许可会员卡类型"));
            doubleClickRow(get<QTableView>(d, "gridVipType"), 1);
            QCOMPARE(save(d), QString());
        }));
        const int discount = lastType();
        QCOMPARE(storedBits(discount),
                 (QList<int>{MemberTypes, EarnsPoints, UseCountLimited, HasValue, UndiscountedGoods}));
        QCOMPARE(
            dmClient().OpenSQLAsStr(QStringLiteral("SELECT VIPType FROM ETCType WHERE ID = ?"), {discount}),
            QString::number(silver));

        // Preferential: an amount, one coupon per receipt, bound to a member.
        QVERIFY(edit(CouponKind::PreferentialCoupon, 0, [&](QDialog& d) {
            type(d, "edtName", QStringLiteral("减二十"));
            get<QComboBox>(d, "cbRangType")->setCurrentIndex(1);
            type(d, "edtTotal", QStringLiteral("20"));
            click(d, "chkBindVip");
            QCOMPARE(save(d), QString());
        }));
        const int preferential = lastType();
        QCOMPARE(storedBits(preferential),
                 (QList<int>{EarnsPoints, UseCountLimited, HasValue, BoundToMember, PreferentialAmount}));

        // Opened again, read-only: what was saved, and nothing to save.
        QVERIFY(!edit(
            CouponKind::CashCoupon, cash,
            [](QDialog& d) {
                QVERIFY(get<QCheckBox>(d, "chkPartGoods")->isChecked());
                QVERIFY(tabShown(d, QStringLiteral("许可商品")));
                QCOMPARE(get<QTableView>(d, "gridGoods")->model()->index(0, 1).data().toString(),
                         QStringLiteral("雪碧"));
                QCOMPARE(get<QLineEdit>(d, "edtUseLimit")->text(), QStringLiteral("2"));
                QVERIFY(!get<QPushButton>(d, "btnOK")->isEnabled());
                QVERIFY(!get<QPushButton>(d, "btnAddGoods")->isEnabled());
            },
            true));
        QVERIFY(!edit(CouponKind::DiscountCard, discount, [](QDialog& d) {
            QVERIFY(get<QCheckBox>(d, "chkNoDiscount")->isChecked());
            const QAbstractItemModel* types = get<QTableView>(d, "gridVipType")->model();
            QCOMPARE(types->index(0, 0).data().toString(), QString());
            QCOMPARE(types->index(1, 0).data().toString(), QStringLiteral("√"));
        }));
        QVERIFY(!edit(CouponKind::PreferentialCoupon, preferential, [](QDialog& d) {
            QCOMPARE(get<QComboBox>(d, "cbRangType")->currentIndex(), 1);
            QCOMPARE(get<QLabel>(d, "lblTotal")->text(), QStringLiteral("优惠金额"));
            QCOMPARE(get<QLineEdit>(d, "edtTotal")->text(), QStringLiteral("20"));
            QVERIFY(get<QCheckBox>(d, "chkBindVip")->isChecked());
            QVERIFY(get<QPushButton>(d, "btnOK")->isEnabled());
        }));
    }

    // The checks run in their order, each at its field; the days may reach 2050-01-01
    // and no further. A preferential amount of 150 made a ratio reads 100.
    void checksRunInOrder() {
        const int daysLeft = int(QDate::currentDate().daysTo(QDate(2050, 1, 1)));
        QVERIFY(edit(CouponKind::PreferentialCoupon, 0, [&](QDialog& d) {
            get<QComboBox>(d, "cbRangType")->setCurrentIndex(1);
            type(d, "edtTotal", QStringLiteral("150"));
            get<QComboBox>(d, "cbRangType")->setCurrentIndex(0);
            QCOMPARE(get<QLineEdit>(d, "edtTotal")->text(), QStringLiteral("100"));
            QCOMPARE(get<QLabel>(d, "lblTotalMark")->text(), QStringLiteral("% *"));
            type(d, "edtTotal", QStringLiteral("0"));
            for (const char* box : {"chkPartGoods", "chkVipType", "chkExpiry"})
                click(d, box);
            type(d, "edtDays", QString::number(daysLeft + 1));

            QCOMPARE(save(d), QStringLiteral("名称不能为空"));
            QCOMPARE(d.focusWidget(), get<QLineEdit>(d, "edtName"));
            type(d, "edtName", QStringLiteral("满减券"));
            QCOMPARE(save(d), QStringLiteral("许可商品不能为空"));
            QCOMPARE(d.focusWidget(), get<QTableView>(d, "gridGoods"));
            click(d, "chkPartGoods");
            QCOMPARE(save(d), QStringLiteral("许可会员类型不能为空"));
            doubleClickRow(get<QTableView>(d, "gridVipType"), 0);
            QCOMPARE(save(d), QStringLiteral("必须录入优惠范围"));
            QCOMPARE(d.focusWidget(), get<QLineEdit>(d, "edtTotal"));
            type(d, "edtTotal", QStringLiteral("10"));
            QCOMPARE(save(d), QStringLiteral("生效后天数设置过大，不能保存"));
            QCOMPARE(d.focusWidget(), get<QLineEdit>(d, "edtDays"));
            type(d, "edtDays", QStringLiteral("0"));
            QCOMPARE(save(d), QStringLiteral("生效后天数设置不能为0"));
            type(d, "edtDays", QString::number(daysLeft));
            QCOMPARE(save(d), QString());
        }));
        const int id = lastType();
        QCOMPARE(scalar(QStringLiteral("SELECT VallidityDay FROM ETCType WHERE ID = ?"), {id}), daysLeft);
        QCOMPARE(storedBits(id),
                 (QList<int>{MemberTypes, EarnsPoints, ExpiryControlled, UseCountLimited, HasValue}));
        QCOMPARE(DbProbe::count(dmClient(), QStringLiteral("ETCTypeGoods")), 0);
    }

    // Voided types are red in the list, open with Save off and took their cards with
    // them; a type with cards is not deleted; a pick hands the type on.
    void listVoidsDeletesAndPicks() {
        QVERIFY(edit(CouponKind::CashCoupon, 0, [&](QDialog& d) {
            type(d, "edtName", QStringLiteral("五十元券"));
            type(d, "edtTotal", QStringLiteral("50"));
            QCOMPARE(save(d), QString());
        }));
        const int used = lastType();
        QVERIFY(edit(CouponKind::CashCoupon, 0, [&](QDialog& d) {
            type(d, "edtName", QStringLiteral("百元券"));
            type(d, "edtTotal", QStringLiteral("100"));
            QCOMPARE(save(d), QString());
        }));
        addCard(used, QStringLiteral("Q001"));
        addCard(used, QStringLiteral("Q002"));
        // The cash coupon list's actions need its right.
        TestUser clerk(flow->data(), QStringLiteral("clerk"), {837});

        TParamObject params;
        flow->driver().setNextHandler([&](QDialog& dialog) {
            auto* w = dialog.findChild<TBaseQuery*>();
            QCOMPARE(w->RowCount(), 2);
            QCOMPARE(w->GetAction(QStringLiteral("选择")), nullptr);
            flow->boxes().setNextAnswer(IDYES);
            press(w, QStringLiteral("删除"));
            QCOMPARE(flow->boxes().last().text, QStringLiteral("该类型已经使用，不能删除"));

            flow->boxes().setNextAnswer(IDYES);
            flow->boxes().setNextAnswer(IDYES);
            press(w, QStringLiteral("作废"));
            QCOMPARE(flow->boxes().last().text,
                     QStringLiteral("该类型已经使用，是否继续作废？作废会将该类型下的购物卡全部作废！"));
            QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM ETCList WHERE Flag = 3")), 2);
            QCOMPARE(
                scalar(QStringLiteral("SELECT UserRec FROM syslog WHERE Kind = ?"), {LogKind::CouponCards}),
                clerk.rec());
            const QAbstractItemModel* rows = w->GetMainGrid()->model();
            QCOMPARE(rows->index(0, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
            QVERIFY(!rows->index(1, 0).data(Qt::ForegroundRole).isValid());
            QCOMPARE(w->GData(QStringLiteral("EnabledName"), 0), QStringLiteral("作废"));

            flow->boxes().setNextAnswer(IDYES);
            flow->driver().setNextHandler([](QDialog& d) {
                QCOMPARE(get<QLineEdit>(d, "edtName")->text(), QStringLiteral("五十元券"));
                QVERIFY(!get<QPushButton>(d, "btnOK")->isEnabled());
                click(d, "btnExit");
            });
            w->GetMainGrid()->SetCurrentRow(0);
            press(w, QStringLiteral("修改"));
            QCOMPARE(flow->boxes().last().text,
                     QStringLiteral(
                         "该类型已经使用，修改‘金额’及‘过期设置’将不会影响此前添加的现金券，是否继续修改？"));
            QTest::keyClick(w->GetMainGrid(), Qt::Key_Escape);
        });
        QCOMPARE(CallQueryClass(QStringLiteral("TETCCashQuery"), params), mrCancel);

        // The exchange set-up's pick: types in use only.
        params.Add(QStringLiteral("@SelectOneRow"), 1);
        params.Add(QStringLiteral("@FormStyle"), 1);
        params.Add(QStringLiteral("@Enable"), 1);
        flow->driver().setNextHandler([](QDialog& dialog) {
            auto* w = dialog.findChild<TBaseQuery*>();
            QCOMPARE(w->RowCount(), 1);
            QTest::keyClick(w->GetMainGrid(), Qt::Key_Return);
        });
        QCOMPARE(CallQueryClass(QStringLiteral("TETCCashQuery"), params), mrOk);
        QCOMPARE(params.AsString(QStringLiteral("@NAME")), QStringLiteral("百元券"));
        QCOMPARE(params.AsMoney(QStringLiteral("@Total")), Money::fromUnits(100));
        QCOMPARE(params.AsString(QStringLiteral("@TPosName")), QStringLiteral("全部门店"));
        QCOMPARE(params.AsInteger(QStringLiteral("@ID")), used + 1);
    }
};

QTEST_MAIN(ETCTypeManageTest)
#include "tst_ETCTypeManage.moc"
