#pragma once

#include "host/sdk/ui/TBaseQuery.h"
#include "vip/coupons/ETCCardBatch.h"

class TETCCardCondition;

// What the coupon card lists share: the condition panel of one kind (0: any), the
// query's switches completed before each load, the card columns, the row colours
// (not activated magenta, stopped red, used up blue; later rules win) and the rows
// an action applies to.
class TETCCardListBase : public TBaseQuery {
    Q_OBJECT

public:
    TETCCardListBase(int kind, int modelId, QWidget* parent = nullptr);
    int Kind() const { return m_kind; }

protected:
    TBaseCondition* QueryCase() override;
    void InitParamList() override;
    void ParamRefresh() override;
    void MainGridAfterDrawCell(int row, const QString& field, CellStyle& style) override;
    // The card columns, the value captioned by the kind.
    void AddCardColumns();
    // The switches the window adds to the panel's conditions ("@Stop", "@Flag",
    // "@VIPID", "@CardNo"), each kept when the caller gave it.
    virtual void CompleteParams();
    // Display rows an action applies to: the selected ones, else the current one.
    QList<int> ChosenRows() const;
    bool Empty() const;
    // The chosen rows as cards for a batch.
    QList<ETCCardBatch::Item> ChosenCards() const;

private:
    int m_kind;
};
