#include "vip/coupons/TETCDiscountType.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

TETCDiscountType::TETCDiscountType(QWidget* parent)
    : TETCTypeManage(CouponKind::DiscountCard, parent) {
    setObjectName(QStringLiteral("TETCDiscountType"));
}

void TETCDiscountType::BeforeFormShow() {
    setWindowTitle(QStringLiteral("打折卡类型信息"));
    SetValueCaption(QStringLiteral("折扣"), QStringLiteral("*"), QString());
    m_otherTypes->setToolTip(QStringLiteral("默认为否，表示此时不能再使用现金券、优惠券等"));
    SetNote(QStringLiteral(
        "1.参与了促销的商品和特价商品不能再进行打折处理。\n\r2.零售时，打折卡的优先级高于批量打折或手动"
        "修改商品折扣。"));
    m_useCount->setText(QStringLiteral("1"));
}

void TETCDiscountType::SetControlVisible() {
    for (QWidget* hidden : std::initializer_list<QWidget*>{m_useLimit, m_useLimitLabel, m_rangType,
                                                           m_rangTypeLabel, m_pointsRule, m_pointsRuleLabel})
        hidden->hide();
}
