#include "host/db/demo/DemoCoupons.h"

#include "host/db/demo/DemoCouponTypes.h"

#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/sdk/DbError.h"
#include "host/sdk/VipCodes.h"

#include <QDateTime>

namespace {

constexpr int Admin = 1;

int run(Database& db, const QString& procedure, const TParamObject& params) {
    TParamObject outputs;
    const int result = ProcedureRegistry::run(db, procedure, params, outputs, nullptr);
    if (result < 0)
        throw DbError(QStringLiteral("演示购物卡未能写入（%1：%2）。")
                          .arg(procedure, outputs.AsString(QStringLiteral("@RetValue"))));
    return result;
}

} // namespace

int DemoCoupons::addCard(int typeId, int kind, const QString& cardNo, double value) {
    TParamObject p;
    p.Add(QStringLiteral("@ID"), 0);
    p.Add(QStringLiteral("@ETCID"), typeId);
    p.Add(QStringLiteral("@ETCType"), kind);
    p.Add(QStringLiteral("@CardNo"), cardNo);
    p.Add(QStringLiteral("@VIPID"), 0);
    p.Add(QStringLiteral("@VIPCode"), QString());
    p.Add(QStringLiteral("@CreateERec"), Admin);
    p.Add(QStringLiteral("@Flag"), 0);
    p.Add(QStringLiteral("@Total"), value);
    p.Add(QStringLiteral("@UsedTotal"), 0);
    p.Add(QStringLiteral("@StartDate"), m_today.addDays(-30));
    p.Add(QStringLiteral("@EndDate"), m_today.addYears(1));
    p.Add(QStringLiteral("@LPosID"), QString());
    p.Add(QStringLiteral("@LPosName"), QStringLiteral("全部门店"));
    TParamObject outputs;
    if (ProcedureRegistry::run(m_db, QStringLiteral("KD_ETCListEdit"), p, outputs, nullptr) != 0)
        throw DbError(QStringLiteral("演示购物卡 %1 未能写入（%2）。")
                          .arg(cardNo, outputs.AsString(QStringLiteral("@RetValue"))));
    return outputs.AsInteger(QStringLiteral("@ID"));
}

void DemoCoupons::set(int cardId, int mode, const QString& value) {
    TParamObject p;
    p.Add(QStringLiteral("@ID"), cardId);
    p.Add(QStringLiteral("@Mode"), mode);
    p.Add(QStringLiteral("@Value"), value);
    p.Add(QStringLiteral("@LoginRec"), Admin);
    run(m_db, QStringLiteral("KD_ETCListSet"), p);
}

void DemoCoupons::use(int cardId, double amount, const QString& billCode) {
    TParamObject p;
    p.Add(QStringLiteral("@ID"), cardId);
    p.Add(QStringLiteral("@Total"), amount);
    p.Add(QStringLiteral("@PosID"), 0);
    p.Add(QStringLiteral("@BillCode"), billCode);
    p.Add(QStringLiteral("@ERec"), Admin);
    p.Add(QStringLiteral("@UseDate"), QDateTime(m_today, QTime(15, 0)));
    run(m_db, QStringLiteral("KD_ETCListUse"), p);
}

void DemoCoupons::fill(const DemoCouponTypes& couponTypes) {
    // Cards are issued of the live demo types, one per kind; cash coupons come in two values.
    const auto live = [&](int kind) {
        for (const DemoCouponTypes::Type& type : couponTypes.types())
            if (type.kind == kind && !type.voided)
                return type.id;
        throw DbError(QStringLiteral("演示购物卡类型缺少第 %1 类。").arg(kind));
    };
    const int cash100 = live(CouponKind::CashCoupon);
    const int cash50 = cash100;
    const int discount = live(CouponKind::DiscountCard);
    const int preferential = live(CouponKind::PreferentialCoupon);
    // Members the bound cards go to: live, activated, running cards, the first few by number.
    QStringList members;
    ClientDataSet rows;
    m_db.select(QStringLiteral("SELECT CardNo FROM vipcard WHERE deleted = 0 AND IsLife = 1 AND StopUse = 0 "
                               "AND Lose = 0 ORDER BY CardNo LIMIT 6"),
                {}, rows);
    for (rows.First(); !rows.Eof(); rows.Next())
        members.append(rows.FieldByName(QStringLiteral("CardNo")).AsString());

    int serial = 0;
    const auto card = [&](int type, int kind, double value) {
        return addCard(type, kind, QStringLiteral("GWK%1").arg(++serial, 4, 10, QLatin1Char('0')), value);
    };
    // Waiting to be issued.
    for (int i = 0; i < 6; ++i)
        card(i % 2 ? cash50 : cash100, CouponKind::CashCoupon, i % 2 ? 50 : 100);
    // Issued and in use: activated, some partly spent, one with a discount card's uses.
    for (int i = 0; i < 4; ++i) {
        const int id = card(cash100, CouponKind::CashCoupon, 100);
        set(id, CouponCardMode::Activate);
        if (i % 2)
            use(id, 30, QStringLiteral("LS-%1-%2").arg(m_today.toString(QStringLiteral("yyyyMMdd"))).arg(id));
    }
    const int discountCard = card(discount, CouponKind::DiscountCard, 90);
    set(discountCard, CouponCardMode::Activate);
    use(discountCard, 0, QStringLiteral("LS-D-%1").arg(discountCard));
    // Bound to members, then activated, as a points exchange hands them out.
    for (int i = 0; i < members.size() && i < 4; ++i) {
        const int id = card(i % 2 ? preferential : cash50,
                            i % 2 ? CouponKind::PreferentialCoupon : CouponKind::CashCoupon, i % 2 ? 10 : 50);
        set(id, CouponCardMode::Bind, members.at(i));
        set(id, CouponCardMode::Activate);
    }
    // Stopped.
    for (int i = 0; i < 2; ++i) {
        const int id = card(cash100, CouponKind::CashCoupon, 100);
        set(id, CouponCardMode::Activate);
        set(id, CouponCardMode::Stop);
    }
    // Used up.
    for (int i = 0; i < 3; ++i) {
        const int id = card(cash50, CouponKind::CashCoupon, 50);
        set(id, CouponCardMode::Activate);
        use(id, 20, QStringLiteral("LS-U1-%1").arg(id));
        use(id, 30, QStringLiteral("LS-U2-%1").arg(id));
    }
    // Voided: one never issued, one issued and partly spent.
    const int voidedNew = card(cash100, CouponKind::CashCoupon, 100);
    set(voidedNew, CouponCardMode::Void);
    const int voidedUsed = card(cash100, CouponKind::CashCoupon, 100);
    set(voidedUsed, CouponCardMode::Activate);
    use(voidedUsed, 40, QStringLiteral("LS-V-%1").arg(voidedUsed));
    set(voidedUsed, CouponCardMode::Void);
}
