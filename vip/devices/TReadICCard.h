#pragma once

#include "host/sdk/ui/TBaseDialog.h"

#include <QPoint>

class QTimer;
class TFunCard;

// The borderless window that waits for an IC card: it reads once when shown, then
// every second, and closes with OK as soon as a number comes back; "退出" leaves
// without one. The user moves it by dragging its panel.
class TReadICCard : public TBaseDialog {
    Q_OBJECT

public:
    explicit TReadICCard(TFunCard& card, QWidget* parent = nullptr);
    const QString& CardNo() const { return m_cardNo; }

protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void OnShown();
    void OnTimer();
    // True when a number was read; the dialog is then closing with OK.
    bool TryRead();

    TFunCard& m_card;
    QTimer* m_timer;
    QString m_cardNo;
    QPoint m_dragFrom;
};
