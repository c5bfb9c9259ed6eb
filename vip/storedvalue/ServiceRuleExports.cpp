#include "vip/storedvalue/ServiceRuleExports.h"

#include "host/sdk/ui/ModalResult.h"
#include "vip/storedvalue/TVipServiceQuery.h"

bool ShowVipServiceRuleEdit(TVipServiceQuery* list, int prec, VSRuleOp op) {
    TfrmVipServiceEdit dialog(op, prec, list, list);
    return dialog.ShowModal() == mrOk;
}
