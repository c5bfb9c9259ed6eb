#pragma once

#include "host/sdk/ui/TBaseDialog.h"
#include "vip/cardtypes/BandCheck.h"

class QLineEdit;

// Editor of one band of points by purchase amount ("会员积分").
class TVipIntegralSetfrm : public TBaseDialog {
    Q_OBJECT

public:
    TVipIntegralSetfrm(double from, double to, double base, double points, const QString& comment, BandCheck check,
                       bool flag, QWidget* parent = nullptr);

    double From() const;
    double To() const;
    double Base() const;
    double Points() const;
    QString Comment() const;

private:
    void OnConfirm();
    void refuse(const QString& text, const QString& caption, QLineEdit* field);

    QLineEdit* m_from;
    QLineEdit* m_to;
    QLineEdit* m_points;
    QLineEdit* m_base;
    QLineEdit* m_comment;
    BandCheck m_check;
    bool m_flag;
};
