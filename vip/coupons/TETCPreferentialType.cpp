#include "vip/coupons/TETCPreferentialType.h"

#include "host/sdk/ui/NumberText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

TETCPreferentialType::TETCPreferentialType(QWidget* parent)
    : TETCTypeManage(CouponKind::PreferentialCoupon, parent) {
    setObjectName(QStringLiteral("TETCPreferentialType"));
    connect(m_rangType, &QComboBox::currentIndexChanged, this, [this] {
        // A ratio is at most 100: an amount above it is cut on the way.
        if (!IsAmount() && StringToDouble(m_value->text()) > 100)
            m_value->setText(QStringLiteral("100"));
        showValueKind();
    });
}

void TETCPreferentialType::BeforeFormShow() {
    setWindowTitle(QStringLiteral("优惠券类型信息"));
    m_otherTypes->setToolTip(QStringLiteral("默认为否，表示此时不能再使用现金券、打折卡等"));
    m_useCount->setText(QStringLiteral("1"));
    showValueKind();
}

void TETCPreferentialType::showValueKind() {
    if (IsAmount())
        SetValueCaption(QStringLiteral("优惠金额"), QStringLiteral("元 *"),
                        QStringLiteral("最多优惠总金额的n元"));
    else
        SetValueCaption(QStringLiteral("优惠范围"), QStringLiteral("% *"),
                        QStringLiteral("最多优惠总金额的n%"));
}

void TETCPreferentialType::SetControlVisible() {
    for (QWidget* hidden : std::initializer_list<QWidget*>{m_undiscounted, m_pointsRule, m_pointsRuleLabel})
        hidden->hide();
}
