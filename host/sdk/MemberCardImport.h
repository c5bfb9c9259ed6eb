#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class DataModule;

// Member cards brought in from a spreadsheet's CSV file. Columns are found by
// their captions in the first line (Columns(), and a few names spreadsheets
// commonly use); others are ignored. Every row gets the member editor's checks and
// is written through the same card procedures, each row whole or not at all, all
// rows in one transaction.
class MemberCardImport {
public:
    // One line of the file: its values by column caption.
    struct Row {
        int line = 0;
        QHash<QString, QString> values;
    };
    struct File {
        QStringList ignoredColumns; // captions in the file that name no card field
        QList<Row> rows;
    };
    // A row that was not imported and why, in the editor's words.
    struct Refusal {
        int line = 0;
        QString cardNo;
        QString reason;
    };
    struct Outcome {
        int imported = 0;
        QList<Refusal> refused;
    };

    // The captions read and written, in the order an export writes them:
    // "会员卡号", "会员卡条码", "持卡人", "性别", "电话", "身份证号", "出生年月日",
    // "E-MAIL", "地址", "持卡类型", "发卡日期", "有效期", "激活", "会员储值",
    // "储值余额", "积分余额", "累积消费金额", "备注".
    static const QStringList& Columns();

    // Reads a file's bytes (UTF-8 or GB18030). Throws DbError when the first line
    // names no "会员卡号" column.
    static File Read(const QByteArray& bytes);
    // The same from a file on disk; throws DbError naming a file that cannot be read.
    static File ReadFile(const QString& path);

    // Cards are written as issued by 'userRec' at store 'posId'.
    MemberCardImport(DataModule& data, int posId, int userRec);

    // Checks and writes every row in one transaction, committed only when 'commit';
    // without it the same writes are made and undone, so a preview reports exactly
    // what an import would refuse.
    Outcome Run(const File& file, bool commit);

private:
    struct CardType;
    QString importRow(const Row& row, const QHash<QString, CardType>& types);

    DataModule& m_data;
    int m_posId;
    int m_userRec;
    QStringList m_required; // columns the field configuration makes required
};
