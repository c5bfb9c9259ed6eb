#include "vip/coupons/TSelectVIPInfo.h"

#include "host/sdk/ui/TQueryGrid.h"

#include <QDate>

TSelectVIPInfo::TSelectVIPInfo(QWidget* parent)
    : TBaseQuery(parent) {
    setWindowTitle(QStringLiteral("选择会员卡"));
    // The registered number is the member list's; the rows are those a coupon card may be bound to.
    SetModelId(871);
    SetFormStyle(PickStyle);
}

void TSelectVIPInfo::OnIniButton() {
    AddButtonAndGetAction(QStringLiteral("选择"), &TSelectVIPInfo::OnSelect);
    AddButtonAndGetAction(QStringLiteral("打印[&P]"), [this] { PrintShownRows(); });
    AddButtonAndGetAction(QStringLiteral("退出[&X]"), [this] { SetModalResult(mrCancel); });
}

void TSelectVIPInfo::SetGrid() {
    AddGridColumn(TQueryGridModel::MarkField, QStringLiteral("选择"), 40);
    AddGridColumn(QStringLiteral("CardNo"), QStringLiteral("卡号"), 120);
    AddGridColumn(QStringLiteral("TypeName"), QStringLiteral("类型"), 80);
    AddGridColumn(QStringLiteral("Name"), QStringLiteral("持卡人"), 80);
    AddGridColumn(QStringLiteral("Tel"), QStringLiteral("电话"), 100);
    AddGridColumn(QStringLiteral("id"), QStringLiteral("ID"), 40, false);
}

void TSelectVIPInfo::InitParamList() {
    TBaseQuery::InitParamList();
    Params().Add(QStringLiteral("@Today"), QDate::currentDate());
}

void TSelectVIPInfo::DoGridDoubleClick() {
    TQueryGridModel* model = GetMainGrid()->GridModel();
    if (CurrentRow() >= 0)
        model->SetMarked(CurrentRow(), !model->IsMarked(CurrentRow()));
}

void TSelectVIPInfo::OnSelect() {
    QList<int> rows = GetMainGrid()->GridModel()->MarkedRows();
    if (rows.isEmpty() && CurrentRow() >= 0)
        rows.append(CurrentRow());
    if (rows.isEmpty())
        return;
    QStringList numbers;
    for (int row : rows)
        numbers.append(GData(QStringLiteral("CardNo"), row));
    Params().Add(QStringLiteral("@VIPCardNO"), numbers.join(QLatin1Char(',')));
    SetModalResult(mrOk);
}
