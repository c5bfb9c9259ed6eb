#include "vip/cardtypes/VipCardTypeData.h"

#include "host/sdk/DataModule.h"

VipCardTypeData::VipCardTypeData(int typeId)
    : m_typeId(typeId > 0 ? typeId : 0) {
    DataModule& data = dmClient();
    if (m_typeId > 0) {
        data.OpenSQL(QStringLiteral("SELECT * FROM viptype WHERE CTypeId = ?"), m_type, {m_typeId});
        for (int kind : {1, 2, 5, 3, 4})
            data.OpenSQL(QStringLiteral(
                             "SELECT * FROM vipAutoDiscount WHERE DisType = ? AND VipTypeId = ? ORDER BY id"),
                         m_rules[kind], {kind, m_typeId});
        data.OpenSQL(
            QStringLiteral("SELECT v.*, p.typeId AS ptypeid, p.UserCode AS itemCode, p.FullName AS itemName "
                           "FROM vipAutoDiscount v, ptype p WHERE v.DisType = 6 AND v.VipTypeId = ? "
                           "AND v.prec = p.rec AND v.prec > 0 ORDER BY v.id"),
            m_products, {m_typeId});
        data.OpenSQL(QStringLiteral("SELECT v.* FROM vipAutoDiscount v WHERE v.DisType = 6 AND v.prec = 0 "
                                    "AND v.VipTypeId = ? ORDER BY v.id"),
                     m_otherProducts, {m_typeId});
        data.OpenSQL(QStringLiteral(
                         "SELECT v.*, p.UserCode AS itemCode, p.FullName AS itemName "
                         "FROM vipAutoDiscount v, BaseInfoProperty p WHERE v.DisType = 7 AND v.VipTypeId = ? "
                         "AND v.prec = p.rec AND p.IDFlag = 1 AND v.prec > 0 ORDER BY v.id"),
                     m_attributes, {m_typeId});
        data.OpenSQL(QStringLiteral("SELECT v.* FROM vipAutoDiscount v WHERE v.DisType = 7 AND v.prec = 0 "
                                    "AND v.VipTypeId = ? ORDER BY v.id"),
                     m_otherAttributes, {m_typeId});
    }
    data.OpenProcByName(QStringLiteral("P_PosMultSel"), {QStringLiteral("@CTypeId")}, {m_typeId}, m_stores);
}

const ClientDataSet& VipCardTypeData::rules(int kind) const {
    const auto found = m_rules.constFind(kind);
    return found == m_rules.cend() ? m_none : *found;
}
