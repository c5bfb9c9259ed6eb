#pragma once

#include "vip/cardtypes/VipCardTypeData.h"
#include "vip/cardtypes/VipCardTypeSettings.h"

#include <QWidget>

class CardTypeRuleGrid;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class VipCardTypeStore;

// Page "积分": how cards of the type earn points (per amount of each purchase, per
// qualifying purchase, by amount bands, per product or per product attribute), the
// clearing of points and the store that may exchange them.
class CardTypePointsPage final : public QWidget {
    Q_OBJECT

public:
    // Products and attributes are looked up in 'store'.
    explicit CardTypePointsPage(VipCardTypeStore& store, QWidget* parent = nullptr);

    void Load(const VipCardTypeData& data);
    // The exchange-store combo goes with the store picker; some editions have neither.
    void HideExchangeStores();

    // The checks made while points are allowed. A refusal abandons the confirm.
    void Check(const QString& typeName);
    // The catch-all amount and points of the per-item rules go together.
    void CheckCatchAll();
    void Fill(VipCardTypeSettings& settings) const;

private:
    QWidget* buildRuleBox();
    QWidget* buildGrids();
    void updateState();
    bool itemRuleChosen() const;
    void fillExchangeStores(const QList<NamedId>& stores, int current);
    void chooseProducts(int row);
    void chooseAttribute(int row);
    void requireRowAboveHoldsItem(CardTypeRuleGrid& grid, int row);
    void refuseChosenTwice(CardTypeRuleGrid& grid, int rec, int row);
    void checkItemRows(CardTypeRuleGrid& grid, const QString& rule);

    VipCardTypeStore& m_store;
    QCheckBox* m_clear;
    QLineEdit* m_clearMonths;
    QLabel* m_exchangeLabel;
    QComboBox* m_exchange;
    QCheckBox* m_remain;
    QRadioButton* m_fixed;
    QRadioButton* m_times;
    QRadioButton* m_step;
    QRadioButton* m_product;
    QRadioButton* m_attribute;
    QLabel* m_amountLabel;
    QLineEdit* m_amount;
    QLineEdit* m_points;
    QWidget* m_amountRow;
    QTabWidget* m_inner;
    CardTypeRuleGrid* m_bandGrid;
    CardTypeRuleGrid* m_productGrid;
    CardTypeRuleGrid* m_attributeGrid;
    QWidget* m_otherRow;
    QLabel* m_otherLabel;
    QLineEdit* m_otherAmount;
    QLineEdit* m_otherPoints;
    QPushButton* m_delete;
    // The grid the chosen rule keeps its rows in; null for the fixed and times rules.
    CardTypeRuleGrid* m_active = nullptr;
    bool m_clearingWasOn = false;
};
