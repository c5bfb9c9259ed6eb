#include "vip/frame/TPosMultSelFun.h"

#include "host/sdk/TStringList.h"

TPosMultSelFun::TPosMultSelFun(QWidget* parent)
    : TPosMultSel(parent) {
    setWindowTitle(QStringLiteral("门店物价复制"));
}

int TPosMultSelFun::ExcludedStore() const {
    return Params().AsInteger(QStringLiteral("@PosID"));
}

void TPosMultSelFun::Confirm() {
    if (!AllChecked() && !RequireMarked(QStringLiteral("必须选择至少一个门店。")))
        return;
    const TStringList lines = MarkedStoreLines();
    if (!lines.IsEmpty()) {
        Params().Add(QStringLiteral("@Sel"), QStringLiteral("1"));
        Params().Add(QStringLiteral("@CanAllPos"), AllChecked() ? 1 : 0);
        Params().Add(QStringLiteral("@PosList"), lines.Text());
    }
    SetModalResult(mrOk);
}
