#pragma once

#include <QList>
#include <QString>

// The cards a list window hands to a procedure as "12,15,40": the ids in the order
// given, each once. Anything but whole numbers above zero between the commas is
// refused (DbError), as is an empty list.
class CardIdList {
public:
    static QList<int> parse(const QString& text);
};
