#pragma once

#include "host/sdk/ui/TBaseDialog.h"

class QListWidget;

// Picks member days: the days of the week (mode 2) or of the month (mode 1).
class TFormVipdaysel : public TBaseDialog {
    Q_OBJECT

public:
    TFormVipdaysel(const QString& current, int mode, QWidget* parent = nullptr);
    // The ticked items in list order as comma text: weekday names, or day numbers.
    QString Choice() const;

private:
    QListWidget* m_days;
};
