#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/VipCzGiftRule.h"

// kd_VIPGetCZGiftTotal @CtypeId, @CZTotal: the gift a recharge of @CZTotal earns on
// a card of the type, in the output @GiftTotal. Returns 0.
namespace {

int kdVipGetCzGiftTotal(ProcedureContext& call) {
    const int cardType = call.integer(QStringLiteral("@CtypeId"));
    const Money amount = call.money(QStringLiteral("@CZTotal")).rounded(2);
    call.setOutput(QStringLiteral("@GiftTotal"),
                   VipCzGiftRule::giftFor(call.db(), cardType, amount).toDouble());
    return 0;
}

const ProcedureRegistration registration(QStringLiteral("kd_VIPGetCZGiftTotal"), kdVipGetCzGiftTotal);

} // namespace
