#include "vip/base/ModuleGlobals.h"

QPointer<QDialog> Y_VipInfoDlg;
QPointer<QDialog> y_vipselectFm;
QPointer<QDialog> VipCardInputFrm;
QPointer<QDialog> frmVipClear;
QPointer<QDialog> frmVipModifValidityDate;
QPointer<QDialog> FExchange;
QPointer<QDialog> VipSetUAD;
QPointer<QDialog> kvr_VipChangeTotalfrm;
QPointer<QDialog> VipPriceLimitFrm;
QPointer<QDialog> VipPtypeDisEdFrm;
QPointer<QDialog> PtypeIntegralSetEditFrm;
QPointer<QDialog> Y_VipPriceSetFM;
QPointer<QDialog> VipSoundSet;

bool IsSendCard = false;
QStringList ValueCaption;
QStringList FValueCaption;
int newRuleId = 0;

TVipTtypeCash* VipTtypeCash = nullptr;
TFunCard* FunCard = nullptr;
