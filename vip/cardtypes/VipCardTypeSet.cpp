#include "vip/cardtypes/VipCardTypeSet.h"

#include "host/sdk/MessageBox.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "vip/cardtypes/TVipCardTypeSetfrm.h"
#include "vip/cardtypes/VipCardTypeWriter.h"

#include <QApplication>

int VipCardTypeSet(int typeId) {
    RunGuarded([typeId] {
        TVipCardTypeSetfrm dialog(typeId, QApplication::activeWindow());
        dialog.OpenDb();
        dialog.RefreshAll();
        if (dialog.ShowModal() != mrOk)
            return;
        const VipCardTypeSettings settings = dialog.Settings();
        const int result = VipCardTypeWriter::write(settings);
        // The dialog checked the name, but another user may have taken it since.
        if (result == -3)
            Messagebox(TVipCardTypeSetfrm::DuplicateNameText(settings.name), QStringLiteral("警告"),
                       MB::Ok | MB::IconWarning);
        else if (result < 0)
            ShowError(ErrorWriteDb, QStringLiteral("错误"));
    });
    return 0;
}
