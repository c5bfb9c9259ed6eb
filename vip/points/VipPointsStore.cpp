#include "vip/points/VipPointsStore.h"

#include "host/sdk/TParamObject.h"

VipPointsStore::VipPointsStore(DataModule& data)
    : m_data(data) {}

void VipPointsStore::LoadCard(const QString& cardNo, ClientDataSet& row) {
    m_data.OpenSQL(
        QStringLiteral("SELECT c.*, t.TypeName AS CardTypeCN, t.ChangeIntegralPos FROM vipcard c "
                       "JOIN viptype t ON t.CTypeId = c.CardType WHERE c.deleted = 0 AND c.CardNo = ?"),
        row, {cardNo.trimmed()});
}

bool VipPointsStore::UsableInStore(int cardId, int posId) {
    return m_data.ExecuteProcByName(QStringLiteral("QueryVipPosType"),
                                    {QStringLiteral("@CardID"), QStringLiteral("@PosID")},
                                    {QString::number(cardId), QString::number(posId)}) == 0;
}

int VipPointsStore::AddChange(const QString& cardNo, int changeType, int points, const QString& userCode,
                              int posId, const QString& memo) {
    TParamObject p;
    p.Add(QStringLiteral("@CardNo"), cardNo.trimmed());
    p.Add(QStringLiteral("@ChangeType"), changeType);
    p.Add(QStringLiteral("@ChangeTotal"), points);
    p.Add(QStringLiteral("@EtypeID"), userCode);
    p.Add(QStringLiteral("@Posid"), posId);
    p.Add(QStringLiteral("@Memo"), memo);
    p.Add(QStringLiteral("@Total"), 0);
    p.Add(QStringLiteral("@NewId"), 0, TParamObject::Output);
    const int result = m_data.ExecuteProcByName(QStringLiteral("InsertVipTotalChangeInfo"), p);
    return result < 0 ? result : p.AsInteger(QStringLiteral("@NewId"));
}
