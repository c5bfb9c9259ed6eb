#include "host/app/vipctl/Command.h"
#include "host/data/Database.h"
#include "host/db/LedgerAudit.h"
#include "host/sdk/Money.h"

namespace {

constexpr int Mismatches = 1;

// Amounts to the cent, unless the difference lies below a cent: then to the last place
// kept, so a mismatch never reads as two equal figures.
QString shown(const LedgerAudit::Mismatch& m, qint64 value) {
    if (!m.money)
        return QString::number(value);
    const bool cents = m.held % 100 == 0 && m.ledger % 100 == 0;
    return Money::fromRaw(value).toString(cents ? 2 : 4);
}

int check(CommandContext& context) {
    auto db = context.openDatabase();
    const QList<LedgerAudit::Mismatch> found = LedgerAudit::run(*db);
    for (const LedgerAudit::Mismatch& m : found)
        context.out << "会员卡 " << m.cardNo << "：" << m.column << " 为 " << shown(m, m.held)
                    << "，流水合计 " << shown(m, m.ledger) << "\n";
    const QList<LedgerAudit::CouponMismatch> coupons = LedgerAudit::couponCards(*db);
    for (const LedgerAudit::CouponMismatch& m : coupons)
        context.out << "购物卡 " << m.cardNo << "：" << m.problem << "\n";
    const int cards = LedgerAudit::liveCards(*db);
    const int couponCards = LedgerAudit::liveCouponCards(*db);
    if (!found.isEmpty() || !coupons.isEmpty()) {
        context.out << "核对会员卡 " << cards << " 张，发现 " << found.size()
                    << " 处余额与流水不符；核对购物卡 " << couponCards << " 张，发现 " << coupons.size()
                    << " 处不符。\n";
        return Mismatches;
    }
    context.out << "核对会员卡 " << cards << " 张，储值和积分余额均与流水相符；购物卡 " << couponCards
                << " 张，状态、绑定和已用金额均相符。\n";
    return 0;
}

const Command::Registration registration(QStringLiteral("check"),
                                         QStringLiteral("核对每张会员卡的储值、积分余额与流水是否相符"), true,
                                         check);

} // namespace
