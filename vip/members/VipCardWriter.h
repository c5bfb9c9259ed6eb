#pragma once

#include "vip/members/VipCardStore.h"

#include <QStringList>
#include <functional>
#include <optional>

// Writes a member card and everything that depends on it as one unit: the card
// row, its initial points, its stored-value settings and opening balance, the
// introducer's reward, its photos, its custom values and the change log, all in one
// transaction. A refusal or a failure anywhere leaves none of it written.
class VipCardWriter {
public:
    // Why a write was turned down, beside the card procedure's own refusals
    // (VipCardStore::Refusal); nothing was written.
    enum Refusal {
        CardGone = -101,         // the card to change is no longer there
        BalanceBelowZero = -102, // the new opening balance is less than was spent
        PointsRefused = -103,    // the initial points could not be booked
    };

    // What the writes after the card row take, as the editor gathered it.
    struct Dependents {
        VipCardStore::StoredValue storedValue;
        int initialPoints = 0; // points a new card brings with it, 0 none
        QString userCode;      // who books them
        bool rewardIntroducer = false;
        std::optional<QStringList> customValues;      // none while the chain defines no custom fields
        std::function<void(int cardId)> savePictures; // the card's photos, once its id is known
        QStringList logLines;                         // the changed fields of an existing card
    };

    struct Result {
        int code = 0; // 0 written, a VipCardStore::Refusal or a Refusal
        int cardId = 0;
        QString cardGuid;
        bool wasActive = false; // an existing card was activated before this write
    };

    explicit VipCardWriter(VipCardStore& store)
        : m_store(store) {}

    Result WriteNew(const VipCardStore::CardFields& card, const Dependents& dependents);
    // Changes a card only while its change counter still reads 'loadedIsUse'.
    Result WriteExisting(VipCardStore::CardFields card, int cardId, int loadedIsUse,
                         const Dependents& dependents);

private:
    int writeDependents(int cardId, const VipCardStore::CardFields& card, const Dependents& dependents);

    VipCardStore& m_store;
};
