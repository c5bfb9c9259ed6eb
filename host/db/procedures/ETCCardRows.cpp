#include "host/db/procedures/ETCCardRows.h"

#include <QDate>

QString ETCCardRows::flagNameExpression(const QString& e) {
    return QStringLiteral("CASE WHEN %1.Flag = 3 THEN '作废' WHEN %1.Used = 1 THEN '使用完成' "
                          "WHEN %1.Flag = 0 THEN '未生效' ELSE '有效' END")
        .arg(e);
}

QString ETCCardRows::select() {
    return QStringLiteral(
               "SELECT e.ID, e.ETCID, e.ETCType, "
               "CASE e.ETCType WHEN 1 THEN '现金券' WHEN 2 THEN '打折卡' ELSE '优惠券' END AS TypeName, "
               "t.NAME, e.CardNo, e.VIPID, e.VIPCode, COALESCE(v.Name, '') AS VIPName, e.CreateERec, "
               "COALESCE(u.username, '') AS CreateEName, e.CreateDate, e.Flag, ") +
           flagNameExpression(QStringLiteral("e")) +
           QStringLiteral(
               " AS FlagName, e.Total, e.UsedTotal, "
               "CASE WHEN e.ETCType = 1 THEN e.Total - e.UsedTotal ELSE e.Total END AS RemainTotal, "
               "e.UsedCount, e.StartDate, e.EndDate, e.LPosID, "
               "CASE WHEN e.LPosName = '' THEN '全部门店' ELSE e.LPosName END AS LPosName, e.Used, e.IsStop, "
               "e.Flags, e.VIPType, t.RangType, t.UseCount, t.Enabled AS TypeEnabled "
               "FROM ETCList e JOIN ETCType t ON t.ID = e.ETCID "
               "LEFT JOIN vipcard v ON v.id = e.VIPID AND e.VIPID <> 0 "
               "LEFT JOIN loginuser u ON u.rec = e.CreateERec ");
}

QString ETCCardRows::filtered() {
    return select() +
           QStringLiteral(
               "WHERE e.deleted = 0 AND (@ETCType = 0 OR e.ETCType = @ETCType) "
               "AND e.CreateDate >= @BCreateDate AND e.CreateDate < @ECreateDate "
               "AND (e.StartDate IS NULL OR (e.StartDate >= @BStartDate AND e.StartDate <= @EStartDate)) "
               "AND (e.EndDate IS NULL OR (e.EndDate >= @BEndDate AND e.EndDate <= @EEndDate)) "
               "AND (@ETCName = '' OR t.NAME = @ETCName) AND (@Stop <> 0 OR e.IsStop = 0) "
               "AND (@Flag = -1 OR e.Flag = @Flag) AND (@VIPID = 0 OR e.VIPID = @VIPID) "
               "ORDER BY e.CardNo, e.ID");
}

TParamObject ETCCardRows::withOpenFilters(const TParamObject& params) {
    TParamObject all = params;
    const QList<std::pair<const char*, QVariant>> open = {
        {"@ETCType", 0},
        {"@BCreateDate", QDate(1900, 1, 1)},
        {"@ECreateDate", QDate(2100, 1, 1)},
        {"@BStartDate", QDate(1900, 1, 1)},
        {"@EStartDate", QDate(2100, 1, 1)},
        {"@BEndDate", QDate(1900, 1, 1)},
        {"@EEndDate", QDate(2100, 1, 1)},
        {"@ETCName", QString()},
        {"@Stop", -1},
        {"@Flag", -1},
        {"@VIPID", 0},
    };
    for (const auto& [name, value] : open) {
        if (!all.Has(QLatin1String(name)))
            all.Add(QLatin1String(name), value);
    }
    return all;
}
