#pragma once

#include "host/sdk/AppClass.h"

#include <QString>

// What the host publishes about the session: the logged-in user, the chosen store,
// the store/centre set-up and the configured switches. Login fills the user and
// store values, the host configuration the rest. Plain fields: the module reads
// them, tests set them directly.
struct TComVar {
    // Logged-in user (code, name, loginuser.rec); nLoginUserRec 0 means nobody.
    QString szLoginUserId;
    QString szLoginUserName;
    int nLoginUserRec = 0;

    // Current store: id (0 is the head office), name, kind (posinfo.PosType) and
    // connection mode (posinfo.ConnectType).
    int lPublicPosid = 0;
    QString szPublicPosName;
    int lpostype = 0;
    int lConnectType = 0;

    // Store/centre set-up.
    bool bCenterDb = false;
    bool bvipConnect = false;
    bool bPubTranVipCardToCenter = false;

    bool bNoVipKeyPress = false;
    bool bPublicIniCanModify = false;
    bool bAutoBillNumber = false;
    bool bPJVer = false;
    bool bUseClientCash = false;
    int lPublicPeriod = 0;
    QString szPubGoodsName = QStringLiteral("商品");
    // The current store's own warehouse (stock.typeId), and the one configured to
    // replace it, empty when none is.
    QString szPublicPosKtype;
    QString szPublicPosSetKtype;

    // The folder of the device libraries (Card_dll.so, PlugCard/); empty: the
    // folder the module is loaded from. Read through GetSystemPath().
    QString szSystemPath;

    // Which member notices the host sends.
    bool bSMSChange = false;
    bool bSMSKkReward = false;
    bool bSMSJsrKkReward = false;

    // Edition: the edition number, the food (catering) line, the application flags.
    int nMedVersion = 1;
    bool bFood = false;
    TAppClass appClass;
};

// The one session record of the process.
TComVar& Ucomvar();

TAppClass& AppClass();
int MEDVERSION();
bool IsFood();
