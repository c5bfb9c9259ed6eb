#include "vip/members/VipCardImport.h"

#include "host/sdk/MemberCardImport.h"
#include "host/sdk/ui/FileDialogService.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "vip/members/TfrmVipCardImport.h"

bool VipCardImport(QWidget* parent) {
    bool imported = false;
    RunGuarded([&] {
        const QString path = FileDialogService::current().openFileName(QStringLiteral("会员卡信息导入"),
                                                                       QStringLiteral("CSV 文件 (*.csv)"));
        if (path.isEmpty())
            return;
        TfrmVipCardImport dialog(MemberCardImport::ReadFile(path), parent);
        dialog.ShowModal();
        imported = dialog.Imported() > 0;
    });
    return imported;
}
