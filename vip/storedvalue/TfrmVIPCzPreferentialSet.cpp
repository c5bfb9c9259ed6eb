#include "vip/storedvalue/TfrmVIPCzPreferentialSet.h"

#include "host/sdk/Money.h"
#include "host/sdk/ui/KeyFilter.h"
#include "host/sdk/ui/NumberText.h"
#include "host/sdk/ui/Refuse.h"

#include <QLineEdit>

namespace {
Money amount(const QLineEdit* edit) {
    return Money::fromText(edit->text());
}
} // namespace

TfrmVIPCzPreferentialSet::TfrmVIPCzPreferentialSet(double start, double end, double base, double gift,
                                                   const QString& comment, BandCheck check, bool flag,
                                                   QWidget* parent)
    : TRuleBandDialog(QStringLiteral("TfrmVIPCzPreferentialSet"), QStringLiteral("储值优惠设置"),
                      std::move(check), flag, parent)
    , m_start(Field(QStringLiteral("reStart"), 0))
    , m_end(Field(QStringLiteral("reEnd"), 0))
    , m_base(Field(QStringLiteral("reIntegralQuotiety"), 10))
    , m_gift(Field(QStringLiteral("reIntegral"), 0))
    , m_comment(Field(QStringLiteral("reComment"), 50)) {
    for (QLineEdit* edit : {m_start, m_end, m_gift})
        SetKeyFilter(edit, KeyFilter::DigitsDot);
    SetKeyFilter(m_base, KeyFilter::Digits);
    // A band that starts at 0 shows its start only when the caller asks for it.
    if (start != 0 || flag)
        m_start->setText(Money::fromDouble(start).toString());
    if (end != 0)
        m_end->setText(Money::fromDouble(end).toString());
    if (base != 0)
        m_base->setText(DoubleToString(base));
    if (gift != 0)
        m_gift->setText(DoubleToString(gift));
    m_comment->setText(comment);
    Arrange({{QStringLiteral("金额开始："), m_start},
             {QStringLiteral("金 额 至："), m_end},
             {QStringLiteral("储值基数："), m_base},
             {QStringLiteral("赠送金额："), m_gift},
             {QStringLiteral("备    注："), m_comment}});
}

double TfrmVIPCzPreferentialSet::Start() const {
    return amount(m_start).rounded().toDouble();
}
double TfrmVIPCzPreferentialSet::End() const {
    return amount(m_end).rounded().toDouble();
}
double TfrmVIPCzPreferentialSet::Base() const {
    return amount(m_base).toDouble();
}
double TfrmVIPCzPreferentialSet::Gift() const {
    return amount(m_gift).rounded().toDouble();
}
QString TfrmVIPCzPreferentialSet::Comment() const {
    return m_comment->text();
}

void TfrmVIPCzPreferentialSet::OnConfirm() {
    for (QLineEdit* edit : {m_start, m_end, m_gift, m_base}) {
        if (edit->text().trimmed().isEmpty())
            Refuse(edit, QStringLiteral("数据输入不完整，不能保存！"), QStringLiteral("提示"));
    }
    if (amount(m_gift).isZero())
        Refuse(m_gift, QStringLiteral("赠送为0不能保存，请重新输入!"), QStringLiteral("输入不完整"));
    if (amount(m_base).isZero())
        Refuse(m_base, QStringLiteral("储值基数为0不能保存，请重新输入!"), QStringLiteral("输入不完整"));
    if (amount(m_start) > amount(m_end))
        Refuse(m_end, QStringLiteral("储值的结束金额不能小于开始金额，不能保存!"),
               QStringLiteral("输入不完整"));
    if (amount(m_end) - amount(m_start) < amount(m_base))
        Refuse(m_base, QStringLiteral("设置的储值基数应<或=（金额至-金额开始），"),
               QStringLiteral("输入错误"));
    Accept(Start(), End());
}
