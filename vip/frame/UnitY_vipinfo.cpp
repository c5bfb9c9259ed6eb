#include "host/sdk/ModuleRegistry.h"
#include "vip/base/ModuleGlobals.h"
#include "vip/frame/PackageUnits.h"

void UnitY_vipinfo::startUp() {
    ComClassReg().Register({QStringLiteral("ShowVipInfoAction"), {}, editionFlags({1, 2, 3, 5, 8}), 521});
    ValueCaption = {
        QStringLiteral("会员卡号"),   QStringLiteral("发卡日期"),        QStringLiteral("有效期"),
        QStringLiteral("持卡类型"),   QStringLiteral("持卡人"),          QStringLiteral("电话"),
        QStringLiteral("出生年月日"), QStringLiteral("身份证号"),        QStringLiteral("是否启用储值"),
        QStringLiteral("储值密码"),   QStringLiteral("是否启用服务项目")};
}

void UnitY_vipinfo::shutDown() {
    ValueCaption.clear();
}
