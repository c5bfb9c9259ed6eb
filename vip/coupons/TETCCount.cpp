#include "vip/coupons/TETCCount.h"

#include "host/sdk/ui/CallQueryClass.h"

#include <QDate>

TETCCount::TETCCount(QWidget* parent)
    : TBaseQuery(parent) {
    setWindowTitle(QStringLiteral("购物卡统计"));
    SetModelId(837);
    SetLoadAllRecord(true);
}

void TETCCount::OnIniButton() {
    AddButtonAndGetAction(QStringLiteral("过期明细帐"), [this] { openDetail(Expired); });
    AddButtonAndGetAction(QStringLiteral("可使用明细帐"), [this] { openDetail(Usable); });
    AddButtonAndGetAction(QStringLiteral("已经使用明细帐"), [this] { openDetail(Used); });
    AddButtonAndGetAction(QStringLiteral("作废明细帐"), [this] { openDetail(Voided); });
}

void TETCCount::SetGrid() {
    AddGridColumn(QStringLiteral("TypeName"), QStringLiteral("种类"), 60);
    AddGridColumn(QStringLiteral("NAME"), QStringLiteral("类型名称"), 140);
    AddGridColumn(QStringLiteral("CardCount"), QStringLiteral("总张数"), 60);
    AddGridColumn(QStringLiteral("ExpiredCount"), QStringLiteral("过期张数"), 60);
    AddGridColumn(QStringLiteral("UsableCount"), QStringLiteral("可使用张数"), 70);
    AddGridColumn(QStringLiteral("UsableTotal"), QStringLiteral("可使用金额"), 80, true, GridColumn::Money);
    AddGridColumn(QStringLiteral("UsedCount"), QStringLiteral("已用完张数"), 70);
    AddGridColumn(QStringLiteral("UsedTotal"), QStringLiteral("已使用金额"), 80, true, GridColumn::Money);
    AddGridColumn(QStringLiteral("VoidCount"), QStringLiteral("作废张数"), 60);
    AddGridColumn(QStringLiteral("ETCID"), QStringLiteral("ID"), 40, false);
}

void TETCCount::InitParamList() {
    TBaseQuery::InitParamList();
    ParamRefresh();
}

void TETCCount::ParamRefresh() {
    Params().Add(QStringLiteral("@Today"), QDate::currentDate());
    if (!Params().Has(QStringLiteral("@ETCType")))
        Params().Add(QStringLiteral("@ETCType"), 0);
}

void TETCCount::openDetail(Group group) {
    if (RowCount() == 0 || CurrentRow() < 0)
        return;
    static const QStringList captions = {QStringLiteral("过期明细账"), QStringLiteral("可使用明细账"),
                                         QStringLiteral("已经使用明细账"), QStringLiteral("作废明细账")};
    TParamObject params;
    params.Add(QStringLiteral("@ETCID"), GDataVar(QStringLiteral("ETCID")).toInt());
    params.Add(QStringLiteral("@ETCType"), GDataVar(QStringLiteral("ETCType")).toInt());
    params.Add(QStringLiteral("@ETCTypeName"), GData(QStringLiteral("TypeName")));
    params.Add(QStringLiteral("@ETCName"), GData(QStringLiteral("NAME")));
    params.Add(QStringLiteral("@Flag"), int(group));
    params.Add(QStringLiteral("@Caption"), captions.at(group - 1));
    CallQueryClass(QStringLiteral("TETCUseDetail"), params);
}
