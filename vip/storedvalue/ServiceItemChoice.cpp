#include "vip/storedvalue/ServiceItemChoice.h"

#include "host/sdk/ui/TfrmPtypeServiceSel.h"

std::optional<int> ChooseServiceItem(QWidget* parent) {
    if (const std::optional<BaseInfoItem> item = TfrmPtypeServiceSel::Select({}, parent))
        return item->rec;
    return std::nullopt;
}
