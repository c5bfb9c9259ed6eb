#pragma once

#include <QStringList>

// The coupon editor's change log: six values remembered when the card is loaded
// and compared after a save, one operation-log line (kind 13) per value that
// changed: "卡号：" + number + ";" + label + ":" + old + "->" + new + ";". The labels
// are the module's FValueCaption, in its order.
class ETCCardChangeLog {
public:
    struct Values {
        QString cardNo, typeName, member, stores, value, startDate;
        QStringList list() const { return {cardNo, typeName, member, stores, value, startDate}; }
    };

    static QStringList Lines(const QString& cardNo, const Values& before, const Values& after);
};
