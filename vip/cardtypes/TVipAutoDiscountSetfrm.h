#pragma once

#include "host/sdk/ui/TBaseDialog.h"
#include "vip/cardtypes/BandCheck.h"

class QLineEdit;

// Editor of one band of a tiered discount ("累计折扣").
class TVipAutoDiscountSetfrm : public TBaseDialog {
    Q_OBJECT

public:
    TVipAutoDiscountSetfrm(double from, double to, double discount, const QString& comment, BandCheck check, bool flag,
                           QWidget* parent = nullptr);

    double From() const;
    double To() const;
    double Discount() const;
    QString Comment() const;

private:
    void OnConfirm();
    bool refuse(const QString& text, const QString& caption, QLineEdit* field);

    QLineEdit* m_from;
    QLineEdit* m_to;
    QLineEdit* m_discount;
    QLineEdit* m_comment;
    BandCheck m_check;
    bool m_flag;
};
