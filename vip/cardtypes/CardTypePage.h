#pragma once

#include <QWidget>

// A page of the card type dialog. A page that finds fault with its entries asks
// the dialog to bring it to the front before it points at the field.
class CardTypePage : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

    void Open() { emit openRequested(); }

signals:
    void openRequested();
};
