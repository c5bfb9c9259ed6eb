#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/Transaction.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/KeyFilter.h"
#include "host/sdk/ui/PrintService.h"
#include "host/sdk/ui/TBaseDialog.h"
#include "host/ui/DesktopMessages.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TestDatabase.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QVBoxLayout>

namespace {

QString setting(const QString& name) {
    return dmClient().OpenSQLAsStr(QStringLiteral("SELECT SubValue FROM sysdata WHERE SubName = ?"), {name});
}

int settingCount() {
    return dmClient().OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM sysdata"));
}

// A small entry dialog as the module writes them: fields in tab order, a grid, a
// memo, and a save button whose handler writes two settings in one transaction.
class EntryDialog final : public TBaseDialog {
public:
    EntryDialog() {
        auto* layout = new QVBoxLayout(this);
        for (const char* name : {"NameEdit", "AmountEdit"}) {
            auto* edit = new QLineEdit(this);
            edit->setObjectName(QLatin1String(name));
            layout->addWidget(edit);
        }
        auto* kind = new QComboBox(this);
        kind->setObjectName(QStringLiteral("KindCombo"));
        kind->addItems({QStringLiteral("现金"), QStringLiteral("储值"), QStringLiteral("积分")});
        layout->addWidget(kind);
        auto* memo = new QPlainTextEdit(this);
        memo->setObjectName(QStringLiteral("MemoEdit"));
        memo->setTabChangesFocus(true);
        layout->addWidget(memo);
        auto* grid = new QTableWidget(3, 2, this);
        grid->setObjectName(QStringLiteral("DetailGrid"));
        grid->setTabKeyNavigation(false);
        layout->addWidget(grid);
        auto* tel = new QLineEdit(this);
        tel->setObjectName(QStringLiteral("TelEdit"));
        layout->addWidget(tel);
        auto* save = new QPushButton(QStringLiteral("保存[&S]"), this);
        save->setObjectName(QStringLiteral("SaveButton"));
        layout->addWidget(save);
        ConnectGuarded(save, &QPushButton::clicked, this, &EntryDialog::OnSave);
        SetKeyFilter(field("AmountEdit"), KeyFilter::DigitsDot);
        SetKeyFilter(field("TelEdit"), KeyFilter::Digits);
    }

    QLineEdit* field(const char* name) const { return findChild<QLineEdit*>(QLatin1String(name)); }

    QString printTemplate;

protected:
    QString PrintTemplateName() const override { return printTemplate; }
    void PrintItems(TParamObject& items) const override {
        items.Add(QStringLiteral("@Name"), field("NameEdit")->text());
        items.Add(QStringLiteral("@Amount"), field("AmountEdit")->text());
    }

private:
    void OnSave() {
        const QString name = field("NameEdit")->text();
        if (name.isEmpty())
            ShowErrorAndAbort(QStringLiteral("名称不能为空。"), QStringLiteral("提示"));
        Transaction transaction(dmClient());
        dmClient().ExecuteSQL(QStringLiteral("INSERT INTO sysdata (SubName, SubValue) VALUES (?, ?)"),
                              {QStringLiteral("amount"), field("AmountEdit")->text()});
        // The name is the key of the second row: a name already stored fails here,
        // after the first row was written.
        dmClient().ExecuteSQL(QStringLiteral("INSERT INTO sysdata (SubName, SubValue) VALUES (?, ?)"),
                              {name, field("TelEdit")->text()});
        transaction.Commit();
        SetModalResult(mrOk);
    }
};

class RecordingPrinter final : public PrintService {
public:
    RecordingPrinter() { PrintService::install(this); }
    ~RecordingPrinter() override { PrintService::install(nullptr); }
    void print(const QString& templateName, const TParamObject& items, const QAbstractItemModel*) override {
        templates.append(templateName);
        lastItems = items;
    }
    QStringList templates;
    TParamObject lastItems;
};

QWidget* focused(QDialog& dialog) {
    return dialog.focusWidget();
}

void press(QDialog& dialog, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(dialog.focusWidget(), key, modifiers);
}

} // namespace

class DialogBaseTest : public QObject {
    Q_OBJECT

private slots:
    void enterDownAndUpMoveThroughFields() {
        TestDatabase db;
        ModalDriver driver;
        EntryDialog dialog;
        driver.setNextHandler([](QDialog& shown) {
            auto& d = static_cast<EntryDialog&>(shown);
            d.field("NameEdit")->setFocus();
            QTest::keyClicks(d.field("NameEdit"), QStringLiteral("Wang"));
            press(d, Qt::Key_Return);
            QCOMPARE(focused(d), d.field("AmountEdit"));
            // Enter on a field must not fall through to the dialog's default button.
            QVERIFY(d.isVisible());
            press(d, Qt::Key_Down);
            auto* kind = d.findChild<QComboBox*>(QStringLiteral("KindCombo"));
            QCOMPARE(focused(d), kind);
            // A closed combo box gives Down up to the dialog instead of changing its item.
            press(d, Qt::Key_Down);
            QCOMPARE(kind->currentIndex(), 0);
            auto* memo = d.findChild<QPlainTextEdit*>(QStringLiteral("MemoEdit"));
            QCOMPARE(focused(d), memo);
            // A multi-line edit keeps Enter, Down and Up.
            QTest::keyClicks(memo, QStringLiteral("ab"));
            press(d, Qt::Key_Enter, Qt::KeypadModifier);
            press(d, Qt::Key_Up);
            QCOMPARE(focused(d), memo);
            QCOMPARE(memo->toPlainText(), QStringLiteral("ab\n"));
            press(d, Qt::Key_Tab);
            // So does a grid: Down moves its current row.
            auto* grid = d.findChild<QTableWidget*>(QStringLiteral("DetailGrid"));
            QCOMPARE(focused(d), grid);
            grid->setCurrentCell(0, 0);
            press(d, Qt::Key_Down);
            QCOMPARE(focused(d), grid);
            QCOMPARE(grid->currentRow(), 1);
            // Even on its last row, where the grid lets Down pass up to its parents.
            grid->setCurrentCell(2, 0);
            press(d, Qt::Key_Down);
            QCOMPARE(focused(d), grid);
            press(d, Qt::Key_Tab);
            QCOMPARE(focused(d), d.field("TelEdit"));
            press(d, Qt::Key_Up);
            QCOMPARE(focused(d), grid);
            d.field("AmountEdit")->setFocus();
            press(d, Qt::Key_Up);
            QCOMPARE(focused(d), d.field("NameEdit"));
            // With a modifier the key is not navigation.
            press(d, Qt::Key_Down, Qt::ShiftModifier);
            QCOMPARE(focused(d), d.field("NameEdit"));
            QCOMPARE(d.field("NameEdit")->text(), QStringLiteral("Wang"));
        });
        QCOMPARE(dialog.ShowModal(), mrCancel);
        QCOMPARE(driver.leftOpen(), 1);
        QCOMPARE(settingCount(), 0);
    }

    void keyFiltersRefuseWhatTheFieldCannotHold() {
        TestDatabase db;
        QLineEdit field;
        const QString typed = QStringLiteral("a1.2-3x 4,");
        const struct {
            KeyFilter filter;
            QString kept;
        } cases[] = {{KeyFilter::Digits, QStringLiteral("1234")},
                     {KeyFilter::DigitsDot, QStringLiteral("1.234")},
                     {KeyFilter::DigitsMinus, QStringLiteral("12-34")},
                     {KeyFilter::DigitsDotMinus, QStringLiteral("1.2-34")}};
        for (const auto& c : cases) {
            // Each filter replaces the one before it on the same field.
            SetKeyFilter(&field, c.filter);
            field.clear();
            QTest::keyClicks(&field, typed);
            QCOMPARE(field.text(), c.kept);
        }
        // Editing keys still work, and pasted text is held to the same characters.
        SetKeyFilter(&field, KeyFilter::Digits);
        field.setText(QStringLiteral("123"));
        QTest::keyClick(&field, Qt::Key_Backspace);
        QCOMPARE(field.text(), QStringLiteral("12"));
        QGuiApplication::clipboard()->setText(QStringLiteral("9a9"));
        QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(field.text(), QStringLiteral("12"));
        QGuiApplication::clipboard()->setText(QStringLiteral("99"));
        QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(field.text(), QStringLiteral("1299"));
    }

    void databaseErrorInHandlerShowsOneBoxAndKeepsDialogOpen() {
        TestDatabase db;
        db.data().ExecuteSQL(QStringLiteral("INSERT INTO sysdata (SubName, SubValue) VALUES ('taken', 'x')"));
        ScriptedMessages boxes;
        ModalDriver driver;
        EntryDialog dialog;
        driver.setNextHandler([&](QDialog& shown) {
            auto& d = static_cast<EntryDialog&>(shown);
            auto* save = d.findChild<QPushButton*>(QStringLiteral("SaveButton"));
            // An empty name is refused by the handler itself: its own box, nothing more.
            QTest::mouseClick(save, Qt::LeftButton);
            QCOMPARE(boxes.shown().size(), 1);
            QCOMPARE(boxes.last().caption, QStringLiteral("提示"));
            QVERIFY(d.isVisible());

            QTest::keyClicks(d.field("NameEdit"), QStringLiteral("taken"));
            QTest::keyClicks(d.field("AmountEdit"), QStringLiteral("12.5"));
            QTest::mouseClick(save, Qt::LeftButton);
            QCOMPARE(boxes.shown().size(), 2);
            QCOMPARE(boxes.last().caption, QStringLiteral("错误"));
            QCOMPARE(boxes.last().style & MB::IconMask, MB::IconError);
            QVERIFY(!boxes.last().text.isEmpty());
            QVERIFY(d.isVisible());
            QCOMPARE(d.field("NameEdit")->text(), QStringLiteral("taken"));
            // The first insert of the failed save was undone with it.
            QCOMPARE(setting(QStringLiteral("amount")), QString());
            QCOMPARE(settingCount(), 1);

            // Corrected, the same dialog saves and closes; the accelerator works too.
            d.field("NameEdit")->setText(QStringLiteral("O'Brien; --"));
            QTest::keyClick(d.field("NameEdit"), Qt::Key_S, Qt::AltModifier);
            // A button's accelerator clicks it after a short press animation.
            QTRY_VERIFY(!d.isVisible());
        });
        QCOMPARE(dialog.ShowModal(), mrOk);
        QCOMPARE(boxes.shown().size(), 2);
        QCOMPARE(driver.leftOpen(), 0);
        QCOMPARE(setting(QStringLiteral("amount")), QStringLiteral("12.5"));
        QCOMPARE(settingCount(), 3);
    }

    void printFillsTheDialogsTemplate() {
        TestDatabase db;
        ScriptedMessages boxes;
        ModalDriver driver;
        EntryDialog dialog;
        driver.setNextHandler([&](QDialog& shown) {
            auto& d = static_cast<EntryDialog&>(shown);
            d.field("NameEdit")->setText(QStringLiteral("张三"));
            QTest::keyClicks(d.field("AmountEdit"), QStringLiteral("30"));
            // A dialog without a template has nothing to print, printer or not.
            QTest::keyClick(d.field("NameEdit"), Qt::Key_P, Qt::ControlModifier);
            QCOMPARE(boxes.shown().size(), 0);
            // With a template but no print engine the user is told so.
            d.printTemplate = QStringLiteral("充值小票");
            QTest::keyClick(d.field("NameEdit"), Qt::Key_P, Qt::ControlModifier);
            QCOMPARE(boxes.shown().size(), 1);
            QCOMPARE(boxes.last().caption, QStringLiteral("错误"));
            RecordingPrinter printer;
            QTest::keyClick(d.field("NameEdit"), Qt::Key_P, Qt::ControlModifier);
            QCOMPARE(printer.templates, QStringList{QStringLiteral("充值小票")});
            QCOMPARE(printer.lastItems.AsString(QStringLiteral("@Name")), QStringLiteral("张三"));
            QCOMPARE(printer.lastItems.AsMoney(QStringLiteral("@Amount")), Money::fromUnits(30));
            QVERIFY(d.isVisible());
            QTest::keyClick(d.field("NameEdit"), Qt::Key_Escape);
        });
        QCOMPARE(dialog.ShowModal(), mrCancel);
        QCOMPARE(driver.leftOpen(), 0);
        QCOMPARE(boxes.shown().size(), 1);
    }

    void desktopBoxesAnswerWithChineseButtons() {
        TestDatabase db;
        ModalDriver driver;
        DesktopMessages desktop;
        MessageService::install(&desktop);
        const auto buttonTexts = [](QMessageBox& box) {
            QStringList texts;
            for (QAbstractButton* button : box.buttons())
                texts.append(button->text());
            texts.sort();
            return texts;
        };
        const auto click = [](QMessageBox& box, const QString& text) {
            for (QAbstractButton* button : box.buttons()) {
                if (button->text() == text)
                    QTest::mouseClick(button, Qt::LeftButton);
            }
        };
        driver.setNextHandler([&](QDialog& shown) {
            auto& box = static_cast<QMessageBox&>(shown);
            QCOMPARE(box.windowTitle(), QStringLiteral("提示"));
            QCOMPARE(box.text(), QStringLiteral("确认删除吗？"));
            QCOMPARE(box.icon(), QMessageBox::Question);
            QCOMPARE(buttonTexts(box), (QStringList{QStringLiteral("否"), QStringLiteral("是")}));
            click(box, QStringLiteral("否"));
        });
        QVERIFY(!Question(QStringLiteral("确认删除吗？")));
        driver.setNextHandler([&](QDialog& shown) {
            auto& box = static_cast<QMessageBox&>(shown);
            QCOMPARE(box.icon(), QMessageBox::Warning);
            QCOMPARE(buttonTexts(box), (QStringList{QStringLiteral("取消"), QStringLiteral("确定")}));
            QTest::keyClick(&box, Qt::Key_Escape);
        });
        QCOMPARE(
            Messagebox(QStringLiteral("继续吗？"), QStringLiteral("警告!"), MB::OkCancel | MB::IconWarning),
            IDCANCEL);
        driver.setNextHandler([&](QDialog& shown) {
            auto& box = static_cast<QMessageBox&>(shown);
            QCOMPARE(box.icon(), QMessageBox::Critical);
            QCOMPARE(buttonTexts(box), QStringList{QStringLiteral("确定")});
            QTest::keyClick(&box, Qt::Key_Return);
        });
        ShowError(ErrorWriteDb);
        driver.setNextHandler(
            [&](QDialog& shown) { click(static_cast<QMessageBox&>(shown), QStringLiteral("是")); });
        QCOMPARE(Messagebox(QStringLiteral("保存吗？"), QStringLiteral("提示"), MB::YesNoCancel), IDYES);
        MessageService::install(nullptr);
        QCOMPARE(driver.shown().size(), 4);
        QCOMPARE(driver.leftOpen(), 0);
        QCOMPARE(driver.unhandled(), 0);
    }
};

QTEST_MAIN(DialogBaseTest)
#include "tst_DialogBase.moc"
