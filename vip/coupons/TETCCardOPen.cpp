#include "vip/coupons/TETCCardOPen.h"

#include "host/sdk/MessageBox.h"
#include "host/sdk/VipCodes.h"
#include "vip/coupons/ETCCardBinding.h"
#include "vip/coupons/ETCCardStore.h"

TETCCardOPen::TETCCardOPen(QWidget* parent)
    : TETCCardListBase(0, 836, parent) {
    setWindowTitle(QStringLiteral("购物卡发放"));
}

void TETCCardOPen::OnIniButton() {
    AddButtonAndGetAction(QStringLiteral("发卡"), &TETCCardOPen::OnIssue);
    AddButtonAndGetAction(QStringLiteral("绑定会员"), &TETCCardOPen::OnBind);
    AddButtonAndGetAction(QStringLiteral("打印[&P]"), [this] { PrintShownRows(); });
    AddButtonAndGetAction(QStringLiteral("退出[&X]"), [this] { SetModalResult(mrCancel); });
}

void TETCCardOPen::SetGrid() {
    AddCardColumns();
}

void TETCCardOPen::CompleteParams() {
    Params().Add(QStringLiteral("@Flag"), 0);
    Params().Add(QStringLiteral("@ETCCardOPen"), 1);
    TETCCardListBase::CompleteParams();
}

void TETCCardOPen::OnIssue() {
    if (Empty() || !Question(QStringLiteral("是否激活选中购物卡？")))
        return;
    ETCCardStore store;
    const QString refusals = ETCCardBatch::Run(store, ChosenCards(), CouponCardMode::Activate);
    if (!refusals.isEmpty())
        ShowMsg(refusals.trimmed());
    RefreshData();
}

void TETCCardOPen::OnBind() {
    if (Empty())
        return;
    ETCCardStore store;
    if (ETCCardBinding::Bind(store, ChosenCards()))
        RefreshData();
}
