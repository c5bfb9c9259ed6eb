#pragma once

#include "host/sdk/ui/TBaseDialog.h"

#include <QDate>

class QCheckBox;
class QDateEdit;
class QLineEdit;

// Asks how many uses of a service item to add or remove by hand, and why: an
// increase may carry an expiry date after today (the uses' last day is the day
// before it), a decrease may not exceed the fewest uses among the chosen cards.
class TfrmTimesAdjust : public TBaseDialog {
    Q_OBJECT

public:
    TfrmTimesAdjust(const QString& itemName, int remaining, QWidget* parent = nullptr);

    bool Increase() const;
    int Count() const;
    QString Reason() const;
    // Invalid when none was set.
    QDate Expiry() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void onConfirm();
    void setIncrease(bool increase);

    int m_remaining;
    QCheckBox* m_increase;
    QCheckBox* m_decrease;
    QLineEdit* m_count;
    QLineEdit* m_reason;
    QCheckBox* m_hasExpiry;
    QDateEdit* m_expiry;
};
