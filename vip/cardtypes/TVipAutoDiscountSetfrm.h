#pragma once

#include "vip/cardtypes/TRuleBandDialog.h"

// Editor of one band of a tiered discount ("累计折扣").
class TVipAutoDiscountSetfrm : public TRuleBandDialog {
    Q_OBJECT

public:
    TVipAutoDiscountSetfrm(double from, double to, double discount, const QString& comment, BandCheck check,
                           bool flag, QWidget* parent = nullptr);

    double From() const;
    double To() const;
    double Discount() const;
    QString Comment() const;

private:
    void OnConfirm() override;

    QLineEdit* m_from;
    QLineEdit* m_to;
    QLineEdit* m_discount;
    QLineEdit* m_comment;
};
