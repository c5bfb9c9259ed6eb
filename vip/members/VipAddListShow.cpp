#include "vip/members/VipAddListShow.h"

#include "vip/members/TFrmVipAddList.h"

bool VipAddListShow(TBaseQuery* list) {
    TFrmVipAddList dialog(list);
    dialog.ShowModal();
    return dialog.RunStarted();
}
