#include "vip/points/TChangeType.h"

#include "host/sdk/VipCodes.h"

QString TChangeType::Name(int id) {
    switch (id) {
    case PointsChange::Added:
        return QStringLiteral("积分增加");
    case PointsChange::Deducted:
        return QStringLiteral("积分减少");
    case PointsChange::Adjustment:
        return QStringLiteral("积分调整");
    case PointsChange::Cash:
        return QStringLiteral("现金兑换");
    case PointsChange::StoredValue:
        return QStringLiteral("储值兑换");
    case PointsChange::Goods:
        return QStringLiteral("商品兑换");
    case PointsChange::ShoppingCards:
        return QStringLiteral("购物卡兑换");
    default:
        return {};
    }
}

QString TChangeType::PrintTemplate(int id) {
    const QString name = Name(id);
    return name.isEmpty() ? QString() : name + QStringLiteral("详情.rwx");
}
