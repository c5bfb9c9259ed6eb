#include "vip/members/VipCardWriter.h"

#include "host/sdk/Transaction.h"

namespace {

constexpr int PointsAdded = 0;
constexpr int CardOpening = 1;

VipCardWriter::Result refused(int code) {
    VipCardWriter::Result result;
    result.code = code;
    return result;
}

} // namespace

VipCardWriter::Result VipCardWriter::WriteNew(const VipCardStore::CardFields& card,
                                              const Dependents& dependents) {
    Transaction transaction(dmClient());
    const int cardId = m_store.WriteCard(card);
    if (cardId < 0)
        return refused(cardId);
    if (const int code = writeDependents(cardId, card, dependents); code < 0)
        return refused(code);
    transaction.Commit();
    return {0, cardId, card.cardGuid, false};
}

VipCardWriter::Result VipCardWriter::WriteExisting(VipCardStore::CardFields card, int cardId, int loadedIsUse,
                                                   const Dependents& dependents) {
    Transaction transaction(dmClient());
    const auto state = card.cardGuid.isEmpty() ? m_store.State(cardId) : m_store.StateByGuid(card.cardGuid);
    if (!state)
        return refused(CardGone);
    if (state->isUse != loadedIsUse)
        return refused(VipCardStore::ChangedElsewhere);
    card.cardGuid = state->cardGuid;
    card.isUseRead = loadedIsUse;
    if (const int result = m_store.WriteCard(card); result < 0)
        return refused(result);
    if (const int code = writeDependents(state->id, card, dependents); code < 0)
        return refused(code);
    m_store.WriteChangeLog(dependents.logLines, card.userRec);
    transaction.Commit();
    return {0, state->id, state->cardGuid, state->isLife > 0};
}

int VipCardWriter::writeDependents(int cardId, const VipCardStore::CardFields& card,
                                   const Dependents& dependents) {
    if (dependents.initialPoints != 0 &&
        m_store.ChangePoints(card.cardNo, PointsAdded, std::abs(dependents.initialPoints),
                             dependents.userCode, card.posId, QStringLiteral("会员激活初始积分")) == 0)
        return PointsRefused;
    switch (m_store.WriteStoredValue(cardId, dependents.storedValue)) {
    case VipCardStore::BalanceBelowZero:
        return BalanceBelowZero;
    case VipCardStore::CardGone:
        return CardGone;
    default:
        break;
    }
    if (dependents.savePictures)
        dependents.savePictures(cardId);
    if (dependents.rewardIntroducer)
        m_store.RewardIntroducer(cardId, CardOpening, card.posId, card.userRec);
    if (dependents.customValues)
        m_store.SaveCustomValues(cardId, *dependents.customValues);
    return 0;
}
