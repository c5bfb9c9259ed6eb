#include "vip/members/TFrmVipAddList.h"

#include "host/sdk/Limit.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/OwnConnection.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/ui/CallQueryClass.h"
#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/NumberText.h"
#include "host/sdk/ui/Refuse.h"
#include "host/sdk/ui/TBaseQuery.h"
#include "vip/members/VipAddListGrid.h"
#include "vip/members/VipBatchIssueThread.h"
#include "vip/members/VipStoredValueBox.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpressionValidator>
#include <QTableView>

using namespace DialogFields;

namespace {

constexpr int OpeningBalanceRight = 511;
const QString GenerateCaption = QStringLiteral("生成[&A]");
const QString AbortCaption = QStringLiteral("中止[&A]");
const QString DateFormat = QStringLiteral("yyyy-MM-dd");

QDateEdit* dateEdit(const char* name, const QDate& date) {
    auto* edit = new QDateEdit(date);
    edit->setObjectName(QLatin1String(name));
    edit->setDisplayFormat(DateFormat);
    edit->setCalendarPopup(true);
    return edit;
}

QPushButton* button(const char* name, const QString& caption) {
    auto* b = new QPushButton(caption);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

void refuseInput(QWidget* field, const QString& text) {
    Refuse(field, text, QStringLiteral("提示"), MB::IconWarning);
}

} // namespace

TFrmVipAddList::TFrmVipAddList(TBaseQuery* list, QWidget* parent)
    : TBaseDialog(parent)
    , m_list(list) {
    setObjectName(QStringLiteral("FrmVipAddList"));
    setWindowTitle(QStringLiteral("批量发卡"));
    m_type.typeId = -1;
    buildFields();
    loadIssuingStores();
    refreshPreviewText();
}

TFrmVipAddList::~TFrmVipAddList() {
    if (m_thread) {
        m_thread->Stop();
        m_thread->wait();
    }
}

void TFrmVipAddList::buildFields() {
    const QDate today = QDate::currentDate();
    m_cardType = Edit("CardTypeEdit");
    m_cardType->setReadOnly(true);
    m_typeButton = button("btnCardType", QStringLiteral("..."));
    m_validity = dateEdit("ValidityDate", today.addYears(1));
    m_bulid = dateEdit("BulidDate", today);
    m_prefix = Edit("ReAddCard");
    m_prefix->setText(QStringLiteral("VIP"));
    m_width = NumberEdit("ReNumber", KeyFilter::Digits, 2);
    m_width->setText(QStringLiteral("3"));
    m_start = NumberEdit("ReStart", KeyFilter::Digits, 9);
    m_start->setText(QStringLiteral("0"));
    m_end = NumberEdit("ReEnd", KeyFilter::Digits, 9);
    m_end->setText(QStringLiteral("0"));
    m_end->hide();
    m_step = NumberEdit("edtStep", KeyFilter::Digits, 2);
    m_step->setText(QStringLiteral("1"));
    m_quantity = NumberEdit("edtNum", KeyFilter::Digits, 6);
    m_czBox = new VipStoredValueBox(m_store, this);
    for (QWidget* unused :
         {static_cast<QWidget*>(m_czBox->LJBuyTotal()), static_cast<QWidget*>(m_czBox->LJIntegral()),
          static_cast<QWidget*>(m_czBox->LJBuyTotalLabel()),
          static_cast<QWidget*>(m_czBox->LJIntegralLabel())})
        unused->hide();
    m_czBox->SetRights(Ucomvar().bPublicIniCanModify && HasLimit(OpeningBalanceRight), false);
    m_czBox->SetPasswordCaptions(QStringLiteral("密码"), QStringLiteral("密码确认"));
    m_sameBarCode = CheckBox("CheckBox3", QStringLiteral("会员条码同会员卡号"));
    m_randomBarCode = CheckBox("CheckBox4", QStringLiteral("会员条码为会员卡号加"));
    m_digits = NumberEdit("edtDigit", KeyFilter::Digits, 1);
    m_digits->setEnabled(false);
    m_filter = CheckBox("CheckBox5", QStringLiteral("生成卡号时滤掉所有含"));
    m_filterDigits = Edit("edtNumber");
    m_filterDigits->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9,]*")), m_filterDigits));
    m_filterDigits->setEnabled(false);
    m_life = CheckBox("chkLife", QStringLiteral("激活"));
    m_activePosLabel = Label(QStringLiteral("发卡门店"), "lblActivePos");
    m_activePos = new QComboBox;
    m_activePos->setObjectName(QStringLiteral("cbxActivePos"));
    m_previewText = new QPlainTextEdit;
    m_previewText->setObjectName(QStringLiteral("mmPreview"));
    m_previewText->setReadOnly(true);
    m_grid = new VipAddListGrid(this);
    m_gridView = new QTableView;
    m_gridView->setObjectName(QStringLiteral("SDGData"));
    m_gridView->setModel(m_grid);
    m_progress = new QProgressBar;
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->hide();
    m_previewButton = button("btnPreview", QStringLiteral("预览[&V]"));
    m_generateButton = button("btnGenerate", GenerateCaption);
    m_exitButton = button("btnExit", QStringLiteral("退出[&X]"));

    auto* fields = new QGridLayout;
    const auto row = [&](int r, int c, const QString& caption, QWidget* field, QWidget* companion = nullptr) {
        fields->addWidget(Label(caption), r, c);
        if (!companion) {
            fields->addWidget(field, r, c + 1);
            return;
        }
        auto* pair = new QHBoxLayout;
        pair->addWidget(field, 1);
        pair->addWidget(companion);
        fields->addLayout(pair, r, c + 1);
    };
    row(0, 0, QStringLiteral("卡类型*"), m_cardType, m_typeButton);
    row(0, 2, QStringLiteral("有效期至"), m_validity);
    row(1, 0, QStringLiteral("发卡日期"), m_bulid);
    row(1, 2, QStringLiteral("卡号前缀"), m_prefix);
    row(2, 0, QStringLiteral("流水号位数"), m_width);
    row(2, 2, QStringLiteral("开始卡号*"), m_start, m_end);
    row(3, 0, QStringLiteral("步    长*"), m_step);
    row(3, 2, QStringLiteral("发卡数量*"), m_quantity);
    auto* barCodes = new QGridLayout;
    barCodes->addWidget(m_sameBarCode, 0, 0, 1, 3);
    barCodes->addWidget(m_randomBarCode, 1, 0);
    barCodes->addWidget(m_digits, 1, 1);
    barCodes->addWidget(Label(QStringLiteral("位随机号")), 1, 2);
    barCodes->addWidget(m_filter, 2, 0);
    barCodes->addWidget(m_filterDigits, 2, 1);
    barCodes->addWidget(Label(QStringLiteral("的卡号（多个数字以\",\"分隔，如4,7)")), 2, 2);
    auto* activation = new QHBoxLayout;
    activation->addWidget(m_life);
    activation->addWidget(m_activePosLabel);
    activation->addWidget(m_activePos, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_progress, 1);
    buttons->addWidget(m_previewButton);
    buttons->addWidget(m_generateButton);
    buttons->addWidget(m_exitButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_czBox);
    layout->addLayout(barCodes);
    layout->addLayout(activation);
    layout->addWidget(m_previewText);
    layout->addWidget(m_gridView, 1);
    layout->addLayout(buttons);

    ConnectGuarded(m_typeButton, &QPushButton::clicked, this, &TFrmVipAddList::OnCardTypeClicked);
    ConnectGuarded(m_previewButton, &QPushButton::clicked, this, &TFrmVipAddList::OnPreview);
    ConnectGuarded(m_generateButton, &QPushButton::clicked, this, &TFrmVipAddList::OnGenerate);
    connect(m_exitButton, &QPushButton::clicked, this, &TFrmVipAddList::reject);
    for (QLineEdit* field : {m_prefix, m_width, m_step, m_quantity})
        connect(field, &QLineEdit::editingFinished, this, &TFrmVipAddList::refreshPreviewText);
    connect(m_start, &QLineEdit::editingFinished, this, &TFrmVipAddList::onStartLeft);
    connect(m_end, &QLineEdit::editingFinished, this, &TFrmVipAddList::onEndLeft);
    connect(m_sameBarCode, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_randomBarCode->setChecked(false);
    });
    connect(m_randomBarCode, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_sameBarCode->setChecked(false);
        else
            m_digits->clear();
        m_digits->setEnabled(on);
    });
    connect(m_filter, &QCheckBox::toggled, this, [this](bool on) {
        if (!on)
            m_filterDigits->clear();
        m_filterDigits->setEnabled(on);
    });
    connect(m_life, &QCheckBox::toggled, this, [this](bool on) {
        m_activePosLabel->setText(on ? QStringLiteral("发卡门店*") : QStringLiteral("发卡门店"));
    });
}

// A store on the head office's data issues in its own name; otherwise the head office does.
void TFrmVipAddList::loadIssuingStores() {
    const TComVar& session = Ucomvar();
    if (AppClass().Flag(14))
        m_activePos->addItem(m_store.StoreName(session.lPublicPosid), session.lPublicPosid);
    else
        m_activePos->addItem(QStringLiteral("总部"), 0);
    m_activePos->setCurrentIndex(0);
}

void TFrmVipAddList::OnCardTypeClicked() {
    TParamObject params;
    params.Add(QStringLiteral("@viptype"), m_type.typeId);
    if (CallQueryClass(QStringLiteral("TVipCardTypeSel"), params) != mrOk ||
        params.AsString(QStringLiteral("TypeName")).isEmpty())
        return;
    const int typeId = params.AsInteger(QStringLiteral("ctypeid"));
    if (!m_czBox->KeepsChosenStore(typeId))
        Refuse(m_cardType, QStringLiteral("该卡类型未包含已经约定的储值功能适用门店,不允许修改为此卡类型."));
    const auto type = m_store.Type(typeId);
    if (!type)
        return;
    m_type = *type;
    m_type.discount = params.AsFloat(QStringLiteral("Discount"));
    m_type.typeName = params.AsString(QStringLiteral("TypeName"));
    m_cardType->setText(m_type.typeName);
    if (!m_type.isCzPreferential)
        m_czBox->StoredValueBox()->setChecked(false);
    m_czBox->SetRights(Ucomvar().bPublicIniCanModify && HasLimit(OpeningBalanceRight),
                       m_type.isCzPreferential);
    m_czBox->SetType(typeId, m_type.isCzService);
    m_bulid->setFocus();
}

VipCardNumberRule TFrmVipAddList::rule() const {
    VipCardNumberRule r;
    r.prefix = m_prefix->text();
    bool isNumber = false;
    r.width = m_width->text().toInt(&isNumber);
    if (!isNumber)
        r.width = 1;
    r.start = m_start->text().toLongLong();
    r.step = StringToInt(m_step->text());
    r.quantity = StringToInt(m_quantity->text());
    if (m_filter->isChecked())
        r.filters = VipCardNumberRule::Filters(m_filterDigits->text());
    return r;
}

void TFrmVipAddList::refreshPreviewText() {
    const VipCardNumberRule r = rule();
    const qint64 end = m_end->text().toLongLong();
    m_previewError = r.PreviewError(end);
    m_previewText->setPlainText(r.PreviewText(end));
}

void TFrmVipAddList::onStartLeft() {
    const qint64 start = m_start->text().toLongLong();
    m_start->setText(QString::number(start));
    if (start > m_end->text().toLongLong())
        m_end->setText(QString::number(start));
    refreshPreviewText();
}

void TFrmVipAddList::onEndLeft() {
    const QString end = QString::number(m_end->text().toLongLong());
    m_end->setText(end);
    if (end.size() > StringToInt(m_width->text()))
        m_width->setText(QString::number(end.size()));
    refreshPreviewText();
}

void TFrmVipAddList::checkInput() {
    if (m_type.typeId <= 0)
        refuseInput(m_typeButton, QStringLiteral("请先选择卡类型!"));
    if (m_validity->date() < m_bulid->date())
        refuseInput(m_validity, QStringLiteral("发卡日期不能大于有效日期，请重新录入!"));
    const QList<std::pair<QLineEdit*, QString>> required = {
        {m_width, QStringLiteral("流水号位数不能为空!")},
        {m_start, QStringLiteral("开始卡号不能为空!")},
        {m_step, QStringLiteral("步长不能为空!")},
        {m_quantity, QStringLiteral("发卡数量不能为空!")}};
    for (const auto& [field, text] : required) {
        if (field->text().trimmed().isEmpty())
            refuseInput(field, text);
    }
    if (StringToInt(m_quantity->text()) <= 0)
        refuseInput(m_quantity, QStringLiteral("发卡数量必须大于零!"));
    // A step of 0 would give the same number over and over.
    if (StringToInt(m_step->text()) <= 0)
        refuseInput(m_step, QStringLiteral("步长必须大于零!"));
    m_czBox->Check();
    if (m_randomBarCode->isChecked()) {
        if (m_digits->text().trimmed().isEmpty())
            refuseInput(m_digits, QStringLiteral("随机位数不能为空，请输入位数!"));
        const int digits = StringToInt(m_digits->text());
        if (digits < 1)
            refuseInput(m_digits, QStringLiteral("随机位数必须大于0，请重新录入!"));
        if (digits >= 5)
            refuseInput(m_digits, QStringLiteral("随机位数必须小于5，请重新录入!"));
    }
    if (m_filter->isChecked() && m_filterDigits->text().trimmed().isEmpty())
        refuseInput(m_filterDigits, QStringLiteral("过滤内容不能为空，请重新录入!"));
}

void TFrmVipAddList::OnPreview() {
    m_grid->Clear();
    checkInput();
    refreshPreviewText();
    fillGrid(rule().Generate());
}

// A number drawn from 1..1 to 9..9 (d digits), the top left out: one digit gives 1 to 8.
QString TFrmVipAddList::randomDigits(int digits) {
    const int low = QString(digits, QLatin1Char('1')).toInt();
    const int high = QString(digits, QLatin1Char('9')).toInt();
    return QString::number(QRandomGenerator::global()->bounded(low, high));
}

void TFrmVipAddList::fillGrid(const QStringList& numbers) {
    QStringList barCodes;
    barCodes.reserve(numbers.size());
    const int digits = StringToInt(m_digits->text());
    for (const QString& number : numbers) {
        if (m_sameBarCode->isChecked())
            barCodes.append(number);
        else if (m_randomBarCode->isChecked())
            barCodes.append(number + randomDigits(digits));
        else
            barCodes.append(QString());
    }
    m_grid->Fill(numbers, barCodes,
                 {m_bulid->date().toString(DateFormat), m_validity->date().toString(DateFormat),
                  m_cardType->text(),
                  m_life->isChecked() ? QStringLiteral("正常") : QStringLiteral("未激活")});
}

void TFrmVipAddList::OnGenerate() {
    if (m_running) {
        m_thread->Stop();
        return;
    }
    if (m_grid->rowCount() == 0)
        OnPreview();
    const int issuingStore = m_activePos->currentIndex() < 0 ? -1 : m_activePos->currentData().toInt();
    if (m_life->isEnabled() && m_life->isChecked() && issuingStore == -1)
        Refuse(m_activePos, QStringLiteral("要") + m_life->text() + QStringLiteral("卡，发卡门店不能为空!"),
               QStringLiteral("警告!"), MB::IconInformation);
    if (!m_previewError.isEmpty()) {
        Messagebox(QString(m_previewError).replace(QStringLiteral("错误：\r\n"), QStringLiteral("  ")),
                   QStringLiteral("错误"), MB::IconError);
        return;
    }
    if (m_type.typeId <= 0)
        Refuse(m_typeButton, QStringLiteral("会员卡类型必选。"), QStringLiteral("错误"), MB::IconError);
    if (m_czBox->StoredValue())
        checkInput();
    if (Messagebox(QStringLiteral("确定将自动生成会员卡！"), QStringLiteral("提示"),
                   MB::OkCancel | MB::IconQuestion) != IDOK)
        return;
    startRun();
}

VipCardStore::CardFields TFrmVipAddList::pattern() const {
    const TComVar& session = Ucomvar();
    VipCardStore::CardFields card;
    card.cardType = m_type.typeId;
    card.discount = m_type.discount;
    card.bulidDate = m_bulid->date();
    card.validityDate = m_validity->date();
    card.autoDiscount = m_type.autoDiscount;
    card.autoMemberTotal = m_type.autoMemberTotal;
    card.autoOneOff = true;
    card.autoIntegral = m_type.autoIntegral;
    card.isLife = m_life->isChecked();
    card.posId = 0;
    card.userRec = m_life->isChecked() ? session.nLoginUserRec : 0;
    card.activePosId = m_activePos->currentIndex() < 0 ? -1 : m_activePos->currentData().toInt();
    return card;
}

void TFrmVipAddList::startRun() {
    QList<VipBatchIssueWriter::Card> cards;
    cards.reserve(m_grid->rowCount());
    for (int row = 0; row < m_grid->rowCount(); ++row)
        cards.append({m_grid->CardNos().at(row).trimmed(), m_grid->BarCodes().at(row)});
    std::optional<VipCardStore::StoredValue> storedValue;
    if (m_czBox->StoredValue()) {
        const TComVar& session = Ucomvar();
        VipCardStore::StoredValue value;
        value.vipCz = true;
        value.services = m_czBox->Services();
        value.opening = m_czBox->Opening();
        value.usePass = m_czBox->UsePassword();
        if (value.usePass)
            value.password = m_czBox->NewPassword();
        value.czPosId = m_czBox->StoreId();
        value.posId = session.lPublicPosid;
        value.userRec = session.nLoginUserRec;
        storedValue = value;
    }
    m_thread = new VipBatchIssueThread(OwnConnection::OfCurrent(), cards, pattern(), storedValue, this);
    m_runStarted = true;
    m_progress->setRange(0, int(cards.size()));
    m_progress->setValue(0);
    m_progress->show();
    setRunning(true);
    connect(m_thread, &VipBatchIssueThread::progressed, m_progress, &QProgressBar::setValue);
    connect(m_thread, &QThread::finished, this, [this] { RunGuarded([this] { onRunFinished(); }); });
    m_thread->start();
}

void TFrmVipAddList::onRunFinished() {
    const VipBatchIssueWriter::Tally tally = m_thread->Result();
    m_thread->wait();
    m_thread->deleteLater();
    m_thread = nullptr;
    setRunning(false);
    if (m_list) {
        m_list->RefreshData();
        if (!tally.firstCardNo.isEmpty())
            m_list->SelectRowWhere(QStringLiteral("CardNo"), tally.firstCardNo);
    }
    if (!tally.error.isEmpty())
        ShowError(tally.error);
    const QString written = QStringLiteral("当前的批量添加操作成功的生成了%1张会员卡！").arg(tally.written);
    ShowMsg(tally.duplicates > 0 ? QStringLiteral("重复的卡号有%1张，").arg(tally.duplicates) + written
                                 : written);
}

void TFrmVipAddList::setRunning(bool running) {
    m_running = running;
    m_generateButton->setText(running ? AbortCaption : GenerateCaption);
    for (QWidget* field : {static_cast<QWidget*>(m_prefix), static_cast<QWidget*>(m_start),
                           static_cast<QWidget*>(m_end), static_cast<QWidget*>(m_width),
                           static_cast<QWidget*>(m_cardType), static_cast<QWidget*>(m_typeButton),
                           static_cast<QWidget*>(m_bulid), static_cast<QWidget*>(m_exitButton)})
        field->setEnabled(!running);
}

void TFrmVipAddList::reject() {
    if (m_running)
        return;
    TBaseDialog::reject();
}

void TFrmVipAddList::closeEvent(QCloseEvent* event) {
    if (m_running) {
        event->ignore();
        return;
    }
    TBaseDialog::closeEvent(event);
}
