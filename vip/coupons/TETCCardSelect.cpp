#include "vip/coupons/TETCCardSelect.h"

TETCCardSelect::TETCCardSelect(QWidget* parent)
    : TETCCardListBase(0, 836, parent) {
    setWindowTitle(QStringLiteral("选择购物卡"));
    SetFormStyle(PickStyle);
}

void TETCCardSelect::OnIniButton() {
    AddButtonAndGetAction(QStringLiteral("选择"), &TETCCardSelect::OnSelect);
}

void TETCCardSelect::SetGrid() {
    AddCardColumns();
}

void TETCCardSelect::CompleteParams() {
    Params().Add(QStringLiteral("@Flag"), 0);
    TETCCardListBase::CompleteParams();
}

void TETCCardSelect::DoGridDoubleClick() {
    OnSelect();
}

void TETCCardSelect::OnSelect() {
    if (Empty())
        return;
    TParamObject& p = Params();
    p.Add(QStringLiteral("@ID"), GDataVar(QStringLiteral("ID")).toInt());
    p.Add(QStringLiteral("@ETCID"), GDataVar(QStringLiteral("ETCID")).toInt());
    p.Add(QStringLiteral("@Name"), GData(QStringLiteral("NAME")));
    p.Add(QStringLiteral("@CardNO"), GData(QStringLiteral("CardNo")));
    p.Add(QStringLiteral("@Total"), GData(QStringLiteral("Total")));
    p.Add(QStringLiteral("@Type"), GDataVar(QStringLiteral("ETCType")).toInt());
    p.Add(QStringLiteral("@Flags"), GDataVar(QStringLiteral("Flags")).toInt());
    p.Add(QStringLiteral("@VIPType"), GData(QStringLiteral("VIPType")));
    SetModalResult(mrOk);
}
