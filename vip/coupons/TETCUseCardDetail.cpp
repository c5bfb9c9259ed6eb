#include "vip/coupons/TETCUseCardDetail.h"

#include "vip/coupons/ETCKinds.h"
#include "vip/coupons/IndependentStoreNote.h"

TETCUseCardDetail::TETCUseCardDetail(QWidget* parent)
    : TBaseQuery(parent) {
    SetModelId(845);
    SetLoadAllRecord(true);
}

void TETCUseCardDetail::OnIniButton() {
    setWindowTitle(Params().AsString(QStringLiteral("@ETCTypeName")) + QStringLiteral("使用明细：") +
                   Params().AsString(QStringLiteral("@CardNo")));
    IndependentStoreNote::Apply(
        *this, QStringLiteral(
                   "当前为独立门店，只能查到本门店的使用明细。如需查询该购物卡的所有使用明细，请在实时门店或"
                   "配送中心查询。"));
}

void TETCUseCardDetail::SetGrid() {
    const QString value = ETCKinds::ValueCaption(Params().AsInteger(QStringLiteral("@ETCType")),
                                                 Params().AsInteger(QStringLiteral("@Flags")));
    AddGridColumn(QStringLiteral("UseDate"), QStringLiteral("使用时间"), 130);
    AddGridColumn(QStringLiteral("PosName"), QStringLiteral("门店"), 100);
    AddGridColumn(QStringLiteral("BillCode"), QStringLiteral("单据编号"), 120);
    AddGridColumn(QStringLiteral("BeforeTotal"), QStringLiteral("使用前"), 80, true, GridColumn::Money);
    AddGridColumn(QStringLiteral("Total"), value, 80, true, GridColumn::Money);
    AddGridColumn(QStringLiteral("AfterTotal"), QStringLiteral("余额"), 80, true, GridColumn::Money);
}

void TETCUseCardDetail::InitParamList() {
    TBaseQuery::InitParamList();
    // Opened without a card it lists nothing rather than failing.
    Params().Add(QStringLiteral("@CardNo"), Params().AsString(QStringLiteral("@CardNo")));
}
