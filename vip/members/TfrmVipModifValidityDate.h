#pragma once

#include "host/sdk/ui/TBaseDialog.h"

class QLineEdit;

// "批量设置有效期": the one validity date the member list gives its cards.
class TfrmVipModifValidityDate : public TBaseDialog {
    Q_OBJECT

public:
    explicit TfrmVipModifValidityDate(QWidget* parent = nullptr);
    // "YYYY-MM-DD" once confirmed.
    QString DateText() const;

private:
    void confirm();
    QLineEdit* m_date;
};

// Runs the dialog: 1 on OK with the date in 'date', the dialog's result otherwise.
int ShowVipModifValidityDate(QString& date);
