#include "host/sdk/PictureStore.h"

#include "host/sdk/ClientDataSet.h"
#include "host/sdk/DataModule.h"

QList<PictureStore::Picture> PictureStore::Load(int kind, int recordId) {
    ClientDataSet rows;
    m_data.OpenSQL(QStringLiteral("SELECT FileName, Image FROM Pictures WHERE PicKind = ? AND RecordId = ? "
                                  "ORDER BY RowIndex"),
                   rows, {kind, recordId});
    QList<Picture> pictures;
    for (int row = 0; row < rows.RecordCount(); ++row)
        pictures.append({rows.Value(row, QStringLiteral("FileName")).toString(),
                         rows.Value(row, QStringLiteral("Image")).toByteArray()});
    return pictures;
}

void PictureStore::Save(int kind, int recordId, const QList<Picture>& pictures) {
    m_data.ExecuteSQL(QStringLiteral("DELETE FROM Pictures WHERE PicKind = ? AND RecordId = ?"),
                      {kind, recordId});
    for (int row = 0; row < pictures.size(); ++row)
        m_data.ExecuteSQL(
            QStringLiteral("INSERT INTO Pictures (PicKind, RecordId, RowIndex, FileName, Image) "
                           "VALUES (?, ?, ?, ?, ?)"),
            {kind, recordId, row, pictures.at(row).fileName, pictures.at(row).image});
}
