#include "vip/storedvalue/ServiceItemChoice.h"

#include "host/sdk/MessageBox.h"
#include "host/sdk/ui/TPtypeSelectDlg.h"
#include "vip/storedvalue/VipCzStore.h"

std::optional<int> ChooseServiceItem(QWidget* parent) {
    const QList<BaseInfoItem> chosen = TPtypeSelectDlg::Select(parent);
    if (chosen.isEmpty())
        return std::nullopt;
    VipCzStore store;
    for (const BaseInfoItem& product : chosen)
        if (store.LoadServiceItem(product.rec))
            return product.rec;
    ShowMsg(QStringLiteral("所选商品不是服务项目，请先在服务项目中设置！"));
    return std::nullopt;
}
