#include "vip/members/VipCardNotices.h"

#include "host/sdk/Notices.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/VipCodes.h"
#include "vip/members/VipCardStore.h"

void VipCardNotices::Send(VipCardStore& store, int cardId, int introducerId) {
    if (!SendSMSMessageByBillFunc)
        return;
    const TComVar& session = Ucomvar();
    if (session.bSMSKkReward) {
        // The notice names the card's creation row when there is one, so the member
        // hears of the opening with what was recorded for it.
        const int billId = introducerId > 0 ? store.CreationBillId(cardId) : 0;
        if (billId > 0)
            SendSMSMessageByBillFunc(NoticeKind::CardOpened, billId, false, 0, 1, cardId, 1, 0);
        else
            SendSMSMessageByBillFunc(NoticeKind::CardOpened, cardId, true, 0, 0, cardId, 1, 0);
    }
    if (introducerId > 0 && session.bSMSJsrKkReward) {
        const int billId = store.IntroducerRewardBillId(introducerId, cardId);
        if (billId > 0)
            SendSMSMessageByBillFunc(NoticeKind::IntroducerRewarded, billId, false, 0, 1, introducerId, 1,
                                     cardId);
    }
}
