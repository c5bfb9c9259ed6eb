#include "vip/cardtypes/TVipAutoDiscountSetfrm.h"

#include "host/sdk/Money.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/KeyFilter.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLineEdit* field(const QString& name, int maxLength) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}

QString amountText(double value) { return Money::fromDouble(value).toString(); }

} // namespace

TVipAutoDiscountSetfrm::TVipAutoDiscountSetfrm(double from, double to, double discount, const QString& comment,
                                               BandCheck check, bool flag, QWidget* parent)
    : TBaseDialog(parent)
    , m_from(field(QStringLiteral("edtBegin"), 0))
    , m_to(field(QStringLiteral("edtEnd"), 0))
    , m_discount(field(QStringLiteral("edtDiscount"), 3))
    , m_comment(field(QStringLiteral("edtComment"), 50))
    , m_check(std::move(check))
    , m_flag(flag) {
    setObjectName(QStringLiteral("TVipAutoDiscountSetfrm"));
    setWindowTitle(QStringLiteral("累计折扣"));
    SetKeyFilter(m_from, KeyFilter::DigitsDot);
    SetKeyFilter(m_to, KeyFilter::DigitsDot);
    SetKeyFilter(m_discount, KeyFilter::DigitsDot);
    if (from != 0 || flag)
        m_from->setText(amountText(from));
    if (to != 0)
        m_to->setText(amountText(to));
    if (discount != 0)
        m_discount->setText(QString::number(discount));
    m_comment->setText(comment);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("金额开始："), m_from);
    form->addRow(QStringLiteral("金 额 至："), m_to);
    form->addRow(QStringLiteral("折    扣："), m_discount);
    form->addRow(QStringLiteral("备    注："), m_comment);
    auto* confirm = new QPushButton(QStringLiteral("确认[&Y]"));
    confirm->setObjectName(QStringLiteral("btnOK"));
    auto* exit = new QPushButton(QStringLiteral("退出[&X]"));
    exit->setObjectName(QStringLiteral("btnExit"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(confirm);
    buttons->addWidget(exit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    ConnectGuarded(confirm, &QPushButton::clicked, this, &TVipAutoDiscountSetfrm::OnConfirm);
    connect(exit, &QPushButton::clicked, this, &TVipAutoDiscountSetfrm::reject);
}

double TVipAutoDiscountSetfrm::From() const { return Money::fromText(m_from->text()).rounded().toDouble(); }
double TVipAutoDiscountSetfrm::To() const { return Money::fromText(m_to->text()).rounded().toDouble(); }
double TVipAutoDiscountSetfrm::Discount() const { return m_discount->text().trimmed().toDouble(); }
QString TVipAutoDiscountSetfrm::Comment() const { return m_comment->text(); }

bool TVipAutoDiscountSetfrm::refuse(const QString& text, const QString& caption, QLineEdit* field) {
    Messagebox(text, caption, MB::Ok | MB::IconInformation);
    if (field)
        field->setFocus();
    return false;
}

void TVipAutoDiscountSetfrm::OnConfirm() {
    if (m_from->text().trimmed().isEmpty() || m_to->text().trimmed().isEmpty() || m_discount->text().trimmed().isEmpty()) {
        refuse(QStringLiteral("数据输入不完整，不能保存！"), QStringLiteral("提示"), nullptr);
        return;
    }
    const double discount = Discount();
    if (discount == 0) {
        refuse(QStringLiteral("累计折扣设置的折扣错误,不能保存"), QStringLiteral("提示"), m_discount);
        return;
    }
    if (discount < 1 || discount > 100) {
        refuse(QStringLiteral("输入折扣必须在0至100之间，但不能为0！"), QStringLiteral("输入错误"), m_discount);
        return;
    }
    if (Money::fromText(m_to->text()) < Money::fromText(m_from->text())) {
        refuse(QStringLiteral("累计折扣的结束金额不能小于开始金额，不能保存!"), QStringLiteral("输入不完整"), m_to);
        return;
    }
    if (Money::fromText(m_from->text()).isZero()) {
        refuse(QStringLiteral("累计折扣设置的开始金额不能为0"), QStringLiteral("提示"), m_from);
        return;
    }
    if (m_check && !m_check(From(), To(), m_flag))
        return;
    SetModalResult(mrOk);
}
