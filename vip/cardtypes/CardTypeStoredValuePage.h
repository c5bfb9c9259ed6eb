#pragma once

#include "host/sdk/ClientDataSet.h"
#include "vip/cardtypes/VipCardTypeSettings.h"

#include <QWidget>

class CardTypeRuleGrid;
class QCheckBox;
class QComboBox;

// Page "储值": how stored value is used and the gift given per stored amount band.
class CardTypeStoredValuePage final : public QWidget {
    Q_OBJECT

public:
    explicit CardTypeStoredValuePage(QWidget* parent = nullptr);

    void Load(const ClientDataSet* type, const ClientDataSet& bands);
    // The gift bands; a type without any passes.
    void Check(const QString& typeName);
    void Fill(VipCardTypeSettings& settings) const;

private:
    QCheckBox* m_onlyStoredValue;
    QComboBox* m_points;
    CardTypeRuleGrid* m_grid;
};
