#include "host/sdk/DataModule.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/ModuleRegistry.h"
#include "host/sdk/Notices.h"
#include "host/sdk/ui/TBaseQuery.h"
#include "host/sdk/ui/TQueryGrid.h"
#include "tests/support/DbProbe.h"
#include "tests/support/FlowFixture.h"
#include "tests/support/PcscDaemon.h"
#include "tests/support/RecordingLink.h"
#include "tests/support/ScriptedFiles.h"
#include "tests/support/TestRows.h"
#include "tests/support/TestSystemFolder.h"
#include "tests/support/TestUser.h"
#include "tests/support/UserInput.h"
#include "tests/support/VirtualMemoryCard.h"
#include "vip/base/ModuleGlobals.h"
#include "vip/devices/TFunCard.h"
#include "vip/frame/PackageEntry.h"
#include "vip/members/LunarExports.h"
#include "vip/members/VipInfoShow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

using UserInput::click;
using UserInput::enter;
using UserInput::get;

namespace {

// Typed as a user types, then the field left with Tab, so its exit handler runs.
void type(QWidget& dialog, const char* name, const QString& value) {
    UserInput::type(dialog, name, value, true);
}

QString focused() {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

int scalar(const QString& sql, const QVariantList& params = {}) {
    return dmClient().OpenSQLAsInt(sql, params);
}

QString text(const QString& sql, const QVariantList& params = {}) {
    return dmClient().OpenSQLAsStr(sql, params);
}

QByteArray writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return bytes;
}

QByteArray writeImage(const QString& path, const char* format, Qt::GlobalColor colour) {
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(colour);
    if (!image.save(path, format))
        qFatal("cannot write %s", qPrintable(path));
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// The member card's stored pictures as "name:bytes" in their order.
QStringList storedPictures(int cardId) {
    ClientDataSet rows;
    dmClient().OpenSQL(QStringLiteral("SELECT FileName, Image FROM Pictures WHERE PicKind = 1006 AND "
                                      "RecordId = ? ORDER BY RowIndex"),
                       rows, {cardId});
    QStringList pictures;
    for (int row = 0; row < rows.RecordCount(); ++row)
        pictures << rows.Value(row, QStringLiteral("FileName")).toString() + QLatin1Char(':') +
                        QString::fromLatin1(rows.Value(row, QStringLiteral("Image")).toByteArray().toHex());
    return pictures;
}

// The member list as far as the editor needs one: its rows' ids and numbers.
class CardList final : public TBaseQuery {
protected:
    void LoadData() override {
        ClientDataSet rows;
        dmClient().OpenSQL(QStringLiteral("SELECT id, CardNo FROM vipcard WHERE deleted = 0 ORDER BY id"),
                           rows);
        GetMainGrid()->GridModel()->SetRows(rows);
    }
};

struct Notice {
    int kind;
    int recordId;
    bool byCard;
    QList<int> rest;
    bool committed; // the card was visible to another connection when the notice went
};

} // namespace

class VipInfoDlgTest : public QObject {
    Q_OBJECT
    std::optional<FlowFixture> flow;
    std::optional<TestUser> clerk;
    int store = 0;
    int goldType = 0;

    // Picks a card type in the type picker the type button opens.
    void pickType(QDialog& d, const QString& typeName) {
        flow->driver().setNextHandler([typeName](QDialog& picker) {
            auto* window = picker.findChild<TBaseQuery*>();
            QVERIFY(window->SelectRowWhere(QStringLiteral("TypeName"), typeName));
            QTest::keyClick(window->GetMainGrid(), Qt::Key_Return);
        });
        click(d, "btnCardType");
    }
    // Presses save expecting a refusal, answers its box and gives it.
    ScriptedMessages::Box refusedSave(QDialog& d) {
        const qsizetype before = flow->boxes().shown().size();
        flow->boxes().setNextAnswer(IDOK);
        click(d, "btnOK");
        if (flow->boxes().shown().size() != before + 1)
            qFatal("the save was not refused with one box");
        return flow->boxes().last();
    }
    // Answers the picture page's file question with 'path' and presses "添加图片";
    // a refusal's box is answered and given, none when the picture was taken.
    std::optional<ScriptedMessages::Box> addPicture(QDialog& d, ScriptedFiles& files, const QString& path,
                                                    bool refused = false) {
        get<QTabWidget>(d, "pcMain")->setCurrentWidget(get<QWidget>(d, "tsPicture"));
        const qsizetype before = flow->boxes().shown().size();
        files.setNextName(path);
        if (refused)
            flow->boxes().setNextAnswer(IDOK);
        click(d, "btnAddPicture");
        if (flow->boxes().shown().size() == before)
            return std::nullopt;
        return flow->boxes().last();
    }
    // Presses save expecting it to go through without a word.
    void save(QDialog& d) {
        const qsizetype before = flow->boxes().shown().size();
        click(d, "btnOK");
        QCOMPARE(flow->boxes().shown().size(), before);
    }
    void defineCustomField(const QString& name, bool required) {
        dmClient().ExecuteSQL(
            QStringLiteral("INSERT INTO CustomFieldsDefine (idflag, Name, MustField, DataType, "
                           "RowIndex) VALUES (6, ?, ?, 0, 1)"),
            {name, required ? 1 : 0});
    }

private slots:
    void initTestCase() { Initialize(); }
    void cleanupTestCase() { Finalize(); }

    void init() {
        flow.emplace();
        store = TestRows::addStore(flow->data(), {QStringLiteral("01"), QStringLiteral("人民路店")});
        goldType = TestRows::addCardType(flow->data(), QStringLiteral("金卡"), 95,
                                         {{QStringLiteral("IsCZPreferential"), 1},
                                          {QStringLiteral("IsIntroduceJS"), 1},
                                          {QStringLiteral("IntroducerJS"), 10.0}});
        clerk.emplace(flow->data(), QStringLiteral("clerk"), QList<int>{511, 521, 522});
        Ucomvar().lPublicPosid = store;
        Ucomvar().bPublicIniCanModify = true;
    }
    void cleanup() {
        SendSMSMessageByBillFunc = nullptr;
        delete FunCard;
        FunCard = nullptr;
        clerk.reset();
        const int leftOver = flow->unsettled();
        flow.reset();
        QCOMPARE(leftOver, 0);
    }

    // Each save stops at the first failing check with its words, its caption and
    // the focus on the field; once that one is put right the next check speaks.
    void saveChecksSpeakInOrder() {
        defineCustomField(QStringLiteral("会员等级"), true);
        dmClient().ExecuteSQL(QStringLiteral(
            "UPDATE BaseInfoShowList SET MustField = 1 WHERE IDFlag = 6 AND FieldName = 'Tel'"));
        struct Step {
            std::function<void(QDialog&)> before;
            QString text;
            QString caption;
            const char* focus;
        };
        const QString required = QStringLiteral("不能为空!!--注:带*号必须输入内容");
        const QString dateFormat =
            QStringLiteral("出生日期输入错误!请按如下格式输入(2000-10-01)或日期范围不正确");
        const QList<Step> steps{
            {[](QDialog&) {}, QStringLiteral("持卡类型 ") + required, QStringLiteral("警告!"), "btnCardType"},
            {[&](QDialog& d) { pickType(d, QStringLiteral("金卡")); },
             QStringLiteral("信息输入不完整!请重新输入!!--注:带*号必须输入内容"), QStringLiteral("输入错误!"),
             "CardNoEdit"},
            {[](QDialog& d) {
                 type(d, "CardNoEdit", QStringLiteral("A001"));
                 type(d, "ValidityMEdit", QStringLiteral("20271345"));
             },
             QStringLiteral("有效期输入错误!请按如下格式输入(2000-10-01)或日期范围不正确!"),
             QStringLiteral("日期录入错误!"), "ValidityMEdit"},
            {[](QDialog& d) {
                 type(d, "ValidityMEdit", QStringLiteral("20271231"));
                 type(d, "BirthEdit", QStringLiteral("2000-02-30"));
             },
             QStringLiteral("(公历)") + dateFormat, QStringLiteral("日期录入错误!"), "BirthEdit"},
            {[](QDialog& d) {
                 QCOMPARE(get<QLineEdit>(d, "BirthEdit")->text(), QStringLiteral("2000-02-30"));
                 click(d, "cbxBirthType");
                 type(d, "BirthEdit", QStringLiteral("1990-8-15"));
             },
             QStringLiteral("(农历)") + dateFormat, QStringLiteral("日期录入错误!"), "BirthEdit"},
            {[](QDialog& d) {
                 type(d, "BirthEdit", QStringLiteral("1990-08-15"));
                 click(d, "rcbVipCz");
                 type(d, "RzCz00", QStringLiteral("100000.01"));
             },
             QStringLiteral("期初储值超出最大许可值100000，请重新录入!"), QStringLiteral("提示"), "RzCz00"},
            {[](QDialog& d) {
                 QCOMPARE(get<QLineEdit>(d, "RzCz00")->text(), QString());
                 type(d, "RzCz00", QStringLiteral("100000"));
                 click(d, "rcbUsePass");
                 type(d, "rePassword", QStringLiteral("12345"));
                 type(d, "rePasswordTwo", QStringLiteral("12345"));
             },
             QStringLiteral("密码位数不够6位，请重新录入!"), QStringLiteral("提示"), "rePassword"},
            {[](QDialog& d) {
                 type(d, "rePassword", QStringLiteral("123456"));
                 type(d, "rePasswordTwo", QStringLiteral("654321"));
             },
             QStringLiteral("密码不一致，请重新录入!"), QStringLiteral("提示"), "rePassword"},
            {[](QDialog& d) {
                 QCOMPARE(get<QLineEdit>(d, "rePasswordTwo")->text(), QString());
                 type(d, "rePassword", QStringLiteral("123456"));
                 type(d, "rePasswordTwo", QStringLiteral("123456"));
             },
             QStringLiteral("电话 ") + required, QStringLiteral("警告!"), "TelEdit"},
            {[](QDialog& d) { type(d, "TelEdit", QStringLiteral("13800000000")); },
             QStringLiteral("会员等级") + required, QStringLiteral("警告!"), "edtCustom1"},
        };
        flow->driver().setNextHandler([&](QDialog& d) {
            for (const Step& step : steps) {
                step.before(d);
                const ScriptedMessages::Box box = refusedSave(d);
                QCOMPARE(box.text, step.text);
                QCOMPARE(box.caption, step.caption);
                QCOMPARE(focused(), QString::fromLatin1(step.focus));
            }
            QCOMPARE(get<QTabWidget>(d, "pcMain")->currentIndex(), 1);
            type(d, "edtCustom1", QStringLiteral("银"));
            save(d);
            // A new card leaves the editor open and empty for the next one.
            QCOMPARE(get<QLineEdit>(d, "CardNoEdit")->text(), QString());
            d.reject();
        });
        QCOMPARE(VipInfoShow(false, -1, nullptr), 1);
        // 100000 itself is allowed.
        QCOMPARE(scalar(QStringLiteral("SELECT Cz00 FROM vipcard WHERE CardNo = 'A001'")), 1000000000);
    }

    // The registered card-issue action writes the whole card in one go: lunar
    // birthday in both forms, opening balance with its ledger row, password kept
    // hashed, introducer with its reward row, custom field, and the notices and
    // the head office only once all of it is committed.
    void issueActionWritesWholeCardThenTells() {
        defineCustomField(QStringLiteral("爱好"), false);
        const int introducer = TestRows::addCard(flow->data(), {QStringLiteral("JS-1"), goldType});
        dmClient().ExecuteSQL(QStringLiteral("UPDATE vipcard SET IsLife = 1 WHERE id = ?"), {introducer});
        Ucomvar().bSMSKkReward = true;
        Ucomvar().bSMSJsrKkReward = true;
        RecordingLink link;
        const std::unique_ptr<DataModule> other = flow->db().openAnother();
        QList<Notice> notices;
        SendSMSMessageByBillFunc = [&](int kind, int id, bool byCard, int a, int b, int c, int e, int f) {
            const bool seen = other->OpenSQLAsInt(
                                  QStringLiteral("SELECT COUNT(*) FROM vipcard WHERE CardNo = 'M-01'")) == 1;
            notices.append({kind, id, byCard, {a, b, c, e, f}, seen});
        };

        flow->driver().setNextHandler([&](QDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("会员发卡"));
            type(d, "CardNoEdit", QStringLiteral("M-01"));
            pickType(d, QStringLiteral("金卡"));
            type(d, "NameEdit", QStringLiteral("O'Brien 张"));
            click(d, "cbxBirthType");
            type(d, "BirthEdit", QStringLiteral("1990-08-15"));
            click(d, "rcbVipCz");
            type(d, "RzCz00", QStringLiteral("500"));
            click(d, "rcbUsePass");
            type(d, "rePassword", QStringLiteral("246810"));
            type(d, "rePasswordTwo", QStringLiteral("246810"));
            // A number no card has is told at once and keeps the field.
            flow->boxes().setNextAnswer(IDOK);
            type(d, "edtJSVIPCard", QStringLiteral("JS-9"));
            QCOMPARE(flow->boxes().last().text, QStringLiteral("没有这样的VIP卡，或卡号错误！"));
            QCOMPARE(focused(), QStringLiteral("edtJSVIPCard"));
            // Part of a number finds its one card through the member search.
            type(d, "edtJSVIPCard", QStringLiteral("JS-"));
            QCOMPARE(get<QLineEdit>(d, "edtJSVIPCard")->text(), QStringLiteral("JS-1"));
            get<QTabWidget>(d, "pcMain")->setCurrentIndex(1);
            type(d, "edtCustom1", QStringLiteral("钓鱼"));
            click(d, "chkLife");
            save(d);
        });
        ComClassReg().Find(QStringLiteral("ShowVipInfoAction"))->function();

        const QVariantList card{QStringLiteral("M-01")};
        const int id = scalar(QStringLiteral("SELECT id FROM vipcard WHERE CardNo = ?"), card);
        QVERIFY(id > 0);
        QCOMPARE(text(QStringLiteral("SELECT Name FROM vipcard WHERE id = ?"), {id}),
                 QStringLiteral("O'Brien 张"));
        QCOMPARE(scalar(QStringLiteral("SELECT BirthType FROM vipcard WHERE id = ?"), {id}), 1);
        QCOMPARE(text(QStringLiteral("SELECT BirthdayCN FROM vipcard WHERE id = ?"), {id}),
                 QStringLiteral("1990-08-15"));
        QCOMPARE(text(QStringLiteral("SELECT Birthday FROM vipcard WHERE id = ?"), {id}),
                 LunarToDay(QStringLiteral("1990-08-15")).toString(Qt::ISODate));
        QCOMPARE(scalar(QStringLiteral("SELECT IsLife FROM vipcard WHERE id = ?"), {id}), 1);
        QCOMPARE(scalar(QStringLiteral("SELECT JSVIPCardID FROM vipcard WHERE id = ?"), {id}), introducer);
        QCOMPARE(scalar(QStringLiteral("SELECT Cz FROM vipcard WHERE id = ?"), {id}), 5000000);
        QCOMPARE(scalar(QStringLiteral("SELECT SUM(Amount) FROM VipCzChange WHERE Vipcardid = ?"), {id}),
                 5000000);
        QCOMPARE(text(QStringLiteral("SELECT Password FROM vipcard WHERE id = ?"), {id}), QString());
        QVERIFY(
            !text(QStringLiteral("SELECT PasswordHash FROM vipcard WHERE id = ?"), {id}).contains("246810"));
        QCOMPARE(scalar(QStringLiteral("SELECT UsePass FROM vipcard WHERE id = ?"), {id}), 1);
        QCOMPARE(text(QStringLiteral("SELECT C0 FROM VipCustomFields WHERE IDflag = 6 AND cardid = ?"), {id}),
                 QStringLiteral("钓鱼"));
        const int created =
            scalar(QStringLiteral("SELECT MAX(BillId) FROM VipChangeInfo WHERE Vipcardid = ? AND "
                                  "ChangeType = 1 AND Memo LIKE '新建会员卡%'"),
                   {id});
        const int rewarded =
            scalar(QStringLiteral("SELECT MAX(BillId) FROM VipChangeInfo WHERE Vipcardid = ? AND "
                                  "OfferCardID = ? AND Memo LIKE '介绍新会员%'"),
                   {introducer, id});
        QVERIFY(created > 0);
        QVERIFY(rewarded > 0);

        QCOMPARE(notices.size(), 2);
        QCOMPARE(notices[0].kind, 6);
        QCOMPARE(notices[0].recordId, created);
        QCOMPARE(notices[0].rest, (QList<int>{0, 1, id, 1, 0}));
        QCOMPARE(notices[1].kind, 7);
        QCOMPARE(notices[1].recordId, rewarded);
        QCOMPARE(notices[1].rest, (QList<int>{0, 1, introducer, 1, id}));
        QVERIFY(notices[0].committed && notices[1].committed);
        const auto sent =
            std::find_if(link.calls().begin(), link.calls().end(),
                         [](const RecordingLink::Call& c) { return c.operation == "UpdateVipInfo"; });
        QVERIFY(sent != link.calls().end());
        QCOMPARE(sent->card.AsString(QStringLiteral("@CardNo")), QStringLiteral("M-01"));
        QCOMPARE(sent->card.AsInteger(QStringLiteral("@JSVIPCardID")), introducer);
    }

    // A write that fails after the card row takes the card row with it; the editor
    // says so once and keeps what was typed.
    void failureAfterCardRowLeavesNoCard() {
        defineCustomField(QStringLiteral("爱好"), false);
        bool told = false;
        SendSMSMessageByBillFunc = [&](int, int, bool, int, int, int, int, int) { told = true; };
        ScriptedFiles files;
        QTemporaryDir dir;
        const QString photo = dir.filePath(QStringLiteral("photo.png"));
        writeImage(photo, "PNG", Qt::red);
        Ucomvar().bSMSKkReward = true;
        flow->driver().setNextHandler([&](QDialog& d) {
            type(d, "CardNoEdit", QStringLiteral("F-01"));
            pickType(d, QStringLiteral("金卡"));
            click(d, "rcbVipCz");
            type(d, "RzCz00", QStringLiteral("80"));
            get<QTabWidget>(d, "pcMain")->setCurrentIndex(1);
            type(d, "edtCustom1", QStringLiteral("x"));
            QVERIFY(!addPicture(d, files, photo));
            // The custom values can no longer be written: the save fails after the card.
            dmClient().ExecuteSQL(QStringLiteral("DROP TABLE VipCustomFields"));
            const ScriptedMessages::Box box = refusedSave(d);
            QCOMPARE(box.caption, QStringLiteral("错误"));
            QCOMPARE(flow->boxes().shown().size(), 1);
            QVERIFY(d.isVisible());
            QCOMPARE(get<QLineEdit>(d, "CardNoEdit")->text(), QStringLiteral("F-01"));
            QCOMPARE(get<QLineEdit>(d, "RzCz00")->text(), QStringLiteral("80.00"));
            d.reject();
        });
        QCOMPARE(VipInfoShow(false, -1, nullptr), -1);
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("vipcard")), 0);
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("VipChangeInfo")), 0);
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("VipCzChange")), 0);
        QCOMPARE(DbProbe::count(flow->data(), QStringLiteral("Pictures")), 0);
        QVERIFY(!told);
    }

    // A new card's photos are written with it; files that are no picture or too big
    // are turned down. Reopened from the list, the card shows them, and removing one
    // leaves the other in its place.
    void photosAreKeptWithTheCard() {
        ScriptedFiles files;
        QTemporaryDir dir;
        const QString front = dir.filePath(QStringLiteral("正面.png"));
        const QString back = dir.filePath(QStringLiteral("back.bmp"));
        const QString renamed = dir.filePath(QStringLiteral("notes.png"));
        const QString huge = dir.filePath(QStringLiteral("huge.bmp"));
        const QByteArray frontBytes = writeImage(front, "PNG", Qt::red);
        const QByteArray backBytes = writeImage(back, "BMP", Qt::blue);
        writeFile(renamed, "not a picture at all");
        // A real picture, one byte past what is allowed.
        QByteArray big = writeImage(huge, "BMP", Qt::green);
        writeFile(huge, big.leftJustified(2 * 1024 * 1024 + 1, '\0'));

        flow->driver().setNextHandler([&](QDialog& d) {
            type(d, "CardNoEdit", QStringLiteral("P-01"));
            pickType(d, QStringLiteral("金卡"));
            const std::optional<ScriptedMessages::Box> notImage = addPicture(d, files, renamed, true);
            QVERIFY(notImage);
            QCOMPARE(notImage->text, QStringLiteral("所选文件不是图片，请重新选择!"));
            QCOMPARE(notImage->caption, QStringLiteral("提示"));
            QCOMPARE(addPicture(d, files, huge, true).value_or(ScriptedMessages::Box{}).text,
                     QStringLiteral("图片文件不能超过2MB，请重新选择!"));
            QVERIFY(!addPicture(d, files, front));
            QVERIFY(!addPicture(d, files, back));
            QCOMPARE(get<QListWidget>(d, "lvPictures")->count(), 2);
            save(d);
            QCOMPARE(get<QListWidget>(d, "lvPictures")->count(), 0);
            d.reject();
        });
        QCOMPARE(VipInfoShow(false, -1, nullptr), 1);
        const int id = scalar(QStringLiteral("SELECT id FROM vipcard WHERE CardNo = 'P-01'"));
        const QString frontRow = QStringLiteral("正面.png:") + QString::fromLatin1(frontBytes.toHex());
        const QString backRow = QStringLiteral("back.bmp:") + QString::fromLatin1(backBytes.toHex());
        QCOMPARE(storedPictures(id), (QStringList{frontRow, backRow}));

        CardList list;
        list.Open();
        flow->driver().setNextHandler([&](QDialog& d) {
            auto* shown = get<QListWidget>(d, "lvPictures");
            QCOMPARE(shown->count(), 2);
            QCOMPARE(shown->item(0)->text(), QStringLiteral("正面.png"));
            QCOMPARE(shown->item(1)->text(), QStringLiteral("back.bmp"));
            get<QTabWidget>(d, "pcMain")->setCurrentWidget(get<QWidget>(d, "tsPicture"));
            shown->setCurrentRow(0);
            click(d, "btnDelPicture");
            save(d);
        });
        QCOMPARE(VipInfoShow(true, 0, &list), 1);
        QCOMPARE(storedPictures(id), QStringList{backRow});
        QCOMPARE(files.unsettled(), 0);
    }

    // "IC写卡[F11]" writes the number on the card on the reader; a device that
    // cannot write says so and the card stays as it was.
    void icWriteWritesTheNumberOrSaysItFailed() {
        {
            TestSystemFolder folder;
            folder.AddFakeCardLibrary();
            FunCard = new TFunCard;
            flow->driver().setNextHandler([&](QDialog& d) {
                type(d, "CardNoEdit", QStringLiteral("IC-1"));
                flow->boxes().setNextAnswer(IDOK);
                QTest::keyClick(&d, Qt::Key_F11);
                QCOMPARE(flow->boxes().last().text, QStringLiteral("写卡失败"));
                QCOMPARE(flow->boxes().last().caption, QStringLiteral("提示"));
                d.reject();
            });
            QCOMPARE(VipInfoShow(false, -1, nullptr), -1);
            delete FunCard;
            FunCard = nullptr;
        }
        QCOMPARE(flow->boxes().shown().size(), 1);

        PcscDaemon daemon;
        QVERIFY2(daemon.Problem().isEmpty(), qPrintable(daemon.Problem()));
        // The shipped card library, beside the module.
        Ucomvar().szSystemPath.clear();
        VirtualMemoryCard card;
        QVERIFY(card.Insert());
        QVERIFY(daemon.WaitForCard(true));
        FunCard = new TFunCard;
        flow->driver().setNextHandler([&](QDialog& d) {
            type(d, "CardNoEdit", QStringLiteral("IC-0002"));
            click(d, "btnICCard");
            d.reject();
        });
        QCOMPARE(VipInfoShow(false, -1, nullptr), -1);
        QCOMPARE(flow->boxes().shown().size(), 1);
        // A device loaded anew reads what is on the card, not what it was told.
        delete FunCard;
        FunCard = new TFunCard;
        QCOMPARE(FunCard->ReadCardNo(), QStringLiteral("IC-0002"));
        card.Remove();
        QVERIFY(daemon.WaitForCard(false));
    }

    // A card another workstation changed since the editor loaded it is refused;
    // what the user typed stays, and the card keeps the other change.
    void aLinkedStoreSetsPasswordsOnlyForItsOwnStoredValue() {
        const QList<int> linked =
            TestRows::addStores(flow->data(), {{QStringLiteral("02"), QStringLiteral("中山路店"), 1, 0, 1},
                                               {QStringLiteral("03"), QStringLiteral("解放路店"), 1, 0, 1}});
        Ucomvar().lPublicPosid = linked[0];
        Ucomvar().lConnectType = 1;
        Ucomvar().appClass.SetFlag(19, true);
        Ucomvar().bPubTranVipCardToCenter = true;
        flow->driver().setNextHandler([&](QDialog& d) {
            pickType(d, QStringLiteral("金卡"));
            click(d, "rcbVipCz");
            auto* stores = get<QComboBox>(d, "cbCzPos");
            auto* usePassword = get<QCheckBox>(d, "rcbUsePass");
            const auto choose = [stores](const QString& name) {
                stores->setCurrentIndex(stores->findText(name));
                QCOMPARE(stores->currentText(), name);
                emit stores->activated(stores->currentIndex());
            };
            // Stored value held at this store may carry a password ...
            choose(QStringLiteral("中山路店"));
            QVERIFY(usePassword->isEnabled());
            click(d, "rcbUsePass");
            type(d, "rePassword", QStringLiteral("135790"));
            // ... that of another store or of every store keeps it at the head office.
            for (const QString& other : {QStringLiteral("解放路店"), QStringLiteral("实时应用")}) {
                choose(other);
                QVERIFY(!usePassword->isEnabled());
                QVERIFY(!usePassword->isChecked());
                QVERIFY(get<QLineEdit>(d, "rePassword")->text().isEmpty());
            }
            click(d, "btnExit");
        });
        ComClassReg().Find(QStringLiteral("ShowVipInfoAction"))->function();
        Ucomvar().appClass = TAppClass();
        Ucomvar().lConnectType = 0;
        Ucomvar().bPubTranVipCardToCenter = false;
    }

    // A store working on the head office's data activates a card with an introducer
    // only once the head office knows the introducer and has taken the card.
    void aLinkedStoreActivatesWithAnIntroducerOnlyThroughTheHeadOffice() {
        const int introducer = TestRows::addCard(flow->data(), {QStringLiteral("JS-1"), goldType});
        dmClient().ExecuteSQL(QStringLiteral("UPDATE vipcard SET IsLife = 1 WHERE id = ?"), {introducer});
        Ucomvar().lConnectType = 1;
        Ucomvar().appClass.SetFlag(19, true);
        Ucomvar().bPubTranVipCardToCenter = true;
        RecordingLink link;
        const QString advice = QStringLiteral(
            "会员卡发卡有介绍人时，请在【系统设置】中勾选[会员卡储值、积分、介绍人、购物卡实时更新]!");
        // Each refusal names its own reason first, then what to switch on.
        const auto refusedTwice = [&](QDialog& d, const QString& reason, const QString& caption) {
            const qsizetype before = flow->boxes().shown().size();
            flow->boxes().setNextAnswer(IDOK);
            flow->boxes().setNextAnswer(IDOK);
            click(d, "btnOK");
            QCOMPARE(flow->boxes().shown().size(), before + 2);
            QCOMPARE(flow->boxes().shown()[before].text, reason);
            QCOMPARE(flow->boxes().shown()[before].caption, caption);
            QCOMPARE(flow->boxes().last().text, advice);
            QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM vipcard WHERE CardNo = 'L-01'"), {}), 0);
        };
        flow->driver().setNextHandler([&](QDialog& d) {
            type(d, "CardNoEdit", QStringLiteral("L-01"));
            pickType(d, QStringLiteral("金卡"));
            type(d, "edtJSVIPCard", QStringLiteral("JS-1"));
            click(d, "chkLife");
            link.setResult(QStringLiteral("GetCenterVipJSInfo"), false);
            refusedTwice(d,
                         QStringLiteral("没有在总部获取到JS-1卡信息，请联系该卡的发卡门店上传数据后重试！"),
                         QStringLiteral("获取服务端错误"));
            link.setResult(QStringLiteral("GetCenterVipJSInfo"), true);
            link.setResult(QStringLiteral("UpdateVipInfo"), -2);
            refusedTwice(d, QStringLiteral("更新服务端数据：办卡人电话或身份证号已超出重复办卡次数限制!"),
                         QStringLiteral("错误"));
            link.setResult(QStringLiteral("UpdateVipInfo"), 0);
            link.clear();
            save(d);
            const auto taken =
                std::find_if(link.calls().begin(), link.calls().end(),
                             [](const RecordingLink::Call& c) { return c.operation == "UpdateVipInfo"; });
            QVERIFY(taken != link.calls().end());
            QCOMPARE(taken->card.AsString(QStringLiteral("@CardNo")), QStringLiteral("L-01"));
            QCOMPARE(taken->card.AsInteger(QStringLiteral("@IsLife")), 1);
            click(d, "btnExit");
        });
        ComClassReg().Find(QStringLiteral("ShowVipInfoAction"))->function();
        Ucomvar().appClass = TAppClass();
        Ucomvar().lConnectType = 0;
        Ucomvar().bPubTranVipCardToCenter = false;
        QCOMPARE(scalar(QStringLiteral("SELECT JSVIPCardID FROM vipcard WHERE CardNo = 'L-01'"), {}),
                 introducer);
    }

    void cardChangedElsewhereIsRefused() {
        TestRows::addCard(flow->data(), {QStringLiteral("C-100"), goldType});
        const std::unique_ptr<DataModule> other = flow->db().openAnother();
        flow->driver().setNextHandler([&](QDialog& d) {
            QCOMPARE(get<QLineEdit>(d, "EnterCardNo")->text(), QStringLiteral("C-100"));
            QVERIFY(!get<QCheckBox>(d, "chkLife")->isChecked());
            type(d, "TelEdit", QStringLiteral("13900000000"));
            // Filling in an unactivated card issues it.
            QVERIFY(get<QCheckBox>(d, "chkLife")->isChecked());
            other->ExecuteSQL(QStringLiteral(
                "UPDATE vipcard SET Name = 'other', IsUse = IsUse + 1 WHERE CardNo = 'C-100'"));
            QCOMPARE(refusedSave(d).text,
                     QStringLiteral("此会员卡数据已经被其他客户端改变，不能保存数据。请重新刷新数据后再试!"));
            QVERIFY(d.isVisible());
            QCOMPARE(get<QLineEdit>(d, "TelEdit")->text(), QStringLiteral("13900000000"));
            d.reject();
        });
        QString number = QStringLiteral("C-100");
        QVERIFY(!VipInfoShow(number, 0, true));
        QCOMPARE(text(QStringLiteral("SELECT Name FROM vipcard WHERE CardNo = 'C-100'")),
                 QStringLiteral("other"));
        QCOMPARE(text(QStringLiteral("SELECT Tel FROM vipcard WHERE CardNo = 'C-100'")), QString());
        QCOMPARE(scalar(QStringLiteral("SELECT IsLife FROM vipcard WHERE CardNo = 'C-100'")), 0);
    }

    // Only a card that exists unactivated can be issued by its number.
    void issueByNumberRefusesLostStoppedAndActiveCards() {
        const QList<QPair<QString, QString>> cases{
            {QStringLiteral("Lose = 1"), QStringLiteral("这张卡已经挂失，不能使用！")},
            {QStringLiteral("StopUse = 1"), QStringLiteral("这张卡已经停用，不能使用！")},
            {QStringLiteral("IsLife = 1"), QStringLiteral("这张卡已经被激活，请激活其他卡！")},
        };
        int n = 0;
        for (const auto& [state, refusal] : cases) {
            const QString number = QStringLiteral("N-%1").arg(++n);
            const int id = TestRows::addCard(flow->data(), {number, goldType});
            dmClient().ExecuteSQL(
                QStringLiteral("UPDATE vipcard SET ") + state + QStringLiteral(" WHERE id = ?"), {id});
            flow->boxes().setNextAnswer(IDOK);
            flow->driver().setNextHandler([&](QDialog& d) {
                QCOMPARE(flow->boxes().last().text, refusal);
                QCOMPARE(get<QLineEdit>(d, "NameEdit")->text(), QString());
                QCOMPARE(focused(), QStringLiteral("EnterCardNo"));
                d.reject();
            });
            QString given = number;
            QVERIFY(!VipInfoShow(given, 0, true));
            QCOMPARE(given, number);
        }
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM vipcard WHERE Tel <> ''")), 0);
    }

    // A modify that changes only the telephone logs exactly that.
    void modifyLogsOnlyTheChangedField() {
        TestRows::addCard(flow->data(), {QStringLiteral("K-7"), goldType});
        TestRows::addCard(flow->data(), {QStringLiteral("K-8"), goldType});
        dmClient().ExecuteSQL(
            QStringLiteral("UPDATE vipcard SET IsLife = 1, Tel = '010' WHERE CardNo = 'K-7'"));
        CardList list;
        list.Open();
        flow->driver().setNextHandler([&](QDialog& d) {
            QCOMPARE(get<QLineEdit>(d, "TelEdit")->text(), QStringLiteral("010"));
            // Another card's number is refused and the card's own comes back.
            flow->boxes().setNextAnswer(IDOK);
            type(d, "CardNoEdit", QStringLiteral("K-8"));
            QCOMPARE(flow->boxes().last().text, QStringLiteral("卡号重复，不能修改卡号！"));
            QCOMPARE(get<QLineEdit>(d, "CardNoEdit")->text(), QStringLiteral("K-7"));
            type(d, "TelEdit", QStringLiteral("020-8888"));
            save(d);
        });
        QCOMPARE(VipInfoShow(true, 0, &list), 1);
        QCOMPARE(text(QStringLiteral("SELECT Tel FROM vipcard WHERE CardNo = 'K-7'")),
                 QStringLiteral("020-8888"));
        QCOMPARE(scalar(QStringLiteral("SELECT COUNT(*) FROM syslog WHERE Kind = 9")), 1);
        QCOMPARE(text(QStringLiteral("SELECT LogText FROM syslog WHERE Kind = 9")),
                 QStringLiteral("会员卡号:[K-7]电话:010,修改为：020-8888"));
    }
};

QTEST_MAIN(VipInfoDlgTest)
#include "tst_VipInfoDlg.moc"
