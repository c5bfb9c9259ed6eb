#include "host/sdk/DataModule.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/ui/ModalResult.h"
#include "host/services/LoginService.h"
#include "host/services/UserAdmin.h"
#include "host/ui/ChangePasswordDialog.h"
#include "host/ui/FirstStartDialog.h"
#include "host/ui/UserAdminDialog.h"
#include "tests/support/DbProbe.h"
#include "tests/support/FlowFixture.h"
#include "tests/support/TestRows.h"
#include "tests/support/TestUser.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

namespace {

const QString Refused = QStringLiteral("用户编号或密码错误，请重新输入。");

void click(QDialog& dialog, const QString& button) {
    QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
}

// Chinese text arrives as an input method commits it.
void type(QDialog& dialog, const QString& field, const QString& text) {
    auto* edit = dialog.findChild<QLineEdit*>(field);
    edit->setFocus();
    edit->clear();
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QCoreApplication::sendEvent(edit, &commit);
    QCOMPARE(edit->text(), text);
}

QTableWidget* grid(QDialog& dialog) {
    return dialog.findChild<QTableWidget*>(QStringLiteral("UserGrid"));
}

int rowOf(QDialog& dialog, const QString& code) {
    for (int row = 0; row < grid(dialog)->rowCount(); ++row) {
        if (grid(dialog)->item(row, 0)->text() == code)
            return row;
    }
    return -1;
}

// Picks a user the way the administrator does: a click on the row.
void select(QDialog& dialog, const QString& code) {
    QTableWidget* users = grid(dialog);
    const int row = rowOf(dialog, code);
    QVERIFY2(row >= 0, qPrintable(code));
    QTest::mouseClick(users->viewport(), Qt::LeftButton, Qt::NoModifier,
                      users->visualItemRect(users->item(row, 1)).center());
    QCOMPARE(users->currentRow(), row);
}

QString cell(QDialog& dialog, const QString& code, int column) {
    return grid(dialog)->item(rowOf(dialog, code), column)->text();
}

// Types a new password and its repetition, then confirms.
void setPasswords(QDialog& dialog, const QString& password, const QString& again) {
    type(dialog, QStringLiteral("NewPasswordEdit"), password);
    type(dialog, QStringLiteral("NewPasswordAgainEdit"), again);
    click(dialog, QStringLiteral("btnOK"));
}

struct Run {
    int exitCode = -1;
    QString err;
};

Run setPasswordByCommand(const QString& database, const QString& code, const QString& password) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("VIP_DB"));
    process.setProcessEnvironment(environment);
    process.start(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("vipctl")),
        {QStringLiteral("set-password"), QStringLiteral("--user"), code, QStringLiteral("--db"), database});
    process.write((password + QLatin1Char('\n')).toUtf8());
    process.closeWriteChannel();
    if (!process.waitForFinished(120000))
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

class UserAdminTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_flow = std::make_unique<FlowFixture>(); }
    void cleanup() {
        const int unsettled = m_flow->unsettled();
        m_flow.reset();
        QCOMPARE(unsettled, 0);
    }

    void aLockedClerkIsUnlockedAndGivenANewPasswordStoresAndRights() {
        DataModule& data = m_flow->data();
        ScriptedMessages& boxes = m_flow->boxes();
        ModalDriver& driver = m_flow->driver();
        const int store =
            TestRows::addStore(data, {.code = QStringLiteral("S01"), .name = QStringLiteral("中山路店")});
        TestRows::addStore(data, {.code = QStringLiteral("S02"), .name = QStringLiteral("人民路店")});
        TestUser clerk(data, QStringLiteral("O'Neil"), {160});
        TestUser boss(data, QStringLiteral("boss"), {}, true);
        LoginService login(data);
        for (int i = 0; i < LoginService::MaxFailedLogins; ++i) {
            boxes.setNextAnswer(IDOK);
            QVERIFY(!login.LogIn(QStringLiteral("O'Neil"), QStringLiteral("guess"), 0));
        }

        driver.setNextHandler([&](QDialog& dialog) {
            QCOMPARE(cell(dialog, QStringLiteral("O'Neil"), 4), QStringLiteral("是"));
            select(dialog, QStringLiteral("O'Neil"));
            boxes.setNextAnswer(IDOK);
            click(dialog, QStringLiteral("UnlockButton"));
            QCOMPARE(boxes.last().text, QStringLiteral("用户 O'Neil 已解锁。"));
            QVERIFY(cell(dialog, QStringLiteral("O'Neil"), 4).isEmpty());

            // A reset password follows the rule and is typed the same twice.
            driver.setNextHandler([&](QDialog& reset) {
                boxes.setNextAnswer(IDOK);
                setPasswords(reset, QStringLiteral("short"), QStringLiteral("short"));
                QCOMPARE(boxes.last().text, LoginService::PasswordRuleText);
                boxes.setNextAnswer(IDOK);
                setPasswords(reset, QStringLiteral("新的'密码\"1"), QStringLiteral("新的'密码\"2"));
                QCOMPARE(boxes.last().text, QStringLiteral("两次输入的新密码不一致。"));
                QVERIFY(reset.isVisible());
                boxes.setNextAnswer(IDOK);
                setPasswords(reset, QStringLiteral("新的'密码\"1"), QStringLiteral("新的'密码\"1"));
            });
            click(dialog, QStringLiteral("ResetPasswordButton"));

            // Only the first store, and the reports right on top of what the clerk had.
            driver.setNextHandler([&](QDialog& edit) {
                QCOMPARE(edit.findChild<QLineEdit*>(QStringLiteral("UserCodeEdit"))->text(),
                         QStringLiteral("O'Neil"));
                auto* all = edit.findChild<QCheckBox*>(QStringLiteral("AllStoresCheck"));
                QTest::mouseClick(all, Qt::LeftButton, Qt::NoModifier,
                                  QPoint(all->height() / 2, all->height() / 2));
                auto* stores = edit.findChild<QListWidget*>(QStringLiteral("StoreList"));
                boxes.setNextAnswer(IDOK);
                click(edit, QStringLiteral("btnOK"));
                QCOMPARE(boxes.last().text, QStringLiteral("请至少选择一个可登录的门店。"));
                stores->setFocus();
                stores->setCurrentRow(1);
                QTest::keyClick(stores, Qt::Key_Space);
                QCOMPARE(stores->item(1)->checkState(), Qt::Checked);
                click(edit, QStringLiteral("btnOK"));
            });
            click(dialog, QStringLiteral("EditButton"));
            QCOMPARE(cell(dialog, QStringLiteral("O'Neil"), 5), QStringLiteral("中山路店"));
            click(dialog, QStringLiteral("CloseButton"));
        });
        UserAdminDialog(nullptr).ShowModal();

        boxes.clear();
        boxes.setNextAnswer(IDOK);
        QVERIFY(!login.LogIn(QStringLiteral("O'Neil"), TestUser::Password, store));
        QCOMPARE(boxes.last().text, Refused);
        QVERIFY(login.LogIn(QStringLiteral("O'Neil"), QStringLiteral("新的'密码\"1"), store));
        boxes.setNextAnswer(IDOK);
        QVERIFY(!login.LogIn(QStringLiteral("O'Neil"), QStringLiteral("新的'密码\"1"), 0));
        QCOMPARE(boxes.last().text, QStringLiteral("您不能登录所选门店，请重新选择门店。"));
        // The rights no registered window shows were kept.
        QCOMPARE(
            DbProbe::count(data, QStringLiteral("userlimit"), QStringLiteral("UserRec = ?"), {clerk.rec()}),
            1);
    }

    void administratorsCannotRemoveThemselvesAndOneIsAlwaysLeft() {
        DataModule& data = m_flow->data();
        ScriptedMessages& boxes = m_flow->boxes();
        TestUser other(data, QStringLiteral("second"), {}, true);
        TestUser boss(data, QStringLiteral("boss"), {}, true);

        m_flow->driver().setNextHandler([&](QDialog& dialog) {
            select(dialog, QStringLiteral("boss"));
            boxes.setNextAnswer(IDYES);
            boxes.setNextAnswer(IDOK);
            click(dialog, QStringLiteral("RemoveButton"));
            QCOMPARE(boxes.last().text, UserAdmin::Message(UserAdmin::Yourself));
            boxes.setNextAnswer(IDOK);
            click(dialog, QStringLiteral("DisableButton"));
            QCOMPARE(boxes.last().text, UserAdmin::Message(UserAdmin::Yourself));
            QVERIFY(cell(dialog, QStringLiteral("boss"), 3).isEmpty());

            select(dialog, QStringLiteral("second"));
            boxes.setNextAnswer(IDYES);
            click(dialog, QStringLiteral("RemoveButton"));
            QCOMPARE(rowOf(dialog, QStringLiteral("second")), -1);
            click(dialog, QStringLiteral("CloseButton"));
        });
        UserAdminDialog(nullptr).ShowModal();

        // The removed administrator's own screen, still open elsewhere, can no longer remove anyone.
        auto elsewhere = m_flow->db().openAnother();
        Ucomvar().nLoginUserRec = other.rec();
        QCOMPARE(UserAdmin(*elsewhere).Remove(boss.rec()), int(UserAdmin::NotAllowed));
        QCOMPARE(
            DbProbe::count(data, QStringLiteral("loginuser"), QStringLiteral("IsAdmin = 1 AND deleted = 0")),
            1);
        // A user who is no administrator at all is refused every write.
        TestUser clerk(data, QStringLiteral("clerk"), {160});
        QCOMPARE(UserAdmin(data).ResetPassword(boss.rec(), QStringLiteral("123456789")),
                 int(UserAdmin::NotAllowed));
        QCOMPARE(UserAdmin(data).Unlock(boss.rec()), int(UserAdmin::NotAllowed));
    }

    void aDisabledUserCannotLogInAndEveryoneChangesTheirOwnPassword() {
        DataModule& data = m_flow->data();
        ScriptedMessages& boxes = m_flow->boxes();
        TestUser clerk(data, QStringLiteral("clerk"), {160});
        TestUser boss(data, QStringLiteral("boss"), {}, true);
        QCOMPARE(UserAdmin(data).SetDisabled(clerk.rec(), true), clerk.rec());
        LoginService login(data);
        boxes.setNextAnswer(IDOK);
        QVERIFY(!login.LogIn(QStringLiteral("clerk"), TestUser::Password, 0));
        QCOMPARE(boxes.last().text, QStringLiteral("该用户已停用。请联系系统管理员。"));
        QCOMPARE(UserAdmin(data).SetDisabled(clerk.rec(), false), clerk.rec());
        QVERIFY(login.LogIn(QStringLiteral("clerk"), TestUser::Password, 0));

        m_flow->driver().setNextHandler([&](QDialog& dialog) {
            boxes.setNextAnswer(IDOK);
            type(dialog, QStringLiteral("OldPasswordEdit"), QStringLiteral("secreT"));
            setPasswords(dialog, QStringLiteral("换个'密码"), QStringLiteral("换个'密码"));
            QCOMPARE(boxes.last().text, LoginService::PasswordRuleText);
            boxes.setNextAnswer(IDOK);
            setPasswords(dialog, QStringLiteral("换个'新密码"), QStringLiteral("换个'新密码"));
            QCOMPARE(boxes.last().text, QStringLiteral("原密码错误。"));
            QVERIFY(dialog.isVisible());
            boxes.setNextAnswer(IDOK);
            type(dialog, QStringLiteral("OldPasswordEdit"), TestUser::Password);
            click(dialog, QStringLiteral("btnOK"));
            QCOMPARE(boxes.last().text, QStringLiteral("密码已修改。"));
        });
        QCOMPARE(ChangePasswordDialog().ShowModal(), int(mrOk));
        boxes.setNextAnswer(IDOK);
        QVERIFY(!login.LogIn(QStringLiteral("clerk"), TestUser::Password, 0));
        QVERIFY(login.LogIn(QStringLiteral("clerk"), QStringLiteral("换个'新密码"), 0));
    }

    void aNewDatabaseHasItsAdministratorChooseThePassword() {
        DataModule& data = m_flow->data();
        ScriptedMessages& boxes = m_flow->boxes();
        m_flow->driver().setNextHandler([&](QDialog& dialog) {
            boxes.setNextAnswer(IDOK);
            setPasswords(dialog, QStringLiteral("admin"), QStringLiteral("admin"));
            QCOMPARE(boxes.last().text, LoginService::PasswordRuleText);
            boxes.setNextAnswer(IDOK);
            type(dialog, QStringLiteral("UserCodeEdit"), QStringLiteral(" "));
            setPasswords(dialog, QStringLiteral("长'一点的密码"), QStringLiteral("长'一点的密码"));
            QCOMPARE(boxes.last().text, QStringLiteral("请输入用户编号。"));
            type(dialog, QStringLiteral("UserCodeEdit"), QStringLiteral("root"));
            click(dialog, QStringLiteral("btnOK"));
        });
        QVERIFY(FirstStartDialog::EnsureAdministrator());
        // Set up once: the next start asks nothing.
        QVERIFY(FirstStartDialog::EnsureAdministrator());

        LoginService login(data);
        boxes.setNextAnswer(IDOK);
        QVERIFY(!login.LogIn(QStringLiteral("admin"), QStringLiteral("admin"), 0));
        QVERIFY(login.LogIn(QStringLiteral("root"), QStringLiteral("长'一点的密码"), 0));
        QVERIFY(Ucomvar().szLoginUserName == QStringLiteral("系统管理员"));

        // The command line sets a password from standard input, and unlocks.
        for (int i = 0; i < LoginService::MaxFailedLogins; ++i) {
            boxes.setNextAnswer(IDOK);
            login.LogIn(QStringLiteral("root"), QStringLiteral("guess"), 0);
        }
        const QString database = m_flow->db().setting().text();
        Run run = setPasswordByCommand(database, QStringLiteral("root"), QStringLiteral("脚本设的密码"));
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY(login.LogIn(QStringLiteral("root"), QStringLiteral("脚本设的密码"), 0));
        run = setPasswordByCommand(database, QStringLiteral("nobody"), QStringLiteral("脚本设的密码"));
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(UserAdmin::Message(UserAdmin::NotFound)), qPrintable(run.err));
        run = setPasswordByCommand(database, QStringLiteral("root"), QStringLiteral("12345"));
        QCOMPARE(run.exitCode, 1);
        QVERIFY(login.LogIn(QStringLiteral("root"), QStringLiteral("脚本设的密码"), 0));
    }

    void aScriptSetsUpTheFirstAdministratorOfANewDatabase() {
        const Run run = setPasswordByCommand(m_flow->db().setting().text(), QStringLiteral("ops"),
                                             QStringLiteral("由脚本选定的密码"));
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY(UserAdmin(m_flow->data()).HasAdministrator());
        QVERIFY(
            LoginService(m_flow->data()).LogIn(QStringLiteral("ops"), QStringLiteral("由脚本选定的密码"), 0));
    }

private:
    std::unique_ptr<FlowFixture> m_flow;
};

QTEST_MAIN(UserAdminTest)
#include "tst_UserAdmin.moc"
