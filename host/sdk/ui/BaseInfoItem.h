#pragma once

#include <QString>

// One row of the host's basic data (a product, an attribute) as a selector hands it
// back: record id, tree key, code and name.
struct BaseInfoItem {
    int rec = 0;
    QString typeId;
    QString code;
    QString name;
};
