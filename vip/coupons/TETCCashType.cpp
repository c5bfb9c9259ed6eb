#include "vip/coupons/TETCCashType.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

TETCCashType::TETCCashType(QWidget* parent)
    : TETCTypeManage(CouponKind::CashCoupon, parent) {
    setObjectName(QStringLiteral("TETCCashType"));
}

void TETCCashType::BeforeFormShow() {
    setWindowTitle(QStringLiteral("现金券类型信息"));
    SetValueCaption(QStringLiteral("金额"), QStringLiteral("*"), QString());
    m_otherTypes->setToolTip(QStringLiteral("默认为否，表示此时不能再使用其它类型现金券"));
    SetNote(QStringLiteral(
        "零售单中使用现金券结算，在零售退货调单退货时，原现金券支付金额将会以非现金券方式退款。"));
}

void TETCCashType::SetControlVisible() {
    for (QWidget* hidden : std::initializer_list<QWidget*>{m_rangType, m_rangTypeLabel, m_undiscounted})
        hidden->hide();
}
