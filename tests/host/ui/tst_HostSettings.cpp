#include "host/sdk/DataModule.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/ui/Refuse.h"
#include "host/services/HostConfig.h"
#include "host/services/SettingCatalogue.h"
#include "host/ui/HostSettingsDialog.h"
#include "tests/support/FlowFixture.h"
#include "tests/support/TestRows.h"
#include "tests/support/TestUser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTest>

#include <optional>

namespace {

QString configValue(DataModule& data, const QString& name) {
    return data.OpenSQLAsStr(QStringLiteral("SELECT Value FROM hostconfig WHERE Name = ?"), {name});
}

// The title of the settings page that holds 'control'.
QString pageOf(QTabWidget* pages, QWidget* control) {
    for (int i = 0; i < pages->count(); ++i) {
        if (pages->widget(i)->isAncestorOf(control))
            return pages->tabText(i);
    }
    return {};
}

// Each on its page brought to the front first, as the user would.
void retype(QLineEdit* field, const QString& text) {
    ShowField(field);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

void toggle(QCheckBox* box) {
    ShowField(box);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(box->height() / 2, box->height() / 2));
}

void save(QDialog& dialog) {
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("SaveButton")), Qt::LeftButton);
}

} // namespace

class HostSettingsTest : public QObject {
    Q_OBJECT

    std::optional<FlowFixture> flow;

private slots:
    void init() {
        flow.emplace();
        Ucomvar() = TComVar();
    }

    void cleanup() {
        const int leftOver = flow->unsettled();
        flow.reset();
        QCOMPARE(leftOver, 0);
    }

    void showsEachCataloguedSettingInItsGroupWithItsWords() {
        TestUser boss(flow->data(), QStringLiteral("boss"), {}, true);
        bool shown = false;
        flow->driver().setNextHandler([&](QDialog& dialog) {
            auto* pages = dialog.findChild<QTabWidget*>(QStringLiteral("SettingsPages"));
            QStringList titles;
            for (int i = 0; i < pages->count(); ++i)
                titles << pages->tabText(i);
            QCOMPARE(titles, QStringList({QStringLiteral("门店与连接"), QStringLiteral("储值"),
                                          QStringLiteral("积分"), QStringLiteral("会员通知"),
                                          QStringLiteral("版本"), QStringLiteral("设备")}));

            QSet<QString> catalogued;
            for (const SettingCatalogue::Entry& entry : SettingCatalogue::Entries()) {
                catalogued.insert(entry.key);
                auto* control = dialog.findChild<QWidget*>(entry.key);
                QVERIFY2(control, qPrintable(entry.key));
                QCOMPARE(pageOf(pages, control), entry.group);
                QCOMPARE(control->toolTip(), entry.explanation);
                auto* explanation = dialog.findChild<QLabel*>(entry.key + QStringLiteral("Explanation"));
                QVERIFY2(explanation && explanation->text() == entry.explanation, qPrintable(entry.key));
                QCOMPARE(pageOf(pages, explanation), entry.group);
                // A switch carries its name; any other control has it on its label.
                if (auto* box = qobject_cast<QCheckBox*>(control)) {
                    QCOMPARE(box->text(), entry.name);
                } else {
                    bool named = false;
                    for (QLabel* label : dialog.findChildren<QLabel*>())
                        named = named || (label->buddy() == control && label->text().startsWith(entry.name));
                    QVERIFY2(named, qPrintable(entry.key));
                }
            }
            // Only the application flags the module reads are there to switch.
            const QRegularExpression flagName(QStringLiteral("^AppFlag\\d+$"));
            for (QCheckBox* box : dialog.findChildren<QCheckBox*>(flagName))
                QVERIFY2(catalogued.contains(box->objectName()), qPrintable(box->objectName()));
            QVERIFY(!dialog.findChild<QCheckBox*>(QStringLiteral("AppFlag22")));
            QCOMPARE(dialog.findChild<QCheckBox*>(QStringLiteral("AppFlag14"))->text(),
                     QStringLiteral("独立门店由总部管卡"));
            auto* systemPath = dialog.findChild<QLineEdit*>(QStringLiteral("SystemPath"));
            QCOMPARE(pageOf(pages, systemPath), QStringLiteral("设备"));
            QVERIFY(systemPath->text().isEmpty());
            // What the program uses while nothing was saved.
            QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("MEDVERSION"))->text(), QStringLiteral("1"));
            QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("szPubGoodsName"))->text(),
                     QStringLiteral("商品"));
            // At the head office there is no store kind or mode to set.
            QVERIFY(!dialog.findChild<QComboBox*>(QStringLiteral("ConnectType"))->isEnabled());
            shown = true;
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("CloseButton")), Qt::LeftButton);
        });
        HostSettingsDialog dialog;
        QCOMPARE(dialog.ShowModal(), mrCancel);
        QVERIFY(shown);
        QCOMPARE(flow->data().OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM hostconfig")), 0);
    }

    void savesWhatChangedOnTopOfWhatOthersSaved() {
        DataModule& data = flow->data();
        TestUser boss(data, QStringLiteral("boss"), {}, true);
        const int store =
            TestRows::addStore(data, {.code = QStringLiteral("S01"), .name = QStringLiteral("中山路店")});
        Ucomvar().lPublicPosid = store;
        // Flags no window reads (1, 22) were set by an older program.
        TAppClass older;
        older.SetFlag(1, true);
        older.SetFlag(22, true);
        HostConfig config(data);
        config.SetAppFlags(older);
        config.Save();
        std::unique_ptr<DataModule> elsewhere = flow->db().openAnother();

        flow->driver().setNextHandler([&](QDialog& dialog) {
            // Another workstation switches a flag of the same row on while this one is open.
            HostConfig other(*elsewhere);
            other.Load();
            TAppClass flags = other.AppFlags();
            flags.SetFlag(25, true);
            other.SetAppFlags(flags);
            other.Save();

            toggle(dialog.findChild<QCheckBox*>(QStringLiteral("AppFlag12")));
            retype(dialog.findChild<QLineEdit*>(QStringLiteral("SystemPath")),
                   QStringLiteral("/opt/vip/lib"));
            auto* mode = dialog.findChild<QComboBox*>(QStringLiteral("ConnectType"));
            QVERIFY(mode->isEnabled());
            mode->setCurrentIndex(mode->findData(1));
            save(dialog);
        });
        HostSettingsDialog dialog;
        QCOMPARE(dialog.ShowModal(), mrOk);
        QVERIFY(flow->boxes().shown().isEmpty());

        const TAppClass saved = TAppClass::FromText(configValue(data, QStringLiteral("AppClass")));
        for (int position : {1, 12, 22, 25})
            QVERIFY2(saved.Flag(position), qPrintable(QString::number(position)));
        QCOMPARE(saved.ToText().count(QLatin1Char('1')), 4);
        QCOMPARE(configValue(data, QStringLiteral("SystemPath")), QStringLiteral("/opt/vip/lib"));
        QCOMPARE(data.OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM hostconfig")), 2);
        QCOMPARE(
            data.OpenSQLAsInt(QStringLiteral("SELECT ConnectType FROM posinfo WHERE posid = ?"), {store}), 1);
        // The session has it at once, the other workstation's flag too.
        QVERIFY(AppClass().Flag(12) && AppClass().Flag(25));
        QCOMPARE(Ucomvar().szSystemPath, QStringLiteral("/opt/vip/lib"));
        QCOMPARE(Ucomvar().lConnectType, 1);
    }

    void refusesNumbersOutOfRangeAndAnEmptyGoodsWord() {
        DataModule& data = flow->data();
        TestUser boss(data, QStringLiteral("boss"), {}, true);
        flow->driver().setNextHandler([&](QDialog& dialog) {
            auto* edition = dialog.findChild<QLineEdit*>(QStringLiteral("MEDVERSION"));
            auto* period = dialog.findChild<QLineEdit*>(QStringLiteral("lPublicPeriod"));
            auto* goods = dialog.findChild<QLineEdit*>(QStringLiteral("szPubGoodsName"));
            retype(period, QStringLiteral("12"));
            for (const QString& typed : {QStringLiteral("100"), QStringLiteral("0")}) {
                retype(edition, typed);
                save(dialog);
                QCOMPARE(flow->boxes().last().text, QStringLiteral("版本号必须在 1 到 99 之间"));
                QCOMPARE(edition->text(), typed);
                QCOMPARE(dialog.focusWidget(), edition);
                QVERIFY(dialog.isVisible());
            }
            retype(edition, QStringLiteral("99"));
            retype(period, QStringLiteral("10000"));
            save(dialog);
            QCOMPARE(flow->boxes().last().text, QStringLiteral("当前会计期间必须在 0 到 9999 之间"));
            retype(period, QStringLiteral("12"));
            retype(goods, QString());
            save(dialog);
            QCOMPARE(flow->boxes().last().text, QStringLiteral("商品称谓不能为空。"));
            QCOMPARE(data.OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM hostconfig")), 0);
            // Typed through an input method, as Chinese is.
            goods->insert(QStringLiteral("菜品"));
            save(dialog);
        });
        HostSettingsDialog dialog;
        QCOMPARE(dialog.ShowModal(), mrOk);
        QCOMPARE(flow->boxes().shown().size(), 4);
        QCOMPARE(configValue(data, QStringLiteral("MEDVERSION")), QStringLiteral("99"));
        QCOMPARE(configValue(data, QStringLiteral("lPublicPeriod")), QStringLiteral("12"));
        QCOMPARE(Ucomvar().szPubGoodsName, QStringLiteral("菜品"));
        QCOMPARE(Ucomvar().nMedVersion, 99);
    }
};

QTEST_MAIN(HostSettingsTest)
#include "tst_HostSettings.moc"
