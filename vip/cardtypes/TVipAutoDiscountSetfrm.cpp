#include "vip/cardtypes/TVipAutoDiscountSetfrm.h"

#include "host/sdk/Money.h"
#include "host/sdk/ui/KeyFilter.h"
#include "host/sdk/ui/Refuse.h"

#include <QLineEdit>

TVipAutoDiscountSetfrm::TVipAutoDiscountSetfrm(double from, double to, double discount,
                                               const QString& comment, BandCheck check, bool flag,
                                               QWidget* parent)
    : TRuleBandDialog(QStringLiteral("TVipAutoDiscountSetfrm"), QStringLiteral("累计折扣"), std::move(check),
                      flag, parent)
    , m_from(Field(QStringLiteral("edtBegin"), 0))
    , m_to(Field(QStringLiteral("edtEnd"), 0))
    , m_discount(Field(QStringLiteral("edtDiscount"), 3))
    , m_comment(Field(QStringLiteral("edtComment"), 50)) {
    for (QLineEdit* edit : {m_from, m_to, m_discount})
        SetKeyFilter(edit, KeyFilter::DigitsDot);
    if (from != 0 || flag)
        m_from->setText(Money::fromDouble(from).toString());
    if (to != 0)
        m_to->setText(Money::fromDouble(to).toString());
    if (discount != 0)
        m_discount->setText(QString::number(discount));
    m_comment->setText(comment);
    Arrange({{QStringLiteral("金额开始："), m_from},
             {QStringLiteral("金 额 至："), m_to},
             {QStringLiteral("折    扣："), m_discount},
             {QStringLiteral("备    注："), m_comment}});
}

double TVipAutoDiscountSetfrm::From() const {
    return Money::fromText(m_from->text()).rounded().toDouble();
}
double TVipAutoDiscountSetfrm::To() const {
    return Money::fromText(m_to->text()).rounded().toDouble();
}
double TVipAutoDiscountSetfrm::Discount() const {
    return m_discount->text().trimmed().toDouble();
}
QString TVipAutoDiscountSetfrm::Comment() const {
    return m_comment->text();
}

void TVipAutoDiscountSetfrm::OnConfirm() {
    if (m_from->text().trimmed().isEmpty() || m_to->text().trimmed().isEmpty() ||
        m_discount->text().trimmed().isEmpty())
        Refuse(nullptr, QStringLiteral("数据输入不完整，不能保存！"), QStringLiteral("提示"));
    const double discount = Discount();
    if (discount == 0)
        Refuse(m_discount, QStringLiteral("累计折扣设置的折扣错误,不能保存"), QStringLiteral("提示"));
    if (discount < 1 || discount > 100)
        Refuse(m_discount, QStringLiteral("输入折扣必须在0至100之间，但不能为0！"),
               QStringLiteral("输入错误"));
    if (Money::fromText(m_to->text()) < Money::fromText(m_from->text()))
        Refuse(m_to, QStringLiteral("累计折扣的结束金额不能小于开始金额，不能保存!"),
               QStringLiteral("输入不完整"));
    if (Money::fromText(m_from->text()).isZero())
        Refuse(m_from, QStringLiteral("累计折扣设置的开始金额不能为0"), QStringLiteral("提示"));
    Accept(From(), To());
}
