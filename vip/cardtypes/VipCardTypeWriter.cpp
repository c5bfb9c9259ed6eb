#include "vip/cardtypes/VipCardTypeWriter.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/Transaction.h"

#include <QDateTime>

namespace {

const QStringList weekdayNames = {QStringLiteral("星期一"), QStringLiteral("星期二"), QStringLiteral("星期三"),
                                  QStringLiteral("星期四"), QStringLiteral("星期五"), QStringLiteral("星期六"),
                                  QStringLiteral("星期日")};

int wholeOrZero(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}

int flag(bool on) { return on ? 1 : 0; }

} // namespace

QString VipCardTypeWriter::weekdaysToDigits(QString list) {
    for (int i = 0; i < weekdayNames.size(); ++i)
        list.replace(weekdayNames[i], QString::number(i + 1));
    return list;
}

QString VipCardTypeWriter::digitsToWeekdays(QString list) {
    QStringList entries = list.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (QString& entry : entries) {
        const int day = wholeOrZero(entry);
        if (day >= 1 && day <= 7)
            entry = weekdayNames[day - 1];
    }
    return entries.join(QLatin1Char(','));
}

TParamObject VipCardTypeWriter::typeParams(const VipCardTypeSettings& s) {
    using S = VipCardTypeSettings;
    const bool priceOnly = s.mode == S::MemberPrice;
    const bool withPrice = s.mode != S::MemberDiscount;
    const bool day = s.memberDay;
    const bool monthFilled = !s.monthDayList.trimmed().isEmpty();
    const bool weekFilled = !s.weekDayList.trimmed().isEmpty();
    int useVipDay = 0;
    if (day)
        useVipDay = monthFilled && !weekFilled ? 1 : (weekFilled && !monthFilled ? 2 : 3);
    bool weekDiscountOk = false;
    const int weekDiscount = s.weekDiscountText.trimmed().toInt(&weekDiscountOk);

    TParamObject p;
    p.Add(QStringLiteral("@CTypeId"), s.typeId);
    p.Add(QStringLiteral("@TypeName"), s.name.trimmed());
    p.Add(QStringLiteral("@Discount"), priceOnly ? 100.0 : (s.discountKind == S::FixedRate ? s.rate : 0.0));
    p.Add(QStringLiteral("@Comment"), s.comment);
    p.Add(QStringLiteral("@CanAllPos"), s.posRange ? flag(s.allStores) : 1);
    p.Add(QStringLiteral("@CanUseRemainTotal"), flag(s.useRemainTotal));
    p.Add(QStringLiteral("@ChangeIntegralPos"), s.changeIntegralPos);
    p.Add(QStringLiteral("@UseVipDay"), useVipDay);
    p.Add(QStringLiteral("@DayList"), day ? weekdaysToDigits(s.weekDayList) : QString());
    p.Add(QStringLiteral("@UseDisAndVipPrice"), day ? flag(s.monthUseDiscount) : 0);
    p.Add(QStringLiteral("@XIntegral"), day ? s.monthMultiplier : 0.0);
    p.Add(QStringLiteral("@IsSaleLimit"), flag(s.saleLimit));
    p.Add(QStringLiteral("@AutoDiscount"), flag(!priceOnly));
    p.Add(QStringLiteral("@automembertotal"), priceOnly ? 0 : flag(s.discountKind == S::SegmentedDiscount));
    p.Add(QStringLiteral("@AutoIntegral"), flag(s.autoIntegral));
    p.Add(QStringLiteral("@IfVipPrice"), flag(withPrice));
    p.Add(QStringLiteral("@IfVipPriceDisCount"), flag(withPrice));
    p.Add(QStringLiteral("@IfPromotionPriceDisCount"), flag(priceOnly));
    p.Add(QStringLiteral("@vipPriceType"), s.vipPriceType);
    p.Add(QStringLiteral("@UsePtypeDisCount"), priceOnly ? 0 : flag(s.discountKind == S::ProductDiscount));
    p.Add(QStringLiteral("@EsPriceNotIntegral"), 0);
    p.Add(QStringLiteral("@vipdayDisCount"), day ? s.monthDiscount : 0);
    p.Add(QStringLiteral("@usebirthday"), static_cast<int>(s.birthday));
    p.Add(QStringLiteral("@useintegral"), 0);
    p.Add(QStringLiteral("@UseVipPrice"), day ? flag(s.monthUseVipPrice) : 0);
    p.Add(QStringLiteral("@BirthdyDisCount"),
          s.birthday == S::BirthdayDay ? s.birthdayDiscount : (s.birthday == S::BirthdayMonth ? 100 : 0));
    p.Add(QStringLiteral("@BirthdyXIntegral"), s.birthday == S::BirthdayDay && day ? s.birthdayMultiplier : 0.0);
    p.Add(QStringLiteral("@BirthdyMontyDisCount"),
          s.birthday == S::BirthdayMonth ? s.birthdayDiscount : (s.birthday == S::BirthdayDay ? 100 : 0));
    p.Add(QStringLiteral("@BirthdyMonthXIntegral"), s.birthday == S::BirthdayMonth && day ? s.birthdayMultiplier : 0.0);
    p.Add(QStringLiteral("@MonthDayList"), day ? s.monthDayList : QString());
    p.Add(QStringLiteral("@RepeatNum"), wholeOrZero(s.repeatNumText));
    p.Add(QStringLiteral("@IsOnlyJS"), flag(s.onlyStoredValue && s.storedValue));
    p.Add(QStringLiteral("@IsCZPreferential"), flag(s.storedValue));
    p.Add(QStringLiteral("@IsIntroduceJS"), flag(s.introduce));
    p.Add(QStringLiteral("@IntroduceJSLimitNum"), wholeOrZero(s.limitNumText));
    p.Add(QStringLiteral("@IntroducerJS"), s.introducerPoints);
    p.Add(QStringLiteral("@NewMemberJS"), s.newMemberPoints);
    p.Add(QStringLiteral("@IntroducerJSPer"), s.introducerPer);
    p.Add(QStringLiteral("@LimitDays"), wholeOrZero(s.limitDaysText));
    p.Add(QStringLiteral("@WeekVIPDayDisCount"), day ? (weekDiscountOk ? weekDiscount : 100) : 0);
    p.Add(QStringLiteral("@WeekVIPDayXIntegral"), day ? s.weekMultiplier : 0.0);
    p.Add(QStringLiteral("@WeekVIPDayUseVipPrice"), day ? flag(s.weekUseVipPrice) : 0);
    p.Add(QStringLiteral("@NotVIPDayFlags"), s.notVipDayFlags);
    p.Add(QStringLiteral("@WeekVIPDayUseDis"), day ? flag(s.weekUseDiscount) : 0);
    p.Add(QStringLiteral("@VIPDayOrder"), day ? s.dayOrderItem + 1 : 0);
    p.Add(QStringLiteral("@FixedDiscount"), priceOnly ? 0 : flag(s.discountKind == S::FixedRate));
    p.Add(QStringLiteral("@FixedIntegral"), flag(s.pointsRule == S::FixedPoints));
    p.Add(QStringLiteral("@StepIntegral"), flag(s.pointsRule == S::StepPoints));
    p.Add(QStringLiteral("@PosRange"), flag(s.posRange));
    p.Add(QStringLiteral("@IsCZService"), s.servicesSwitchedOff ? 0 : flag(s.serviceItems));
    p.Add(QStringLiteral("@TimesIntegral"), flag(s.pointsRule == S::TimesPoints));
    p.Add(QStringLiteral("@PtypeIntegral"), flag(s.pointsRule == S::ProductPoints));
    p.Add(QStringLiteral("@PtypePTIntegral"), flag(s.pointsRule == S::AttributePoints));
    p.Add(QStringLiteral("@ClearIntegral"), flag(s.clearIntegral));
    p.Add(QStringLiteral("@ClearCycle"), wholeOrZero(s.clearMonthsText));
    p.Add(QStringLiteral("@IntroducerJSgainType"), flag(s.introduceByType));
    p.Add(QStringLiteral("@IntroducerJSfirstPer"), s.introducerFirstPer);
    p.Add(QStringLiteral("@CZIntegerType"), s.czIntegerType);
    return p;
}

void VipCardTypeWriter::deleteRows(int typeId, int kind) {
    dmClient().ExecuteSQL(QStringLiteral("DELETE FROM vipAutoDiscount WHERE VipTypeId = ? AND DisType = ?"), {typeId, kind});
}

void VipCardTypeWriter::writeRows(int typeId, int kind, const QList<VipTypeRuleRow>& rows, bool withPrec) {
    QStringList names = {QStringLiteral("@BuyTotalBegin"), QStringLiteral("@BuyTotalEnd"), QStringLiteral("@Discount"),
                         QStringLiteral("@Comment"),       QStringLiteral("@DisType"),     QStringLiteral("@IntegralQuotiety"),
                         QStringLiteral("@Integral"),      QStringLiteral("@VipTypeId")};
    if (withPrec)
        names.append(QStringLiteral("@prec"));
    for (const VipTypeRuleRow& row : rows) {
        // Only discount bands carry a rate; every other kind stores 0 there.
        QVariantList values = {QVariant::fromValue(row.from), QVariant::fromValue(row.to), kind == 1 ? row.discount : 0.0,
                               row.comment,
                               kind, QVariant::fromValue(row.base), QVariant::fromValue(row.grant), typeId};
        if (withPrec)
            values.append(row.prec);
        dmClient().ExecuteProcByName(QStringLiteral("Y_InsVipDiscount"), names, values);
    }
}

int VipCardTypeWriter::write(const VipCardTypeSettings& s) {
    using S = VipCardTypeSettings;
    Transaction transaction(dmClient());
    TParamObject params = typeParams(s);
    const int id = dmClient().ExecuteProcByName(QStringLiteral("Y_InsVipType"), params);
    if (id <= 0)
        return id < 0 ? id : -1;

    // Turning clearing on starts a new clearing period for the type's cards; a type
    // that already cleared keeps its running period.
    if (s.clearIntegral && (!s.clearingWasOn || s.typeId <= 0))
        dmClient().ExecuteSQL(QStringLiteral("UPDATE vipcard SET ClearDate = ? WHERE CardType = ?"),
                              {QDateTime::currentDateTime(), id});

    dmClient().ExecuteSQL(QStringLiteral("DELETE FROM PosVipType WHERE viptype = ?"), {id});
    if (s.posRange && !s.allStores) {
        for (int store : s.markedStores)
            dmClient().ExecuteSQL(QStringLiteral("INSERT INTO PosVipType (PosID, viptype) VALUES (?, ?)"), {store, id});
    }

    deleteRows(id, 1);
    if (s.mode != S::MemberPrice && s.discountKind == S::SegmentedDiscount)
        writeRows(id, 1, s.discountBands, false);

    // Points rows are kept as they were while points are switched off, so that
    // switching them on again brings the old rules back.
    if (s.autoIntegral) {
        const auto single = [&](const QString& comment) {
            VipTypeRuleRow row;
            row.base = s.pointsAmount;
            row.grant = s.points;
            row.comment = comment;
            return QList<VipTypeRuleRow>{row};
        };
        deleteRows(id, 4);
        if (s.pointsRule == S::FixedPoints)
            writeRows(id, 4, single(QStringLiteral("单次消费积分")), false);
        deleteRows(id, 5);
        if (s.pointsRule == S::TimesPoints)
            writeRows(id, 5, single(QStringLiteral("消费次数积分")), false);
        deleteRows(id, 2);
        if (s.pointsRule == S::StepPoints)
            writeRows(id, 2, s.pointBands, false);
        const auto perItem = [&](int kind, S::PointsRule rule, const QList<VipTypeRuleRow>& rows, const QString& other) {
            deleteRows(id, kind);
            if (s.pointsRule != rule)
                return;
            QList<VipTypeRuleRow> all;
            for (VipTypeRuleRow row : rows) {
                row.to = row.from;
                row.discount = 0;
                row.base = Money::fromUnits(1);
                all.append(row);
            }
            if (!s.otherAmount.isZero() && !s.otherPoints.isZero()) {
                VipTypeRuleRow rest;
                rest.from = rest.to = s.otherAmount;
                rest.base = Money::fromUnits(1);
                rest.grant = s.otherPoints;
                rest.comment = other;
                all.append(rest);
            }
            writeRows(id, kind, all, true);
        };
        perItem(6, S::ProductPoints, s.productRows, QStringLiteral("其它商品"));
        perItem(7, S::AttributePoints, s.attributeRows, QStringLiteral("其它属性"));
    }

    if (s.storedValue) {
        deleteRows(id, 3);
        writeRows(id, 3, s.storedValueBands, false);
    }

    dmClient().ExecuteProcByName(QStringLiteral("KD_UpdateVipTypePosNames"), {QStringLiteral("@CTypeid")}, {id});
    transaction.Commit();
    return id;
}
