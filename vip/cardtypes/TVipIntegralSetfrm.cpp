#include "vip/cardtypes/TVipIntegralSetfrm.h"

#include "host/sdk/MessageBox.h"
#include "host/sdk/Money.h"
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

Money amount(const QLineEdit* edit) { return Money::fromText(edit->text()); }

} // namespace

TVipIntegralSetfrm::TVipIntegralSetfrm(double from, double to, double base, double points, const QString& comment,
                                       BandCheck check, bool flag, QWidget* parent)
    : TBaseDialog(parent)
    , m_from(field(QStringLiteral("edtBegin"), 0))
    , m_to(field(QStringLiteral("edtEnd"), 0))
    , m_points(field(QStringLiteral("edtIntegral"), 6))
    , m_base(field(QStringLiteral("edtBase"), 10))
    , m_comment(field(QStringLiteral("edtComment"), 50))
    , m_check(std::move(check))
    , m_flag(flag) {
    setObjectName(QStringLiteral("TVipIntegralSetfrm"));
    setWindowTitle(QStringLiteral("会员积分"));
    for (QLineEdit* edit : {m_from, m_to, m_base})
        SetKeyFilter(edit, KeyFilter::DigitsDot);
    m_from->setText(Money::fromDouble(from).toString());
    m_to->setText(Money::fromDouble(to).toString());
    m_base->setText(base == 0 ? QString() : QString::number(base));
    m_points->setText(points == 0 ? QString() : QString::number(points));
    m_comment->setText(comment);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("金额开始："), m_from);
    form->addRow(QStringLiteral("金 额 至："), m_to);
    form->addRow(QStringLiteral("积    分："), m_points);
    form->addRow(QStringLiteral("积分基数："), m_base);
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
    ConnectGuarded(confirm, &QPushButton::clicked, this, &TVipIntegralSetfrm::OnConfirm);
    connect(exit, &QPushButton::clicked, this, &TVipIntegralSetfrm::reject);
}

double TVipIntegralSetfrm::From() const { return amount(m_from).rounded().toDouble(); }
double TVipIntegralSetfrm::To() const { return amount(m_to).rounded().toDouble(); }
double TVipIntegralSetfrm::Base() const { return amount(m_base).toDouble(); }
double TVipIntegralSetfrm::Points() const { return m_points->text().trimmed().toDouble(); }
QString TVipIntegralSetfrm::Comment() const { return m_comment->text(); }

void TVipIntegralSetfrm::refuse(const QString& text, const QString& caption, QLineEdit* field) {
    Messagebox(text, caption, MB::Ok | MB::IconInformation);
    if (field)
        field->setFocus();
}

void TVipIntegralSetfrm::OnConfirm() {
    if (m_from->text().trimmed().isEmpty() || m_to->text().trimmed().isEmpty() || m_points->text().trimmed().isEmpty() ||
        m_base->text().trimmed().isEmpty()) {
        refuse(QStringLiteral("数据输入不完整，不能保存！"), QStringLiteral("提示"), nullptr);
        return;
    }
    if (Points() == 0) {
        refuse(QStringLiteral("积分为0不能保存，请重新输入!"), QStringLiteral("输入不完整"), m_points);
        return;
    }
    if (amount(m_base).isZero()) {
        refuse(QStringLiteral("积分基数为0不能保存，请重新输入!"), QStringLiteral("输入不完整"), m_base);
        return;
    }
    if (amount(m_from) > amount(m_to)) {
        refuse(QStringLiteral("积分的结束金额不能小于开始金额，不能保存!"), QStringLiteral("输入不完整"), m_to);
        return;
    }
    if (amount(m_base) > amount(m_to) - amount(m_from)) {
        refuse(QStringLiteral("设置的积分基数应<或=（金额至-金额开始），"), QStringLiteral("输入错误"), m_base);
        return;
    }
    if (m_check && !m_check(From(), To(), m_flag))
        return;
    SetModalResult(mrOk);
}
