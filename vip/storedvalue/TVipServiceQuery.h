#pragma once

#include "host/sdk/ui/TBaseQuery.h"

class QLabel;
class TQueryGrid;

// The service items with the ladder of the current one below them; items are
// added, edited, shown and deleted from here through the rules dialog.
class TVipServiceQuery : public TBaseQuery {
    Q_OBJECT

public:
    static constexpr int ModelId = 889;

    explicit TVipServiceQuery(QWidget* parent = nullptr);

    TQueryGrid* RuleGrid() const { return m_ruleGrid; }

protected:
    void OnIniButton() override;
    void SetGrid() override;
    void AfterRowChanged() override;

private:
    void OnAddExcetue();
    void OnEditExcetue();
    void OnBrowseExcetue();
    void OnDelExcetue();
    int currentItem() const;

    QLabel* m_ruleCaption = nullptr;
    TQueryGrid* m_ruleGrid = nullptr;
};
