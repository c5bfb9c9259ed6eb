#pragma once

#include "vip/base/VipExport.h"

#include <QDialog>
#include <QPointer>
#include <QStringList>

class TFunCard;
class TVipTtypeCash;

// The module's globals, exported so that the host and sibling modules reach them
// by name. Each dialog pointer holds the single open instance of its dialog and
// clears itself when that dialog goes away.
VIP_EXPORT extern QPointer<QDialog> Y_VipInfoDlg;
VIP_EXPORT extern QPointer<QDialog> y_vipselectFm;
VIP_EXPORT extern QPointer<QDialog> VipCardInputFrm;
VIP_EXPORT extern QPointer<QDialog> frmVipClear;
VIP_EXPORT extern QPointer<QDialog> frmVipModifValidityDate;
VIP_EXPORT extern QPointer<QDialog> FExchange;
VIP_EXPORT extern QPointer<QDialog> VipSetUAD;
VIP_EXPORT extern QPointer<QDialog> kvr_VipChangeTotalfrm;
VIP_EXPORT extern QPointer<QDialog> VipPriceLimitFrm;
VIP_EXPORT extern QPointer<QDialog> VipPtypeDisEdFrm;
VIP_EXPORT extern QPointer<QDialog> PtypeIntegralSetEditFrm;
VIP_EXPORT extern QPointer<QDialog> Y_VipPriceSetFM;
VIP_EXPORT extern QPointer<QDialog> VipSoundSet;

// Set when the member editor was opened by the card-issue action.
VIP_EXPORT extern bool IsSendCard;
// Labels of the member-card fields the editor's change log compares, in log order.
VIP_EXPORT extern QStringList ValueCaption;
// Labels of the coupon-card fields the coupon editor's change log compares.
VIP_EXPORT extern QStringList FValueCaption;
// The service item saved last, so its list can select it after an add.
VIP_EXPORT extern int newRuleId;

// The two objects that live as long as the module is loaded; null before start-up
// and after shut-down.
VIP_EXPORT extern TVipTtypeCash* VipTtypeCash;
VIP_EXPORT extern TFunCard* FunCard;
