#include "host/ui/UserAdminDialog.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/ui/ChangePasswordDialog.h"
#include "host/ui/UserEditDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString Caption = QStringLiteral("用户管理");

QString yesNo(bool on) {
    return on ? QStringLiteral("是") : QString();
}

} // namespace

UserAdminDialog::UserAdminDialog(QWidget* parent)
    : TBaseDialog(parent)
    , m_grid(new QTableWidget(this)) {
    setWindowTitle(Caption);
    m_grid->setObjectName(QStringLiteral("UserGrid"));
    m_grid->setColumnCount(6);
    m_grid->setHorizontalHeaderLabels({QStringLiteral("用户编号"), QStringLiteral("用户名称"),
                                       QStringLiteral("管理员"), QStringLiteral("停用"),
                                       QStringLiteral("锁定"), QStringLiteral("可登录门店")});
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->verticalHeader()->hide();

    auto* buttons = new QHBoxLayout;
    const auto add = [&](const QString& caption, const QString& name, void (UserAdminDialog::*handler)()) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        ConnectGuarded(button, &QPushButton::clicked, this, handler);
        buttons->addWidget(button);
    };
    add(QStringLiteral("新增[&A]"), QStringLiteral("AddButton"), &UserAdminDialog::OnAdd);
    add(QStringLiteral("修改[&E]"), QStringLiteral("EditButton"), &UserAdminDialog::OnEdit);
    add(QStringLiteral("停用/启用[&D]"), QStringLiteral("DisableButton"), &UserAdminDialog::OnDisable);
    add(QStringLiteral("删除[&R]"), QStringLiteral("RemoveButton"), &UserAdminDialog::OnRemove);
    add(QStringLiteral("重设密码[&P]"), QStringLiteral("ResetPasswordButton"),
        &UserAdminDialog::OnResetPassword);
    add(QStringLiteral("解锁[&U]"), QStringLiteral("UnlockButton"), &UserAdminDialog::OnUnlock);
    buttons->addStretch();
    auto* close = new QPushButton(QStringLiteral("关闭[&X]"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    resize(760, 460);
    Reload();
    connect(m_grid, &QTableWidget::cellDoubleClicked, this,
            [this] { RunGuardedAction(this, [this] { OnEdit(); }); });
}

void UserAdminDialog::Reload(int rec) {
    if (rec == 0 && m_grid->currentRow() >= 0 && m_grid->currentRow() < m_users.size())
        rec = m_users[m_grid->currentRow()].rec;
    ClientDataSet stores;
    dmClient().OpenSQL(QStringLiteral("SELECT posid, PosName FROM posinfo"), stores);
    QHash<int, QString> storeNames{{0, QStringLiteral("总部")}};
    for (stores.First(); !stores.Eof(); stores.Next())
        storeNames.insert(stores.FieldByName(QStringLiteral("posid")).AsInteger(),
                          stores.FieldByName(QStringLiteral("PosName")).AsString());

    m_users = UserAdmin(dmClient()).List();
    m_grid->setRowCount(int(m_users.size()));
    for (int row = 0; row < m_users.size(); ++row) {
        const UserAccount& user = m_users[row];
        QStringList names;
        for (int store : user.stores)
            names.append(storeNames.value(store, QString::number(store)));
        const QStringList cells = {
            user.code,          user.name,
            yesNo(user.admin),  yesNo(user.disabled),
            yesNo(user.locked), user.allStores ? QStringLiteral("全部") : names.join(QStringLiteral("、"))};
        for (int column = 0; column < cells.size(); ++column)
            m_grid->setItem(row, column, new QTableWidgetItem(cells[column]));
        if (user.rec == rec)
            m_grid->selectRow(row);
    }
    if (m_grid->currentRow() < 0 && !m_users.isEmpty())
        m_grid->selectRow(0);
}

UserAccount UserAdminDialog::current() {
    const int row = m_grid->currentRow();
    if (row < 0 || row >= m_users.size())
        ShowErrorAndAbort(QStringLiteral("请先选择一个用户。"), Caption);
    return m_users[row];
}

void UserAdminDialog::check(int result) {
    if (result >= 0)
        return;
    // What is shown may be stale: another administrator may have changed it.
    Reload();
    ShowErrorAndAbort(UserAdmin::Message(result), Caption);
}

void UserAdminDialog::OnAdd() {
    UserEditDialog dialog(UserAccount{}, this);
    if (dialog.ShowModal() == mrOk)
        Reload(dialog.SavedRec());
}

void UserAdminDialog::OnEdit() {
    const UserAccount user = UserAdmin(dmClient()).Load(current().rec);
    if (user.rec == 0)
        check(UserAdmin::NotFound);
    UserEditDialog dialog(user, this);
    if (dialog.ShowModal() == mrOk)
        Reload(dialog.SavedRec());
}

void UserAdminDialog::OnDisable() {
    const UserAccount user = current();
    check(UserAdmin(dmClient()).SetDisabled(user.rec, !user.disabled));
    Reload(user.rec);
}

void UserAdminDialog::OnRemove() {
    const UserAccount user = current();
    if (!Question(QStringLiteral("确定要删除用户“%1 %2”吗？").arg(user.code, user.name), Caption))
        return;
    check(UserAdmin(dmClient()).Remove(user.rec));
    Reload();
}

void UserAdminDialog::OnResetPassword() {
    const UserAccount user = current();
    ChangePasswordDialog dialog(user.rec, user.code, this);
    dialog.ShowModal();
    Reload(user.rec);
}

void UserAdminDialog::OnUnlock() {
    const UserAccount user = current();
    check(UserAdmin(dmClient()).Unlock(user.rec));
    Reload(user.rec);
    ShowMsg(QStringLiteral("用户 %1 已解锁。").arg(user.code), Caption);
}
