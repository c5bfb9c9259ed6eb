#include "vip/cardtypes/TVipCardTypeSel.h"

TVipCardTypeSel::TVipCardTypeSel(QWidget* parent)
    : TVipCardType(parent) {
    setWindowTitle(QStringLiteral("选择会员卡类型"));
}

void TVipCardTypeSel::OnIniButton() {
    TVipCardType::OnIniButton();
    AddButtonAndGetAction(QStringLiteral("选    择[&S]"), &TVipCardTypeSel::OnSelect);
}

void TVipCardTypeSel::DoGridDoubleClick() {
    OnSelect();
}

void TVipCardTypeSel::OnSelect() {
    if (CurrentRow() < 0)
        return;
    for (const QString& field :
         {QStringLiteral("ctypeid"), QStringLiteral("TypeName"), QStringLiteral("Discount")})
        Params().Add(field, GDataVar(field));
    SetModalResult(mrOk);
}
