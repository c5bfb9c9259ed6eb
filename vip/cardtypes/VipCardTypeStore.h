#pragma once

#include "host/sdk/ClientDataSet.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/TStringList.h"
#include "host/sdk/ui/BaseInfoItem.h"
#include "vip/cardtypes/VipCardTypeData.h"
#include "vip/cardtypes/VipCardTypeSettings.h"

#include <QSet>
#include <optional>

// Everything the database holds of card types, for this area's windows, its
// exported functions and the bills' rule cache: the one place of the area that
// speaks SQL. Reads a type with its rule rows, saves and deletes types whole (one
// transaction each), and answers the lookups the windows need.
class VipCardTypeStore {
public:
    // Why the save procedure turned a type down; nothing was written.
    enum Refusal {
        TypeGone = -1,         // the type was deleted since it was read
        NameTaken = -3,        // another live type has the name
        ChangedElsewhere = -4, // another user saved the type since it was read
    };

    explicit VipCardTypeStore(DataModule& data = dmClient());

    // A type (id 0 or less: a new one, of which only the lists are read).
    VipCardTypeData Load(int typeId);
    // The type's id, or a Refusal. The type, its rule rows, its stores and its store
    // names are written in one transaction: a refusal or a database error leaves
    // the type as it was.
    int Save(const VipCardTypeSettings& settings);
    // The delete procedure's result (0 deleted, -1 gone, -2 in use); a deleted type
    // takes its store and rule rows with it in the same transaction.
    int Delete(int typeId);

    QList<NamedId> PriceModes();
    bool IsNameTaken(const QString& name, int typeId);
    // Whether cards of the type keep stored value for use at the store, so the
    // store may not leave the type's stores.
    bool HoldsStoredValue(int storeId, int typeId);
    // Which of these products or attributes are deleted or no longer exist.
    QSet<int> GoneProducts(const QList<int>& recs);
    QSet<int> GoneAttributes(const QList<int>& recs);
    // The group of an attribute, where the attribute selector opens.
    int AttributeGroup(int rec);
    std::optional<BaseInfoItem> Attribute(const QString& treeKey);

    // The type's stores as they are shown ("全部门店", or names joined by ";"), and
    // as lines of id "=" name in 'list' (untouched for all stores or type 0).
    QString StoreNames(TStringList* list, bool allStores, int typeId);
    // The independent stores of a type; for type 0 all of them, or those among the
    // given ids when there are any.
    QList<NamedId> IndependentStores(int typeId, const QList<int>& among = {});
    // The type of a live card; none for a card number nobody holds.
    std::optional<int> TypeOfCard(const QString& cardNo);
    bool AppliesEverywhere(int typeId);

    // Every live type with the rules bills apply and its change stamp.
    void ReadRuleTable(ClientDataSet& rows);

private:
    void deleteRules(int typeId, int kind);
    void insertRules(int typeId, int kind, const QList<VipTypeRuleRow>& rows);
    void writePointsRules(int typeId, const VipCardTypeSettings& settings);
    QSet<int> gone(const QString& liveQuery, const QList<int>& recs);
    QList<NamedId> stores(const QString& sql, const QVariantList& params);

    DataModule& m_data;
};
