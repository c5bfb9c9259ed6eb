#pragma once

#include <QByteArray>

class DataModule;

// The live member cards in the file format MemberCardImport reads (its columns, in
// order, UTF-8 with a byte-order mark), so that an export imports into a database
// without members as the same cards.
class MemberCardExport {
public:
    static QByteArray Write(DataModule& data);
};
