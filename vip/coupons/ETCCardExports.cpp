#include "vip/coupons/ETCCardExports.h"

#include "host/sdk/ui/ModalResult.h"
#include "vip/coupons/TETCCardManage.h"
#include "vip/coupons/TETCCardOpenOne.h"

bool ShowETCCardManage(int kind, int id, bool readOnly) {
    TETCCardManage editor(kind, id, readOnly);
    if (!editor.LoadCard())
        return false;
    return editor.ShowModal() == mrOk;
}

bool ShowETCCardOpenOne() {
    TETCCardOpenOne issue;
    return issue.ShowModal() == mrOk;
}

bool ShowETCCardOpenOne_P() {
    return ShowETCCardOpenOne();
}
