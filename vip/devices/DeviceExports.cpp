#include "vip/devices/DeviceExports.h"

#include "host/sdk/ui/GuardedHandler.h"
#include "vip/base/ModuleGlobals.h"
#include "vip/devices/TCardInfoSet.h"
#include "vip/devices/TFunCard.h"
#include "vip/devices/TReadICCard.h"
#include "vip/devices/TVipSoundSet.h"

#include <QApplication>

void ICCardSet() {
    if (FunCard)
        FunCard->SetCardDev();
}

void ShowReadICCard(QString& cardNo) {
    if (!FunCard || FunCard->CardInit() != 0)
        return;
    cardNo = FunCard->ReadCardNo();
    if (!cardNo.isEmpty())
        return;
    RunGuarded([&cardNo] {
        TReadICCard dialog(*FunCard, QApplication::activeWindow());
        dialog.ShowModal();
        cardNo = dialog.CardNo();
    });
}

bool ShowCardInfoSet() {
    bool saved = false;
    RunGuarded([&saved] {
        TCardInfoSet dialog(QApplication::activeWindow());
        saved = dialog.ShowModal() == mrOk;
    });
    return saved;
}

bool ShowVipSoundSet() {
    bool saved = false;
    RunGuarded([&saved] {
        TVipSoundSet dialog(QApplication::activeWindow());
        VipSoundSet = &dialog;
        saved = dialog.ShowModal() == mrOk;
    });
    return saved;
}
