#pragma once

#include "host/sdk/ui/TBaseDialog.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

// "消费积分清零": what the member list's points clear takes off and from which
// rows. It only asks; the list runs the clear.
class TfrmVipClear : public TBaseDialog {
    Q_OBJECT

public:
    explicit TfrmVipClear(QWidget* parent = nullptr);

    // "YYYY-MM-DD" with the dated operation, empty with "全部清零".
    QString DateText() const;
    // 0 the selected rows, 1 every row of the list.
    int Range() const;
    bool ClearBuyTotal() const;
    bool ClearMemberPriceTotal() const;
    bool ClearPoints() const;

private:
    void confirm();

    QRadioButton* m_selectedRows;
    QRadioButton* m_allRows;
    QRadioButton* m_clearAll;
    QRadioButton* m_upToDate;
    QLineEdit* m_date;
    QCheckBox* m_buyTotal;
    QCheckBox* m_memberPriceTotal;
    QCheckBox* m_points;
};

// Runs the dialog; true on OK, with the choices in the arguments (ranges and flags
// as the dialog's getters give them).
bool ShowVipClear(QString& date, int& range, bool& buyTotal, bool& memberPriceTotal, bool& points);
