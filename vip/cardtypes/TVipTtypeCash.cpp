#include "vip/cardtypes/TVipTtypeCash.h"

#include "vip/cardtypes/VipCardTypeStore.h"

const TVipTypeList& TVipTtypeCash::GetVipTypeList(int typeId, qint64 stamp) {
    m_record = TVipTypeList();
    const bool fresh = m_types.IsEmpty();
    if (fresh)
        load();
    bool found = locate(typeId);
    // A type the cache has never seen counts as changed too: it was added after
    // the cache was read.
    if (!fresh && stamp != 0 && (!found || m_types.FieldByName(QStringLiteral("MD")).AsLargeInt() != stamp)) {
        load();
        found = locate(typeId);
    }
    if (found)
        copyCurrentRow();
    return m_record;
}

void TVipTtypeCash::load() {
    VipCardTypeStore().ReadRuleTable(m_types);
}

bool TVipTtypeCash::locate(int typeId) {
    return !m_types.IsEmpty() && m_types.Locate(QStringLiteral("CTypeID"), {typeId});
}

void TVipTtypeCash::copyCurrentRow() {
    const auto field = [this](const char* name) { return m_types.FieldByName(QLatin1String(name)); };
    TVipTypeList& r = m_record;
    r.CTypeId = field("CTypeId").AsInteger();
    r.TypeName = field("TypeName").AsString();
    r.Discount = field("Discount").AsFloat();
    r.AutoDiscount = field("AutoDiscount").AsBoolean();
    r.automembertotal = field("automembertotal").AsBoolean();
    r.UsePtypeDisCount = field("UsePtypeDisCount").AsBoolean();
    r.AutoIntegral = field("AutoIntegral").AsBoolean();
    r.UseIntegral = field("UseIntegral").AsInteger();
    r.XIntegral = field("XIntegral").AsFloat();
    r.IfVipPrice = field("IfVipPrice").AsBoolean();
    r.IfVipPriceDisCount = field("IfVipPriceDisCount").AsBoolean();
    r.IfPromotionPriceDisCount = field("IfPromotionPriceDisCount").AsBoolean();
    r.UseDisAndVipPrice = field("UseDisAndVipPrice").AsBoolean();
    r.UseVipPrice = field("UseVipPrice").AsBoolean();
    r.vipPriceType = field("vipPriceType").AsInteger();
    r.IsSaleLimit = field("IsSaleLimit").AsBoolean();
    r.EsPriceNotIntegral = field("EsPriceNotIntegral").AsBoolean();
    r.CanUseRemainTotal = field("CanUseRemainTotal").AsBoolean();
    r.CanAllPos = field("CanAllPos").AsBoolean();
    r.CZIntegerType = field("CZIntegerType").AsInteger();
    r.UseVipDay = field("UseVipDay").AsInteger();
    r.VIPDayOrder = field("VIPDayOrder").AsInteger();
    r.DayList = field("DayList").AsString();
    r.MonthDayList = field("MonthDayList").AsString();
    r.vipdayDisCount = field("vipdayDisCount").AsInteger();
    r.WeekVIPDayDisCount = field("WeekVIPDayDisCount").AsInteger();
    r.WeekVIPDayXIntegral = field("WeekVIPDayXIntegral").AsFloat();
    r.WeekVIPDayUseDis = field("WeekVIPDayUseDis").AsBoolean();
    r.WeekVIPDayUseVipPrice = field("WeekVIPDayUseVipPrice").AsBoolean();
    r.usebirthday = field("usebirthday").AsInteger();
    r.BirthdyDisCount = field("BirthdyDisCount").AsInteger();
    r.BirthdyMontyDisCount = field("BirthdyMontyDisCount").AsInteger();
    r.BirthdyXIntegral = field("BirthdyXIntegral").AsFloat();
    r.BirthdyMonthXIntegral = field("BirthdyMonthXIntegral").AsFloat();
    const int notVipDay = field("NotVIPDayFlags").AsInteger();
    r.NotVipDayDisCount = (notVipDay & (1 << 1)) != 0;
    r.NotVipDayVipPrice = (notVipDay & (1 << 2)) != 0;
    r.NotVipDayIntegral = (notVipDay & (1 << 4)) != 0;
    r.NotVipDayPtypeDisCount = (notVipDay & (1 << 6)) != 0;
}
