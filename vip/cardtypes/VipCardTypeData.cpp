#include "vip/cardtypes/VipCardTypeData.h"

const ClientDataSet& VipCardTypeData::rulesOf(int kind) const {
    static const ClientDataSet none;
    const auto found = rules.constFind(kind);
    return found == rules.cend() ? none : *found;
}

std::optional<qint64> VipCardTypeData::stamp() const {
    if (!found())
        return std::nullopt;
    return type.FieldByName(QStringLiteral("MD")).AsLargeInt();
}
