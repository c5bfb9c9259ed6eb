#include "vip/cardtypes/TVipCardType.h"

#include "host/sdk/Ucomvar.h"
#include "host/sdk/ui/TQueryGrid.h"
#include "vip/cardtypes/VipCardTypeStore.h"
#include "vip/cardtypes/VipWeekdays.h"

#include <QHash>

TVipCardType::TVipCardType(QWidget* parent)
    : TBaseQuery(parent) {
    setWindowTitle(QStringLiteral("会员卡类型"));
    SetModelId(ModelId);
}

void TVipCardType::SetGrid() {
    // Switches show as check boxes, the way the settings dialog shows them.
    AddGridColumn(QStringLiteral("TypeName"), QStringLiteral("会员卡类型"), 120);
    AddGridColumn(QStringLiteral("Discount"), QStringLiteral("折扣(%)"), 60);
    AddGridColumn(QStringLiteral("IfVipPrice"), QStringLiteral("会员价"), 50, true, GridColumn::YesNo);
    AddGridColumn(QStringLiteral("vippricetypestr"), QStringLiteral("会员价类型"), 80);
    AddGridColumn(QStringLiteral("IfVipPriceDisCount"), QStringLiteral("会员价再折扣"), 80, true,
                  GridColumn::YesNo);
    AddGridColumn(QStringLiteral("IfPromotionPriceDisCount"), QStringLiteral("促销价再折扣"), 80, true,
                  GridColumn::YesNo);
    AddGridColumn(QStringLiteral("AutoDiscount"), QStringLiteral("会员折扣"), 60, true, GridColumn::YesNo);
    AddGridColumn(QStringLiteral("FixedDiscount"), QStringLiteral("固定折扣"), 60, true, GridColumn::YesNo);
    AddGridColumn(QStringLiteral("automembertotal"), QStringLiteral("分段折扣"), 60, true, GridColumn::YesNo);
    AddGridColumn(QStringLiteral("UsePtypeDisCount"), QStringLiteral("商品折扣"), 60, true,
                  GridColumn::YesNo);
    AddGridColumn(QStringLiteral("IsSaleLimit"), QStringLiteral("会员价消费限量"), 90, true,
                  GridColumn::YesNo);
    AddGridColumn(QStringLiteral("AutoIntegral"), QStringLiteral("允许积分"), 60, true, GridColumn::YesNo);
    AddGridColumn(QStringLiteral("EsPriceNotIntegral"), QStringLiteral("特价商品不积分"), 90, true,
                  GridColumn::YesNo);
    AddGridColumn(QStringLiteral("IsCZPreferential"), QStringLiteral("允许储值"), 60, true,
                  GridColumn::YesNo);
    AddGridColumn(QStringLiteral("IsOnlyJS"), QStringLiteral("只能储值结算"), 80, true, GridColumn::YesNo);
    AddGridColumn(QStringLiteral("IsIntroduceJS"), QStringLiteral("会员介绍奖励"), 80, true,
                  GridColumn::YesNo);
    AddGridColumn(QStringLiteral("usevipdaybool"), QStringLiteral("启用会员日"), 70, true, GridColumn::YesNo);
    AddGridColumn(QStringLiteral("VIPDayOrderName"), QStringLiteral("会员日指定方式"), 90);
    AddGridColumn(QStringLiteral("VipMonthdayStr"), QStringLiteral("月会员日"), 120);
    AddGridColumn(QStringLiteral("XIntegral"), QStringLiteral("月会员日积分倍数"), 100);
    AddGridColumn(QStringLiteral("vipdayDisCount"), QStringLiteral("月会员日折扣"), 80);
    AddGridColumn(QStringLiteral("UseDisAndVipPrice"), QStringLiteral("月会员日会员卡折扣有效"), 130, true,
                  GridColumn::YesNo);
    AddGridColumn(QStringLiteral("UseVipPrice"), QStringLiteral("月会员日会员价有效"), 110, true,
                  GridColumn::YesNo);
    AddGridColumn(QStringLiteral("VipdayStr"), QStringLiteral("周会员日"), 160);
    AddGridColumn(QStringLiteral("WeekVIPDayXIntegral"), QStringLiteral("周会员日积分倍数"), 100);
    AddGridColumn(QStringLiteral("WeekVIPDayUseIntegral"), QStringLiteral("周会员日积分"), 80, true,
                  GridColumn::YesNo);
    AddGridColumn(QStringLiteral("WeekVIPDayDisCount"), QStringLiteral("周会员日折扣"), 80);
    AddGridColumn(QStringLiteral("WeekVIPDayUseDis"), QStringLiteral("周会员日会员卡折扣有效"), 130, true,
                  GridColumn::YesNo);
    AddGridColumn(QStringLiteral("WeekVIPDayUseVipPrice"), QStringLiteral("周会员日会员价有效"), 110, true,
                  GridColumn::YesNo);
    AddGridColumn(QStringLiteral("birthday"), QStringLiteral("会员生日当日有效"), 100, true,
                  GridColumn::YesNo);
    AddGridColumn(QStringLiteral("birthdaymonth"), QStringLiteral("会员生日当月有效"), 100, true,
                  GridColumn::YesNo);
    AddGridColumn(QStringLiteral("UsePos"), QStringLiteral("适用范围"), 70);
    AddGridColumn(QStringLiteral("PosName"), QStringLiteral("适用门店"), 160);
    AddGridColumn(QStringLiteral("Comment"), QStringLiteral("备注"), 120);
    // Last, not first: the cursor starts in the first column, and arrow keys cannot
    // move a cursor that sits in a hidden one.
    AddGridColumn(QStringLiteral("ctypeid"), QStringLiteral("编号"), 50, false);
    hideColumnsByEdition();
}

void TVipCardType::hideColumnsByEdition() {
    if (!IsFood())
        return;
    const auto hide = [this](const QStringList& fields) {
        for (const QString& field : fields)
            ModifGridColumnVisible(field, false);
    };
    if (AppClass().Flag(12))
        hide({QStringLiteral("UsePos"), QStringLiteral("PosName")});
    const int edition = MEDVERSION();
    if (edition == 2 || edition == 8) {
        hide({QStringLiteral("issalelimit"), QStringLiteral("vippricetypestr"),
              QStringLiteral("ifvippricediscount")});
        if (AppClass().Flag(14))
            hide({QStringLiteral("ifvipprice")});
        // These editions sell no member days or birthday benefits.
        hide({QStringLiteral("usevipdaybool"), QStringLiteral("vipdaystr"), QStringLiteral("vipMonthdaystr"),
              QStringLiteral("birthday"), QStringLiteral("birthdaymonth"),
              QStringLiteral("UseDisAndVipPrice"), QStringLiteral("UseVipPrice"),
              QStringLiteral("WeekVIPDayDisCount"), QStringLiteral("WeekVIPDayXIntegral"),
              QStringLiteral("WeekVIPDayUseVipPrice"), QStringLiteral("WeekVIPDayUseIntegral"),
              QStringLiteral("WeekVIPDayUseDis"), QStringLiteral("VIPDayOrderName")});
    } else if (edition == 7) {
        hide({QStringLiteral("issalelimit")});
    }
    if (AppClass().Flag(25))
        hide({QStringLiteral("IfPromotionPriceDisCount"), QStringLiteral("EsPriceNotIntegral")});
}

void TVipCardType::CustomGrid() {
    fillComputedColumns();
    selectRequestedType();
}

void TVipCardType::fillComputedColumns() {
    QHash<int, QString> priceNames;
    for (const NamedId& price : VipCardTypeStore().PriceModes())
        priceNames.insert(price.id, price.name);

    for (int row = 0; row < RowCount(); ++row) {
        // Member-day and birthday settings stay stored while the member day is off,
        // but none of them applies then.
        const bool memberDay = GDataVar(QStringLiteral("usevipday"), row).toInt() > 0;
        const int birthday = GDataVar(QStringLiteral("usebirthday"), row).toInt();
        const QString weekDays = GData(QStringLiteral("DayList"), row).trimmed();
        SData(QStringLiteral("vippricetypestr"),
              priceNames.value(GDataVar(QStringLiteral("vipPriceType"), row).toInt()), row);
        SData(QStringLiteral("usevipdaybool"), memberDay ? 1 : 0, row);
        SData(QStringLiteral("birthday"), memberDay && birthday == 1 ? 1 : 0, row);
        SData(QStringLiteral("birthdaymonth"), memberDay && birthday == 2 ? 1 : 0, row);
        SData(QStringLiteral("VipdayStr"),
              weekDays.isEmpty() ? QString() : QStringLiteral("每周: ") + VipWeekdays::FromDigits(weekDays),
              row);
        SData(QStringLiteral("VipMonthdayStr"), GData(QStringLiteral("MonthDayList"), row), row);
    }
}

void TVipCardType::selectRequestedType() {
    if (!Params().Has(QStringLiteral("@viptype")))
        return;
    const int wanted = Params().AsInteger(QStringLiteral("@viptype"));
    for (int row = 0; row < RowCount(); ++row) {
        if (GDataVar(QStringLiteral("ctypeid"), row).toInt() == wanted) {
            GetMainGrid()->SetCurrentRow(row);
            return;
        }
    }
}
