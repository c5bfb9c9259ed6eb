#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TestSystemFolder.h"
#include "vip/devices/DeviceExports.h"

#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTest>

#include <optional>

namespace {

QComboBox* devices(QDialog& d) {
    return d.findChild<QComboBox*>(QStringLiteral("cbxDevice"));
}

QStringList items(QDialog& d) {
    QStringList names;
    for (int i = 0; i < devices(d)->count(); ++i)
        names << devices(d)->itemText(i);
    return names;
}

// The grid as "action|memo" lines.
QStringList rows(QDialog& d) {
    auto* grid = d.findChild<QTableWidget*>(QStringLiteral("grdInfo"));
    QStringList lines;
    for (int row = 0; row < grid->rowCount(); ++row)
        lines << grid->item(row, 0)->text() + QLatin1Char('|') + grid->item(row, 1)->text();
    return lines;
}

void press(QDialog& d, const char* button) {
    QTest::mouseClick(d.findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
}

} // namespace

// The identity-card reader choice, with and without the plug library, kept in
// PlugCard/PlugConfig.ini of the test's own system folder.
class CardInfoSetTest : public QObject {
    Q_OBJECT
    std::optional<TestSystemFolder> folder;
    std::optional<ModalDriver> driver;
    std::optional<ScriptedMessages> boxes;

    QVariant stored() const {
        return QSettings(folder->Path() + QStringLiteral("/PlugCard/PlugConfig.ini"), QSettings::IniFormat)
            .value(QStringLiteral("CardInfo/Name"));
    }

private slots:
    void init() {
        folder.emplace();
        driver.emplace();
        boxes.emplace();
    }
    void cleanup() {
        const int leftOver = driver->unsettled() + boxes->unsettled();
        driver.reset();
        boxes.reset();
        folder.reset();
        QCOMPARE(leftOver, 0);
    }

    // Only "无" is offered; confirming it keeps an empty library file.
    void withoutThePlugLibraryOnlyNoneIsOffered() {
        driver->setNextHandler([&](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("身份证信息识别设置"));
            QCOMPARE(items(d), QStringList{QStringLiteral("无")});
            QCOMPARE(devices(d)->currentIndex(), -1);
            press(d, "btnOK");
            QCOMPARE(boxes->last().caption + boxes->last().text, QStringLiteral("提示请选择设备"));
            QCOMPARE(QApplication::focusWidget(), devices(d));
            devices(d)->setCurrentIndex(0);
            QCOMPARE(rows(d),
                     (QStringList{QStringLiteral("文件名|") + folder->Path() + QStringLiteral("/PlugCard/"),
                                  QStringLiteral("说明|")}));
            press(d, "btnOK");
        });
        QVERIFY(ShowCardInfoSet());
        QCOMPARE(stored(), QVariant(QString()));
    }

    void theChosenDeviceIsKeptAndOfferedAgain() {
        folder->AddFakePlugLibrary();
        driver->setNextHandler([&](QDialog& d) {
            QCOMPARE(items(d), (QStringList{QStringLiteral("华视CVR-100"), QStringLiteral("神思SS628")}));
            QVERIFY(rows(d).isEmpty());
            devices(d)->setCurrentIndex(1);
            QCOMPARE(rows(d), (QStringList{QStringLiteral("文件名|") + folder->Path() +
                                               QStringLiteral("/PlugCard/SS628.so"),
                                           QStringLiteral("说明|读取姓名与号码"), QStringLiteral("|读取住址"),
                                           QStringLiteral("|读取照片")}));
            press(d, "btnOK");
        });
        QVERIFY(ShowCardInfoSet());
        QCOMPARE(stored(), QVariant(QStringLiteral("SS628.so")));

        // Opened again, the kept device is chosen; closing changes nothing.
        driver->setNextHandler([&](QDialog& d) {
            QCOMPARE(devices(d)->currentText(), QStringLiteral("神思SS628"));
            QCOMPARE(rows(d).size(), qsizetype(4));
            devices(d)->setCurrentIndex(0);
            press(d, "btnExit");
        });
        QVERIFY(!ShowCardInfoSet());
        QCOMPARE(stored(), QVariant(QStringLiteral("SS628.so")));

        // A kept device the plug library no longer offers is not chosen for the user.
        QSettings(folder->Path() + QStringLiteral("/PlugCard/PlugConfig.ini"), QSettings::IniFormat)
            .setValue(QStringLiteral("CardInfo/Name"), QStringLiteral("Gone.so"));
        driver->setNextHandler([&](QDialog& d) {
            QCOMPARE(devices(d)->currentIndex(), -1);
            press(d, "btnExit");
        });
        QVERIFY(!ShowCardInfoSet());
    }
};

QTEST_MAIN(CardInfoSetTest)
#include "tst_CardInfoSet.moc"
