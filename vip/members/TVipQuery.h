#pragma once

#include "host/sdk/ui/TBaseQuery.h"

#include <QHash>

class TVipCondition;

// The member list (window 6): the cards of the condition panel's store and dates,
// coloured by state, with the card actions. Actions over several cards change each
// card in a transaction of its own (VipCardBatch); rows are read through the
// window's cell API only.
class TVipQuery : public TBaseQuery {
    Q_OBJECT

public:
    static constexpr int ModelId = 6;

    explicit TVipQuery(QWidget* parent = nullptr);

    // Checks the current card for a points exchange of 'kind' (a PointsChange
    // exchange type) and opens the exchange.
    void IntegraChange(int kind);

protected:
    void OnIniButton() override;
    void SetGrid() override;
    TBaseCondition* QueryCase() override;
    void AfterRowChanged() override;
    void DoGridDoubleClick() override;
    void MainGridAfterDrawCell(int row, const QString& field, CellStyle& style) override;

private:
    void addButtons();
    void addGridMenu();
    void hideColumnsByEdition();

    void OnAdd();
    void OnBatchAdd();
    void OnModify();
    void OnDel();
    void OnTY();
    void OnGS();
    void OnClearJF();
    void OnJsCardDetail();
    void OnETCCardDetail();
    void OnServiceDetail();
    void OnActiveCard();
    void OnRecord();
    void OnIntegralMx();
    void OnAdjust();
    void OnJFChange();
    void OnChangePass();
    void OnValidityDate();
    void OnBasicimport();

    // Stop/resume ('stop') or report lost/cancel, for the chosen rows.
    void switchFlag(bool stop);
    // Display rows the action applies to: the selected ones, else the current one.
    QList<int> chosenRows() const;
    QList<int> idsOf(const QList<int>& rows) const;
    bool empty() const;

    QAction* m_stop = nullptr;
    QAction* m_loss = nullptr;
    QAction* m_activate = nullptr;
    // Exchange and adjustment items by their right.
    QHash<int, QAction*> m_pointsItems;
    QHash<int, bool> m_rights;
};
