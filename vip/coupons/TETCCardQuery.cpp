#include "vip/coupons/TETCCardQuery.h"

#include "host/sdk/MessageBox.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/CallQueryClass.h"
#include "vip/coupons/ETCCardBinding.h"
#include "vip/coupons/ETCCardStore.h"
#include "vip/coupons/ETCKinds.h"
#include "vip/coupons/TETCCardManage.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>

TETCCardQuery::TETCCardQuery(int kind, QWidget* parent)
    : TETCCardListBase(kind, 829 + kind, parent) {
    switch (kind) {
    case CouponKind::DiscountCard:
        setWindowTitle(QStringLiteral("打折卡管理"));
        break;
    case CouponKind::PreferentialCoupon:
        setWindowTitle(QStringLiteral("优惠管理"));
        break;
    default:
        setWindowTitle(QStringLiteral("现金券管理"));
        break;
    }
}

void TETCCardQuery::OnIniButton() {
    AddButtonAndGetAction(QStringLiteral("查看"), &TETCCardQuery::OnView);
    AddButtonAndGetAction(QStringLiteral("添加"), &TETCCardQuery::OnAddExcetue);
    SetEditAction(AddButtonAndGetAction(QStringLiteral("修改"), &TETCCardQuery::OnEditExcetue));
    AddButtonAndGetAction(QStringLiteral("删除"), &TETCCardQuery::OnDelExcetue);
    m_stop = AddButtonAndGetAction(QStringLiteral("停用"), &TETCCardQuery::OnStop);
    AddButtonAndGetAction(QStringLiteral("激活"), &TETCCardQuery::OnActivate);
    AddButtonAndGetAction(QStringLiteral("作废"), &TETCCardQuery::OnVoid);
    AddButtonAndGetAction(QStringLiteral("绑定会员卡"), &TETCCardQuery::OnBind);
    AddButtonAndGetAction(QStringLiteral("使用明细"), &TETCCardQuery::OnUseDetail);
    m_showStopped = new QCheckBox(QStringLiteral("显示停用"), GetTopPanel());
    m_showStopped->setObjectName(QStringLiteral("chkShowStop"));
    m_showStopped->setChecked(true);
    auto* top = new QHBoxLayout(GetTopPanel());
    top->addWidget(m_showStopped);
    top->addStretch();
    connect(m_showStopped, &QCheckBox::toggled, this, [this] { RefreshData(); });
}

void TETCCardQuery::SetGrid() {
    AddCardColumns();
}

void TETCCardQuery::CompleteParams() {
    Params().Add(QStringLiteral("@Stop"), m_showStopped && !m_showStopped->isChecked() ? 0 : -1);
    TETCCardListBase::CompleteParams();
}

void TETCCardQuery::AfterRowChanged() {
    const bool stopped = !Empty() && GDataVar(QStringLiteral("IsStop")).toInt() != 0;
    m_stop->setText(stopped ? QStringLiteral("启用") : QStringLiteral("停用"));
}

void TETCCardQuery::OnView() {
    if (Empty())
        return;
    TETCCardManage editor(Kind(), GDataVar(QStringLiteral("ID")).toInt(), true);
    if (editor.LoadCard())
        editor.ShowModal();
}

void TETCCardQuery::OnAddExcetue() {
    TETCCardManage editor(Kind(), 0, false);
    if (editor.ShowModal() == mrOk)
        AfterSave(QStringLiteral("ID"), editor.Card().id);
}

void TETCCardQuery::OnEditExcetue() {
    if (Empty())
        return;
    if (GDataVar(QStringLiteral("Flag")).toInt() == 3) {
        ShowMsg(QStringLiteral("已经作废的购物卡不能进行修改"));
        return;
    }
    TETCCardManage editor(Kind(), GDataVar(QStringLiteral("ID")).toInt(), false);
    if (!editor.LoadCard()) {
        RefreshData();
        return;
    }
    if (editor.ShowModal() == mrOk)
        AfterSave(QStringLiteral("ID"), editor.Card().id);
}

void TETCCardQuery::OnDelExcetue() {
    massChange(CouponCardMode::Delete, QStringLiteral("是否删除选中购物卡？"));
}

void TETCCardQuery::OnActivate() {
    massChange(CouponCardMode::Activate, QStringLiteral("是否激活选中购物卡？"));
}

void TETCCardQuery::OnVoid() {
    massChange(CouponCardMode::Void, QStringLiteral("是否作废选中购物卡？"));
}

void TETCCardQuery::massChange(int mode, const QString& question) {
    if (Empty() || !Question(question))
        return;
    ETCCardStore store;
    const QString refusals = ETCCardBatch::Run(store, ChosenCards(), mode);
    if (!refusals.isEmpty())
        ShowMsg(refusals.trimmed());
    RefreshData();
}

// Stopping and resuming apply to the card under the cursor, as the button says.
void TETCCardQuery::OnStop() {
    if (Empty())
        return;
    const bool stopped = GDataVar(QStringLiteral("IsStop")).toInt() != 0;
    const QString word = stopped ? QStringLiteral("启用") : QStringLiteral("停用");
    if (!Question(QStringLiteral("是否") + word + QStringLiteral("本张购物卡？")))
        return;
    ETCCardStore store;
    const TComVar& session = Ucomvar();
    const QString refusal = store.SetState(GDataVar(QStringLiteral("ID")).toInt(),
                                           stopped ? CouponCardMode::Resume : CouponCardMode::Stop, {},
                                           session.nLoginUserRec, session.lPublicPosid);
    if (!refusal.isEmpty())
        ShowMsg(refusal);
    RefreshData();
}

void TETCCardQuery::OnBind() {
    if (Empty())
        return;
    ETCCardStore store;
    if (ETCCardBinding::Bind(store, ChosenCards()))
        RefreshData();
}

void TETCCardQuery::OnUseDetail() {
    if (Empty())
        return;
    TParamObject params;
    params.Add(QStringLiteral("@ETCTypeName"), ETCKinds::Name(Kind()));
    params.Add(QStringLiteral("@ETCName"), GData(QStringLiteral("NAME")));
    params.Add(QStringLiteral("@CardNo"), GData(QStringLiteral("CardNo")));
    params.Add(QStringLiteral("@ETCType"), Kind());
    params.Add(QStringLiteral("@Flags"), GDataVar(QStringLiteral("Flags")).toInt());
    CallQueryClass(QStringLiteral("TETCUseCardDetail"), params);
}
