#include "vip/coupons/CouponTypeExports.h"

#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/ModalResult.h"
#include "vip/coupons/TETCCashType.h"
#include "vip/coupons/TETCDiscountType.h"
#include "vip/coupons/TETCPreferentialType.h"

#include <QApplication>
#include <memory>

bool ShowETCTypeManage(int kind, int id, bool readOnly) {
    QWidget* parent = QApplication::activeWindow();
    std::unique_ptr<TETCTypeManage> dialog;
    if (kind == CouponKind::DiscountCard)
        dialog = std::make_unique<TETCDiscountType>(parent);
    else if (kind == CouponKind::PreferentialCoupon)
        dialog = std::make_unique<TETCPreferentialType>(parent);
    else
        dialog = std::make_unique<TETCCashType>(parent);
    if (!dialog->Open(id, readOnly))
        return false;
    return dialog->ShowModal() == mrOk;
}
