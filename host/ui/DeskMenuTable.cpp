#include "host/ui/DeskMenuTable.h"

const QString DeskMenuTable::OtherMenu = QStringLiteral("其他");
const QString DeskMenuTable::SystemMenu = QStringLiteral("系统");

namespace {

const QString Members = QStringLiteral("会员");
const QString CardTypes = QStringLiteral("卡类型与价格");
const QString StoredValue = QStringLiteral("储值与服务");
const QString Points = QStringLiteral("积分");
const QString ShoppingCards = QStringLiteral("购物卡");
const QString Devices = QStringLiteral("设备");
const QString Reports = QStringLiteral("报表");

} // namespace

const QStringList& DeskMenuTable::Menus() {
    static const QStringList menus = {Members, CardTypes, StoredValue, Points,    ShoppingCards,
                                      Devices, Reports,   OtherMenu,   SystemMenu};
    return menus;
}

const QList<DeskMenuTable::Item>& DeskMenuTable::Items() {
    // Classes registered without edition flags are helper windows other windows
    // open (pickers, detail lists) and never reach a menu, so they are not here.
    static const QList<Item> items = {
        {QStringLiteral("TVipQuery"), Members, QStringLiteral("会员卡管理")},
        {QStringLiteral("ShowVipInfoAction"), Members, QStringLiteral("会员发卡")},

        {QStringLiteral("TVipCardTypeSet"), CardTypes, QStringLiteral("会员卡类型设置")},
        {QStringLiteral("TVipCardType"), CardTypes, QStringLiteral("会员卡类型查询")},
        {QStringLiteral("TSetVipUpgrade"), CardTypes, QStringLiteral("会员卡升降级设置")},
        {QStringLiteral("TVipUpgardeQuery"), CardTypes, QStringLiteral("会员卡升降级查询")},
        {QStringLiteral("TVipPriceLimit"), CardTypes, QStringLiteral("会员价限量")},
        {QStringLiteral("TVipPtypeDis"), CardTypes, QStringLiteral("商品折扣设置")},

        {QStringLiteral("TCzManage"), StoredValue, QStringLiteral("储值管理")},
        {QStringLiteral("TCz00"), StoredValue, QStringLiteral("储值期初")},
        {QStringLiteral("TSelCZUserList"), StoredValue, QStringLiteral("充值退款汇总")},
        {QStringLiteral("TSelCZUserListMX"), StoredValue, QStringLiteral("充值退款明细")},
        {QStringLiteral("TVipServiceQuery"), StoredValue, QStringLiteral("服务项目")},
        {QStringLiteral("ShowCzServiceForReg"), StoredValue, QStringLiteral("服务项目充值")},
        {QStringLiteral("ShowCzServiceConsumeForReg"), StoredValue, QStringLiteral("服务项目消费")},
        {QStringLiteral("TvipCardServiceQuery"), StoredValue, QStringLiteral("会员服务次数")},
        {QStringLiteral("TvipCardSrvConsumeQuery"), StoredValue, QStringLiteral("服务次数使用")},
        {QStringLiteral("TvipCardSrvConsumeDQuery"), StoredValue, QStringLiteral("服务消费记录")},

        {QStringLiteral("IntegralVipTotal_Adjust"), Points, QStringLiteral("积分调整")},
        {QStringLiteral("IntegralExchage_Cash"), Points, QStringLiteral("积分兑换现金")},
        {QStringLiteral("IntegralExchage_Cz"), Points, QStringLiteral("积分兑换储值")},
        {QStringLiteral("IntegralExchage_Sp"), Points, QStringLiteral("积分兑换商品")},
        {QStringLiteral("IntegralExchage_Gwk"), Points, QStringLiteral("积分兑换购物卡")},
        {QStringLiteral("TVipExchangeQuery"), Points, QStringLiteral("积分兑换设置")},
        {QStringLiteral("TVipXIntegralSet"), Points, QStringLiteral("商品积分设置")},
        {QStringLiteral("TVipIntroducerIntegralQuery"), Points, QStringLiteral("介绍人奖励设置")},
        {QStringLiteral("TVipIntegralUpdateQuery"), Points, QStringLiteral("积分变动记录")},

        {QStringLiteral("TETCCardCash"), ShoppingCards, QStringLiteral("购物卡管理")},
        {QStringLiteral("TETCCashQuery"), ShoppingCards, QStringLiteral("购物卡类型")},
        {QStringLiteral("TETCCardOPen"), ShoppingCards, QStringLiteral("购物卡发放")},
        {QStringLiteral("TETCCardManage.ShowETCCardOpenOne_P"), ShoppingCards,
         QStringLiteral("购物卡单张发放")},
        {QStringLiteral("TETCCount"), ShoppingCards, QStringLiteral("购物卡统计")},

        {QStringLiteral("TFunCard"), Devices, QStringLiteral("IC卡设置")},

        {QStringLiteral("TVipConsumeAnalysis"), Reports, QStringLiteral("会员消费分析")},
    };
    return items;
}

const DeskMenuTable::Item* DeskMenuTable::Find(const QString& name) {
    for (const Item& item : Items()) {
        if (item.name == name)
            return &item;
    }
    return nullptr;
}
