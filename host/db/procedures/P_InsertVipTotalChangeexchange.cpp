#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/VipExchangeChange.h"
#include "host/db/procedures/VipExchangeRule.h"
#include "host/sdk/VipCodes.h"

#include <QStringList>

// P_InsertVipTotalChangeexchange: one rule an exchange uses, @ExChangeNum units of the
// rule @ExChangeID, on the points change @BillID (InsertVipTotalChangeInfo's @NewId)
// before it is posted. Goods and coupon-card exchanges also pass the rule's product
// @Prec and the price difference @DiffTotal the units cost; a coupon-card exchange
// passes in @Comment the numbers of the cards handed out, joined by ",". Everything
// is worked out again from the rule: it must be live for the card's type, the way of
// the change and the day; the product, the difference and the number of cards must
// be the ones the units give. Returns the row's id; -101 when any of that fails (the
// change is gone, posted already, not an exchange, the rule is not live or is on the
// change twice, the units are not above 0, a figure is not the rule's).
namespace {

constexpr int Refused = -101;

int pInsertVipTotalChangeexchange(ProcedureContext& call) {
    Database& db = call.db();
    const int billId = call.integer(QStringLiteral("@BillID"));
    const int exchangeId = call.integer(QStringLiteral("@ExChangeID"));
    const int units = call.integer(QStringLiteral("@ExChangeNum"));
    const std::optional<VipExchangeChange> change = VipExchangeChange::waitingForPost(db, billId);
    if (!change || units <= 0)
        return Refused;
    const std::optional<VipExchangeRule> rule =
        VipExchangeRule::live(db, exchangeId, change->cardType, change->way, change->day);
    if (!rule || db.scalar(QStringLiteral(
                               "SELECT COUNT(*) FROM vipchangeexchange WHERE BillID = ? AND ExChangeID = ?"),
                           {billId, exchangeId})
                         .toInt() > 0)
        return Refused;

    const bool goods = change->way == PointsChange::Goods + 1;
    const bool cards = change->way == PointsChange::ShoppingCards + 1;
    Money diffTotal;
    QString comment;
    if (goods || cards) {
        diffTotal = rule->line.diffTotal(units);
        if (call.integer(QStringLiteral("@Prec")) != rule->prec ||
            call.money(QStringLiteral("@DiffTotal")).rounded(2) != diffTotal)
            return Refused;
    }
    if (cards) {
        comment = call.text(QStringLiteral("@Comment"), 2000);
        const Money quantity = rule->line.total(units);
        const qsizetype listed = comment.split(QLatin1Char(','), Qt::SkipEmptyParts).size();
        if (quantity != Money::fromUnits(listed))
            return Refused;
    }
    return db
        .scalar(
            QStringLiteral("INSERT INTO vipchangeexchange (BillID, ExChangeID, ExChangeNum, Prec, DiffTotal, "
                           "Comment) VALUES (?, ?, ?, ?, ?, ?) RETURNING id"),
            {billId, exchangeId, units, rule->prec, QVariant::fromValue(diffTotal), comment})
        .toInt();
}

const ProcedureRegistration registration(QStringLiteral("P_InsertVipTotalChangeexchange"),
                                         pInsertVipTotalChangeexchange);

} // namespace
