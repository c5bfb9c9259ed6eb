#include "host/sdk/Ucomvar.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/PcscDaemon.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/VirtualMemoryCard.h"
#include "vip/base/ModuleGlobals.h"
#include "vip/devices/DeviceExports.h"
#include "vip/devices/TFunCard.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <optional>

// The shipped Card_dll.so, found beside the module, over pcscd and vpcd's virtual
// reader, with a virtual memory card the test puts on the reader and takes off.
class CardDeviceTest : public QObject {
    Q_OBJECT
    std::optional<PcscDaemon> daemon;
    std::optional<ModalDriver> driver;
    std::optional<ScriptedMessages> boxes;
    // A blank card for each test.
    std::optional<VirtualMemoryCard> card;

    void insert() {
        QVERIFY(card->Insert());
        QVERIFY(daemon->WaitForCard(true));
    }
    // The bytes of the card's pages from 'page' on.
    QByteArray pages(int page, int count) const {
        return card->Memory().mid(page * VirtualMemoryCard::PageSize, count * VirtualMemoryCard::PageSize);
    }

private slots:
    void initTestCase() {
        daemon.emplace();
        QVERIFY2(daemon->Problem().isEmpty(), qPrintable(daemon->Problem()));
        Ucomvar().szSystemPath.clear();
    }
    void init() {
        driver.emplace();
        boxes.emplace();
        card.emplace();
        FunCard = new TFunCard;
        QVERIFY(FunCard->IsLoaded());
    }
    void cleanup() {
        delete FunCard;
        FunCard = nullptr;
        card.reset();
        QVERIFY(daemon->WaitForCard(false));
        const int leftOver = driver->unsettled() + boxes->unsettled();
        driver.reset();
        boxes.reset();
        QCOMPARE(leftOver, 0);
    }

    // The number and the date each keep their own record: writing one leaves the
    // other, and what a fresh device reads is what was written.
    void numberAndDateAreWrittenAndReadBack() {
        insert();
        QVERIFY(FunCard->WriteCardDate(QStringLiteral("2026-12-31")));
        QVERIFY(FunCard->WriteCardNo(QStringLiteral("VIP0001234")));
        QCOMPARE(pages(4, 1), QByteArray("VIP\x01", 4));
        QCOMPARE(pages(5, 1).at(0), char(10));
        QCOMPARE(pages(5, 3).mid(2, 10), QByteArray("VIP0001234"));

        // The library loaded anew holds nothing over: what it reads is on the card.
        delete FunCard;
        FunCard = new TFunCard;
        QCOMPARE(FunCard->ReadCardNo(), QStringLiteral("VIP0001234"));
        QCOMPARE(FunCard->ReadCardDate(), QStringLiteral("2026-12-31"));

        // A number longer than its record is refused and the card keeps the old one.
        QVERIFY(!FunCard->WriteCardNo(QString(31, QLatin1Char('9'))));
        QVERIFY(FunCard->WriteCardNowithoutMsg(QString(30, QLatin1Char('8'))));
        QCOMPARE(FunCard->ReadCardNo(), QString(30, QLatin1Char('8')));
        QCOMPARE(FunCard->ReadCardDate(), QStringLiteral("2026-12-31"));
    }

    void questionMarksAreDroppedFromTheNumber() {
        insert();
        QVERIFY(FunCard->WriteCardNo(QStringLiteral("12?34?5")));
        QCOMPARE(FunCard->ReadCardNo(), QStringLiteral("12345"));
    }

    // A blank card and a record torn by a card pulled mid-write read as no number.
    void blankAndDamagedCardsReadEmpty() {
        insert();
        QCOMPARE(FunCard->ReadCardNo(), QString());
        QVERIFY(FunCard->WriteCardNo(QStringLiteral("88001")));
        card->SetBytes(6, QByteArrayLiteral("X"));
        QCOMPARE(FunCard->ReadCardNo(), QString());
        QCOMPARE(FunCard->ReadCardDate(), QString());
    }

    // The reader is the one CARD_DLL_READER names, chosen again by the device set-up;
    // a named reader that is not there fails the initialisation.
    void theReaderIsChosenByItsName() {
        insert();
        QVERIFY(FunCard->WriteCardNo(QStringLiteral("5566")));
        qputenv("CARD_DLL_READER", "Virtual PCD 00 01");
        ICCardSet();
        QCOMPARE(FunCard->ReadCardNo(), QString());
        qputenv("CARD_DLL_READER", "No such reader");
        // Started again, as at the next start of the module.
        delete FunCard;
        FunCard = new TFunCard;
        QCOMPARE(FunCard->CardInit(), 3);
        QCOMPARE(boxes->last().caption + boxes->last().text,
                 QStringLiteral("错误初始化失败！请检查设备配置！"));
        qunsetenv("CARD_DLL_READER");
        ICCardSet();
        QCOMPARE(FunCard->ReadCardNo(), QStringLiteral("5566"));
    }

    void withoutACardNothingIsReadOrWritten() {
        QCOMPARE(FunCard->CardInit(), 0);
        QCOMPARE(FunCard->ReadCardNo(), QString());
        QVERIFY(!FunCard->WriteCardNo(QStringLiteral("123")));
        QVERIFY(boxes->shown().isEmpty());
    }

    void aCardOnTheReaderIsReadWithoutWaiting() {
        insert();
        QVERIFY(FunCard->WriteCardNo(QStringLiteral("6200123")));
        QString cardNo = QStringLiteral("old");
        ShowReadICCard(cardNo);
        QCOMPARE(cardNo, QStringLiteral("6200123"));
        QVERIFY(driver->shown().isEmpty());
    }

    // The waiting window polls until the card arrives, then closes by itself.
    void aCardArrivingWhileTheWindowWaitsIsRead() {
        insert();
        QVERIFY(FunCard->WriteCardNo(QStringLiteral("7788")));
        card->Remove();
        QVERIFY(daemon->WaitForCard(false));
        driver->setNextHandler([&](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("IC卡读取"));
            QVERIFY(d.windowFlags() & Qt::FramelessWindowHint);
            QCOMPARE(d.findChild<QLabel*>(QStringLiteral("lblPrompt"))->text(),
                     QStringLiteral("请将你的IC卡放到读卡器的制定区域。。。"));
            // Shown, it has read once and found nothing.
            QVERIFY(d.isVisible());
            QVERIFY(card->Insert());
            QTRY_VERIFY_WITH_TIMEOUT(!d.isVisible(), 10000);
        });
        QString cardNo;
        ShowReadICCard(cardNo);
        QCOMPARE(cardNo, QStringLiteral("7788"));
        QCOMPARE(driver->shown(), QStringList{QStringLiteral("TReadICCard")});
    }

    void leavingTheWaitingWindowReadsNothing() {
        driver->setNextHandler([&](QDialog& d) {
            QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("btnExit")), Qt::LeftButton);
        });
        QString cardNo = QStringLiteral("old");
        ShowReadICCard(cardNo);
        QCOMPARE(cardNo, QString());
    }
};

QTEST_MAIN(CardDeviceTest)
#include "tst_CardDevice.moc"
