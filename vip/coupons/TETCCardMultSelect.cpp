#include "vip/coupons/TETCCardMultSelect.h"

#include "host/sdk/MessageBox.h"
#include "host/sdk/ui/TQueryGrid.h"

TETCCardMultSelect::TETCCardMultSelect(QWidget* parent)
    : TETCCardListBase(0, 836, parent) {
    setWindowTitle(QStringLiteral("选择购物卡"));
    SetFormStyle(PickStyle);
}

void TETCCardMultSelect::OnIniButton() {
    AddButtonAndGetAction(QStringLiteral("选择"), &TETCCardMultSelect::OnSelect);
    AddButtonAndGetAction(QStringLiteral("全选"), &TETCCardMultSelect::OnAll);
    AddButtonAndGetAction(QStringLiteral("反选"), &TETCCardMultSelect::OnInvert);
    AddButtonAndGetAction(QStringLiteral("确定"), &TETCCardMultSelect::OnOk);
}

void TETCCardMultSelect::SetGrid() {
    AddGridColumn(TQueryGridModel::MarkField, QStringLiteral("选择"), 40);
    AddCardColumns();
}

void TETCCardMultSelect::CompleteParams() {
    Params().Add(QStringLiteral("@Flag"), 0);
    TETCCardListBase::CompleteParams();
}

void TETCCardMultSelect::DoGridDoubleClick() {
    OnSelect();
}

void TETCCardMultSelect::OnSelect() {
    if (Empty())
        return;
    TQueryGridModel* model = GetMainGrid()->GridModel();
    model->SetMarked(CurrentRow(), !model->IsMarked(CurrentRow()));
}

void TETCCardMultSelect::OnAll() {
    GetMainGrid()->GridModel()->MarkAll(true);
}

void TETCCardMultSelect::OnInvert() {
    TQueryGridModel* model = GetMainGrid()->GridModel();
    for (int row = 0; row < RowCount(); ++row)
        model->SetMarked(row, !model->IsMarked(row));
}

void TETCCardMultSelect::OnOk() {
    QStringList ids;
    for (int row : GetMainGrid()->GridModel()->MarkedRows())
        ids.append(GData(QStringLiteral("ID"), row));
    if (ids.isEmpty()) {
        ShowMsg(QStringLiteral("请选择购物卡"));
        return;
    }
    Params().Add(QStringLiteral("@IDList"), ids.join(QLatin1Char(',')));
    SetModalResult(mrOk);
}
