#include "host/ui/UserEditDialog.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/ModuleRegistry.h"
#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/Refuse.h"
#include "host/services/LoginService.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString Caption = QStringLiteral("用户");

struct Offered {
    int right;
    Subsystem subsystem;
    QString caption;
    int sequence;
};

// Every right some registered window or function asks for, in registration order.
QList<Offered> offeredRights() {
    QList<Offered> offered;
    for (const QueryClassEntry& entry : gQueryClassFactory().Entries())
        offered.append({entry.rights, entry.subsystem,
                        entry.caption.isEmpty() ? entry.className : entry.caption, entry.sequence});
    for (const ComClassEntry& entry : ComClassReg().Entries())
        offered.append({entry.rights, entry.subsystem, entry.caption.isEmpty() ? entry.name : entry.caption,
                        entry.sequence});
    std::stable_sort(offered.begin(), offered.end(),
                     [](const Offered& a, const Offered& b) { return a.sequence < b.sequence; });
    return offered;
}

Qt::CheckState checkState(bool on) {
    return on ? Qt::Checked : Qt::Unchecked;
}

} // namespace

UserEditDialog::UserEditDialog(const UserAccount& account, QWidget* parent)
    : TBaseDialog(parent)
    , m_account(account)
    , m_code(DialogFields::Edit("UserCodeEdit", 30))
    , m_name(DialogFields::Edit("UserNameEdit", 60))
    , m_admin(DialogFields::CheckBox("AdminCheck", QStringLiteral("系统管理员（拥有全部权限）")))
    , m_allStores(DialogFields::CheckBox("AllStoresCheck", QStringLiteral("可登录所有门店")))
    , m_stores(new QListWidget(this))
    , m_rights(new QTreeWidget(this)) {
    setWindowTitle(account.rec == 0 ? QStringLiteral("新增用户") : QStringLiteral("修改用户"));
    m_code->setText(account.code);
    m_name->setText(account.name);
    m_admin->setChecked(account.admin);
    m_allStores->setChecked(account.allStores);
    m_stores->setObjectName(QStringLiteral("StoreList"));
    m_rights->setObjectName(QStringLiteral("RightsTree"));
    m_rights->setHeaderLabels({QStringLiteral("权限")});

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("用户编号："), m_code);
    form->addRow(QStringLiteral("用户名称："), m_name);
    if (account.rec == 0) {
        m_password = DialogFields::Edit("NewPasswordEdit", 64);
        m_again = DialogFields::Edit("NewPasswordAgainEdit", 64);
        m_password->setEchoMode(QLineEdit::Password);
        m_again->setEchoMode(QLineEdit::Password);
        form->addRow(QStringLiteral("密码："), m_password);
        form->addRow(QStringLiteral("再输一次："), m_again);
    }
    form->addRow(m_admin);
    auto* stores = new QVBoxLayout;
    stores->addWidget(m_allStores);
    stores->addWidget(m_stores);
    auto* lists = new QHBoxLayout;
    lists->addLayout(stores, 1);
    lists->addWidget(m_rights, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(lists, 1);
    layout->addLayout(
        ConfirmButtons(QStringLiteral("确定[&O]"), QStringLiteral("取消[&C]"), [this] { OnConfirm(); }));
    resize(640, 520);

    fillStores();
    fillRights();
    m_stores->setEnabled(!account.allStores);
    connect(m_allStores, &QCheckBox::toggled, m_stores, [this](bool all) { m_stores->setEnabled(!all); });
    // An administrator holds every right whatever is ticked.
    m_rights->setEnabled(!account.admin);
    connect(m_admin, &QCheckBox::toggled, m_rights, [this](bool admin) { m_rights->setEnabled(!admin); });
}

void UserEditDialog::fillStores() {
    ClientDataSet rows;
    dmClient().OpenSQL(
        QStringLiteral("SELECT posid, PosName FROM posinfo WHERE deleted = 0 ORDER BY RowIndex, posid"),
        rows);
    QList<QPair<int, QString>> stores{{0, QStringLiteral("总部")}};
    for (rows.First(); !rows.Eof(); rows.Next())
        stores.append({rows.FieldByName(QStringLiteral("posid")).AsInteger(),
                       rows.FieldByName(QStringLiteral("PosName")).AsString()});
    for (const auto& [id, name] : stores) {
        auto* item = new QListWidgetItem(name, m_stores);
        item->setData(Qt::UserRole, id);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(checkState(m_account.stores.contains(id)));
    }
}

void UserEditDialog::fillRights() {
    QMap<Subsystem, QTreeWidgetItem*> groups;
    QMap<int, QTreeWidgetItem*> items;
    for (const Offered& offered : offeredRights()) {
        if (offered.right == 0)
            continue;
        if (QTreeWidgetItem* item = items.value(offered.right)) {
            // One right opening several windows is one tick, named after all of them.
            item->setText(0, item->text(0) + QStringLiteral("、") + offered.caption);
            continue;
        }
        QTreeWidgetItem*& group = groups[offered.subsystem];
        if (!group) {
            group = new QTreeWidgetItem(m_rights, {SubsystemTitle(offered.subsystem)});
            group->setFlags(group->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsAutoTristate);
        }
        auto* item =
            new QTreeWidgetItem(group, {QStringLiteral("%1 %2").arg(offered.right).arg(offered.caption)});
        item->setData(0, Qt::UserRole, offered.right);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, checkState(m_account.rights.contains(offered.right)));
        items.insert(offered.right, item);
    }
    // Groups in the menus' order, whatever registered first.
    for (QTreeWidgetItem* group : std::as_const(groups))
        m_rights->takeTopLevelItem(m_rights->indexOfTopLevelItem(group));
    m_rights->addTopLevelItems(groups.values());
    m_rights->expandAll();
}

void UserEditDialog::OnConfirm() {
    if (m_code->text().trimmed().isEmpty())
        Refuse(m_code, QStringLiteral("请输入用户编号。"), Caption);
    if (m_name->text().trimmed().isEmpty())
        Refuse(m_name, QStringLiteral("请输入用户名称。"), Caption);
    if (m_password && !LoginService::AcceptablePassword(m_password->text()))
        Refuse(m_password, LoginService::PasswordRuleText, Caption);
    if (m_again && m_again->text() != m_password->text())
        Refuse(m_again, QStringLiteral("两次输入的密码不一致。"), Caption);

    UserAccount account = m_account;
    account.code = m_code->text().trimmed();
    account.name = m_name->text().trimmed();
    account.admin = m_admin->isChecked();
    account.allStores = m_allStores->isChecked();
    account.stores.clear();
    for (int row = 0; row < m_stores->count(); ++row) {
        if (m_stores->item(row)->checkState() == Qt::Checked)
            account.stores.append(m_stores->item(row)->data(Qt::UserRole).toInt());
    }
    if (!account.allStores && account.stores.isEmpty())
        Refuse(m_stores, QStringLiteral("请至少选择一个可登录的门店。"), Caption);
    // Rights no window registers now (a module not loaded) stay as they were.
    for (QTreeWidgetItemIterator it(m_rights); *it; ++it) {
        const QVariant right = (*it)->data(0, Qt::UserRole);
        if (!right.isValid())
            continue;
        account.rights.removeAll(right.toInt());
        if ((*it)->checkState(0) == Qt::Checked)
            account.rights.append(right.toInt());
    }

    const int result = UserAdmin(dmClient()).Save(account, m_password ? m_password->text() : QString());
    if (result == UserAdmin::CodeTaken || result == UserAdmin::EmptyCodeOrName)
        Refuse(m_code, UserAdmin::Message(result), Caption);
    if (result == UserAdmin::Yourself)
        Refuse(m_admin, UserAdmin::Message(result), Caption);
    if (result < 0)
        ShowErrorAndAbort(UserAdmin::Message(result), Caption);
    m_account.rec = result;
    SetModalResult(mrOk);
}
