#include "host/sdk/ShopCardConnect.h"

void TShopCardConnect::SetETCList(int etcCardId, int mode, const QString& value, int userRec) {
    link().SetETCList(etcCardId, mode, value, userRec, QDate());
}

void TShopCardConnect::SetETCList(int etcCardId, int mode, const QString& value, int userRec,
                                  const QDate& date) {
    link().SetETCList(etcCardId, mode, value, userRec, date);
}
