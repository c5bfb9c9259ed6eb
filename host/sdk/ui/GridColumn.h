#pragma once

#include <QString>

// One column a list window declares for its grid.
struct GridColumn {
    enum Format {
        Plain, // the stored value as text
        Money, // a count of ten-thousandths shown as an amount with two decimals
        Date,  // "yyyy-mm-dd"
        YesNo, // a flag shown as a ticked or empty check box ("√" or nothing as text)
    };

    QString field;
    QString caption;
    int width = 80;
    bool visible = true;
    Format format = Plain;
};
