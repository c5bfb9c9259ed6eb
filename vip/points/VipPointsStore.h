#pragma once

#include "host/sdk/ClientDataSet.h"
#include "host/sdk/DataModule.h"

#include <QString>

// Everything the database holds of points for the points area: the card as the
// adjustment and exchange dialogs look it up, the store check and the points
// change record. The one place of the area that speaks SQL or calls procedures.
class VipPointsStore {
public:
    // Why InsertVipTotalChangeInfo turned a change down; nothing was written.
    enum Refusal {
        CardGone = -1,     // no live card has the number
        TooFewPoints = -2, // the card holds fewer points than are taken
    };

    explicit VipPointsStore(DataModule& data = dmClient());

    // The live card with its type's columns and the type's name as CardTypeCN;
    // empty when there is none.
    void LoadCard(const QString& cardNo, ClientDataSet& row);
    // QueryVipPosType: whether the card may be used in the store.
    bool UsableInStore(int cardId, int posId);
    // InsertVipTotalChangeInfo: the change row's id, or a Refusal.
    int AddChange(const QString& cardNo, int changeType, int points, const QString& userCode, int posId,
                  const QString& memo);

private:
    DataModule& m_data;
};
