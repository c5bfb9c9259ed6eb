#include "vip/members/TY_VipInfoDlg.h"

#include "host/sdk/Limit.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/ui/CallQueryClass.h"
#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/NumberText.h"
#include "host/sdk/ui/Refuse.h"
#include "host/sdk/ui/TBaseQuery.h"
#include "host/sdk/ui/TPicturePage.h"
#include "vip/base/ModuleGlobals.h"
#include "vip/devices/TFunCard.h"
#include "vip/members/LunarExports.h"
#include "vip/members/VipCardNotices.h"
#include "vip/members/VipCardWriter.h"
#include "vip/members/VipCenterLink.h"
#include "vip/members/VipCustomPage.h"
#include "vip/members/VipDateText.h"
#include "vip/members/VipSelectExports.h"
#include "vip/members/VipStoredValueBox.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QUuid>
#include <QVBoxLayout>

using namespace DialogFields;

namespace {

constexpr int OpeningBalanceRight = 511;
constexpr int ServicesOffFlag = 12;
constexpr int CenterVersion = 50;
constexpr int CardPictures = 1006; // the picture store's kind of record for member cards
const QString DateMask = QStringLiteral("9999/99/99;_");
const QString Required = QStringLiteral("不能为空!!--注:带*号必须输入内容");
const QString Incomplete = QStringLiteral("信息输入不完整!请重新输入!!--注:带*号必须输入内容");
const QString DateFormat = QStringLiteral("输入错误!请按如下格式输入(2000-10-01)或日期范围不正确");

bool linkedStore() {
    return AppClass().Flag(14) || AppClass().Flag(19);
}

bool centreMode() {
    return Ucomvar().lConnectType == 1;
}

QLineEdit* DateEdit(const char* name) {
    QLineEdit* edit = Edit(name);
    edit->setInputMask(DateMask);
    return edit;
}

// The type's flags are shown, not edited: the type decides them.
QCheckBox* FlagBox(const char* name, const QString& caption) {
    QCheckBox* box = CheckBox(name, caption);
    box->setAttribute(Qt::WA_TransparentForMouseEvents);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

QString captionOf(const QLabel* label) {
    return label ? label->text() : QString();
}

} // namespace

TY_VipInfoDlg::TY_VipInfoDlg(QWidget* parent)
    : TBaseDialog(parent)
    , m_pages(new QTabWidget)
    , m_customPage(new VipCustomPage)
    , m_picturePage(new TPicturePage)
    , m_cardNo(Edit("CardNoEdit", 30))
    , m_enterCardNo(Edit("EnterCardNo", 30))
    , m_bulidDate(DateEdit("BulidCardMEdit"))
    , m_validityDate(DateEdit("ValidityMEdit"))
    , m_cardType(Edit("CardTypeEdit"))
    , m_typeButton(new QPushButton(QStringLiteral("...")))
    , m_discount(Edit("DiscountEdit"))
    , m_name(Edit("NameEdit", 50))
    , m_tel(Edit("TelEdit", 40))
    , m_identity(Edit("SfEdit", 18))
    , m_partner(new QComboBox)
    , m_email(Edit("EmailEdit", 60))
    , m_address(Edit("AddEdit", 50))
    , m_sex(new QComboBox)
    , m_barCode(Edit("edtVIPBarCode", 60))
    , m_introducer(Edit("edtJSVIPCard", 30))
    , m_activePos(new QComboBox)
    , m_activePosMarker(marker("lblActivePosMust"))
    , m_lunar(CheckBox("cbxBirthType", QStringLiteral("农历")))
    , m_birthday(Edit("BirthEdit", 50))
    , m_jsNum(Label({}, "JSNum"))
    , m_fixedDiscount(FlagBox("RzCheckBox1", QStringLiteral("固定折扣")))
    , m_memberTotal(FlagBox("RzCheckBox2", QStringLiteral("分段折扣")))
    , m_integral(FlagBox("CheckBox1", QStringLiteral("会员积分")))
    , m_vipPrice(FlagBox("CheckBox3", QStringLiteral("会员价")))
    , m_ptypeDiscount(FlagBox("CheckBox4", QStringLiteral("商品折扣")))
    , m_autoDiscount(FlagBox("CheckBox5", QStringLiteral("是否折扣")))
    , m_oneOff(FlagBox("CheckBox2", QStringLiteral("是否一次性折扣")))
    , m_life(CheckBox("chkLife", QStringLiteral("激活")))
    , m_czBox(new VipStoredValueBox(m_store))
    , m_comment(new QPlainTextEdit)
    , m_candidates(new QTableWidget(0, 4))
    , m_icButton(new QPushButton(QStringLiteral("IC写卡[F11]"))) {
    setObjectName(QStringLiteral("TY_VipInfoDlg"));
    setWindowTitle(QStringLiteral("会员卡管理"));
    m_pages->setObjectName(QStringLiteral("pcMain"));
    m_typeButton->setObjectName(QStringLiteral("btnCardType"));
    m_partner->setObjectName(QStringLiteral("btnB_checke"));
    m_sex->setObjectName(QStringLiteral("SexCombox"));
    m_sex->addItems({QStringLiteral("男"), QStringLiteral("女")});
    m_activePos->setObjectName(QStringLiteral("cbxActivePos"));
    m_comment->setObjectName(QStringLiteral("CommentEdit"));
    m_candidates->setObjectName(QStringLiteral("VipGrid"));
    m_icButton->setObjectName(QStringLiteral("btnICCard"));
    m_cardType->setReadOnly(true);
    m_discount->setReadOnly(true);
    m_enterCardNo->hide();
    m_oneOff->hide();
    SetKeyFilter(m_birthday, KeyFilter::DateText);

    m_candidates->setHorizontalHeaderLabels({QStringLiteral("会员卡号"), QStringLiteral("持卡人"),
                                             QStringLiteral("电话"), QStringLiteral("持卡类型")});
    m_candidates->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_candidates->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_candidates->setSelectionMode(QAbstractItemView::SingleSelection);
    m_candidates->horizontalHeader()->setStretchLastSection(true);
    m_candidates->hide();

    m_pages->addTab(buildMainPage(), QStringLiteral("主要信息"));
    m_pages->addTab(m_customPage, QStringLiteral("自定义信息"));
    m_pages->addTab(m_picturePage, QStringLiteral("图片"));

    auto* icAction = new QAction(this);
    icAction->setShortcut(Qt::Key_F11);
    addAction(icAction);
    QHBoxLayout* buttons =
        ConfirmButtons(QStringLiteral("保存[&Y]"), QStringLiteral("退出[&X]"), [this] { OnSave(); });
    buttons->insertWidget(0, m_icButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addWidget(m_candidates);
    layout->addLayout(buttons);

    ConnectGuarded(m_cardNo, &QLineEdit::editingFinished, this, &TY_VipInfoDlg::CardNoEditExit);
    ConnectGuarded(m_enterCardNo, &QLineEdit::editingFinished, this, &TY_VipInfoDlg::CardNoEditExit);
    ConnectGuarded(m_introducer, &QLineEdit::editingFinished, this, &TY_VipInfoDlg::OnIntroducerExit);
    ConnectGuarded(m_typeButton, &QPushButton::clicked, this, &TY_VipInfoDlg::OnTypeClicked);
    ConnectGuarded(m_icButton, &QPushButton::clicked, this, &TY_VipInfoDlg::OnICCard);
    ConnectGuarded(icAction, &QAction::triggered, this, &TY_VipInfoDlg::OnICCard);
    connect(m_candidates, &QTableWidget::cellDoubleClicked, this,
            [this](int row) { RunGuarded([&] { pickCandidate(row); }); });
    connect(m_life, &QCheckBox::toggled, this, &TY_VipInfoDlg::onLifeToggled);
    connect(m_integral, &QCheckBox::toggled, this, &TY_VipInfoDlg::applyIssueTotals);
    connect(m_czBox, &VipStoredValueBox::storedValueTicked, this, [this] {
        if (m_existing && m_life->isEnabled())
            m_life->setChecked(true);
    });
}

QLabel* TY_VipInfoDlg::marker(const char* name) {
    QLabel* label = Label(QStringLiteral("*"), name);
    label->setStyleSheet(QStringLiteral("color: red"));
    return label;
}

QWidget* TY_VipInfoDlg::buildMainPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsMain"));
    auto* grid = new QGridLayout;
    int row = 0;
    // A configurable field: its caption, control and marker in one cell group, and
    // its entry among the fields the configuration governs.
    const auto place = [&](const QString& field, const QString& caption, QWidget* control, int r, int c,
                           QWidget* companion = nullptr) {
        QLabel* label = Label(caption);
        QLabel* must = marker(nullptr);
        must->hide();
        grid->addWidget(label, r, c);
        if (companion) {
            auto* pair = new QHBoxLayout;
            pair->addWidget(control, 1);
            pair->addWidget(companion);
            grid->addLayout(pair, r, c + 1);
        } else {
            grid->addWidget(control, r, c + 1);
        }
        grid->addWidget(must, r, c + 2);
        m_items.AddItem({field, caption.trimmed(), control, must, false, label, companion});
    };
    const auto fixed = [&](const QString& caption, QWidget* control, int r, int c, QWidget* companion,
                           bool required) {
        grid->addWidget(Label(caption), r, c);
        if (companion) {
            auto* pair = new QHBoxLayout;
            pair->addWidget(control, 1);
            pair->addWidget(companion);
            grid->addLayout(pair, r, c + 1);
        } else {
            grid->addWidget(control, r, c + 1);
        }
        if (required)
            grid->addWidget(marker(nullptr), r, c + 2);
    };

    fixed(QStringLiteral("会员卡号 "), m_cardNo, row, 0, m_enterCardNo, true);
    place(QStringLiteral("VIPBarCode"), QStringLiteral("会员卡条码 "), m_barCode, row++, 3);
    fixed(QStringLiteral("发卡日期"), m_bulidDate, row, 0, nullptr, false);
    fixed(QStringLiteral("有效期"), m_validityDate, row++, 3, nullptr, true);
    fixed(QStringLiteral("持卡类型 "), m_cardType, row, 0, m_typeButton, true);
    fixed(QStringLiteral("折扣 "), m_discount, row++, 3, nullptr, false);
    place(QStringLiteral("Name"), QStringLiteral("持卡人 "), m_name, row, 0);
    place(QStringLiteral("Sex"), QStringLiteral("性别 "), m_sex, row++, 3);
    place(QStringLiteral("Tel"), QStringLiteral("电话 "), m_tel, row, 0);
    place(QStringLiteral("Identitycard"), QStringLiteral("身份证号 "), m_identity, row++, 3);
    place(QStringLiteral("Birthday"), QStringLiteral("出生日期 "), m_birthday, row, 0, m_lunar);
    place(QStringLiteral("Email"), QStringLiteral("E-MAIL "), m_email, row++, 3);
    place(QStringLiteral("addr"), QStringLiteral("地址 "), m_address, row, 0);
    place(QStringLiteral("BRec"), QStringLiteral("往来单位"), m_partner, row++, 3);
    place(QStringLiteral("jsVIPCard"), QStringLiteral("介绍人卡号 "), m_introducer, row, 0);
    grid->addWidget(Label(QStringLiteral("发卡门店 ")), row, 3);
    grid->addWidget(m_activePos, row, 4);
    grid->addWidget(m_activePosMarker, row++, 5);
    grid->addWidget(Label(QStringLiteral("本卡已介绍会员人数")), row, 0);
    grid->addWidget(m_jsNum, row++, 1);

    auto* boxes = new QHBoxLayout;
    boxes->addWidget(buildFlagsBox());
    boxes->addWidget(m_czBox, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addLayout(boxes);
    layout->addWidget(buildCommentBox());
    return page;
}

QGroupBox* TY_VipInfoDlg::buildFlagsBox() {
    auto* box = new QGroupBox(QStringLiteral("附加信息"));
    auto* grid = new QGridLayout(box);
    grid->addWidget(m_fixedDiscount, 0, 0);
    grid->addWidget(m_memberTotal, 0, 1);
    grid->addWidget(m_integral, 1, 0);
    grid->addWidget(m_vipPrice, 1, 1);
    grid->addWidget(m_ptypeDiscount, 2, 0);
    grid->addWidget(m_autoDiscount, 2, 1);
    grid->addWidget(m_oneOff, 3, 0);
    grid->addWidget(m_life, 3, 1);
    return box;
}

QGroupBox* TY_VipInfoDlg::buildCommentBox() {
    auto* box = new QGroupBox(QStringLiteral("备注信息"));
    auto* layout = new QVBoxLayout(box);
    m_comment->setMaximumHeight(60);
    layout->addWidget(m_comment);
    return box;
}

void TY_VipInfoDlg::SetModify(int cardId, TBaseQuery* list) {
    m_modify = true;
    m_cardId = cardId;
    m_list = list;
}

void TY_VipInfoDlg::SetIssueByNumber(const QString& cardNo, int purpose, bool closeAfterSave,
                                     bool issueAction) {
    m_issueByNumber = true;
    m_givenNumber = cardNo.trimmed();
    m_purpose = purpose;
    m_closeAfterSave = closeAfterSave;
    m_issueAction = issueAction;
    setWindowTitle(QStringLiteral("会员发卡"));
    if ((AppClass().Flag(14) && centreMode()) || !m_givenNumber.isEmpty()) {
        m_enterCardNo->show();
        m_cardNo->hide();
        m_enterCardNo->setText(m_givenNumber);
        m_bulidDate->setEnabled(false);
        m_validityDate->setEnabled(false);
        m_typeButton->setEnabled(false);
    }
}

void TY_VipInfoDlg::showEvent(QShowEvent* event) {
    TBaseDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    RunGuarded([this] { FormShow(); });
}

void TY_VipInfoDlg::FormShow() {
    InitEditItems();
    m_czBox->SetRights(Ucomvar().bPublicIniCanModify && HasLimit(OpeningBalanceRight), true);
    for (const VipCardStore::Store& partner : m_store.Partners())
        m_partner->addItem(partner.name, partner.id);
    m_partner->insertItem(0, QString(), 0);
    m_partner->setCurrentIndex(0);
    SetLife();
    if (m_modify) {
        ClientDataSet card;
        m_store.LoadCard(m_cardId, card);
        if (card.IsEmpty())
            ShowErrorAndAbort(QStringLiteral("修改的会员卡已不存在!"));
        LoadData(card);
        if (linkedStore()) {
            for (QWidget* locked :
                 std::initializer_list<QWidget*>{m_cardNo, m_cardType, m_typeButton, m_discount,
                                                 m_fixedDiscount, m_memberTotal, m_integral})
                locked->setEnabled(false);
        }
    } else {
        clearForm();
    }
    if (AppClass().Flag(ServicesOffFlag))
        findChild<QCheckBox*>(QStringLiteral("rcbVipCzService"))->hide();
    m_pages->setCurrentIndex(0);
    m_pages->setTabVisible(1, m_customPage->HasCustomInfo());
    m_picturePage->SetMode(m_issueAction                ? TPicturePage::IssueAction
                           : !m_enterCardNo->isHidden() ? TPicturePage::IssueByNumber
                                                        : TPicturePage::EditRecord);
    if (!m_modify)
        (m_enterCardNo->isVisible() ? m_enterCardNo : m_cardNo)->setFocus();
    if (!m_givenNumber.isEmpty())
        VIpCardExit();
}

// Which main-page fields show and which must be filled is the chain's choice, as
// are the custom fields.
void TY_VipInfoDlg::InitEditItems() {
    const QList<TEditItems::Item> fields = m_items.Items();
    for (const VipCardStore::FieldSetting& setting : m_store.FieldSettings()) {
        for (const TEditItems::Item& item : fields) {
            if (item.fieldName.compare(setting.fieldName, Qt::CaseInsensitive) != 0)
                continue;
            item.control->setVisible(setting.visible);
            item.captionLabel->setVisible(setting.visible);
            if (item.companion)
                item.companion->setVisible(setting.visible);
            item.marker->setVisible(setting.visible && setting.mustField);
        }
    }
    for (const VipCardStore::CustomField& field : m_store.CustomFields()) {
        std::optional<KeyFilter> filter;
        if (field.dataType == 1)
            filter = KeyFilter::DigitsMinus;
        else if (field.dataType == 2)
            filter = KeyFilter::DigitsDotMinus;
        m_customPage->Define(field.displayName, field.mustField, filter, m_items);
    }
}

void TY_VipInfoDlg::SetLife() {
    m_life->setChecked(!m_modify && !m_issueByNumber);
    m_life->setEnabled(true);
    onLifeToggled();
}

void TY_VipInfoDlg::clearForm() {
    m_loading = true;
    m_existing = false;
    m_cardId = 0;
    m_cardGuid.clear();
    m_isUse = 0;
    m_isLife = 0;
    m_lose = false;
    m_stopUse = false;
    m_introducerId = 0;
    m_introducerText.clear();
    m_jsReward = -1;
    m_lookedUp.clear();
    for (QLineEdit* edit : {m_cardNo, m_enterCardNo, m_name, m_tel, m_identity, m_email, m_address, m_barCode,
                            m_introducer, m_birthday})
        edit->clear();
    m_enterCardNo->setText(m_givenNumber);
    m_comment->clear();
    m_sex->setCurrentIndex(0);
    m_partner->setCurrentIndex(0);
    m_lunar->setChecked(false);
    m_jsNum->clear();
    m_customPage->ClearValues();
    m_picturePage->Clear();
    m_czBox->Clear();
    m_czBox->SetType(m_typeId, false);
    if (m_typeId > 0) {
        if (const auto type = m_store.Type(m_typeId))
            showTypeFlags(*type);
    }
    const QDate today = QDate::currentDate();
    m_bulidDate->setText(VipDateText::MaskText(today));
    m_validityDate->setText(VipDateText::MaskText(today.addYears(1)));
    m_integral->setEnabled(false);
    loadIssuingStores(Ucomvar().lPublicPosid, false);
    m_life->setEnabled(true);
    m_life->setChecked(!m_issueByNumber);
    m_candidates->setRowCount(0);
    m_candidates->hide();
    m_loading = false;
    onLifeToggled();
}

void TY_VipInfoDlg::loadIssuingStores(int shownStore, bool locked) {
    m_activePos->clear();
    for (const VipCardStore::Store& store : m_store.IssuingStores())
        m_activePos->addItem(store.name, store.id);
    m_activePos->addItem(QStringLiteral("总部"), 0);
    int index = m_activePos->findData(shownStore);
    if (index < 0 && shownStore > 0) {
        m_activePos->addItem(m_store.StoreName(shownStore), shownStore);
        index = m_activePos->count() - 1;
    }
    m_activePos->setCurrentIndex(index);
    m_activePos->setEnabled(!locked);
}

void TY_VipInfoDlg::showTypeFlags(const VipCardStore::TypeFlags& type) {
    m_typeId = type.typeId;
    m_cardType->setText(type.typeName);
    m_fixedDiscount->setChecked(type.fixedDiscount);
    m_memberTotal->setChecked(type.autoMemberTotal);
    m_integral->setChecked(type.autoIntegral);
    m_vipPrice->setChecked(type.ifVipPrice);
    m_ptypeDiscount->setChecked(type.usePtypeDiscount);
    m_autoDiscount->setChecked(type.autoDiscount);
    m_czBox->SetType(type.typeId, type.isCzService);
}

void TY_VipInfoDlg::LoadData(const ClientDataSet& card) {
    m_loading = true;
    const auto text = [&card](const char* name) { return card.FieldByName(QLatin1String(name)).AsString(); };
    const auto number = [&card](const char* name) {
        return card.FieldByName(QLatin1String(name)).AsInteger();
    };
    const auto money = [&card](const char* name) { return card.FieldByName(QLatin1String(name)).AsMoney(); };
    const auto date = [&card](const char* name) { return card.FieldByName(QLatin1String(name)).AsDate(); };

    m_existing = true;
    m_cardId = number("id");
    m_cardGuid = text("cardid");
    m_loadedNumber = text("CardNo");
    m_cardNo->setText(m_loadedNumber);
    if (m_enterCardNo->isVisible() || m_issueByNumber)
        m_enterCardNo->setText(m_loadedNumber);
    m_lookedUp = m_loadedNumber;
    m_bulidDate->setText(VipDateText::MaskText(date("BulidDate")));
    m_validityDate->setText(VipDateText::MaskText(date("ValidityDate")));
    m_typeId = number("CardType");
    m_cardType->setText(text("TypeName"));
    m_discount->setText(DoubleToString(card.FieldByName(QStringLiteral("Discount")).AsFloat()));
    m_name->setText(text("Name"));
    m_tel->setText(text("Tel"));
    m_address->setText(text("Address"));
    m_identity->setText(text("IdentityCard"));
    m_email->setText(text("E-Mail"));
    m_sex->setCurrentIndex(number("sex") != 0 ? 1 : 0);
    m_lunar->setChecked(number("BirthType") != 0);
    m_birthday->setText(m_lunar->isChecked() ? text("BirthdayCN") : text("Birthday"));
    m_barCode->setText(text("VIPBarCode"));
    m_comment->setPlainText(text("Comment"));
    m_introducerId = number("JSVIPCardID");
    m_introducerText = text("JSVIPCardNo");
    m_introducer->setText(m_introducerText);
    m_jsNum->setText(text("JSNum"));
    m_partner->setCurrentIndex(std::max(0, m_partner->findData(number("btypeid"))));
    m_lose = number("Lose") != 0;
    m_stopUse = number("StopUse") != 0;
    m_isLife = number("IsLife");
    m_isUse = number("IsUse");
    m_oneOff->setChecked(number("AutoOneOff") != 0);

    if (const auto type = m_store.Type(m_typeId))
        showTypeFlags(*type);
    // The card keeps the flags it was issued with, whatever its type says today.
    m_integral->setChecked(number("AutoIntegral") != 0);
    m_memberTotal->setChecked(number("AutoMemberTotal") != 0);
    m_autoDiscount->setChecked(number("AutoDiscount") != 0);
    m_vipPrice->setChecked(number("ifVipprice") != 0);

    VipStoredValueBox::Values values;
    values.storedValue = number("VipCz") != 0;
    values.services = number("VipCzService") != 0;
    values.opening = money("Cz00");
    values.total = money("CzTotal");
    values.available = money("Cz");
    values.usePassword = number("UsePass") != 0;
    values.passwordKept = number("HasPassword") != 0;
    values.storeId = number("PosId");
    m_czBox->Load(values);
    m_czBox->LJBuyTotal()->setText(money("buyTotal").toString(2));
    m_czBox->LJIntegral()->setText(text("ljIntegral"));

    m_customPage->SetValues(m_store.CustomValues(m_cardId));
    m_picturePage->Load(CardPictures, m_cardId);
    const int activePos = number("ActivatePosId");
    loadIssuingStores(activePos >= 0 ? activePos : Ucomvar().lPublicPosid, m_isLife > 0);
    m_life->setChecked(m_isLife > 0);
    m_life->setEnabled(m_isLife == 0);
    m_loading = false;
    onLifeToggled();
    m_log.Remember(loggedValues());
    watchForActivation();
}

// Any change to a loaded card that is not yet active marks it for activation:
// issuing a card by number is filling it in.
void TY_VipInfoDlg::watchForActivation() {
    if (m_watching)
        return;
    m_watching = true;
    const auto tick = [this] {
        if (!m_loading && m_existing && m_life->isEnabled())
            m_life->setChecked(true);
    };
    const QList<QWidget*> pages{m_pages->widget(0), m_customPage};
    for (QWidget* page : pages) {
        for (QLineEdit* edit : page->findChildren<QLineEdit*>())
            connect(edit, &QLineEdit::textEdited, this, tick);
        for (QComboBox* box : page->findChildren<QComboBox*>())
            connect(box, &QComboBox::activated, this, tick);
        for (QCheckBox* box : page->findChildren<QCheckBox*>()) {
            if (box != m_life)
                connect(box, &QCheckBox::clicked, this, tick);
        }
        for (QPlainTextEdit* memo : page->findChildren<QPlainTextEdit*>())
            connect(memo, &QPlainTextEdit::textChanged, this, tick);
    }
}

void TY_VipInfoDlg::onLifeToggled() {
    m_activePosMarker->setVisible(m_life->isChecked());
    if (m_issueAction && !m_life->isChecked()) {
        m_czBox->LJBuyTotal()->clear();
        m_czBox->LJIntegral()->clear();
    }
    applyIssueTotals();
}

// Only the card-issue action takes over what a member bought and earned before the
// card was activated.
void TY_VipInfoDlg::applyIssueTotals() {
    const bool open = m_issueAction && m_life->isChecked() && m_integral->isChecked();
    for (QLineEdit* edit : {m_czBox->LJBuyTotal(), m_czBox->LJIntegral()})
        edit->setReadOnly(!open);
    m_czBox->LJBuyTotalLabel()->setEnabled(open || !m_issueAction);
    m_czBox->LJIntegralLabel()->setEnabled(open || !m_issueAction);
}

QStringList TY_VipInfoDlg::loggedValues() const {
    return {cardNumberField(),
            m_bulidDate->text(),
            m_validityDate->text(),
            m_cardType->text(),
            m_name->text(),
            m_tel->text(),
            m_birthday->text(),
            m_identity->text(),
            VipCardChangeLog::YesNo(m_czBox->StoredValue()),
            VipCardChangeLog::YesNo(m_czBox->PasswordOn()),
            VipCardChangeLog::YesNo(m_czBox->Services())};
}

QString TY_VipInfoDlg::cardNumberField() const {
    return (m_enterCardNo->isVisible() ? m_enterCardNo : m_cardNo)->text().trimmed();
}

void TY_VipInfoDlg::CardNoEditExit() {
    const QString number = cardNumberField();
    if (number == m_lookedUp || (number.isEmpty() && !m_issueByNumber))
        return;
    VIpCardExit();
}

void TY_VipInfoDlg::VIpCardExit() {
    QLineEdit* field = m_enterCardNo->isVisible() ? m_enterCardNo : m_cardNo;
    const QString number = field->text().trimmed();
    if (number.isEmpty())
        Refuse(field, QStringLiteral("请先输入卡号，支持录入卡号部分内容进行模糊查询"),
               QStringLiteral("错误"), MB::IconError);
    m_lookedUp = number;
    const QList<VipCardStore::CardLookup> found = m_store.CardsWithNumber(number, Ucomvar().lPublicPosid);
    if (m_modify) {
        for (const VipCardStore::CardLookup& card : found) {
            if (card.id != m_cardId) {
                field->setText(m_loadedNumber);
                m_lookedUp = m_loadedNumber;
                Refuse(field, QStringLiteral("卡号重复，不能修改卡号！"));
            }
        }
        return;
    }
    if (!found.isEmpty()) {
        const VipCardStore::CardLookup& card = found.first();
        QString refusal;
        if (card.lose)
            refusal = QStringLiteral("这张卡已经挂失，不能使用！");
        else if (card.stopUse)
            refusal = QStringLiteral("这张卡已经停用，不能使用！");
        else if (card.isLife == 1)
            refusal = QStringLiteral("这张卡已经被激活，请激活其他卡！");
        if (!refusal.isEmpty()) {
            clearForm();
            Refuse(field, refusal);
        }
        field->setText(card.cardNo);
        m_lookedUp = card.cardNo;
    }
    listCandidates(field->text().trimmed());
}

void TY_VipInfoDlg::listCandidates(const QString& cardNo) {
    VipCardStore::CandidateQuery query;
    query.cardNo = cardNo;
    // Cards waiting to be issued have no issuing store yet: every store's are listed.
    ClientDataSet rows;
    m_store.Candidates(query, rows);
    m_candidates->setRowCount(rows.RecordCount());
    int exact = -1;
    for (int row = 0; row < rows.RecordCount(); ++row) {
        const QStringList cells{rows.Value(row, QStringLiteral("CardNo")).toString(),
                                rows.Value(row, QStringLiteral("Name")).toString(),
                                rows.Value(row, QStringLiteral("Tel")).toString(),
                                rows.Value(row, QStringLiteral("TypeName")).toString()};
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells.at(column));
            item->setData(Qt::UserRole, rows.Value(row, QStringLiteral("id")));
            m_candidates->setItem(row, column, item);
        }
        if (cells.first().compare(cardNo, Qt::CaseInsensitive) == 0)
            exact = row;
    }
    m_candidates->setVisible(rows.RecordCount() > 0);
    if (exact < 0)
        return;
    m_candidates->selectRow(exact);
    rows.SetRecNo(exact);
    ClientDataSet card;
    m_store.LoadCard(rows.Value(exact, QStringLiteral("id")).toInt(), card);
    if (!card.IsEmpty())
        LoadData(card);
}

void TY_VipInfoDlg::pickCandidate(int row) {
    const QTableWidgetItem* item = m_candidates->item(row, 0);
    if (!item)
        return;
    (m_enterCardNo->isVisible() ? m_enterCardNo : m_cardNo)->setText(item->text());
    VIpCardExit();
}

void TY_VipInfoDlg::OnTypeClicked() {
    TParamObject params;
    params.Add(QStringLiteral("@viptype"), m_typeId);
    if (CallQueryClass(QStringLiteral("TVipCardTypeSel"), params) != mrOk)
        return;
    if (params.AsString(QStringLiteral("TypeName")).isEmpty())
        return;
    const int typeId = params.AsInteger(QStringLiteral("ctypeid"));
    if (!m_czBox->KeepsChosenStore(typeId))
        Refuse(m_cardType, QStringLiteral("该卡类型未包含已经约定的储值功能适用门店,不允许修改为此卡类型."));
    const auto type = m_store.Type(typeId);
    if (!type)
        return;
    showTypeFlags(*type);
    m_discount->setText(DoubleToString(params.AsFloat(QStringLiteral("Discount"))));
    m_cardType->setText(params.AsString(QStringLiteral("TypeName")));
    if (m_existing && m_life->isEnabled())
        m_life->setChecked(true);
}

void TY_VipInfoDlg::OnIntroducerExit() {
    const QString number = m_introducer->text().trimmed();
    if (number.isEmpty()) {
        m_introducerId = 0;
        m_introducerText.clear();
        return;
    }
    if (number == m_introducerText)
        return;
    auto card = m_store.FindCard(number);
    if (!card) {
        // Part of a number, a name, a telephone or the initials: the member search.
        VRecord chosen;
        if (VIPSelect(chosen, number, false, false, false, false) == 0) {
            card = m_store.FindCard(chosen.CardNo);
            if (card)
                m_introducer->setText(chosen.CardNo);
        }
    }
    if (!card) {
        m_introducerId = 0;
        m_introducer->selectAll();
        Refuse(m_introducer, QStringLiteral("没有这样的VIP卡，或卡号错误！"), QStringLiteral("输入错误！"),
               MB::IconError);
    }
    const QDate today = QDate::currentDate();
    QString refusal;
    if (card->lose)
        refusal = QStringLiteral("这张卡已经挂失，不能使用！");
    else if (card->stopUse)
        refusal = QStringLiteral("这张卡已经停止使用！");
    else if (card->validityDate.isValid() && card->validityDate < today)
        refusal = QStringLiteral("这张卡已经过使用期！");
    else if (card->isLife == 0)
        refusal = QStringLiteral("这张卡还没有激活！");
    else if (card->bulidDate > today)
        refusal = QStringLiteral("这张卡发卡日期小于当前时间，还未启用！");
    if (!refusal.isEmpty()) {
        m_introducerId = 0;
        Refuse(m_introducer, refusal, QStringLiteral("错误！"), MB::IconError);
    }
    m_introducerId = card->id;
    m_introducerText = m_introducer->text().trimmed();
}

void TY_VipInfoDlg::OnICCard() {
    const QString number = cardNumberField();
    if (number.isEmpty() || !FunCard)
        return;
    if (!FunCard->WriteCardNo(number))
        ShowMsg(QStringLiteral("写卡失败"));
}

// Runs guarded: a refused check or write keeps the dialog open with every entry.
void TY_VipInfoDlg::OnSave() {
    checkEntries();
    if (m_existing || m_modify)
        saveExisting();
    else
        saveNew();
}

void TY_VipInfoDlg::checkEntries() {
    m_pages->setCurrentIndex(0);
    // An introducer the lookup turned down has been told about as the field was
    // left; the card is not saved without the introducer the user typed.
    if (!m_introducer->text().trimmed().isEmpty() && m_introducerId == 0)
        AbandonAt(m_introducer);
    // Step order matters: each check sees what the ones before it normalised.
    if (m_life->isEnabled() && m_life->isChecked() && m_activePos->currentIndex() < 0)
        Refuse(m_activePos,
               QStringLiteral("要") + m_life->text() + QStringLiteral("卡，") + QStringLiteral("发卡门店 ") +
                   QStringLiteral(" 不能为空!"),
               QStringLiteral("警告!"), MB::IconWarning);
    m_discount->setText(DoubleToString(StringToDouble(m_discount->text())));
    if (!m_oneOff->isChecked()) {
        if (m_cardType->text().trimmed().isEmpty())
            Refuse(m_typeButton, QStringLiteral("持卡类型 ") + Required, QStringLiteral("警告!"),
                   MB::IconWarning);
        if (m_discount->text().trimmed().isEmpty())
            Refuse(m_discount, QStringLiteral("折扣 ") + Required, QStringLiteral("警告!"), MB::IconWarning);
    }
    if (!(AppClass().Flag(14) && centreMode())) {
        if (m_cardNo->text().trimmed().isEmpty() != m_enterCardNo->text().trimmed().isEmpty()) {
            if (m_cardNo->text().trimmed().isEmpty())
                m_cardNo->setText(m_enterCardNo->text().trimmed());
            else
                m_enterCardNo->setText(m_cardNo->text().trimmed());
        }
    }
    m_cardGuid = m_cardId > 0 ? m_store.CardGuid(m_cardId) : QString();
    m_existing = !m_cardGuid.isEmpty();
    QLineEdit* numberField = m_existing ? m_enterCardNo : m_cardNo;
    if (numberField->text().trimmed().isEmpty() || VipDateText::IsBlankMask(m_validityDate->text()) ||
        m_typeId <= 0)
        Refuse(numberField->isVisible() ? numberField : m_cardNo, Incomplete, QStringLiteral("输入错误!"),
               MB::IconWarning);
    if (!VipDateText::ToDate(m_validityDate->text()).isValid())
        Refuse(m_validityDate, QStringLiteral("有效期输入错误!请按如下格式输入(2000-10-01)或日期范围不正确!"),
               QStringLiteral("日期录入错误!"), MB::IconWarning);
    if (m_birthday->isVisible() && !m_birthday->text().trimmed().isEmpty()) {
        const QString typed = m_birthday->text();
        if (!m_lunar->isChecked()) {
            m_birthday->setText(VipDateText::ConvertDate(typed));
            if (!VipDateText::ToDate(m_birthday->text()).isValid()) {
                m_birthday->setText(typed);
                Refuse(m_birthday, QStringLiteral("(公历)出生日期") + DateFormat,
                       QStringLiteral("日期录入错误!"), MB::IconWarning);
            }
        } else {
            const QString lunar = typed.trimmed();
            bool yearOk = false, monthOk = false, dayOk = false;
            const int year = lunar.mid(0, 4).toInt(&yearOk);
            const int month = lunar.mid(5, 2).toInt(&monthOk);
            const int day = lunar.mid(8, 2).toInt(&dayOk);
            if (lunar.size() != 10 || !yearOk || !monthOk || !dayOk || !GetLunarDateValid(year, month, day))
                Refuse(m_birthday, QStringLiteral("(农历)出生日期") + DateFormat,
                       QStringLiteral("日期录入错误!"), MB::IconWarning);
        }
    }
    m_jsReward = -1;
    m_czBox->Check();
    if (const TEditItems::Item* missing = m_items.FirstMissing())
        Refuse(missing->control, captionOf(missing->captionLabel) + Required, QStringLiteral("警告!"),
               MB::IconWarning);
    if (linkedStore() && centreMode() && m_introducer->isEnabled() && m_introducerId > 0 &&
        m_life->isChecked()) {
        if (!VipCenterLink::CheckIntroducer(m_introducerText, cardFields(QStringLiteral("U")), m_jsReward))
            Refuse(m_introducer,
                   QStringLiteral("会员卡发卡有介绍人时，请在【系统设置】中勾选[会员卡储值、积分、介绍人、"
                                  "购物卡实时更新]!"),
                   QStringLiteral("错误!"), MB::IconError);
    }
}

VipCardStore::CardFields TY_VipInfoDlg::cardFields(const QString& editType) const {
    const TComVar& session = Ucomvar();
    VipCardStore::CardFields card;
    card.editType = editType;
    card.cardNo = (m_existing ? m_enterCardNo : m_cardNo)->text().trimmed();
    card.name = m_name->text().trimmed();
    card.tel = m_tel->text().trimmed();
    card.address = m_address->text().trimmed();
    card.comment = m_comment->toPlainText();
    card.cardType = m_typeId;
    card.discount = StringToDouble(m_discount->text());
    card.bulidDate = VipDateText::ToDate(m_bulidDate->text());
    card.validityDate = VipDateText::ToDate(m_validityDate->text());
    card.lose = m_lose;
    card.stopUse = m_stopUse;
    card.autoDiscount = m_autoDiscount->isChecked();
    card.autoMemberTotal = m_memberTotal->isChecked();
    card.autoOneOff = m_oneOff->isChecked();
    card.autoIntegral = m_integral->isChecked();
    card.female = m_sex->currentIndex() == 1;
    card.lunarBirthday = m_lunar->isChecked();
    card.birthday = m_birthday->isVisible() ? m_birthday->text().trimmed() : QString();
    card.identityCard = m_identity->text().trimmed();
    card.email = m_email->text().trimmed();
    card.cardGuid = m_cardGuid;
    card.btypeId = m_partner->currentData().toInt();
    card.isLife = m_life->isChecked();
    card.barCode = m_barCode->text().trimmed();
    card.introducerId = m_introducerId;
    card.posId = session.lPublicPosid;
    card.userRec = session.nLoginUserRec;
    card.activePosId = m_activePos->currentIndex() < 0 ? -1 : m_activePos->currentData().toInt();
    return card;
}

void TY_VipInfoDlg::refuseWrite(int result, bool existing) {
    QWidget* number = m_enterCardNo->isVisible() ? m_enterCardNo : m_cardNo;
    const QString error = QStringLiteral("错误");
    switch (result) {
    case VipCardStore::WriteFailed:
    case VipCardWriter::PointsRefused:
        Refuse(number, ErrorWriteDb, error, MB::IconError);
    case VipCardStore::RepeatLimit:
        Refuse(m_tel,
               existing ? QStringLiteral("办卡人电话或身份证号已超出重复办卡次数限制!")
                        : QStringLiteral("办卡人已超出重复办卡次数限制(电话或身份证)，不能再办卡!"),
               error, MB::IconError);
    case VipCardStore::NumberTaken:
        Refuse(number, QStringLiteral("发现相同的编号,不能保存!"), error, MB::IconError);
    case VipCardStore::BarCodeTaken:
        Refuse(m_barCode, QStringLiteral("发现相同的会员卡条码,不能保存!"), error, MB::IconError);
    case VipCardStore::ChangedElsewhere:
        Refuse(number,
               QStringLiteral("此会员卡数据已经被其他客户端改变，不能保存数据。请重新刷新数据后再试!"), error,
               MB::IconError);
    case VipCardWriter::CardGone:
        Refuse(number, QStringLiteral("修改的会员卡已不存在!"), error, MB::IconError);
    case VipCardWriter::BalanceBelowZero:
        Refuse(m_czBox->StoredValueBox(), QStringLiteral("期初储值小于已使用的储值，请重新录入!"),
               QStringLiteral("提示"), MB::IconWarning);
    default:
        if (result < 0)
            throw AbortAction();
    }
}

VipCardWriter::Dependents TY_VipInfoDlg::dependents(bool existing) const {
    const TComVar& session = Ucomvar();
    VipCardWriter::Dependents writes;
    VipCardStore::StoredValue& value = writes.storedValue;
    value.vipCz = m_czBox->StoredValue();
    value.services = m_czBox->Services();
    // A card's opening balance changes afterwards only where the host allows it.
    value.setOpening = !existing || session.bPublicIniCanModify;
    value.opening = value.vipCz ? m_czBox->Opening() : Money();
    value.usePass = m_czBox->UsePassword();
    value.password = value.usePass ? m_czBox->NewPassword() : std::nullopt;
    value.czPosId = value.vipCz ? m_czBox->StoreId() : 0;
    value.isJSReward = existing ? m_jsReward : -1;
    value.posId = session.lPublicPosid;
    value.userRec = session.nLoginUserRec;
    writes.userCode = session.szLoginUserId;
    writes.rewardIntroducer = m_life->isChecked() && m_introducer->isEnabled() && m_introducerId > 0;
    if (m_customPage->HasCustomInfo())
        writes.customValues = m_customPage->Values();
    writes.savePictures = [this](int cardId) { m_picturePage->Save(CardPictures, cardId); };
    return writes;
}

void TY_VipInfoDlg::saveNew() {
    VipCardStore::CardFields card = cardFields(QStringLiteral("I"));
    card.cardGuid = QUuid::createUuid().toString(QUuid::WithBraces);
    VipCardWriter::Dependents writes = dependents(false);
    // Only the card-issue action brings in what the member bought and earned before.
    if (m_issueAction && m_life->isChecked()) {
        card.buyTotal = Money::fromText(m_czBox->LJBuyTotal()->text());
        if (m_life->isEnabled())
            writes.initialPoints = StringToInt(m_czBox->LJIntegral()->text());
    }
    const VipCardWriter::Result result = VipCardWriter(m_store).WriteNew(card, writes);
    refuseWrite(result.code, false);

    afterCommit(card, result.cardId, m_life->isChecked());
    if (m_closeAfterSave) {
        SetModalResult(mrOk);
        return;
    }
    clearForm();
    if (m_list)
        m_list->AfterSave(QStringLiteral("CardNo"), card.cardNo);
    m_cardNo->setFocus();
}

void TY_VipInfoDlg::saveExisting() {
    VipCardStore::CardFields card = cardFields(QStringLiteral("U"));
    VipCardWriter::Dependents writes = dependents(true);
    writes.logLines = m_log.Lines(card.cardNo, loggedValues());
    const VipCardWriter::Result result =
        VipCardWriter(m_store).WriteExisting(card, m_cardId, m_isUse, writes);
    refuseWrite(result.code, true);
    m_cardGuid = result.cardGuid;
    card.cardGuid = result.cardGuid;

    afterCommit(card, result.cardId, m_life->isChecked() && !result.wasActive);
    SetModalResult(mrOk);
}

// The card is committed: what follows informs others and never undoes it.
void TY_VipInfoDlg::afterCommit(const VipCardStore::CardFields& card, int cardId, bool notify) {
    m_saved = true;
    m_savedCardNo = card.cardNo;
    if (notify)
        VipCardNotices::Send(m_store, cardId, m_introducer->isEnabled() ? m_introducerId : 0);
    VipCenterLink::Forward(card);
}
