#include "vip/cardtypes/TVipIntegralSetfrm.h"

#include "host/sdk/Money.h"
#include "host/sdk/ui/KeyFilter.h"
#include "host/sdk/ui/Refuse.h"

#include <QLineEdit>

namespace {
Money amount(const QLineEdit* edit) {
    return Money::fromText(edit->text());
}
} // namespace

TVipIntegralSetfrm::TVipIntegralSetfrm(double from, double to, double base, double points,
                                       const QString& comment, BandCheck check, bool flag, QWidget* parent)
    : TRuleBandDialog(QStringLiteral("TVipIntegralSetfrm"), QStringLiteral("会员积分"), std::move(check),
                      flag, parent)
    , m_from(Field(QStringLiteral("edtBegin"), 0))
    , m_to(Field(QStringLiteral("edtEnd"), 0))
    , m_points(Field(QStringLiteral("edtIntegral"), 6))
    , m_base(Field(QStringLiteral("edtBase"), 10))
    , m_comment(Field(QStringLiteral("edtComment"), 50)) {
    for (QLineEdit* edit : {m_from, m_to, m_base, m_points})
        SetKeyFilter(edit, KeyFilter::DigitsDot);
    m_from->setText(Money::fromDouble(from).toString());
    m_to->setText(Money::fromDouble(to).toString());
    m_base->setText(base == 0 ? QString() : QString::number(base));
    m_points->setText(points == 0 ? QString() : QString::number(points));
    m_comment->setText(comment);
    Arrange({{QStringLiteral("金额开始："), m_from},
             {QStringLiteral("金 额 至："), m_to},
             {QStringLiteral("积    分："), m_points},
             {QStringLiteral("积分基数："), m_base},
             {QStringLiteral("备    注："), m_comment}});
}

double TVipIntegralSetfrm::From() const {
    return amount(m_from).rounded().toDouble();
}
double TVipIntegralSetfrm::To() const {
    return amount(m_to).rounded().toDouble();
}
double TVipIntegralSetfrm::Base() const {
    return amount(m_base).toDouble();
}
double TVipIntegralSetfrm::Points() const {
    return m_points->text().trimmed().toDouble();
}
QString TVipIntegralSetfrm::Comment() const {
    return m_comment->text();
}

void TVipIntegralSetfrm::OnConfirm() {
    if (m_from->text().trimmed().isEmpty() || m_to->text().trimmed().isEmpty() ||
        m_points->text().trimmed().isEmpty() || m_base->text().trimmed().isEmpty())
        Refuse(nullptr, QStringLiteral("数据输入不完整，不能保存！"), QStringLiteral("提示"));
    if (Points() == 0)
        Refuse(m_points, QStringLiteral("积分为0不能保存，请重新输入!"), QStringLiteral("输入不完整"));
    if (amount(m_base).isZero())
        Refuse(m_base, QStringLiteral("积分基数为0不能保存，请重新输入!"), QStringLiteral("输入不完整"));
    if (amount(m_from) > amount(m_to))
        Refuse(m_to, QStringLiteral("积分的结束金额不能小于开始金额，不能保存!"),
               QStringLiteral("输入不完整"));
    if (amount(m_base) > amount(m_to) - amount(m_from))
        Refuse(m_base, QStringLiteral("设置的积分基数应<或=（金额至-金额开始），"),
               QStringLiteral("输入错误"));
    Accept(From(), To());
}
