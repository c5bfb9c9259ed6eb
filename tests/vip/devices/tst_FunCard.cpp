#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TestSystemFolder.h"
#include "vip/base/ModuleGlobals.h"
#include "vip/devices/DeviceExports.h"
#include "vip/devices/TFunCard.h"
#include "vip/devices/TReadICCard.h"

#include <QLibrary>
#include <QPushButton>
#include <QTest>

#include <optional>

// The device object over a card-device library that is missing, or that has only
// Card_Init and Card_ReadNo and lets the test say what they answer.
class FunCardTest : public QObject {
    Q_OBJECT
    std::optional<TestSystemFolder> folder;
    std::optional<ModalDriver> driver;
    std::optional<ScriptedMessages> boxes;
    QLibrary fake;

    // Puts the stand-in library into the system folder and the device on it.
    void useFake(int initResult, const char* cardNo) {
        fake.setFileName(folder->AddFakeCardLibrary());
        QVERIFY2(fake.load(), qPrintable(fake.errorString()));
        setFake(initResult, cardNo);
        FunCard = new TFunCard;
        QVERIFY(FunCard->IsLoaded());
    }
    void setFake(int initResult, const char* cardNo) {
        reinterpret_cast<void (*)(int, const char*)>(fake.resolve("FakeCard_Set"))(initResult, cardNo);
    }
    int initCalls() { return reinterpret_cast<int (*)()>(fake.resolve("FakeCard_InitCalls"))(); }
    QStringList shownBoxes() const {
        QStringList list;
        for (const ScriptedMessages::Box& box : boxes->shown())
            list << box.caption + QLatin1Char('|') + box.text;
        return list;
    }

private slots:
    void init() {
        folder.emplace();
        driver.emplace();
        boxes.emplace();
    }
    void cleanup() {
        delete FunCard;
        FunCard = nullptr;
        fake.unload();
        const int leftOver = driver->unsettled() + boxes->unsettled();
        driver.reset();
        boxes.reset();
        folder.reset();
        QCOMPARE(leftOver, 0);
    }

    // Without a library nothing is read or written and nothing is said; the waiting
    // window still opens, and leaving it gives no number.
    void withoutTheLibraryTheWaitingWindowNeverReads() {
        FunCard = new TFunCard;
        QVERIFY(!FunCard->IsLoaded());
        QCOMPARE(FunCard->CardInit(), 0);
        QCOMPARE(FunCard->ReadCardNo(), QString());
        QCOMPARE(FunCard->ReadCardDate(), QString());
        QVERIFY(!FunCard->WriteCardNo(QStringLiteral("1")));
        ICCardSet();
        driver->setNextHandler([](QDialog& d) {
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("btnExit")), Qt::LeftButton);
        });
        QString cardNo = QStringLiteral("old");
        ShowReadICCard(cardNo);
        QCOMPARE(cardNo, QString());
        QCOMPARE(driver->shown(), QStringList{QStringLiteral("TReadICCard")});
        QVERIFY(boxes->shown().isEmpty());
    }

    void aSuccessfulInitialisationIsNotRepeated() {
        useFake(0, "62?00?77");
        QCOMPARE(FunCard->ReadCardNo(), QStringLiteral("620077"));
        QString cardNo;
        ShowReadICCard(cardNo);
        QCOMPARE(cardNo, QStringLiteral("620077"));
        QCOMPARE(FunCard->CardInitNoMsg(), 0);
        QCOMPARE(initCalls(), 1);
    }

    // A failed initialisation is told once per try with the box, tried again on the
    // next operation, and leaves the caller's number alone.
    void aFailedInitialisationIsToldAndTriedAgain() {
        useFake(5, "123");
        QString cardNo = QStringLiteral("keep");
        ShowReadICCard(cardNo);
        QCOMPARE(cardNo, QStringLiteral("keep"));
        QCOMPARE(FunCard->CardInitNoMsg(), 5);
        QCOMPARE(shownBoxes(), QStringList{QStringLiteral("错误|初始化失败！请检查设备配置！")});
        QCOMPARE(boxes->last().style & MB::IconMask, MB::IconError);
        QCOMPARE(initCalls(), 2);
        QVERIFY(driver->shown().isEmpty());

        // The waiting window on a device that cannot start closes by itself, silently.
        TReadICCard waiting(*FunCard);
        driver->setNextHandler([](QDialog& d) { QTRY_VERIFY(!d.isVisible()); });
        QCOMPARE(waiting.ShowModal(), mrCancel);
        QCOMPARE(boxes->shown().size(), qsizetype(1));

        setFake(0, "123");
        ShowReadICCard(cardNo);
        QCOMPARE(cardNo, QStringLiteral("123"));
        QCOMPARE(initCalls(), 1);
    }

    // The exports the library lacks do nothing and give their neutral answers.
    void missingExportsAreSkipped() {
        useFake(0, "9");
        QVERIFY(!FunCard->WriteCardNo(QStringLiteral("9")));
        QVERIFY(!FunCard->WriteCardNowithoutMsg(QStringLiteral("9")));
        QVERIFY(!FunCard->WriteCardDate(QStringLiteral("2026-01-01")));
        QCOMPARE(FunCard->ReadCardDate(), QString());
        ICCardSet();
        FunCard->Unloadlib();
        QVERIFY(!FunCard->IsLoaded());
        QCOMPARE(FunCard->ReadCardNo(), QString());
        QVERIFY(boxes->shown().isEmpty());
    }
};

QTEST_MAIN(FunCardTest)
#include "tst_FunCard.moc"
