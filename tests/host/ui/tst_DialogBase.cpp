#include "host/sdk/DataModule.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/Transaction.h"
#include "host/sdk/ui/Accelerator.h"
#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/KeyFilter.h"
#include "host/sdk/ui/PrintService.h"
#include "host/sdk/ui/TBaseDialog.h"
#include "host/ui/DesktopMessages.h"
#include "host/ui/PrintEngine.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TestDatabase.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QVBoxLayout>

namespace {

int settingCount() {
    return dmClient().OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM sysdata"));
}

// A small entry dialog as the module writes them: fields in tab order, a grid, a
// memo, and a save button whose handler writes two settings in one transaction.
class EntryDialog final : public TBaseDialog {
public:
    EntryDialog() {
        new QVBoxLayout(this);
        place(new QLineEdit, "NameEdit");
        SetKeyFilter(place(new QLineEdit, "AmountEdit"), KeyFilter::DigitsDot);
        place(new QComboBox, "KindCombo")
            ->addItems({QStringLiteral("现金"), QStringLiteral("储值"), QStringLiteral("积分")});
        place(new QPlainTextEdit, "MemoEdit")->setTabChangesFocus(true);
        place(new QTableWidget(3, 2), "DetailGrid")->setTabKeyNavigation(false);
        SetKeyFilter(place(new QLineEdit, "TelEdit"), KeyFilter::Digits);
        ConnectGuarded(place(new QPushButton(QStringLiteral("保存[&S]")), "SaveButton"),
                       &QPushButton::clicked, this, &EntryDialog::OnSave);
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
    // Children are placed one under the other, in tab order.
    template <typename Widget> Widget* place(Widget* widget, const char* name) {
        widget->setObjectName(QLatin1String(name));
        layout()->addWidget(widget);
        return widget;
    }

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

// A dialog of two number fields held to their ranges, confirmed through the base's
// buttons; its confirm stores the count.
class CountDialog final : public TBaseDialog {
public:
    CountDialog() {
        auto* layout = new QVBoxLayout(this);
        QLineEdit* qty = DialogFields::NumberEdit("QtyEdit", KeyFilter::Digits, 6);
        DialogFields::KeepWhole(qty);
        DialogFields::KeepInRange(qty, QStringLiteral("数量"), 1, 100);
        QLineEdit* rate = DialogFields::NumberEdit("RateEdit", KeyFilter::DigitsDot, 8);
        DialogFields::KeepRate(rate);
        DialogFields::KeepInRange(rate, QStringLiteral("折扣"), 0, 100);
        layout->addWidget(qty);
        layout->addWidget(rate);
        layout->addLayout(ConfirmButtons(QStringLiteral("确认[&Y]"), QStringLiteral("退出[&X]"), [this] {
            dmClient().ExecuteSQL(QStringLiteral("INSERT INTO sysdata (SubName, SubValue) VALUES ('qty', ?)"),
                                  {field("QtyEdit")->text()});
            SetModalResult(mrOk);
        }));
    }

    QLineEdit* field(const char* name) const { return findChild<QLineEdit*>(QLatin1String(name)); }
};

QString pdfText(const QString& path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    pdftotext.waitForFinished(30000);
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

// Presses a key on the focused widget and says where the focus went.
QWidget* press(QDialog& dialog, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(dialog.focusWidget(), key, modifiers);
    return dialog.focusWidget();
}

} // namespace

class DialogBaseTest : public QObject {
    Q_OBJECT

private slots:
    void keyFiltersRefuseWhatCannotBePartOfTheNumber() {
        QLineEdit field;
        field.show();
        QVERIFY(QTest::qWaitForWindowExposed(&field));
        // Letters, a second ".", a "-" after the first place are refused as typed.
        const QString typed = QStringLiteral("-a1.2-3x 4.,");
        const struct {
            KeyFilter filter;
            QString kept;
            QString tip;
        } cases[] = {{KeyFilter::Digits, QStringLiteral("1234"), QStringLiteral("此处只能输入整数")},
                     {KeyFilter::DigitsDot, QStringLiteral("1.234"),
                      QStringLiteral("此处只能输入数字，可带一个小数点")},
                     {KeyFilter::DigitsMinus, QStringLiteral("-1234"),
                      QStringLiteral("此处只能输入整数，负号只能在最前面")},
                     {KeyFilter::DigitsDotMinus, QStringLiteral("-1.234"),
                      QStringLiteral("此处只能输入数字，可带一个小数点，负号只能在最前面")}};
        for (const auto& c : cases) {
            // Each filter replaces the one before it on the same field, tip included.
            SetKeyFilter(&field, c.filter);
            field.clear();
            QToolTip::hideText();
            QTest::keyClicks(&field, typed);
            QCOMPARE(field.text(), c.kept);
            // The refusal is told beside the field, never a silent change.
            QCOMPARE(QToolTip::text(), c.tip);
        }
        // A full field says how long it may be.
        field.setMaxLength(4);
        SetKeyFilter(&field, KeyFilter::Digits);
        field.setText(QStringLiteral("123"));
        QTest::keyClicks(&field, QStringLiteral("45"));
        QCOMPARE(field.text(), QStringLiteral("1234"));
        QCOMPARE(QToolTip::text(), QStringLiteral("此处最多输入4位"));
        // Editing keys still work, and pasted text is held to the same shape.
        field.setMaxLength(32767);
        QTest::keyClick(&field, Qt::Key_Backspace);
        QCOMPARE(field.text(), QStringLiteral("123"));
        QGuiApplication::clipboard()->setText(QStringLiteral("9.9"));
        QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(field.text(), QStringLiteral("123"));
        QGuiApplication::clipboard()->setText(QStringLiteral("99"));
        QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(field.text(), QStringLiteral("12399"));
    }

    void numberFieldsRefuseOutOfRangeByNameAndKeepTheText() {
        TestDatabase db;
        ScriptedMessages boxes;
        ModalDriver driver;
        CountDialog dialog;
        driver.setNextHandler([&](QDialog& shown) {
            auto& d = static_cast<CountDialog&>(shown);
            QLineEdit* qty = d.field("QtyEdit");
            QLineEdit* rate = d.field("RateEdit");
            // The "." is refused as typed; leaving the field with a value past the range
            // is one box naming the field and the range, the text kept, the focus back on it.
            QTest::keyClicks(qty, QStringLiteral("12.5"));
            QCOMPARE(qty->text(), QStringLiteral("125"));
            QTest::keyClick(qty, Qt::Key_Return);
            QCOMPARE(boxes.shown().size(), 1);
            QCOMPARE(boxes.last().text, QStringLiteral("数量必须在 1 到 100 之间"));
            QCOMPARE(boxes.last().caption, QStringLiteral("提示"));
            QCOMPARE(qty->text(), QStringLiteral("125"));
            QCOMPARE(d.focusWidget(), qty);
            // Confirmed by its shortcut from the same field: again one box, nothing saved.
            QTest::keyClick(qty, Qt::Key_Y, Qt::AltModifier);
            QTRY_COMPARE(boxes.shown().size(), 2);
            QCOMPARE(boxes.last().text, QStringLiteral("数量必须在 1 到 100 之间"));
            QCOMPARE(qty->text(), QStringLiteral("125"));
            QCOMPARE(d.focusWidget(), qty);
            QVERIFY(d.isVisible());

            // Another window taking the focus is no leaving of the field: nothing is said.
            QTest::keyClicks(qty, QStringLiteral("0"));
            QWidget other;
            other.show();
            QVERIFY(QTest::qWaitForWindowActive(&other));
            QCOMPARE(boxes.shown().size(), 2);
            other.close();
            d.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&d));

            // Leading zeros go and trailing ones after the point, the value stays.
            qty->selectAll();
            QTest::keyClicks(qty, QStringLiteral("007"));
            rate->setFocus();
            QCOMPARE(qty->text(), QStringLiteral("7"));
            QTest::keyClicks(rate, QStringLiteral("-120.50"));
            QTest::keyClick(rate, Qt::Key_Up);
            QCOMPARE(boxes.shown().size(), 3);
            QCOMPARE(boxes.last().text, QStringLiteral("折扣必须在 0 到 100 之间"));
            QCOMPARE(rate->text(), QStringLiteral("120.5"));
            // A field out of range that is not the focused one still stops the confirm.
            qty->setFocus();
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
            QCOMPARE(boxes.shown().size(), 4);
            QCOMPARE(d.focusWidget(), rate);
            // Text that is no number is out of range too, not read as 0.
            rate->setText(QStringLiteral("."));
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
            QCOMPARE(boxes.shown().size(), 5);
            QCOMPARE(boxes.last().text, QStringLiteral("折扣必须在 0 到 100 之间"));
            QCOMPARE(settingCount(), 0);

            rate->setText(QStringLiteral("95.5"));
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
        });
        QCOMPARE(dialog.ShowModal(), mrOk);
        QCOMPARE(boxes.shown().size(), 5);
        QCOMPARE(
            dmClient().OpenSQLAsStr(QStringLiteral("SELECT SubValue FROM sysdata WHERE SubName = 'qty'")),
            QStringLiteral("7"));
    }

    void theFocusedControlIsMarked() {
        CountDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* confirm = dialog.findChild<QPushButton*>(QStringLiteral("btnOK"));
        // A field and a button each wear the blue frame while they have the focus, and
        // only then.
        const QColor frame(0x1a, 0x73, 0xe8);
        for (QWidget* control :
             {static_cast<QWidget*>(dialog.field("QtyEdit")), static_cast<QWidget*>(confirm)}) {
            const auto edge = [control] {
                return control->grab().toImage().pixelColor(0, control->height() / 2);
            };
            dialog.field("RateEdit")->setFocus();
            QVERIFY(edge() != frame);
            control->setFocus();
            QCOMPARE(edge(), frame);
        }
    }

    void aResizedDialogOpensAtItsSizeNextTime() {
        QSize minimum;
        {
            CountDialog first;
            first.show();
            QVERIFY(QTest::qWaitForWindowExposed(&first));
            minimum = first.minimumSizeHint();
            first.resize(minimum + QSize(180, 90));
            first.SetModalResult(mrCancel);
        }
        CountDialog again;
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QCOMPARE(again.size(), minimum + QSize(180, 90));
        // A size remembered from a larger font or an older layout never cuts fields off.
        again.resize(10, 10);
        again.SetModalResult(mrOk);
        CountDialog third;
        third.show();
        QVERIFY(QTest::qWaitForWindowExposed(&third));
        QVERIFY(third.width() >= minimum.width() && third.height() >= minimum.height());
    }

    void menusGetShortcutsOfTheirOwn() {
        QMainWindow window;
        QMenuBar* bar = window.menuBar();
        QMenu* members = bar->addMenu(QStringLiteral("会员"));
        QStringList triggered;
        for (const QString& caption :
             {QStringLiteral("会员列表"), QStringLiteral("确定[O]"), QStringLiteral("打开[&O]"),
              QStringLiteral("&Save"), QStringLiteral("Stop"), QStringLiteral("会员发卡")}) {
            QAction* action = members->addAction(caption);
            connect(action, &QAction::triggered, &window,
                    [&triggered, caption] { triggered.append(caption); });
        }
        members->addSeparator();
        members->addMenu(QStringLiteral("报表"))->addAction(QStringLiteral("积分明细[&M]"));
        QMenu* storedValue = bar->addMenu(QStringLiteral("储值"));
        storedValue->addAction(QStringLiteral("充值"));
        storedValue->addAction(QStringLiteral("确定[O]"));
        storedValue->addAction(QStringLiteral("R&&D"));
        bar->addMenu(QStringLiteral("&System"));
        AssignAccelerators(*bar);
        // Marked letters are kept while free; a caption without a Latin letter gets the
        // first free one after it.
        const auto texts = [](const QList<QAction*>& actions) {
            QStringList list;
            for (QAction* action : actions) {
                if (!action->isSeparator())
                    list.append(action->text());
            }
            return list;
        };
        const QStringList expected = {QStringLiteral("会员列表(&A)"), QStringLiteral("确定[O](&B)"),
                                      QStringLiteral("打开[&O]"),     QStringLiteral("&Save"),
                                      QStringLiteral("S&top"),        QStringLiteral("会员发卡(&C)"),
                                      QStringLiteral("报表(&D)")};
        QCOMPARE(texts(members->actions()), expected);
        QCOMPARE(
            texts(storedValue->actions()),
            (QStringList{QStringLiteral("充值(&A)"), QStringLiteral("确定[&O]"), QStringLiteral("&R&&D")}));
        // Shown elsewhere, a caption reads without its mark.
        QCOMPARE(WithoutAccelerator(QStringLiteral("会员列表(&A)")), QStringLiteral("会员列表"));
        QCOMPARE(WithoutAccelerator(QStringLiteral("&R&&D")), QStringLiteral("R&D"));
        QCOMPARE(texts(bar->actions()), (QStringList{QStringLiteral("会员(&A)"), QStringLiteral("储值(&B)"),
                                                     QStringLiteral("&System")}));
        // Run again after a rebuild, nothing moves.
        AssignAccelerators(*bar);
        QCOMPARE(texts(members->actions()), expected);

        // The letter opens the entry of an open menu.
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        members->popup(window.geometry().center());
        QVERIFY(QTest::qWaitForWindowExposed(members));
        QTest::keyClick(members, Qt::Key_T);
        QCOMPARE(triggered, QStringList{QStringLiteral("Stop")});
    }

    void entryDialogNavigatesSavesAndPrintsGuarded() {
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

            // Enter, Down and Up move through the fields.
            auto* kind = d.findChild<QComboBox*>(QStringLiteral("KindCombo"));
            auto* memo = d.findChild<QPlainTextEdit*>(QStringLiteral("MemoEdit"));
            auto* grid = d.findChild<QTableWidget*>(QStringLiteral("DetailGrid"));
            d.field("NameEdit")->setFocus();
            QTest::keyClicks(d.field("NameEdit"), QStringLiteral("Wang"));
            QCOMPARE(press(d, Qt::Key_Return), d.field("AmountEdit"));
            // Enter on a field must not fall through to the dialog's default button.
            QVERIFY(d.isVisible());
            QCOMPARE(press(d, Qt::Key_Down), kind);
            // A closed combo box gives Down up to the dialog instead of changing its item.
            QCOMPARE(press(d, Qt::Key_Down), memo);
            QCOMPARE(kind->currentIndex(), 0);
            // A multi-line edit keeps Enter, Down and Up.
            QTest::keyClicks(memo, QStringLiteral("ab"));
            press(d, Qt::Key_Enter, Qt::KeypadModifier);
            QCOMPARE(press(d, Qt::Key_Up), memo);
            QCOMPARE(memo->toPlainText(), QStringLiteral("ab\n"));
            // So does a grid: Down moves its current row, even on its last row, where
            // the grid lets Down pass up to its parents.
            QCOMPARE(press(d, Qt::Key_Tab), grid);
            grid->setCurrentCell(0, 0);
            QCOMPARE(press(d, Qt::Key_Down), grid);
            QCOMPARE(grid->currentRow(), 1);
            grid->setCurrentCell(2, 0);
            QCOMPARE(press(d, Qt::Key_Down), grid);
            QCOMPARE(press(d, Qt::Key_Tab), d.field("TelEdit"));
            QCOMPARE(press(d, Qt::Key_Up), grid);
            d.field("AmountEdit")->setFocus();
            QCOMPARE(press(d, Qt::Key_Up), d.field("NameEdit"));
            // With a modifier the key is not navigation.
            QCOMPARE(press(d, Qt::Key_Down, Qt::ShiftModifier), d.field("NameEdit"));
            QCOMPARE(d.field("NameEdit")->text(), QStringLiteral("Wang"));

            d.field("NameEdit")->setText(QStringLiteral("taken"));
            QTest::keyClicks(d.field("AmountEdit"), QStringLiteral("12.5"));
            // Ctrl+P prints the dialog's template, Chinese text and all, and nothing for
            // a dialog without one.
            QTemporaryDir out;
            PrintEngine engine(PrintEngine::PdfFolder, out.path());
            PrintService::install(&engine);
            QTest::keyClick(d.field("NameEdit"), Qt::Key_P, Qt::ControlModifier);
            QVERIFY(engine.lastPdf().isEmpty());
            d.printTemplate = QStringLiteral("测试打印单");
            QTest::keyClick(d.field("NameEdit"), Qt::Key_P, Qt::ControlModifier);
            PrintService::install(nullptr);
            const QString text = pdfText(engine.lastPdf());
            QVERIFY2(text.contains(QStringLiteral("测试打印单")) && text.contains(QStringLiteral("taken")) &&
                         text.contains(QStringLiteral("12.5")),
                     qPrintable(text));

            // The second insert fails on the stored name: one error box, the first insert
            // undone with it, the dialog open with what was typed.
            QTest::mouseClick(save, Qt::LeftButton);
            QCOMPARE(boxes.shown().size(), 2);
            QCOMPARE(boxes.last().caption, QStringLiteral("错误"));
            QCOMPARE(boxes.last().style & MB::IconMask, MB::IconError);
            QVERIFY(d.isVisible());
            QCOMPARE(d.field("NameEdit")->text(), QStringLiteral("taken"));
            QCOMPARE(settingCount(), 1);

            // Corrected, the same dialog saves and closes; the accelerator works too.
            d.field("NameEdit")->setText(QStringLiteral("O'Brien; --"));
            QTest::keyClick(d.field("NameEdit"), Qt::Key_S, Qt::AltModifier);
            // A button's accelerator clicks it after a short press animation.
            QTRY_VERIFY(!d.isVisible());
        });
        QCOMPARE(dialog.ShowModal(), mrOk);
        QCOMPARE(boxes.shown().size(), 2);
        QCOMPARE(
            dmClient().OpenSQLAsStr(QStringLiteral("SELECT SubValue FROM sysdata WHERE SubName = 'amount'")),
            QStringLiteral("12.5"));
        QCOMPARE(settingCount(), 3);
    }

    void userTemplatesFillItemsAndRowsAndPrintingNeedsAnEngine() {
        QTemporaryDir templates;
        qputenv("VIP_TEMPLATE_DIR", templates.path().toUtf8());
        QFile file(templates.filePath(QStringLiteral("会员卡充值.html")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("<p>卡号 {{会员卡号}} / {{ 持卡人 }} / {{未知项}}</p>{{rows}}").toUtf8());
        file.close();
        QStandardItemModel rows(2, 2);
        rows.setHorizontalHeaderLabels({QStringLiteral("项目"), QStringLiteral("次数")});
        rows.setItem(0, 0, new QStandardItem(QStringLiteral("洗车")));
        rows.setItem(0, 1, new QStandardItem(QStringLiteral("3")));
        rows.setItem(1, 0, new QStandardItem(QStringLiteral("<打蜡>")));
        TParamObject items;
        items.Add(QStringLiteral("会员卡号"), QStringLiteral("A0001"));
        items.Add(QStringLiteral("持卡人"), QStringLiteral("<b>{{会员卡号}}</b>"));

        // The same template whatever the case of its extension; a holder's text that
        // looks like markup or a placeholder prints as typed.
        for (const QString& name : {QStringLiteral("会员卡充值.Rwx"), QStringLiteral("会员卡充值.RWX")}) {
            const QString html = PrintEngine::renderHtml(name, items, &rows);
            QVERIFY2(
                html.startsWith(QStringLiteral("<p>卡号 A0001 / &lt;b&gt;{{会员卡号}}&lt;/b&gt; / </p>")),
                qPrintable(html));
            QVERIFY(html.contains(QStringLiteral("<th>项目</th><th>次数</th>")));
            QVERIFY(html.contains(QStringLiteral("<td>&lt;打蜡&gt;</td><td></td>")));
        }

        // Without the user's file the receipt the program ships prints, and a template
        // nobody wrote prints its items plainly.
        const QString refund = PrintEngine::renderHtml(QStringLiteral("会员卡退费.Rwx"), items, nullptr);
        QVERIFY2(refund.contains(QStringLiteral("会员卡退费单")), qPrintable(refund));
        QVERIFY(refund.contains(QStringLiteral("<td>A0001</td>")));
        QVERIFY(PrintEngine::renderHtml(QStringLiteral("未知单据.rwx"), items, nullptr)
                    .startsWith(QStringLiteral("<h2 align=\"center\">未知单据</h2>")));

        // Without an engine the caller is told once and its action stops.
        ScriptedMessages boxes;
        QVERIFY_THROWS_EXCEPTION(AbortAction, RunPrintManage(QStringLiteral("x.rwx"), TParamObject()));
        QCOMPARE(boxes.shown().size(), 1);
        QCOMPARE(boxes.last().caption, QStringLiteral("错误"));
    }

    void desktopBoxesAnswerWithChineseButtons() {
        ModalDriver driver;
        DesktopMessages desktop;
        MessageService::install(&desktop);
        // The next box must have this icon, caption and buttons; it is answered with
        // the button 'press' names, or with Esc.
        const auto expect = [&](QMessageBox::Icon icon, const QString& caption, QStringList buttons,
                                const QString& press = {}) {
            driver.setNextHandler([=](QDialog& shown) mutable {
                auto& box = static_cast<QMessageBox&>(shown);
                QCOMPARE(box.icon(), icon);
                QCOMPARE(box.windowTitle(), caption);
                QStringList texts;
                for (QAbstractButton* button : box.buttons()) {
                    texts.append(button->text());
                    if (button->text() == press)
                        QTest::mouseClick(button, Qt::LeftButton);
                }
                if (press.isEmpty())
                    QTest::keyClick(&box, Qt::Key_Escape);
                texts.sort();
                buttons.sort();
                QCOMPARE(texts, buttons);
            });
        };

        expect(QMessageBox::Question, QStringLiteral("提示"), {QStringLiteral("是"), QStringLiteral("否")},
               QStringLiteral("否"));
        QVERIFY(!Question(QStringLiteral("确认删除吗？")));
        expect(QMessageBox::Warning, QStringLiteral("警告!"),
               {QStringLiteral("确定"), QStringLiteral("取消")});
        QCOMPARE(
            Messagebox(QStringLiteral("继续吗？"), QStringLiteral("警告!"), MB::OkCancel | MB::IconWarning),
            IDCANCEL);
        expect(QMessageBox::Critical, QStringLiteral("错误"), {QStringLiteral("确定")},
               QStringLiteral("确定"));
        ShowError(ErrorWriteDb);
        expect(QMessageBox::NoIcon, QStringLiteral("提示"),
               {QStringLiteral("是"), QStringLiteral("否"), QStringLiteral("取消")}, QStringLiteral("否"));
        QCOMPARE(Messagebox(QStringLiteral("保存吗？"), QStringLiteral("提示"), MB::YesNoCancel), IDNO);
        MessageService::install(nullptr);
        QCOMPARE(driver.shown().size(), 4);
        QCOMPARE(driver.unsettled(), 0);
    }
};

QTEST_MAIN(DialogBaseTest)
#include "tst_DialogBase.moc"
