#include "host/ui/HostSettingsDialog.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/Transaction.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/services/NoticeOutbox.h"
#include "host/ui/Administrator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString Caption = QStringLiteral("系统设置");
const QString EditionKey = QStringLiteral("MEDVERSION");
const QString PeriodKey = QStringLiteral("lPublicPeriod");
const QString GoodsNameKey = QStringLiteral("szPubGoodsName");
const QString WarehouseKey = QStringLiteral("szPublicPosSetKtype");
const QString AppFlagsKey = QStringLiteral("AppClass");
constexpr int FlagColumns = 8;

QString flagText(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// Picks the item carrying 'value'; a value the list does not name is kept as an
// item of its own, so opening and saving never changes it behind the user's back.
void selectValue(QComboBox& combo, int value) {
    int index = combo.findData(value);
    if (index < 0) {
        combo.addItem(QStringLiteral("类型 %1").arg(value), value);
        index = combo.count() - 1;
    }
    combo.setCurrentIndex(index);
}

QGroupBox* group(const QString& title, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    new QVBoxLayout(box);
    return box;
}

} // namespace

HostSettingsDialog::HostSettingsDialog(QWidget* parent)
    : TBaseDialog(parent)
    , m_config(dmClient()) {
    setWindowTitle(Caption);
    m_config.Load();

    auto* pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("SettingsPages"));
    pages->addTab(createBasicPage(), QStringLiteral("基本设置"));
    pages->addTab(createFlagsPage(), QStringLiteral("应用标志"));

    auto* save = new QPushButton(QStringLiteral("保存[&S]"), this);
    save->setObjectName(QStringLiteral("SaveButton"));
    auto* close = new QPushButton(QStringLiteral("退出[&X]"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    close->setAutoDefault(false);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(save, QDialogButtonBox::AcceptRole);
    buttons->addButton(close, QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addWidget(buttons);

    loadStore();
    m_loaded = values();
    ConnectGuarded(save, &QPushButton::clicked, this, &HostSettingsDialog::OnSave);
    connect(close, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
}

QCheckBox* HostSettingsDialog::addSwitch(QWidget* parent, const QString& key, const QString& caption) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(key);
    box->setToolTip(key);
    box->setChecked(m_config.Flag(key));
    parent->layout()->addWidget(box);
    m_switches.append({key, box});
    return box;
}

QWidget* HostSettingsDialog::createBasicPage() {
    auto* page = new QWidget;
    auto* columns = new QGridLayout(page);
    const TComVar defaults;

    auto* store = new QGroupBox(QStringLiteral("当前门店"), page);
    auto* storeForm = new QFormLayout(store);
    auto* storeName = new QLabel(store);
    storeName->setObjectName(QStringLiteral("StoreNameLabel"));
    m_posType = new QComboBox(store);
    m_posType->setObjectName(QStringLiteral("PosTypeCombo"));
    m_posType->addItem(QStringLiteral("直营店"), 0);
    m_posType->addItem(QStringLiteral("联营店"), 1);
    m_posType->addItem(QStringLiteral("加盟店"), 2);
    m_connectType = new QComboBox(store);
    m_connectType->setObjectName(QStringLiteral("ConnectTypeCombo"));
    m_connectType->addItem(QStringLiteral("实时门店"), 0);
    m_connectType->addItem(QStringLiteral("独立门店"), 1);
    storeForm->addRow(QStringLiteral("门店："), storeName);
    storeForm->addRow(QStringLiteral("门店类型："), m_posType);
    storeForm->addRow(QStringLiteral("连接方式："), m_connectType);
    columns->addWidget(store, 0, 0);

    auto* centre = group(QStringLiteral("总部连接"), page);
    addSwitch(centre, QStringLiteral("bvipConnect"),
              QStringLiteral("会员卡储值、会员卡积分、购物卡实时操作（连接总部）"));
    addSwitch(centre, QStringLiteral("bCenterDb"), QStringLiteral("本数据库是总部（配送中心）数据库"));
    addSwitch(centre, QStringLiteral("bPubTranVipCardToCenter"), QStringLiteral("上传门店修改的会员卡信息"));
    columns->addWidget(centre, 1, 0);

    auto* edition = new QGroupBox(QStringLiteral("版本"), page);
    auto* editionForm = new QFormLayout(edition);
    m_edition = new QSpinBox(edition);
    m_edition->setObjectName(EditionKey);
    m_edition->setRange(0, 99);
    m_edition->setValue(m_config.Integer(EditionKey, defaults.nMedVersion));
    editionForm->addRow(QStringLiteral("版本号："), m_edition);
    auto* food = new QCheckBox(QStringLiteral("餐饮版"), edition);
    food->setObjectName(QStringLiteral("IsFood"));
    food->setChecked(m_config.Flag(QStringLiteral("IsFood")));
    editionForm->addRow(food);
    m_switches.append({QStringLiteral("IsFood"), food});
    columns->addWidget(edition, 2, 0);

    auto* notices = group(QStringLiteral("会员通知"), page);
    addSwitch(notices, NoticeOutbox::SwitchName, QStringLiteral("发送会员通知（短信、微信）"));
    addSwitch(notices, QStringLiteral("bSMSChange"), QStringLiteral("积分变动时通知会员"));
    addSwitch(notices, QStringLiteral("bSMSKkReward"), QStringLiteral("开卡、激活时通知会员"));
    addSwitch(notices, QStringLiteral("bSMSJsrKkReward"), QStringLiteral("开卡、激活时通知介绍人奖励"));
    columns->addWidget(notices, 0, 1);

    auto* options = group(QStringLiteral("选项"), page);
    addSwitch(options, QStringLiteral("bPublicIniCanModify"), QStringLiteral("允许修改期初数据"));
    addSwitch(options, QStringLiteral("bAutoBillNumber"), QStringLiteral("自动生成单据编号"));
    addSwitch(options, QStringLiteral("bPJVer"), QStringLiteral("普及版"));
    addSwitch(options, QStringLiteral("bUseClientCash"), QStringLiteral("使用客户端收银"));
    auto* optionForm = new QFormLayout;
    m_period = new QSpinBox(options);
    m_period->setObjectName(PeriodKey);
    m_period->setRange(0, 9999);
    m_period->setValue(m_config.Integer(PeriodKey, defaults.lPublicPeriod));
    optionForm->addRow(QStringLiteral("当前会计期间："), m_period);
    m_goodsName = new QLineEdit(m_config.Text(GoodsNameKey, defaults.szPubGoodsName), options);
    m_goodsName->setObjectName(GoodsNameKey);
    m_goodsName->setMaxLength(20);
    optionForm->addRow(QStringLiteral("商品称谓："), m_goodsName);
    m_warehouse = new QLineEdit(m_config.Text(WarehouseKey, defaults.szPublicPosSetKtype), options);
    m_warehouse->setObjectName(WarehouseKey);
    m_warehouse->setMaxLength(50);
    optionForm->addRow(QStringLiteral("门店出库仓库编号："), m_warehouse);
    static_cast<QVBoxLayout*>(options->layout())->addLayout(optionForm);
    columns->addWidget(options, 1, 1, 2, 1);
    return page;
}

QWidget* HostSettingsDialog::createFlagsPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    const TAppClass flags = m_config.AppFlags();
    for (int position = 1; position <= TAppClass::FlagCount; ++position) {
        auto* box = new QCheckBox(QStringLiteral("应用标志 %1").arg(position), page);
        box->setObjectName(QStringLiteral("AppFlag%1").arg(position));
        box->setChecked(flags.Flag(position));
        grid->addWidget(box, (position - 1) / FlagColumns, (position - 1) % FlagColumns);
        m_appFlags.append(box);
    }
    return page;
}

void HostSettingsDialog::loadStore() {
    auto* name = findChild<QLabel*>(QStringLiteral("StoreNameLabel"));
    m_storeId = Ucomvar().lPublicPosid;
    ClientDataSet store;
    if (m_storeId != 0)
        dmClient().OpenSQL(
            QStringLiteral(
                "SELECT PosName, PosType, ConnectType FROM posinfo WHERE posid = ? AND deleted = 0"),
            store, {m_storeId});
    if (store.IsEmpty()) {
        // The head office (or a store closed meanwhile) has no kind or mode to set.
        name->setText(m_storeId == 0 ? QStringLiteral("总部") : Ucomvar().szPublicPosName);
        m_storeId = 0;
        m_posType->setEnabled(false);
        m_connectType->setEnabled(false);
        return;
    }
    name->setText(store.FieldByName(QStringLiteral("PosName")).AsString());
    m_loadedPosType = store.FieldByName(QStringLiteral("PosType")).AsInteger();
    m_loadedConnectType = store.FieldByName(QStringLiteral("ConnectType")).AsInteger();
    selectValue(*m_posType, m_loadedPosType);
    selectValue(*m_connectType, m_loadedConnectType);
}

QHash<QString, QString> HostSettingsDialog::values() const {
    QHash<QString, QString> result;
    for (const auto& [key, box] : m_switches)
        result.insert(key, flagText(box->isChecked()));
    TAppClass flags;
    for (int i = 0; i < m_appFlags.size(); ++i)
        flags.SetFlag(i + 1, m_appFlags[i]->isChecked());
    result.insert(AppFlagsKey, flags.ToText());
    result.insert(EditionKey, QString::number(m_edition->value()));
    result.insert(PeriodKey, QString::number(m_period->value()));
    result.insert(GoodsNameKey, m_goodsName->text().trimmed());
    result.insert(WarehouseKey, m_warehouse->text().trimmed());
    return result;
}

void HostSettingsDialog::OnSave() {
    if (!IsAdministrator())
        ShowErrorAndAbort(QStringLiteral("只有系统管理员才能修改系统设置。"), QStringLiteral("提示"));
    if (m_goodsName->text().trimmed().isEmpty()) {
        m_goodsName->setFocus();
        ShowErrorAndAbort(QStringLiteral("商品称谓不能为空。"), QStringLiteral("提示"));
    }
    const QHash<QString, QString> now = values();
    for (auto value = now.constBegin(); value != now.constEnd(); ++value) {
        if (m_loaded.value(value.key()) != value.value())
            m_config.SetText(value.key(), value.value());
    }
    const int posType = m_posType->currentData().toInt();
    const int connectType = m_connectType->currentData().toInt();
    const bool storeChanged =
        m_storeId != 0 && (posType != m_loadedPosType || connectType != m_loadedConnectType);

    Transaction transaction(dmClient());
    if (storeChanged &&
        dmClient().ExecuteSQL(
            QStringLiteral("UPDATE posinfo SET PosType = ?, ConnectType = ? WHERE posid = ? AND deleted = 0"),
            {posType, connectType, m_storeId}) == 0)
        throw DbError(QStringLiteral("当前门店已被删除，门店类型和连接方式未能保存。"));
    // Last, so that a failure before it leaves the changed settings pending for another try.
    m_config.Save();
    transaction.Commit();

    // Read back, so the session also gets what other workstations saved meanwhile.
    m_config.Load();
    m_config.ApplyTo(Ucomvar());
    if (storeChanged) {
        Ucomvar().lpostype = posType;
        Ucomvar().lConnectType = connectType;
    }
    SetModalResult(mrOk);
}
