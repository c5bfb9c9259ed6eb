#include "host/data/Database.h"
#include "host/db/LedgerAudit.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/Money.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/ui/TBaseQuery.h"
#include "host/sdk/ui/TQueryGrid.h"
#include "tests/support/DbProbe.h"
#include "tests/support/FlowFixture.h"
#include "tests/support/TestRows.h"
#include "tests/support/TestUser.h"
#include "tests/support/UserInput.h"
#include "vip/frame/PackageEntry.h"
#include "vip/members/VipAddListShow.h"

#include <QDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>
#include <optional>

using UserInput::click;
using UserInput::get;

namespace {

void type(QWidget& dialog, const char* name, const QString& value) {
    UserInput::type(dialog, name, value, true);
}

QStringList column(QDialog& d, int column) {
    const QAbstractItemModel* grid = get<QTableView>(d, "SDGData")->model();
    QStringList values;
    for (int row = 0; row < grid->rowCount(); ++row)
        values << grid->index(row, column).data().toString();
    return values;
}

int writtenIn(const QString& message) {
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("成功的生成了(\\d+)张会员卡！$")).match(message);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

} // namespace

class TFrmVipAddListTest : public QObject {
    Q_OBJECT
    std::optional<FlowFixture> flow;
    std::optional<TestUser> clerk;

    void pickType(QDialog& d, const QString& typeName) {
        flow->driver().setNextHandler([typeName](QDialog& picker) {
            auto* window = picker.findChild<TBaseQuery*>();
            QVERIFY(window->SelectRowWhere(QStringLiteral("TypeName"), typeName));
            QTest::keyClick(window->GetMainGrid(), Qt::Key_Return);
        });
        click(d, "btnCardType");
    }
    void numbers(QDialog& d, const QString& width, const QString& start, const QString& step,
                 const QString& quantity) {
        type(d, "ReNumber", width);
        type(d, "ReStart", start);
        type(d, "edtStep", step);
        type(d, "edtNum", quantity);
    }
    // Presses "生成", agrees, presses "中止" once the bar moved when 'abort', and
    // gives the completion message.
    QString run(QDialog& d, bool abort) {
        const qsizetype before = flow->boxes().shown().size();
        flow->boxes().setNextAnswer(IDOK);
        flow->boxes().setNextAnswer(IDOK);
        click(d, "btnGenerate");
        if (abort) {
            if (!QTest::qWaitFor([&] { return get<QProgressBar>(d, "ProgressBar1")->value() > 0; }, 60000))
                qFatal("the run never moved the progress bar");
            if (get<QPushButton>(d, "btnGenerate")->text() != QStringLiteral("中止[&A]"))
                qFatal("the run ended before it could be aborted");
            click(d, "btnGenerate");
        }
        if (!QTest::qWaitFor([&] { return flow->boxes().shown().size() == before + 2; }, 120000))
            qFatal("the run did not end with its message");
        return flow->boxes().last().text;
    }

private slots:
    void initTestCase() { Initialize(); }
    void cleanupTestCase() { Finalize(); }
    void init() {
        flow.emplace();
        TestRows::addCardType(flow->data(), QStringLiteral("金卡"), 95,
                              {{QStringLiteral("IsCZPreferential"), 1}});
        clerk.emplace(flow->data(), QStringLiteral("clerk"), QList<int>{511, 521});
        Ucomvar().bPublicIniCanModify = true;
    }
    void cleanup() {
        clerk.reset();
        const int leftOver = flow->unsettled();
        flow.reset();
        QCOMPARE(leftOver, 0);
    }

    // The rules that decide which numbers a run holds: the width ends the list early,
    // the filter skips serials holding a digit, the step spaces them; a prefix too
    // long for the number column and a step of 0 are refused before anything is written.
    void previewFollowsTheNumberRules() {
        flow->driver().setNextHandler([&](QDialog& d) {
            pickType(d, QStringLiteral("金卡"));
            numbers(d, QStringLiteral("3"), QStringLiteral("998"), QStringLiteral("1"), QStringLiteral("5"));
            click(d, "btnPreview");
            QCOMPARE(column(d, 0), (QStringList{"VIP998", "VIP999"}));
            numbers(d, QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("10"));
            click(d, "CheckBox5");
            type(d, "edtNumber", QStringLiteral("4"));
            click(d, "btnPreview");
            QCOMPARE(column(d, 0), (QStringList{"VIP00", "VIP01", "VIP02", "VIP03", "VIP05", "VIP06", "VIP07",
                                                "VIP08", "VIP09", "VIP10"}));
            click(d, "CheckBox5");
            numbers(d, QStringLiteral("3"), QStringLiteral("5"), QStringLiteral("30"), QStringLiteral("4"));
            click(d, "CheckBox4");
            type(d, "edtDigit", QStringLiteral("1"));
            click(d, "btnPreview");
            QCOMPARE(column(d, 0), (QStringList{"VIP005", "VIP035", "VIP065", "VIP095"}));
            for (const QString& barCode : column(d, 1))
                QVERIFY2(QRegularExpression(QStringLiteral("^VIP\\d{3}[1-8]$")).match(barCode).hasMatch(),
                         qPrintable(barCode));

            flow->boxes().setNextAnswer(IDOK);
            type(d, "edtStep", QStringLiteral("0"));
            click(d, "btnPreview");
            QCOMPARE(flow->boxes().last().text, QStringLiteral("步长必须大于零!"));
            QCOMPARE(column(d, 0), QStringList());
            type(d, "edtStep", QStringLiteral("1"));
            // Fourteen Chinese characters take 28 bytes: with 3 digits the number is too long.
            type(d, "ReAddCard", QStringLiteral("会员卡会员卡会员卡会员卡会员"));
            flow->boxes().setNextAnswer(IDOK);
            click(d, "btnGenerate");
            // The memo's "错误：" line gives way to two blanks before the indented text.
            QCOMPARE(flow->boxes().last().text,
                     QStringLiteral("      会员卡号总位数不能超过30位，请修改后重试！"));
            QCOMPARE(flow->boxes().last().caption, QStringLiteral("错误"));
            click(d, "btnExit");
        });
        QVERIFY(!VipAddListShow(nullptr));
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("vipcard")), 0);
    }

    // An abort leaves whole cards (each with its opening balance row); the run
    // repeated writes the rest and counts the first ones as duplicates.
    void abortedRunIsCompletedByRunningAgain() {
        constexpr int Quantity = 2000;
        int first = 0;
        flow->driver().setNextHandler([&](QDialog& d) {
            pickType(d, QStringLiteral("金卡"));
            type(d, "ReAddCard", QStringLiteral("B"));
            numbers(d, QStringLiteral("5"), QStringLiteral("1"), QStringLiteral("1"),
                    QString::number(Quantity));
            click(d, "rcbVipCz");
            type(d, "RzCz00", QStringLiteral("50"));
            click(d, "btnPreview");
            first = writtenIn(run(d, true));
            QVERIFY2(first > 0 && first < Quantity, qPrintable(QString::number(first)));
            QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("vipcard")), first);
            QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("VipCzChange"), QStringLiteral("Amount = ?"),
                                    {QVariant::fromValue(Money::fromUnits(50))}),
                     first);

            const QString again = run(d, false);
            QCOMPARE(again, QStringLiteral("重复的卡号有%1张，当前的批量添加操作成功的生成了%2张会员卡！")
                                .arg(first)
                                .arg(Quantity - first));
            click(d, "btnExit");
        });
        QVERIFY(VipAddListShow(nullptr));
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("vipcard"), QStringLiteral("CardNo LIKE 'B%'")),
                 Quantity);
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("VipCzChange")), Quantity);
        QCOMPARE(
            DbProbe::count(flow->data(), QStringLiteral("VipChangeInfo"), QStringLiteral("ChangeType = 1")),
            Quantity);
        QCOMPARE(LedgerAudit::run(flow->data().database()).size(), 0);
    }
};

QTEST_MAIN(TFrmVipAddListTest)
#include "tst_TFrmVipAddList.moc"
