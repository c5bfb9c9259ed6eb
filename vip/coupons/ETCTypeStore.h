#pragma once

#include "host/sdk/ClientDataSet.h"
#include "host/sdk/DataModule.h"
#include "vip/coupons/ETCTypeRecord.h"

#include <optional>

// The coupon types' statements and procedure calls: loading a type with its goods,
// the member card types it may be limited to, saving, counting its cards, deleting
// and voiding.
class ETCTypeStore {
public:
    // What a write came to: 0 and the type's id, or the procedure's negative code
    // and its text.
    struct Result {
        int code = 0;
        QString text;
        int id = 0;
    };

    explicit ETCTypeStore(DataModule& data = dmClient());

    // The type of that kind and id, voided or not; nothing when there is none.
    std::optional<ETCTypeRecord> Load(int kind, int id);
    // The live member card types (CTypeID, TypeName).
    ClientDataSet MemberTypes();
    // The type, its goods removed and its goods written, in one transaction.
    Result Save(const ETCTypeRecord& type);
    // How many cards of the type were issued.
    int CardCount(int id);
    // Deletes (CouponTypeState::Deleted) or voids (CouponTypeState::Voided) a type.
    Result SetEnabled(int id, int state, int user);

private:
    QList<BaseInfoItem> goodsOf(int id);
    DataModule& m_data;
};
