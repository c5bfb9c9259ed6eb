#include "vip/members/VipStoredValueBox.h"

#include "host/sdk/MessageBox.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/Refuse.h"
#include "vip/members/VipCardStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

using namespace DialogFields;

namespace {

constexpr int KindRole = Qt::UserRole + 1;
constexpr int FranchiseKind = 2;
constexpr int ServicesOffFlag = 12;
const Money OpeningLimit = Money::fromUnits(100000);

bool linkedStore() {
    return AppClass().Flag(14) || AppClass().Flag(19);
}

} // namespace

VipStoredValueBox::VipStoredValueBox(VipCardStore& store, QWidget* parent)
    : QGroupBox(QStringLiteral("储值信息"), parent)
    , m_store(store)
    , m_storedValue(CheckBox("rcbVipCz", QStringLiteral("会员储值")))
    , m_opening(NumberEdit("RzCz00", KeyFilter::DigitsDot, 9))
    , m_usePassword(CheckBox("rcbUsePass", QStringLiteral("储值密码")))
    , m_password(Edit("rePassword", 6))
    , m_passwordTwo(Edit("rePasswordTwo", 6))
    , m_againCaption(Label(QStringLiteral("再录一次")))
    , m_stores(new QComboBox)
    , m_services(CheckBox("rcbVipCzService", QStringLiteral("服务项目")))
    , m_totalCaption(Label(QStringLiteral("累计储值")))
    , m_total(Label(QStringLiteral("0"), "CzTotal"))
    , m_availableCaption(Label(QStringLiteral("可用储值")))
    , m_available(Label(QStringLiteral("0"), "UsedCz"))
    , m_buyTotal(NumberEdit("Edt_LJBuyTotal", KeyFilter::DigitsDot, 12))
    , m_points(NumberEdit("Edt_LJJF", KeyFilter::Digits, 9))
    , m_buyTotalLabel(Label(QStringLiteral("累积消费金额"), "lblLJBuyTotal"))
    , m_pointsLabel(Label(QStringLiteral("累积积分"), "lblLJJF")) {
    setObjectName(QStringLiteral("gbCz"));
    m_stores->setObjectName(QStringLiteral("cbCzPos"));
    m_password->setEchoMode(QLineEdit::Password);
    m_passwordTwo->setEchoMode(QLineEdit::Password);
    m_buyTotal->setReadOnly(true);
    m_points->setReadOnly(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_storedValue, 0, 0);
    grid->addWidget(Label(QStringLiteral("期初储值")), 0, 1);
    grid->addWidget(m_opening, 0, 2);
    grid->addWidget(m_services, 0, 3);
    grid->addWidget(m_usePassword, 1, 0);
    grid->addWidget(m_password, 1, 1, 1, 2);
    grid->addWidget(m_againCaption, 1, 3);
    grid->addWidget(m_passwordTwo, 1, 4);
    grid->addWidget(Label(QStringLiteral("储值适用门店")), 2, 0);
    grid->addWidget(m_stores, 2, 1, 1, 2);
    grid->addWidget(m_totalCaption, 3, 0);
    grid->addWidget(m_total, 3, 1);
    grid->addWidget(m_availableCaption, 3, 2);
    grid->addWidget(m_available, 3, 3);
    grid->addWidget(m_buyTotalLabel, 4, 0);
    grid->addWidget(m_buyTotal, 4, 1);
    grid->addWidget(m_pointsLabel, 4, 2);
    grid->addWidget(m_points, 4, 3);

    connect(m_storedValue, &QCheckBox::toggled, this, &VipStoredValueBox::onStoredValueToggled);
    connect(m_storedValue, &QCheckBox::clicked, this, [this](bool on) {
        if (on)
            emit storedValueTicked();
    });
    connect(m_usePassword, &QCheckBox::toggled, this, &VipStoredValueBox::applyState);
    connect(m_stores, &QComboBox::activated, this, &VipStoredValueBox::onStoreChosen);
    connect(m_opening, &QLineEdit::textEdited, this, &VipStoredValueBox::onOpeningEdited);
    connect(m_opening, &QLineEdit::editingFinished, this,
            [this] { m_opening->setText(Money::fromText(m_opening->text()).rounded(2).toString(2)); });
    Clear();
}

void VipStoredValueBox::SetRights(bool openingEditable, bool stateChangeable) {
    m_openingRight = openingEditable;
    m_stateRight = stateChangeable;
    applyState();
}

void VipStoredValueBox::SetType(int typeId, bool typeServices) {
    m_typeId = typeId;
    m_typeServices = typeServices;
    refreshStores();
    applyPasswordRule();
    applyState();
}

bool VipStoredValueBox::KeepsChosenStore(int typeId) const {
    if (!m_storedValue->isChecked() || m_stores->currentIndex() < 0)
        return true;
    const int chosen = m_stores->currentData().toInt();
    for (const VipCardStore::Store& row : m_store.StoredValueStores(typeId)) {
        if (row.id == chosen)
            return true;
    }
    return false;
}

void VipStoredValueBox::refreshStores() {
    const int chosen = m_stores->currentIndex() >= 0 ? m_stores->currentData().toInt() : m_chosenStore;
    m_stores->clear();
    if (m_typeId > 0) {
        for (const VipCardStore::Store& row : m_store.StoredValueStores(m_typeId)) {
            m_stores->addItem(row.name, row.id);
            m_stores->setItemData(m_stores->count() - 1, row.kind, KindRole);
        }
    }
    m_stores->setCurrentIndex(m_stores->findData(chosen));
    m_lastIndex = m_stores->currentIndex();
}

// The password may be kept only where the type's stored value is not restricted
// to discount cards, or when the store works on the head office's data.
void VipStoredValueBox::applyPasswordRule() {
    const bool centre = linkedStore() && Ucomvar().lConnectType == 1;
    m_passwordRule = centre || (m_typeId > 0 && m_store.PasswordAllowed(m_typeId));
}

int VipStoredValueBox::kindOf(int index) const {
    return index < 0 ? 0 : m_stores->itemData(index, KindRole).toInt();
}

bool VipStoredValueBox::openingEditable() const {
    return m_openingRight && m_storedValue->isChecked() && kindOf(m_stores->currentIndex()) != FranchiseKind;
}

void VipStoredValueBox::setPasswordBox(bool enabled) {
    m_usePassword->setEnabled(enabled);
    if (!enabled)
        m_usePassword->setChecked(false);
}

void VipStoredValueBox::applyState() {
    const bool on = m_storedValue->isChecked();
    m_opening->setEnabled(openingEditable());
    const int kind = kindOf(m_stores->currentIndex());
    // The shared stored value of the real-time stores is guarded by a password. A store
    // working on the head office's data keeps the passwords of its own cards there
    // instead: it may set one only for stored value held at this very store.
    const bool centre = linkedStore() && Ucomvar().lConnectType == 1;
    const bool chosen = m_stores->currentIndex() >= 0;
    const bool ownStore = chosen && m_stores->currentData().toInt() == Ucomvar().lPublicPosid;
    const bool passwordHere = !chosen || (kind == 0 ? !centre : centre && ownStore);
    setPasswordBox(on && m_passwordRule && passwordHere);
    if (on && kind >= 1 && chosen && !passwordHere) {
        m_password->clear();
        m_passwordTwo->clear();
    }
    m_password->setEnabled(m_usePassword->isChecked());
    m_passwordTwo->setEnabled(m_usePassword->isChecked());
    m_stores->setEnabled(on && MEDVERSION() != 50);
    const bool servicesAllowed = on && m_typeServices && !AppClass().Flag(ServicesOffFlag);
    m_services->setEnabled(servicesAllowed);
    if (!on)
        m_services->setChecked(false);
    for (QWidget* total : {static_cast<QWidget*>(m_totalCaption), static_cast<QWidget*>(m_total),
                           static_cast<QWidget*>(m_availableCaption), static_cast<QWidget*>(m_available)})
        total->setVisible(on);
    // A card holding stored value keeps it: the switch is off limits until it is spent.
    m_storedValue->setEnabled(!m_holding && m_stateRight && MEDVERSION() != 2);
}

void VipStoredValueBox::onStoredValueToggled() {
    if (m_loading)
        return;
    if (m_storedValue->isChecked())
        refreshStores();
    applyState();
}

void VipStoredValueBox::onStoreChosen(int index) {
    if (kindOf(index) == FranchiseKind && m_openingRight && !Money::fromText(m_opening->text()).isZero()) {
        const bool silent = Ucomvar().lpostype == 2 && linkedStore();
        if (!silent && !Question(QStringLiteral("加盟店不允许录入期初，将自动清0。是否继续？"))) {
            m_stores->setCurrentIndex(m_lastIndex);
            return;
        }
        m_opening->setText(Money().toString(2));
        onOpeningEdited();
    }
    m_lastIndex = index;
    applyState();
}

void VipStoredValueBox::onOpeningEdited() {
    const QString text = Money::fromText(m_opening->text()).toString(2);
    m_total->setText(text);
    m_available->setText(text);
}

void VipStoredValueBox::Load(const Values& values) {
    m_loading = true;
    m_storedValue->setChecked(values.storedValue);
    m_opening->setText(values.opening.toString(2));
    m_total->setText(values.total.toString(2));
    m_available->setText(values.available.toString(2));
    m_chosenStore = values.storeId;
    m_holding = !values.available.isZero();
    refreshStores();
    m_loading = false;
    applyState();
    m_passwordKept = values.passwordKept;
    m_usePassword->setChecked(values.usePassword && m_usePassword->isEnabled());
    m_password->clear();
    m_passwordTwo->clear();
    m_services->setChecked(values.services && m_services->isEnabled());
    applyState();
}

void VipStoredValueBox::Clear() {
    Load(Values{});
    m_total->setText(QStringLiteral("0"));
    m_available->setText(QStringLiteral("0"));
    m_buyTotal->clear();
    m_points->clear();
}

void VipStoredValueBox::Check() {
    if (!m_storedValue->isChecked())
        return;
    const Money opening = Opening();
    const auto refuseOpening = [this](const QString& text) {
        m_opening->clear();
        onOpeningEdited();
        Refuse(m_opening, text, QStringLiteral("提示"), MB::IconWarning);
    };
    if (opening > OpeningLimit)
        refuseOpening(QStringLiteral("期初储值超出最大许可值100000，请重新录入!"));
    if (opening < Money())
        refuseOpening(QStringLiteral("期初储值小于0，请重新录入!"));
    if (!m_usePassword->isChecked() || !NewPassword())
        return;
    const auto refusePassword = [this](const QString& text) {
        m_password->clear();
        m_passwordTwo->clear();
        Refuse(m_password, text, QStringLiteral("提示"), MB::IconWarning);
    };
    if (m_password->text().size() < 6)
        refusePassword(QStringLiteral("密码位数不够6位，请重新录入!"));
    if (m_password->text() != m_passwordTwo->text())
        refusePassword(QStringLiteral("密码不一致，请重新录入!"));
}

void VipStoredValueBox::SetPasswordCaptions(const QString& box, const QString& again) {
    m_usePassword->setText(box);
    m_againCaption->setText(again);
}

bool VipStoredValueBox::StoredValue() const {
    return m_storedValue->isChecked();
}

bool VipStoredValueBox::Services() const {
    return m_storedValue->isChecked() && m_services->isChecked();
}

Money VipStoredValueBox::Opening() const {
    return Money::fromText(m_opening->text());
}

Money VipStoredValueBox::Total() const {
    return Money::fromText(m_total->text());
}

Money VipStoredValueBox::Available() const {
    return Money::fromText(m_available->text());
}

bool VipStoredValueBox::UsePassword() const {
    return m_storedValue->isChecked() && m_usePassword->isChecked();
}

std::optional<QString> VipStoredValueBox::NewPassword() const {
    if (m_passwordKept && m_password->text().isEmpty() && m_passwordTwo->text().isEmpty())
        return std::nullopt;
    return m_password->text();
}

int VipStoredValueBox::StoreId() const {
    return m_stores->currentIndex() < 0 ? 0 : m_stores->currentData().toInt();
}

bool VipStoredValueBox::PasswordOn() const {
    return UsePassword();
}

QList<QWidget*> VipStoredValueBox::Controls() const {
    return {m_storedValue, m_opening, m_usePassword, m_password, m_passwordTwo, m_stores, m_services};
}
