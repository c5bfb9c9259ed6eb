#pragma once

#include "host/sdk/ui/TBaseQuery.h"

// The coupon types of one kind: listed, added, changed, deleted, voided, and picked
// by the windows that need a type ("@SelectOneRow"; "@Enable" 1 lists only types in
// use). Voided types are drawn red. The caller's "@Limit" is the right its actions
// need; each kind's window gives its own when the caller gives none.
class TETCTypeQuery : public TBaseQuery {
    Q_OBJECT

protected:
    TETCTypeQuery(int kind, QWidget* parent);

    void OnIniButton() override;
    void SetGrid() override;
    void AfterCreateParamList() override;
    void CustomGrid() override;
    void MainGridAfterDrawCell(int row, const QString& field, CellStyle& style) override;
    void DoGridDoubleClick() override;

private:
    void OnSelect();
    void OnAddExcetue();
    void OnEditExcetue();
    void OnDelExcetue();
    void OnVoidExcetue();
    int currentId() const;
    bool voided(int row = -1) const;
    QString usedQuestion() const;

    const int m_kind;
};
