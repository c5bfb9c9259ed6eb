#include "vip/points/TfrmVipTotalAdjust.h"

#include "host/sdk/ClientDataSet.h"
#include "host/sdk/LmConnect.h"
#include "host/sdk/Notices.h"
#include "host/sdk/RetailConnect.h"
#include "host/sdk/SendToHeadOffice.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/VRecord.h"
#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/Refuse.h"
#include "vip/devices/DeviceExports.h"
#include "vip/members/VipSelectExports.h"
#include "vip/points/TChangeType.h"
#include "vip/points/VipPointsCardCheck.h"
#include "vip/points/VipPointsStore.h"

#include <QDate>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace {

const QString EnterPoints = QStringLiteral("请输入本次处理积分!");
constexpr int MostDigits = 9;

QLabel* valueLabel(const char* name) {
    auto* label = DialogFields::Label(QString(), name);
    label->setMinimumWidth(120);
    return label;
}

} // namespace

TfrmVipTotalAdjust::TfrmVipTotalAdjust(QWidget* parent)
    : TBaseDialog(parent)
    , m_cardNo(DialogFields::Edit("edtCardNo", 30))
    , m_points(DialogFields::NumberEdit("edtPoints", KeyFilter::DigitsMinus, MostDigits + 3))
    , m_memo(DialogFields::Edit("edtMemo", 200))
    , m_openDate(DialogFields::Edit("edtOpenDate"))
    , m_changeDate(DialogFields::Edit("edtChangeDate"))
    , m_typeName(valueLabel("lblTypeName"))
    , m_holder(valueLabel("lblHolder"))
    , m_identity(valueLabel("lblIdentity"))
    , m_tel(valueLabel("lblTel"))
    , m_ljIntegral(valueLabel("lblLjIntegral"))
    , m_available(valueLabel("lblAvailable"))
    , m_form(new QFormLayout)
    , m_layout(new QVBoxLayout(this)) {
    setObjectName(QStringLiteral("TfrmVipTotalAdjust"));
    setWindowTitle(TChangeType::Name(PointsChange::Adjustment));
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    for (QLineEdit* date : {m_openDate, m_changeDate}) {
        date->setText(today);
        date->setEnabled(false);
    }
    m_available->setText(QStringLiteral("0"));
    connect(m_cardNo, &QLineEdit::editingFinished, this,
            [this] { RunGuardedAction(this, [this] { OnCardLeft(); }); });
    connect(m_points, &QLineEdit::textChanged, this, [this] { showPointsColour(); });

    auto* readIC = new QPushButton(QStringLiteral("IC读卡[F11]"));
    readIC->setObjectName(QStringLiteral("btnReadIC"));
    readIC->setShortcut(QKeySequence(Qt::Key_F11));
    readIC->setFocusPolicy(Qt::NoFocus);
    ConnectGuarded(readIC, &QPushButton::clicked, this, &TfrmVipTotalAdjust::OnReadIC);
    auto* cardRow = new QHBoxLayout;
    cardRow->addWidget(m_cardNo);
    cardRow->addWidget(readIC);
    auto* pointsRow = new QHBoxLayout;
    pointsRow->addWidget(m_points);
    m_minusHint = DialogFields::Label(QStringLiteral("(输入'-'号表示积分减少)"));
    pointsRow->addWidget(m_minusHint);

    QFormLayout* form = m_form;
    form->addRow(QStringLiteral("卡号[&C]："), cardRow);
    form->addRow(QStringLiteral("会员类型："), m_typeName);
    form->addRow(QStringLiteral("持卡人："), m_holder);
    form->addRow(QStringLiteral("证件号："), m_identity);
    form->addRow(QStringLiteral("联系电话："), m_tel);
    form->addRow(QStringLiteral("开卡日期："), m_openDate);
    form->addRow(QStringLiteral("累计积分："), m_ljIntegral);
    form->addRow(QStringLiteral("可用积分："), m_available);
    form->addRow(QStringLiteral("处理日期："), m_changeDate);
    form->addRow(QStringLiteral("处理积分[&J]："), pointsRow);
    form->addRow(QStringLiteral("备注："), m_memo);

    auto* print = new QPushButton(QStringLiteral("打印[&P]"));
    print->setObjectName(QStringLiteral("btnPrint"));
    ConnectGuarded(print, &QPushButton::clicked, this, &TfrmVipTotalAdjust::OnPrint);
    QHBoxLayout* buttons =
        ConfirmButtons(QStringLiteral("保存[&S]"), QStringLiteral("退出[&X]"), [this] { OnSave(); });
    buttons->insertWidget(buttons->count() - 1, print);
    // Ctrl+P prints through the same checks as the button.
    disconnect(PrintAction(), nullptr, this, nullptr);
    connect(PrintAction(), &QAction::triggered, this,
            [this] { RunGuardedAction(this, [this] { OnPrint(); }); });

    m_layout->addLayout(form);
    m_layout->addLayout(buttons);
    m_cardNo->setFocus();
}

void TfrmVipTotalAdjust::SetChangeType(int changeType) {
    m_changeType = changeType;
    const QString name = TChangeType::Name(changeType);
    if (changeType != PointsChange::Cash && changeType != PointsChange::StoredValue && !name.isEmpty())
        setWindowTitle(name);
    m_ljIntegral->clear();
    m_available->setText(QStringLiteral("0"));
}

bool TfrmVipTotalAdjust::OpenCard(const QString& cardNo) {
    m_cardNo->setText(cardNo.trimmed());
    return m_cardNo->text().isEmpty() || lookUp();
}

bool TfrmVipTotalAdjust::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_cardNo && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !m_cardNo->text().trimmed().isEmpty())
            RunGuardedAction(this, [this] { PickByText(); });
    }
    return TBaseDialog::eventFilter(watched, event);
}

void TfrmVipTotalAdjust::PickByText() {
    // The member list takes the focus from the field; that is no leaving of it.
    m_picking = true;
    VRecord picked;
    const int result = VIPSelect(picked, m_cardNo->text().trimmed(), false, false, false, false);
    m_picking = false;
    if (result == 0)
        m_cardNo->setText(picked.CardNo);
}

void TfrmVipTotalAdjust::addSection(QWidget* section) {
    m_layout->insertWidget(m_layout->count() - 1, section);
}

void TfrmVipTotalAdjust::OnCardLeft() {
    if (m_picking)
        return;
    if (m_cardNo->text().trimmed().isEmpty()) {
        CardNumberEmptied();
        return;
    }
    if (m_cardNo->text().trimmed() != m_foundCardNo)
        lookUp();
}

void TfrmVipTotalAdjust::OnReadIC() {
    QString cardNo;
    m_picking = true;
    ShowReadICCard(cardNo);
    m_picking = false;
    m_cardNo->setText(cardNo.trimmed());
    if (!m_cardNo->text().isEmpty())
        lookUp();
}

bool TfrmVipTotalAdjust::lookUp() {
    const QString cardNo = m_cardNo->text().trimmed();
    VipPointsStore store;
    ClientDataSet card;
    store.LoadCard(cardNo, card);
    const TComVar& session = Ucomvar();
    QString refused = VipPointsCardCheck::Refusal(card, m_changeType, session, QDate::currentDate());
    if (refused.isEmpty() &&
        !store.UsableInStore(card.FieldByName(QStringLiteral("id")).AsInteger(), session.lPublicPosid)) {
        clearCard();
        ShowMsg(QStringLiteral("该会员卡只能在指定的门店使用积分兑换功能！"));
        ShowField(m_cardNo);
        return false;
    }
    if (!refused.isEmpty()) {
        clearCard();
        ShowError(refused);
        ShowField(m_cardNo);
        return false;
    }
    if (TRetailConnect::IsConnectUse(TRetailConnect::ClassType)) {
        TRetailConnect link;
        if (link.Connect() && link.GetCenterVipInteGral(cardNo, false))
            store.LoadCard(cardNo, card);
    }
    const auto text = [&](const char* name) { return card.FieldByName(QLatin1String(name)).AsString(); };
    m_cardId = card.FieldByName(QStringLiteral("id")).AsInteger();
    m_cardType = card.FieldByName(QStringLiteral("CardType")).AsInteger();
    m_cardPosId = card.FieldByName(QStringLiteral("PosID")).AsInteger();
    m_availablePoints = card.FieldByName(QStringLiteral("IntegralTotal")).AsInteger();
    m_typeName->setText(text("CardTypeCN"));
    m_holder->setText(text("Name"));
    m_identity->setText(text("IdentityCard"));
    m_tel->setText(text("Tel"));
    m_openDate->setText(
        card.FieldByName(QStringLiteral("BulidDate")).AsDate().toString(QStringLiteral("yyyy-MM-dd")));
    m_ljIntegral->setText(text("ljIntegral"));
    m_available->setText(QString::number(m_availablePoints));
    m_foundCardNo = text("CardNo");
    m_cardNo->setText(m_foundCardNo);
    CardShown();
    return true;
}

void TfrmVipTotalAdjust::clearCard() {
    for (QLabel* label : {m_typeName, m_holder, m_identity, m_tel, m_ljIntegral})
        label->clear();
    m_available->setText(QStringLiteral("0"));
    m_openDate->setText(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    m_foundCardNo.clear();
    m_cardId = 0;
    m_cardType = 0;
    m_cardPosId = 0;
    m_availablePoints = 0;
    CardCleared();
}

void TfrmVipTotalAdjust::showPointsColour() {
    QPalette palette = m_points->palette();
    palette.setColor(QPalette::Text, m_points->text().contains(QLatin1Char('-'))
                                         ? QColor(Qt::red)
                                         : palette.color(QPalette::WindowText));
    m_points->setPalette(palette);
}

int TfrmVipTotalAdjust::entryType() const {
    return m_points->text().contains(QLatin1Char('-')) ? PointsChange::Deducted : PointsChange::Added;
}

void TfrmVipTotalAdjust::refusePoints(const QString& text) {
    Refuse(m_points, text, QStringLiteral("提示"), MB::IconError);
}

void TfrmVipTotalAdjust::requireCard() {
    if (m_cardNo->text().trimmed().isEmpty())
        Refuse(m_cardNo, QStringLiteral("会员卡号不能为空!"), QStringLiteral("提示"), MB::IconError);
    if (m_cardNo->text().trimmed() != m_foundCardNo && !lookUp())
        throw AbortAction();
}

void TfrmVipTotalAdjust::OnSave() {
    requireCard();
    const QString entry = m_points->text().trimmed();
    m_points->setText(entry);
    static const QRegularExpression integer(QStringLiteral("^-?\\d*$"));
    if (!integer.match(entry).hasMatch())
        refusePoints(QStringLiteral("请输入有效的整数值，并且不超过%1位数字!").arg(MostDigits));
    const bool minus = entry.startsWith(QLatin1Char('-'));
    if (entry.size() > MostDigits + (minus ? 1 : 0))
        refusePoints(QStringLiteral("积分数值不能超过%1位数字!").arg(MostDigits));
    const int points = entry.toInt();
    if (points == 0)
        refusePoints(EnterPoints);
    if (points < 0 && -points > m_availablePoints)
        refusePoints(QStringLiteral("本次处理积分不能大于可用积分!"));
    saveChange(entryType(), qAbs(points));
}

void TfrmVipTotalAdjust::saveChange(int type, int points) {
    setWindowTitle(TChangeType::Name(type));
    const QString memo = m_memo->text().trimmed().isEmpty() ? TChangeType::Name(type) : m_memo->text();
    const TComVar& session = Ucomvar();
    const int newId = VipPointsStore().AddChange(m_foundCardNo, type, points, session.szLoginUserId,
                                                 session.lPublicPosid, memo);
    if (newId == VipPointsStore::TooFewPoints) {
        // Another till took points meanwhile; show what is left.
        lookUp();
        refusePoints(QStringLiteral("本次处理积分不能大于可用积分!"));
    }
    if (newId <= 0)
        throw AbortAction();
    followUp(newId, type);
    SetModalResult(mrOk);
}

void TfrmVipTotalAdjust::followUp(int newId, int type, const std::function<void()>& beforeNotice) {
    const TComVar& session = Ucomvar();
    const bool linked = TRetailConnect::IsConnectUse(TRetailConnect::ClassType);
    // Stored value on a store's own card stays with that store.
    if (linked && !(type == PointsChange::StoredValue && m_cardPosId != 0))
        SendToHeadOffice<TRetailConnect>(m_foundCardNo,
                                         [&](TRetailConnect& c) { return c.SaveVipInfo(newId, 6); });
    if (beforeNotice)
        beforeNotice();
    if (session.bSMSChange && SendSMSMessageByBillFunc)
        SendSMSMessageByBillFunc(NoticeKind::PointsChanged, newId, false, type, m_cardId, 0, 0, 0);
    if (linked)
        SendToHeadOffice<TRetailConnect>(m_foundCardNo,
                                         [&](TRetailConnect& c) { return c.SaveVipInfo(newId, type); });
}

void TfrmVipTotalAdjust::OnPrint() {
    if (m_points->text().trimmed().toInt() == 0) {
        ShowMsg(EnterPoints);
        return;
    }
    Print();
}

QString TfrmVipTotalAdjust::PrintTemplateName() const {
    return TChangeType::PrintTemplate(m_changeType == PointsChange::Adjustment ? entryType() : m_changeType);
}

void TfrmVipTotalAdjust::PrintItems(TParamObject& items) const {
    const bool deducted = m_points->text().trimmed().toInt() < 0;
    items.Add(QStringLiteral("卡号"), m_cardNo->text());
    items.Add(QStringLiteral("持卡人"), m_holder->text());
    items.Add(QStringLiteral("证件号"), m_identity->text());
    items.Add(QStringLiteral("开卡日期"), m_openDate->text());
    items.Add(QStringLiteral("处理日期"), m_changeDate->text());
    items.Add(QStringLiteral("累计积分"), m_ljIntegral->text());
    items.Add(QStringLiteral("可用积分"), m_available->text());
    items.Add(QStringLiteral("处理人"), Ucomvar().szLoginUserName);
    items.Add(QStringLiteral("处理方式"),
              TChangeType::Name(deducted ? PointsChange::Deducted : PointsChange::Added));
    items.Add(QStringLiteral("本次处理积分"), m_points->text().trimmed());
    items.Add(QStringLiteral("备注"), m_memo->text());
}
