#pragma once

#include "host/sdk/ui/TBaseDialog.h"
#include "vip/cardtypes/BandCheck.h"

#include <QList>
#include <QPair>

class QLineEdit;

// What the two band editors share: a column of captioned fields above "确认[&Y]" and
// "退出[&X]", and the caller's own band check as the last word before the editor
// closes with OK. Their checks refuse through the host's Refuse.
class TRuleBandDialog : public TBaseDialog {
    Q_OBJECT

protected:
    TRuleBandDialog(const QString& objectName, const QString& caption, BandCheck check, bool flag,
                    QWidget* parent);

    static QLineEdit* Field(const QString& name, int maxLength);
    // Lays the captioned fields out in this order and wires the buttons.
    void Arrange(const QList<QPair<QString, QLineEdit*>>& fields);
    // Runs the caller's check on the band and closes with OK when it agrees.
    void Accept(double from, double to);

    virtual void OnConfirm() = 0;

private:
    BandCheck m_check;
    bool m_flag;
};
