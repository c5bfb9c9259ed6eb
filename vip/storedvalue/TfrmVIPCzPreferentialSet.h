#pragma once

#include "vip/cardtypes/TRuleBandDialog.h"

// Editor of one recharge gift rule of a card type ("储值优惠设置"): recharges whose
// amount lies in the band earn the gift for every full base amount.
class TfrmVIPCzPreferentialSet : public TRuleBandDialog {
    Q_OBJECT

public:
    TfrmVIPCzPreferentialSet(double start, double end, double base, double gift, const QString& comment,
                             BandCheck check, bool flag, QWidget* parent = nullptr);

    double Start() const;
    double End() const;
    double Base() const;
    double Gift() const;
    QString Comment() const;

private:
    void OnConfirm() override;

    QLineEdit* m_start;
    QLineEdit* m_end;
    QLineEdit* m_base;
    QLineEdit* m_gift;
    QLineEdit* m_comment;
};
