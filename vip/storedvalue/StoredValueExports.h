#pragma once

#include "vip/base/VipExport.h"
#include "vip/cardtypes/BandCheck.h"

#include <QString>

// Exported with C linkage, so that the host and sibling modules find them by their
// plain names.
extern "C" {
// Recharge (DoGetPrice) or refund (DoBackPrice) of one card; true when a save went
// through. The dialog opens only for a card it may work on; 'flag' is accepted for
// callers that pass it and changes nothing.
VIP_EXPORT bool DoGetPrice(const QString& cardNo, bool cardNoEditable, bool flag);
VIP_EXPORT bool DoBackPrice(const QString& cardNo);
// Asks for the card's stored-value password; true when the right one was entered.
// The card's salted hash decides: 'password' is accepted for callers that pass the
// card's row and is not compared.
VIP_EXPORT bool CheckPassword(const QString& cardNo, const QString& password);
// Changes the card's stored-value password; true when a new one was stored. The old
// one typed is checked against the card's hash ('oldPassword', like 'tel', is
// accepted and not used); posId is the card's own store (0: the chain's, which the
// head office hears of).
VIP_EXPORT bool ChangeCzPassword(int cardId, const QString& cardNo, const QString& oldPassword, int posId,
                                 const QString& tel);
// Edits one recharge gift rule; true when the user confirmed, the references then
// holding the entered values.
VIP_EXPORT bool GetVipCZPreferentialSet(double& start, double& end, double& base, double& gift,
                                        QString& comment, const BandCheck& check, bool flag);
}

// The desktop's menu entries: the dialog without a card, the cashier types the number.
void ShowCzRecharge();
void ShowCzRefund();
