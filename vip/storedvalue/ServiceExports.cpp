#include "vip/storedvalue/ServiceExports.h"

#include "host/sdk/Limit.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "vip/storedvalue/TfrmCzService.h"
#include "vip/storedvalue/TfrmCzServiceConsume.h"

#include <QApplication>

namespace {

constexpr int SaleRight = 906;
constexpr int ConsumptionRight = 907;

bool allowed(int right) {
    if (HasLimit(right))
        return true;
    ShowMsg(QStringLiteral("您没有当前操作的权限"));
    return false;
}

void consume(const QString& cardNo, bool editable, bool passwordTyped, bool& saved, QString* usedCardNo) {
    saved = false;
    if (!allowed(ConsumptionRight))
        return;
    RunGuarded([&] {
        TfrmCzServiceConsume dialog(QApplication::activeWindow());
        dialog.SetPasswordTyped(passwordTyped);
        dialog.SetCardNo(cardNo, editable);
        if (!cardNo.trimmed().isEmpty()) {
            dialog.WaivePasswordFor(cardNo.trimmed());
            dialog.LoadCard();
        }
        saved = dialog.ShowModal() == mrOk;
        if (saved && usedCardNo)
            *usedCardNo = dialog.CardNoLoaded();
    });
}

} // namespace

void ShowCzService(const QString& cardNo, bool cardNoEditable, bool, bool& saved) {
    saved = false;
    if (!allowed(SaleRight))
        return;
    RunGuarded([&] {
        TfrmCzService dialog(QApplication::activeWindow());
        dialog.SetCardNo(cardNo, cardNoEditable);
        if (!cardNoEditable)
            dialog.HidePassword();
        if (!cardNo.trimmed().isEmpty())
            dialog.LoadCard();
        saved = dialog.ShowModal() == mrOk;
    });
}

void ShowCzServiceForReg() {
    bool saved = false;
    ShowCzService(QString(), true, false, saved);
}

void ShowCzServiceConsume(const QString& cardNo, bool cardNoEditable, bool, bool, bool& saved) {
    consume(cardNo, cardNoEditable, false, saved, nullptr);
}

void ShowCzServiceConsume2(const QString& cardNo, bool cardNoEditable, bool, bool passwordTyped, bool& saved,
                           QString& usedCardNo) {
    consume(cardNo, cardNoEditable, passwordTyped, saved, &usedCardNo);
}

void ShowCzServiceConsumeForReg() {
    bool saved = false;
    ShowCzServiceConsume(QString(), true, false, false, saved);
}
