#include "vip/cardtypes/VipTypePosLists.h"

#include "vip/cardtypes/VipCardTypeStore.h"

QString GetPosList(TStringList* list, bool allStores, int typeId) {
    return VipCardTypeStore().StoreNames(list, allStores, typeId);
}

void GetChangeIntegralPosList(TStringList* list, int typeId, const TStringList* filter) {
    if (!list)
        return;
    QList<int> among;
    for (int i = 0; filter && i < filter->Count(); ++i)
        among.append(filter->Names(i).trimmed().toInt());
    const QList<NamedId> stores = VipCardTypeStore().IndependentStores(typeId, among);
    list->Clear();
    for (const NamedId& store : stores)
        list->Add(QString::number(store.id) + QLatin1Char('=') + store.name);
}

bool VipCanUsePosList(const QString& cardNo, TStringList* list, int cardTypeId) {
    VipCardTypeStore store;
    int type = cardTypeId;
    if (type == 0) {
        const std::optional<int> held = store.TypeOfCard(cardNo);
        if (!held)
            return false;
        type = *held;
    }
    if (type == 0)
        return false;
    store.StoreNames(list, store.AppliesEverywhere(type), type);
    if (list) {
        // Each store also by its name alone, carrying its id, for callers that match names.
        const int lines = list->Count();
        for (int i = 0; i < lines; ++i)
            list->Add(list->ValueFromIndex(i), list->Names(i).toInt());
    }
    return true;
}
