#include "vip/cardtypes/CardTypeRuleExports.h"

#include "vip/cardtypes/TFormVipdaysel.h"
#include "vip/cardtypes/TVipAutoDiscountSetfrm.h"
#include "vip/cardtypes/TVipIntegralSetfrm.h"

bool GetAutoDiscountSet(double& from, double& to, double& discount, QString& comment, const BandCheck& check,
                        bool flag) {
    TVipAutoDiscountSetfrm dialog(from, to, discount, comment, check, flag);
    if (dialog.ShowModal() != mrOk)
        return false;
    from = dialog.From();
    to = dialog.To();
    discount = dialog.Discount();
    comment = dialog.Comment();
    return true;
}

bool GetVipIntegralSet(double& from, double& to, double& base, double& points, QString& comment,
                       const BandCheck& check, bool flag) {
    TVipIntegralSetfrm dialog(from, to, base, points, comment, check, flag);
    if (dialog.ShowModal() != mrOk)
        return false;
    from = dialog.From();
    to = dialog.To();
    base = dialog.Base();
    points = dialog.Points();
    comment = dialog.Comment();
    return true;
}

QString ShowVipdaySel(const QString& current, int mode) {
    TFormVipdaysel dialog(current, mode);
    return dialog.ShowModal() == mrOk ? dialog.Choice() : current;
}
