#include "host/ui/LoginDialog.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/services/LoginService.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace {

const QString LastUserKey = QStringLiteral("Login/lastUser");
const QString LastStoreKey = QStringLiteral("Login/lastStore");

} // namespace

LoginDialog::LoginDialog(QWidget* parent)
    : TBaseDialog(parent)
    , m_userCode(new QLineEdit(this))
    , m_password(new QLineEdit(this))
    , m_store(new QComboBox(this))
    , m_ok(new QPushButton(QStringLiteral("登录[&L]"), this))
    , m_cancel(new QPushButton(QStringLiteral("取消[&C]"), this)) {
    setWindowTitle(QStringLiteral("登录"));
    m_userCode->setObjectName(QStringLiteral("UserCodeEdit"));
    m_userCode->setMaxLength(30);
    m_password->setObjectName(QStringLiteral("PasswordEdit"));
    m_password->setEchoMode(QLineEdit::Password);
    m_store->setObjectName(QStringLiteral("StoreCombo"));
    m_ok->setObjectName(QStringLiteral("OkButton"));
    m_cancel->setObjectName(QStringLiteral("CancelButton"));
    m_cancel->setAutoDefault(false);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("用户编号："), m_userCode);
    form->addRow(QStringLiteral("密码："), m_password);
    form->addRow(QStringLiteral("门店："), m_store);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_cancel, QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(320);

    loadStores();
    ConnectGuarded(m_ok, &QPushButton::clicked, this, &LoginDialog::OnLogin);
    connect(m_cancel, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
    recallLastLogin();
}

// A workstation is mostly used by the same people at the same store: the last good
// login's user and store are offered again, and the password is what is left to type.
void LoginDialog::recallLastLogin() {
    const QSettings settings;
    m_userCode->setText(settings.value(LastUserKey).toString());
    const int store = m_store->findData(settings.value(LastStoreKey, 0).toInt());
    if (store >= 0)
        m_store->setCurrentIndex(store);
    if (m_userCode->text().isEmpty())
        m_userCode->setFocus();
    else
        m_password->setFocus();
}

void LoginDialog::loadStores() {
    m_store->addItem(QStringLiteral("总部"), 0);
    ClientDataSet stores;
    dmClient().OpenSQL(
        QStringLiteral("SELECT posid, PosName FROM posinfo WHERE deleted = 0 ORDER BY RowIndex, posid"),
        stores);
    for (stores.First(); !stores.Eof(); stores.Next())
        m_store->addItem(stores.FieldByName(QStringLiteral("PosName")).AsString(),
                         stores.FieldByName(QStringLiteral("posid")).AsInteger());
}

bool LoginDialog::waited() {
    const QDateTime now = m_clock();
    if (!m_nextTry.isValid() || now >= m_nextTry)
        return true;
    const qint64 seconds = (now.msecsTo(m_nextTry) + 999) / 1000;
    Messagebox(QStringLiteral("登录失败次数过多，请 %1 秒后再试。").arg(seconds), QStringLiteral("登录"),
               MB::Ok | MB::IconWarning);
    m_password->setFocus();
    return false;
}

void LoginDialog::OnLogin() {
    if (!waited())
        return;
    LoginService login(dmClient());
    if (login.LogIn(m_userCode->text(), m_password->text(), m_store->currentData().toInt())) {
        QSettings settings;
        settings.setValue(LastUserKey, m_userCode->text().trimmed());
        settings.setValue(LastStoreKey, m_store->currentData().toInt());
        SetModalResult(mrOk);
        return;
    }
    // The service has said why; the next try starts where the mistake most likely is.
    if (m_userCode->text().trimmed().isEmpty()) {
        m_userCode->setFocus();
        return;
    }
    ++m_failures;
    m_nextTry = m_clock().addSecs(LoginService::RetryDelaySeconds(m_failures));
    const int store = m_store->currentData().toInt();
    if (store != 0 && dmClient().OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM posinfo WHERE posid = ? "
                                                             "AND deleted = 0"),
                                              {store}) == 0) {
        // Closed since the list was read: offer only the stores that are left.
        m_store->clear();
        loadStores();
        m_store->setFocus();
        return;
    }
    m_password->clear();
    m_password->setFocus();
}
