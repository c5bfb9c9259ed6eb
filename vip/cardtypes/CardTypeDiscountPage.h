#pragma once

#include "host/sdk/ClientDataSet.h"
#include "vip/cardtypes/VipCardTypeSettings.h"

#include <QWidget>

class CardTypeRuleGrid;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Page "折扣": a fixed rate, per-product discounts, or discounts by purchase
// amount bands.
class CardTypeDiscountPage final : public QWidget {
    Q_OBJECT

public:
    explicit CardTypeDiscountPage(QWidget* parent = nullptr);

    // The type's row and its discount bands; without a row, the defaults of a new type.
    void Load(const ClientDataSet* type, const ClientDataSet& bands);
    // The fixed rate as entered: the member-day discounts start from it.
    QString RateText() const;

    // Checks the rate, whatever the mode: empty, or outside 1..100 with the fixed
    // rate chosen. A refusal abandons the confirm.
    void CheckRate();
    // The bands, when segmented discount is chosen.
    void CheckBands(const QString& typeName);
    void Fill(VipCardTypeSettings& settings) const;

private:
    void updateState();

    QRadioButton* m_fixed;
    QLineEdit* m_rate;
    QRadioButton* m_product;
    QRadioButton* m_segmented;
    CardTypeRuleGrid* m_grid;
    QPushButton* m_delete;
};
