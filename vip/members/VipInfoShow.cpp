#include "vip/members/VipInfoShow.h"

#include "host/sdk/MessageBox.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/ui/TBaseQuery.h"
#include "vip/base/ModuleGlobals.h"
#include "vip/members/TY_VipInfoDlg.h"

int VipInfoShow(bool modify, int row, TBaseQuery* list) {
    TY_VipInfoDlg dialog;
    if (modify)
        dialog.SetModify(list->GDataVar(QStringLiteral("id"), row).toInt(), list);
    else
        dialog.SetList(list);
    Y_VipInfoDlg = &dialog;
    dialog.ShowModal();
    return dialog.Saved() ? 1 : -1;
}

bool VipInfoShow(QString& cardNo, int purpose, bool closeAfterSave) {
    const TComVar& session = Ucomvar();
    // A store on the head office's data issues cards only when its card changes go
    // up to the head office.
    if ((AppClass().Flag(14) || AppClass().Flag(19)) && !session.bPubTranVipCardToCenter &&
        session.lConnectType == 1) {
        ShowMsg(QStringLiteral("请在系统设置中打开上传门店修改的会员卡信息设置后再发卡"));
        return false;
    }
    TY_VipInfoDlg dialog;
    dialog.SetIssueByNumber(cardNo, purpose, closeAfterSave, IsSendCard);
    Y_VipInfoDlg = &dialog;
    dialog.ShowModal();
    if (!dialog.Saved())
        return false;
    cardNo = dialog.SavedCardNo();
    return true;
}

void ShowVipInfoAction() {
    IsSendCard = true;
    QString cardNo;
    VipInfoShow(cardNo, 0, true);
    IsSendCard = false;
}
