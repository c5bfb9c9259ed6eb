#include "vip/coupons/TETCUseDetail.h"

#include "vip/coupons/ETCKinds.h"
#include "vip/coupons/IndependentStoreNote.h"

#include <QDate>

TETCUseDetail::TETCUseDetail(QWidget* parent)
    : TBaseQuery(parent) {
    SetModelId(838);
    SetLoadAllRecord(true);
}

void TETCUseDetail::OnIniButton() {
    setWindowTitle(Params().AsString(QStringLiteral("@ETCName")) + QLatin1Char(' ') +
                   Params().AsString(QStringLiteral("@Caption")));
    IndependentStoreNote::Apply(*this, QStringLiteral("当前为独立门店，只能查到本门店的最近使用情况"));
}

void TETCUseDetail::SetGrid() {
    const int kind = Params().AsInteger(QStringLiteral("@ETCType"));
    AddGridColumn(QStringLiteral("CardNo"), QStringLiteral("卡号"), 120);
    AddGridColumn(QStringLiteral("NAME"), QStringLiteral("类型名称"), 120);
    AddGridColumn(QStringLiteral("Total"), ETCKinds::ValueCaption(kind), 80, true, GridColumn::Money);
    AddGridColumn(QStringLiteral("UsedTotal"), QStringLiteral("已用金额"), 80, true, GridColumn::Money);
    AddGridColumn(QStringLiteral("RemainTotal"), QStringLiteral("余额"), 80, true, GridColumn::Money);
    AddGridColumn(QStringLiteral("UsedCount"), QStringLiteral("使用次数"), 60);
    AddGridColumn(QStringLiteral("FlagName"), QStringLiteral("状态"), 60);
    AddGridColumn(QStringLiteral("VIPCode"), QStringLiteral("绑定会员卡"), 110);
    AddGridColumn(QStringLiteral("StartDate"), QStringLiteral("生效日期"), 80, true, GridColumn::Date);
    AddGridColumn(QStringLiteral("EndDate"), QStringLiteral("失效日期"), 80, true, GridColumn::Date);
    AddGridColumn(QStringLiteral("LastUseDate"), QStringLiteral("最近使用"), 130);
}

void TETCUseDetail::InitParamList() {
    TBaseQuery::InitParamList();
    Params().Add(QStringLiteral("@Today"), QDate::currentDate());
    // Opened without a type (not from the counts) it lists nothing rather than failing.
    Params().Add(QStringLiteral("@ETCID"), Params().AsInteger(QStringLiteral("@ETCID")));
    Params().Add(QStringLiteral("@Flag"), Params().AsInteger(QStringLiteral("@Flag")));
}
