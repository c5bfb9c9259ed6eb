#pragma once

#include "vip/cardtypes/TRuleBandDialog.h"

// Editor of one band of points by purchase amount ("会员积分").
class TVipIntegralSetfrm : public TRuleBandDialog {
    Q_OBJECT

public:
    TVipIntegralSetfrm(double from, double to, double base, double points, const QString& comment,
                       BandCheck check, bool flag, QWidget* parent = nullptr);

    double From() const;
    double To() const;
    double Base() const;
    double Points() const;
    QString Comment() const;

private:
    void OnConfirm() override;

    QLineEdit* m_from;
    QLineEdit* m_to;
    QLineEdit* m_points;
    QLineEdit* m_base;
    QLineEdit* m_comment;
};
