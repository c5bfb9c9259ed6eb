#include "vip/cardtypes/TVipCardTypeSet.h"

#include "host/sdk/MessageBox.h"
#include "host/sdk/ui/CallQueryClass.h"
#include "vip/cardtypes/VipCardTypeSet.h"
#include "vip/cardtypes/VipCardTypeStore.h"

TVipCardTypeSet::TVipCardTypeSet(QWidget* parent)
    : TVipCardType(parent) {
    setWindowTitle(QStringLiteral("会员卡类型设置"));
}

void TVipCardTypeSet::OnIniButton() {
    TVipCardType::OnIniButton();
    AddButtonAndGetAction(QStringLiteral("添    加[&A]"), &TVipCardTypeSet::OnAddExcetue);
    AddButtonAndGetAction(QStringLiteral("修    改[&M]"), &TVipCardTypeSet::OnEditExcetue);
    AddButtonAndGetAction(QStringLiteral("删    除[&D]"), &TVipCardTypeSet::OnDelExcetue);
    AddButtonAndGetAction(QStringLiteral("积分兑换设置[&Z]"), &TVipCardTypeSet::OnExchangeSet);
    AddGridMenu(QStringLiteral("积分兑换设置&Z"), &TVipCardTypeSet::OnExchangeSet);
}

void TVipCardTypeSet::OnAddExcetue() {
    VipCardTypeSet(0);
    RefreshData();
}

void TVipCardTypeSet::OnEditExcetue() {
    if (CurrentRow() < 0)
        return;
    VipCardTypeSet(GDataVar(QStringLiteral("ctypeid")).toInt());
    RefreshData();
}

void TVipCardTypeSet::OnDelExcetue() {
    if (CurrentRow() < 0)
        return;
    if (Messagebox(QStringLiteral("你是否真的要删除这类会员卡？"), QStringLiteral("是否删除?"),
                   MB::OkCancel | MB::IconQuestion) != IDOK)
        return;
    switch (VipCardTypeStore().Delete(GDataVar(QStringLiteral("ctypeid")).toInt())) {
    case 0:
        RefreshData();
        break;
    case -1:
        ShowErrorAndAbort(ErrorWriteDb);
    case -2:
        ShowErrorAndAbort(QStringLiteral("该会员卡类型正在使用不能删除!"));
    case -3:
        ShowErrorAndAbort(QStringLiteral("发现相同的编号!"));
    default:
        break;
    }
}

void TVipCardTypeSet::OnExchangeSet() {
    TParamObject none;
    CallQueryClass(QStringLiteral("TVipExchangeQuery"), none);
}
