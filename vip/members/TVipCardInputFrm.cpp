#include "vip/members/TVipCardInputFrm.h"

#include "host/sdk/Limit.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/Refuse.h"
#include "vip/devices/DeviceExports.h"
#include "vip/members/ReaderOnlyInput.h"
#include "vip/members/VipCardStore.h"
#include "vip/members/VipSelectExports.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int TypeByHandRight = 567;
const QString NoSuchCard = QStringLiteral("没有这样的VIP卡，或卡号错误！");

} // namespace

TVipCardInputFrm::TVipCardInputFrm(QWidget* parent)
    : TBaseDialog(parent)
    , m_cardNo(DialogFields::Edit("edtCardNo", 30)) {
    setObjectName(QStringLiteral("TVipCardInputFrm"));
    setWindowTitle(QStringLiteral("会员卡录入"));
    new ReaderOnlyInput(m_cardNo);
    auto* readIC = new QPushButton(QStringLiteral("IC读卡[F11]"));
    readIC->setObjectName(QStringLiteral("btnReadIC"));
    readIC->setShortcut(QKeySequence(Qt::Key_F11));
    ConnectGuarded(readIC, &QPushButton::clicked, this, &TVipCardInputFrm::OnReadIC);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(DialogFields::Label(QStringLiteral("请输入会员卡号:")));
    layout->addWidget(m_cardNo);
    layout->addWidget(DialogFields::Label(QStringLiteral("注意：销售中会员卡仅支持积分功能")));
    QHBoxLayout* buttons =
        ConfirmButtons(QStringLiteral("确定"), QStringLiteral("取消"), [this] { OnConfirm(); });
    buttons->insertWidget(0, readIC);
    layout->addLayout(buttons);
}

void TVipCardInputFrm::showEvent(QShowEvent* event) {
    Ucomvar().bNoVipKeyPress = !HasLimit(TypeByHandRight);
    m_cardNo->setFocus();
    TBaseDialog::showEvent(event);
}

void TVipCardInputFrm::OnReadIC() {
    QString cardNo;
    ShowReadICCard(cardNo);
    m_cardNo->setText(cardNo.trimmed());
    if (!m_cardNo->text().isEmpty())
        OnConfirm();
}

void TVipCardInputFrm::OnConfirm() {
    const QString typed = m_cardNo->text().trimmed();
    if (typed.isEmpty())
        Refuse(m_cardNo, QStringLiteral("请输入有效会员的卡号"));
    if (!findExactly()) {
        if (!Ucomvar().bNoVipKeyPress)
            ShowError(NoSuchCard, QStringLiteral("输入错误！"));
        VRecord chosen;
        if (VIPSelect(chosen, typed, false, false, false, false) != 0)
            Refuse(m_cardNo, NoSuchCard);
        m_cardNo->setText(chosen.CardNo);
        if (!findExactly())
            Refuse(m_cardNo, NoSuchCard);
    }
    checkUsable();
    m_record.VipDayCheck();
    SetModalResult(mrOk);
}

bool TVipCardInputFrm::findExactly() {
    ClientDataSet row;
    if (!VipCardStore().LoadCardByNumber(m_cardNo->text(), row))
        return false;
    AddRecord(m_record, row);
    m_activated = row.FieldByName(QStringLiteral("IsLife")).AsInteger() != 0;
    return true;
}

void TVipCardInputFrm::checkUsable() {
    const QDate today = QDate::currentDate();
    const auto refuse = [this](const QString& text) {
        m_cardNo->selectAll();
        Refuse(m_cardNo, text, QStringLiteral("错误！"), MB::IconError);
    };
    if (m_record.Lose)
        refuse(QStringLiteral("这张卡已经挂失，不能使用！"));
    if (m_record.StopUse)
        refuse(QStringLiteral("这张卡已经停止使用！"));
    if (QDate::fromString(m_record.ValidityDate, QStringLiteral("yyyy-MM-dd")) < today)
        refuse(QStringLiteral("这张卡已经过使用期！"));
    if (!m_activated)
        refuse(QStringLiteral("这张卡还没有激活！"));
    if (QDate::fromString(m_record.BulidDate, QStringLiteral("yyyy-MM-dd")) > today)
        refuse(QStringLiteral("这张卡发卡日期小于当前时间，还未启用！"));
}
