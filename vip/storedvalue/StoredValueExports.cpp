#include "vip/storedvalue/StoredValueExports.h"

#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/ModalResult.h"
#include "vip/storedvalue/TCzOperatorfrm.h"
#include "vip/storedvalue/TFrmChangeCzPass.h"
#include "vip/storedvalue/TfrmVIPCzPreferentialSet.h"

namespace {

bool operate(int changeType, const QString& cardNo, bool editable) {
    TCzOperatorfrm dialog(changeType);
    dialog.SetCardNo(cardNo, editable);
    if (!dialog.GetCardInfo())
        return false;
    return dialog.ShowModal() == mrOk;
}

void operateWithoutCard(int changeType) {
    TCzOperatorfrm dialog(changeType);
    dialog.ShowModal();
}

} // namespace

bool DoGetPrice(const QString& cardNo, bool cardNoEditable, bool) {
    return operate(StoredValueChange::Recharge, cardNo, cardNoEditable);
}

bool DoBackPrice(const QString& cardNo) {
    return operate(StoredValueChange::Refund, cardNo, true);
}

bool CheckPassword(const QString& cardNo, const QString&) {
    TFrmChangeCzPass dialog(TFrmChangeCzPass::Check, 0, cardNo, 0);
    return dialog.ShowModal() == mrOk;
}

bool ChangeCzPassword(int cardId, const QString& cardNo, const QString&, int posId, const QString&) {
    TFrmChangeCzPass dialog(TFrmChangeCzPass::Change, cardId, cardNo, posId);
    return dialog.ShowModal() == mrOk;
}

bool GetVipCZPreferentialSet(double& start, double& end, double& base, double& gift, QString& comment,
                             const BandCheck& check, bool flag) {
    TfrmVIPCzPreferentialSet dialog(start, end, base, gift, comment, check, flag);
    if (dialog.ShowModal() != mrOk)
        return false;
    start = dialog.Start();
    end = dialog.End();
    base = dialog.Base();
    gift = dialog.Gift();
    comment = dialog.Comment();
    return true;
}

void ShowCzRecharge() {
    operateWithoutCard(StoredValueChange::Recharge);
}

void ShowCzRefund() {
    operateWithoutCard(StoredValueChange::Refund);
}
