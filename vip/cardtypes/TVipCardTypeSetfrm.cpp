#include "vip/cardtypes/TVipCardTypeSetfrm.h"

#include "host/sdk/MessageBox.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/Refuse.h"
#include "vip/cardtypes/CardTypeDiscountPage.h"
#include "vip/cardtypes/CardTypeIntroducePage.h"
#include "vip/cardtypes/CardTypeMemberDayPage.h"
#include "vip/cardtypes/CardTypePointsPage.h"
#include "vip/cardtypes/CardTypeStorePage.h"
#include "vip/cardtypes/CardTypeStoredValuePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace DialogFields;

namespace {

constexpr int DialogHeight = 600;
constexpr int DefaultPriceMode = 17;
constexpr int ServicesOffFlag = 12;
constexpr int SaleLimitFlagA = 10;
constexpr int SaleLimitFlagB = 14;

bool servicesSwitchedOff() {
    return AppClass().Flag(ServicesOffFlag);
}

} // namespace

TVipCardTypeSetfrm::TVipCardTypeSetfrm(int typeId, QWidget* parent)
    : TBaseDialog(parent)
    , m_typeId(typeId > 0 ? typeId : 0)
    , m_name(Edit("reName", 20))
    , m_comment(Edit("reComment", 50))
    , m_repeat(NumberEdit("edtRepeatNum", KeyFilter::Digits, 2))
    , m_mode(new QComboBox)
    , m_priceLabel(Label(QStringLiteral("会员价"), "lblVipPriceType"))
    , m_priceType(new QComboBox)
    , m_autoIntegral(CheckBox("cBoxAutoIntegral", QStringLiteral("允许积分")))
    , m_memberDay(CheckBox("RcbVipDay", QStringLiteral("启用会员日")))
    , m_storedValue(CheckBox("chkCZYH", QStringLiteral("允许储值")))
    , m_service(CheckBox("chkIsCZService", QStringLiteral("启用服务项目储值")))
    , m_introduce(CheckBox("chkNewJS", QStringLiteral("启用会员介绍奖励")))
    , m_posRange(CheckBox("chkpos", QStringLiteral("设置卡适用范围")))
    , m_pages(new QTabWidget)
    , m_basePage(new QWidget)
    , m_saleLimit(CheckBox("cBoxSaleLimit", QStringLiteral("会员价使用消费限量")))
    , m_esPrice(CheckBox("cBox_EsPriceNotIntegral", QStringLiteral("每日特价商品不积分")))
    , m_posNamesLabel(Label(QStringLiteral("适用门店")))
    , m_posNames(Edit("edtPosName"))
    , m_discountPage(new CardTypeDiscountPage)
    , m_pointsPage(new CardTypePointsPage(m_store))
    , m_memberDayPage(new CardTypeMemberDayPage)
    , m_storedValuePage(new CardTypeStoredValuePage)
    , m_introducePage(new CardTypeIntroducePage)
    , m_storePage(new CardTypeStorePage(m_store)) {
    setObjectName(QStringLiteral("TVipCardTypeSetfrm"));
    setWindowTitle(QStringLiteral("会员卡类型设置"));
    resize(680, DialogHeight);
    m_mode->setObjectName(QStringLiteral("cmoVipMode"));
    m_mode->addItems({QStringLiteral("会员价"), QStringLiteral("会员折扣"), QStringLiteral("会员价折扣")});
    m_priceType->setObjectName(QStringLiteral("ComBoxVipPriceType"));
    m_pages->setObjectName(QStringLiteral("pcMain"));
    KeepWhole(m_repeat);

    QHBoxLayout* buttons =
        ConfirmButtons(QStringLiteral("确认[&Y]"), QStringLiteral("退出[&X]"), [this] { OnConfirm(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buildTop());
    layout->addWidget(buildPages(), 1);
    layout->addLayout(buttons);
    m_pages->setCurrentIndex(0);

    for (QCheckBox* box : {m_autoIntegral, m_memberDay, m_storedValue, m_introduce, m_posRange})
        connect(box, &QCheckBox::toggled, this, &TVipCardTypeSetfrm::applyState);
    connect(m_mode, &QComboBox::currentIndexChanged, this, &TVipCardTypeSetfrm::applyState);
    connect(m_mode, &QComboBox::activated, this, &TVipCardTypeSetfrm::onModeChosen);
    connect(m_memberDay, &QCheckBox::clicked, this, &TVipCardTypeSetfrm::onMemberDayClicked);
    connect(m_storedValue, &QCheckBox::clicked, this, [this](bool on) {
        if (on)
            openPage(m_storedValuePage);
    });
    connect(m_posRange, &QCheckBox::clicked, this, [this](bool on) {
        if (on)
            openPage(m_storePage);
    });
}

QLayout* TVipCardTypeSetfrm::buildTop() {
    auto* grid = new QGridLayout;
    grid->addWidget(Label(QStringLiteral("会员卡类型")), 0, 0);
    grid->addWidget(m_name, 0, 1);
    grid->addWidget(Label(QStringLiteral("重复办卡次数限制")), 0, 2);
    grid->addWidget(m_repeat, 0, 3);
    grid->addWidget(Label(QStringLiteral("备  注")), 1, 0);
    grid->addWidget(m_comment, 1, 1, 1, 3);
    grid->addWidget(Label(QStringLiteral("优惠方式")), 2, 0);
    grid->addWidget(m_mode, 2, 1);
    grid->addWidget(m_priceLabel, 2, 2);
    grid->addWidget(m_priceType, 2, 3);
    auto* switches = new QGridLayout;
    switches->addWidget(m_autoIntegral, 0, 0);
    switches->addWidget(m_memberDay, 0, 1);
    switches->addWidget(m_storedValue, 0, 2);
    switches->addWidget(m_service, 0, 3);
    switches->addWidget(m_introduce, 1, 0);
    switches->addWidget(m_posRange, 1, 1);
    auto* top = new QVBoxLayout;
    top->addLayout(grid);
    top->addLayout(switches);
    return top;
}

QWidget* TVipCardTypeSetfrm::buildPages() {
    auto* base = new QGridLayout(m_basePage);
    base->addWidget(m_saleLimit, 0, 0, 1, 2);
    base->addWidget(m_esPrice, 1, 0, 1, 2);
    base->addWidget(m_posNamesLabel, 2, 0);
    base->addWidget(m_posNames, 2, 1);
    base->setRowStretch(3, 1);
    m_posNames->setReadOnly(true);
    m_pages->addTab(m_basePage, QStringLiteral("基本信息"));
    m_pages->addTab(m_discountPage, QStringLiteral("折扣"));
    m_pages->addTab(m_pointsPage, QStringLiteral("积分"));
    m_pages->addTab(m_memberDayPage, QStringLiteral("会员日"));
    m_pages->addTab(m_storedValuePage, QStringLiteral("储值"));
    m_pages->addTab(m_introducePage, QStringLiteral("会员介绍"));
    m_pages->addTab(m_storePage, QStringLiteral("适用范围"));
    return m_pages;
}

void TVipCardTypeSetfrm::OpenDb() {
    m_data = m_store.Load(m_typeId);
}

void TVipCardTypeSetfrm::fillPriceTypes() {
    m_priceType->clear();
    for (const NamedId& price : m_data.prices)
        m_priceType->addItem(price.name, price.id);
}

void TVipCardTypeSetfrm::RefreshAll() {
    fillPriceTypes();
    const ClientDataSet* type = m_data.found() ? &m_data.type : nullptr;
    const auto flag = [type](const char* name) {
        return type->FieldByName(QLatin1String(name)).AsInteger() == 1;
    };

    m_saleLimit->setChecked(true);
    m_autoIntegral->setChecked(true);
    m_esPrice->setChecked(false);
    m_mode->setCurrentIndex(VipCardTypeSettings::MemberPrice);
    m_priceType->setCurrentIndex(m_priceType->findData(DefaultPriceMode));
    bool allStores = true;
    if (type) {
        m_name->setText(type->FieldByName(QStringLiteral("TypeName")).AsString());
        m_comment->setText(type->FieldByName(QStringLiteral("Comment")).AsString());
        m_repeat->setText(type->FieldByName(QStringLiteral("RepeatNum")).AsString());
        const bool price = flag("IfVipPrice");
        const bool discount = flag("AutoDiscount");
        const bool priceDiscount = flag("IfVipPriceDisCount");
        if (!price && discount && !priceDiscount)
            m_mode->setCurrentIndex(VipCardTypeSettings::MemberDiscount);
        else if (price && discount && priceDiscount)
            m_mode->setCurrentIndex(VipCardTypeSettings::MemberPriceDiscount);
        m_priceType->setCurrentIndex(
            m_priceType->findData(type->FieldByName(QStringLiteral("vipPriceType")).AsInteger()));
        m_saleLimit->setChecked(flag("IsSaleLimit"));
        m_memberDay->setChecked(type->FieldByName(QStringLiteral("UseVipDay")).AsInteger() != 0);
        m_storedValue->setChecked(flag("IsCZPreferential"));
        m_service->setChecked(!servicesSwitchedOff() && flag("IsCZService") && flag("IsCZPreferential"));
        m_introduce->setChecked(flag("IsIntroduceJS"));
        // Without points there is no introducer reward: set after it, so that rule holds.
        m_autoIntegral->setChecked(flag("AutoIntegral"));
        m_posRange->setChecked(flag("PosRange"));
        allStores = flag("CanAllPos");
    }
    m_discountPage->Load(type, m_data.rulesOf(RuleKind::DiscountBands));
    m_pointsPage->Load(m_data);
    m_memberDayPage->Load(type);
    m_storedValuePage->Load(type, m_data.rulesOf(RuleKind::StoredValueGifts));
    m_introducePage->Load(type);
    m_storePage->Load(m_data.stores, allStores, m_typeId);
    m_posNames->setText(m_data.storeNames);
    applyState();
}

VipCardTypeSettings::Mode TVipCardTypeSetfrm::mode() const {
    return static_cast<VipCardTypeSettings::Mode>(std::max(0, m_mode->currentIndex()));
}

void TVipCardTypeSetfrm::applyState() {
    const VipCardTypeSettings::Mode current = mode();
    m_priceLabel->setVisible(current != VipCardTypeSettings::MemberDiscount);
    m_priceType->setVisible(current != VipCardTypeSettings::MemberDiscount);
    const bool points = m_autoIntegral->isChecked();
    m_introduce->setEnabled(points);
    if (!points)
        m_introduce->setChecked(false);
    m_memberDayPage->SetPointsAllowed(points);
    m_memberDayPage->OfferFor(current);
    const bool stored = m_storedValue->isChecked();
    m_service->setEnabled(stored && !servicesSwitchedOff());
    if (!stored)
        m_service->setChecked(false);
    updatePages();
}

void TVipCardTypeSetfrm::updatePages() {
    const bool shown[] = {false,
                          mode() != VipCardTypeSettings::MemberPrice,
                          m_autoIntegral->isChecked(),
                          m_memberDay->isChecked(),
                          m_storedValue->isChecked(),
                          m_introduce->isChecked(),
                          m_posRange->isChecked()};
    bool any = false;
    for (int page = 0; page < m_pages->count(); ++page) {
        m_pages->setTabVisible(page, shown[page]);
        any = any || shown[page];
    }
    // The dialog keeps its height while a page shows and gives up the page area
    // when none does.
    if (m_pages->isVisibleTo(this) == any)
        return;
    m_pages->setVisible(any);
    layout()->activate();
    resize(width(), any ? DialogHeight : minimumSizeHint().height());
}

void TVipCardTypeSetfrm::openPage(QWidget* page) {
    const int index = m_pages->indexOf(page);
    if (m_pages->isTabVisible(index))
        m_pages->setCurrentIndex(index);
}

void TVipCardTypeSetfrm::onModeChosen() {
    if (mode() == VipCardTypeSettings::MemberDiscount)
        openPage(m_discountPage);
    m_memberDayPage->ApplyMemberDay(mode(), m_memberDay->isChecked(), m_discountPage->RateText());
}

void TVipCardTypeSetfrm::onMemberDayClicked() {
    m_memberDayPage->ApplyMemberDay(mode(), m_memberDay->isChecked(), m_discountPage->RateText());
}

void TVipCardTypeSetfrm::showEvent(QShowEvent* event) {
    TBaseDialog::showEvent(event);
    if (!m_shown)
        FormShow();
}

void TVipCardTypeSetfrm::FormShow() {
    m_esPrice->hide();
    if (servicesSwitchedOff()) {
        m_service->setChecked(false);
        m_service->hide();
        m_service->setEnabled(false);
        m_introducePage->ForceUnified();
    }
    SetContrlVisible();
    m_shown = true;
    m_memberDayPage->SetShown();
    updatePages();
}

void TVipCardTypeSetfrm::SetContrlVisible() {
    if (!IsFood())
        return;
    const int edition = MEDVERSION();
    if (edition == 8) {
        m_saleLimit->setChecked(false);
        m_memberDay->setChecked(false);
        m_memberDay->hide();
    }
    if (edition != 1 && edition != 5) {
        m_posRange->setChecked(false);
        m_posRange->hide();
        m_posNamesLabel->hide();
        m_posNames->hide();
        m_pointsPage->HideExchangeStores();
    }
    if (edition == 5)
        m_pointsPage->HideExchangeStores();
    if (!AppClass().Flag(SaleLimitFlagA) && !AppClass().Flag(SaleLimitFlagB)) {
        m_saleLimit->setChecked(false);
        m_saleLimit->hide();
    }
}

void TVipCardTypeSetfrm::CheckDataInput() {
    const QString name = m_name->text().trimmed();
    if (name.isEmpty())
        Refuse(m_name, QStringLiteral("必须输入会员卡类型！"));
    if (mode() != VipCardTypeSettings::MemberDiscount &&
        (m_priceType->currentIndex() < 0 || !m_priceType->currentData().isValid()))
        Refuse(m_priceType, QStringLiteral("请选择会员价!"), QStringLiteral("输入不完整"));
    m_discountPage->CheckRate();
    m_memberDayPage->Check(m_memberDay->isChecked());
    m_introducePage->Check();
    if (m_store.IsNameTaken(name, m_typeId))
        Refuse(m_name, DuplicateNameText(name), QStringLiteral("警告"), MB::IconWarning);
    m_discountPage->CheckBands(name);
    if (m_autoIntegral->isChecked())
        m_pointsPage->Check(name);
    if (m_storedValue->isChecked())
        m_storedValuePage->Check(name);
    if (m_posRange->isChecked())
        m_storePage->Check();
    m_pointsPage->CheckCatchAll();
}

QString TVipCardTypeSetfrm::DuplicateNameText(const QString& name) {
    return QStringLiteral("已经存在%1的会员卡类型,不能增加重复名称的会员卡类型。").arg(name);
}

void TVipCardTypeSetfrm::save() {
    const VipCardTypeSettings settings = Settings();
    const int result = m_store.Save(settings);
    // The checks passed a moment ago, but other users write too: the save procedure
    // has the last word, and nothing of this save was written when it refuses.
    switch (result) {
    case VipCardTypeStore::NameTaken:
        Refuse(m_name, DuplicateNameText(settings.name), QStringLiteral("警告"), MB::IconWarning);
    case VipCardTypeStore::ChangedElsewhere:
        Refuse(m_name, QStringLiteral("该会员卡类型已被其他用户修改，请关闭后重新打开再修改。"),
               QStringLiteral("警告"), MB::IconWarning);
    case VipCardTypeStore::TypeGone:
        Refuse(m_name, QStringLiteral("该会员卡类型已被其他用户删除，不能保存。"), QStringLiteral("警告"),
               MB::IconWarning);
    default:
        if (result < 0)
            ShowErrorAndAbort(ErrorWriteDb);
    }
}

// Runs guarded: a refusal abandons the confirm and a database error shows one box,
// and either way the dialog stays open with everything typed. It closes only once
// the save has committed.
void TVipCardTypeSetfrm::OnConfirm() {
    CheckDataInput();
    save();
    SetModalResult(mrOk);
}

void TVipCardTypeSetfrm::reject() {
    if (Question(QStringLiteral("退出将不保存数据的修改，确认退出吗?"), QStringLiteral("提示")))
        TBaseDialog::reject();
}

VipCardTypeSettings TVipCardTypeSetfrm::Settings() const {
    VipCardTypeSettings s;
    s.typeId = m_typeId;
    s.stamp = m_data.stamp();
    s.name = m_name->text().trimmed();
    s.comment = m_comment->text();
    s.repeatNumText = m_repeat->text();
    s.mode = mode();
    s.vipPriceType = m_priceType->currentData().toInt();
    s.saleLimit = m_saleLimit->isChecked();
    m_discountPage->Fill(s);
    s.autoIntegral = m_autoIntegral->isChecked();
    m_pointsPage->Fill(s);
    s.memberDay = m_memberDay->isChecked();
    m_memberDayPage->Fill(s);
    s.storedValue = m_storedValue->isChecked();
    s.serviceItems = m_service->isChecked();
    m_storedValuePage->Fill(s);
    s.introduce = m_introduce->isChecked();
    m_introducePage->Fill(s);
    s.posRange = m_posRange->isChecked();
    m_storePage->Fill(s);
    s.servicesSwitchedOff = servicesSwitchedOff();
    return s;
}
