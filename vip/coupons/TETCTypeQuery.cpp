#include "vip/coupons/TETCTypeQuery.h"

#include "host/sdk/BitValue.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "vip/coupons/CouponTypeExports.h"
#include "vip/coupons/ETCTypeStore.h"

#include <QDate>

TETCTypeQuery::TETCTypeQuery(int kind, QWidget* parent)
    : TBaseQuery(parent)
    , m_kind(kind) {}

void TETCTypeQuery::OnIniButton() {
    if (Params().Has(QStringLiteral("@SelectOneRow")))
        AddButtonAndGetAction(QStringLiteral("选择"), &TETCTypeQuery::OnSelect);
    AddButtonAndGetAction(QStringLiteral("添加"), &TETCTypeQuery::OnAddExcetue);
    SetEditAction(AddButtonAndGetAction(QStringLiteral("修改"), &TETCTypeQuery::OnEditExcetue));
    AddButtonAndGetAction(QStringLiteral("删除"), &TETCTypeQuery::OnDelExcetue);
    AddButtonAndGetAction(QStringLiteral("作废"), &TETCTypeQuery::OnVoidExcetue);
}

void TETCTypeQuery::SetGrid() {
    const QString valueCaption = m_kind == CouponKind::CashCoupon     ? QStringLiteral("金额")
                                 : m_kind == CouponKind::DiscountCard ? QStringLiteral("折扣")
                                                                      : QStringLiteral("优惠范围/金额");
    AddGridColumn(QStringLiteral("NAME"), QStringLiteral("名称"), 160);
    AddGridColumn(QStringLiteral("RangLimit"), valueCaption, 90, true, GridColumn::Money);
    if (m_kind == CouponKind::PreferentialCoupon)
        AddGridColumn(QStringLiteral("RangTypeName"), QStringLiteral("优惠类型"), 70);
    AddGridColumn(QStringLiteral("SaleStart"), QStringLiteral("消费起点"), 80, true, GridColumn::Money);
    AddGridColumn(QStringLiteral("UseCount"), QStringLiteral("使用次数限制"), 80);
    AddGridColumn(QStringLiteral("UseLimit"), QStringLiteral("使用张数限制"), 80,
                  m_kind != CouponKind::DiscountCard);
    AddGridColumn(QStringLiteral("ValidityText"), QStringLiteral("有效期"), 110);
    AddGridColumn(QStringLiteral("TPosName"), QStringLiteral("适用门店"), 160);
    AddGridColumn(QStringLiteral("EnabledName"), QStringLiteral("状态"), 50);
    AddGridColumn(QStringLiteral("Comment"), QStringLiteral("备注"), 140);
    AddGridColumn(QStringLiteral("ID"), QStringLiteral("编号"), 50, false);
}

void TETCTypeQuery::AfterCreateParamList() {
    Params().Add(QStringLiteral("@Type"), m_kind);
    Params().Add(QStringLiteral("@UserID"), Ucomvar().nLoginUserRec);
    Params().Add(QStringLiteral("@Enable"), Params().AsInteger(QStringLiteral("@Enable")) == 1 ? 1 : 0);
    RequireRight(*this, Params().AsInteger(QStringLiteral("@Limit")));
}

void TETCTypeQuery::CustomGrid() {
    for (int row = 0; row < RowCount(); ++row) {
        QString validity;
        if (GetBitValue(GDataVar(QStringLiteral("Flags"), row).toInt(), CouponTypeFlag::ExpiryControlled)) {
            validity =
                GDataVar(QStringLiteral("VallidityType"), row).toInt() == CouponExpiry::UntilDate
                    ? QStringLiteral("至") + GDataVar(QStringLiteral("VallidityDate"), row)
                                                 .toDate()
                                                 .toString(QStringLiteral("yyyy-MM-dd"))
                    : QStringLiteral("生效后%1天").arg(GDataVar(QStringLiteral("VallidityDay"), row).toInt());
        }
        SData(QStringLiteral("ValidityText"), validity, row);
    }
}

void TETCTypeQuery::MainGridAfterDrawCell(int row, const QString&, CellStyle& style) {
    if (voided(row))
        style.font = WindowsColor(0x0000FF);
}

void TETCTypeQuery::DoGridDoubleClick() {
    if (FormStyle() == PickStyle)
        OnSelect();
    else
        TBaseQuery::DoGridDoubleClick();
}

int TETCTypeQuery::currentId() const {
    return CurrentRow() < 0 ? 0 : GDataVar(QStringLiteral("ID")).toInt();
}

bool TETCTypeQuery::voided(int row) const {
    return GDataVar(QStringLiteral("Enabled"), row).toInt() == CouponTypeState::Voided;
}

QString TETCTypeQuery::usedQuestion() const {
    if (m_kind == CouponKind::CashCoupon)
        return QStringLiteral(
            "该类型已经使用，修改‘金额’及‘过期设置’将不会影响此前添加的现金券，是否继续修改？");
    if (m_kind == CouponKind::DiscountCard)
        return QStringLiteral(
            "该类型已经使用，修改‘折扣’及‘过期设置’将不会影响此前添加的打折卡，是否继续修改？");
    return QStringLiteral(
        "该类型已经使用，修改‘优惠金额’、‘优惠范围’及‘过期设置’将不会影响此前添加的优惠券，是否继续修改？ ");
}

void TETCTypeQuery::OnSelect() {
    if (CurrentRow() < 0)
        return;
    const auto money = [this](const char* field) {
        return QVariant::fromValue(Money::fromRaw(GDataVar(QLatin1String(field)).toLongLong()));
    };
    Params().Add(QStringLiteral("@ID"), currentId());
    Params().Add(QStringLiteral("@NAME"), GData(QStringLiteral("NAME")));
    Params().Add(QStringLiteral("@Comment"), GData(QStringLiteral("Comment")));
    Params().Add(QStringLiteral("@Flags"), GDataVar(QStringLiteral("Flags")).toInt());
    Params().Add(QStringLiteral("@Total"), money("Total"));
    Params().Add(QStringLiteral("@UseCount"), GDataVar(QStringLiteral("UseCount")).toInt());
    Params().Add(QStringLiteral("@SaleStart"), money("SaleStart"));
    Params().Add(QStringLiteral("@RangType"), GDataVar(QStringLiteral("RangType")).toInt());
    Params().Add(QStringLiteral("@TPosID"), GData(QStringLiteral("TPosID")));
    Params().Add(QStringLiteral("@TPosName"), GData(QStringLiteral("TPosName")));
    SetModalResult(mrOk);
}

void TETCTypeQuery::OnAddExcetue() {
    if (ShowETCTypeManage(m_kind, 0, false))
        RefreshData();
}

void TETCTypeQuery::OnEditExcetue() {
    const int id = currentId();
    if (id == 0)
        return;
    if (ETCTypeStore().CardCount(id) > 0 && !Question(usedQuestion()))
        return;
    if (ShowETCTypeManage(m_kind, id, false))
        AfterSave(QStringLiteral("ID"), id);
}

void TETCTypeQuery::OnDelExcetue() {
    const int id = currentId();
    if (id == 0 || !Question(QStringLiteral("确定要删除该条记录？")))
        return;
    const ETCTypeStore::Result result = ETCTypeStore().SetEnabled(id, CouponTypeState::Deleted, 0);
    if (result.code < 0)
        ShowErrorAndAbort(result.text, QStringLiteral("提示"));
    RefreshData();
}

void TETCTypeQuery::OnVoidExcetue() {
    const int id = currentId();
    if (id == 0 || !Question(QStringLiteral("确定要作废该条记录？")))
        return;
    ETCTypeStore store;
    if (store.CardCount(id) > 0 &&
        !Question(QStringLiteral("该类型已经使用，是否继续作废？作废会将该类型下的购物卡全部作废！")))
        return;
    const ETCTypeStore::Result result =
        store.SetEnabled(id, CouponTypeState::Voided, Ucomvar().nLoginUserRec);
    if (result.code < 0)
        ShowErrorAndAbort(result.text, QStringLiteral("提示"));
    AfterSave(QStringLiteral("ID"), id);
}
