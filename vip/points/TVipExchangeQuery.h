#pragma once

#include "host/sdk/ui/TBaseQuery.h"

class QComboBox;
class QTreeWidget;

// "积分兑换设置": the exchange rules by card type. A tree of the card types that
// earn points narrows the list to one type, a choice of exchange way to one way;
// rules are added for the chosen type, changed a group at a time while no exchange
// has used them, and deleted one by one.
class TVipExchangeQuery : public TBaseQuery {
    Q_OBJECT

public:
    static constexpr int ModelId = 464;

    explicit TVipExchangeQuery(QWidget* parent = nullptr);

protected:
    void OnIniButton() override;
    void SetGrid() override;
    void InitParamList() override;
    void ParamRefresh() override;

private:
    void OnAddExcetue();
    void OnEditExcetue();
    void OnDelExcetue();
    void fillTypes();
    void readNarrowing();
    void nameQuantityColumn();
    static void requireRight(int right);

    QTreeWidget* m_types;
    QComboBox* m_way;
};
