#pragma once

#include "host/sdk/ui/TQueryGrid.h"

#include <QSize>
#include <QString>

// What the user made of a list window, kept between runs per window class in the
// user's settings: the grid's column order, widths and visibility, and the size of
// a window shown on its own.
class QueryLayoutSettings {
public:
    explicit QueryLayoutSettings(QString windowClass);

    TQueryGrid::Layout Columns() const;
    // Invalid when the window was never shown on its own.
    QSize WindowSize() const;
    // An invalid size keeps the size stored before.
    void Save(const TQueryGrid::Layout& columns, const QSize& windowSize) const;

private:
    QString m_group;
};
