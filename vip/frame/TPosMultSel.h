#pragma once

#include "vip/frame/TMultSelQuery.h"

class TStringList;

// Chooses the stores a card type, a coupon type or a report applies to. Rows are
// the host's store list (window 265); OK refuses to drop a store that live
// stored-value cards of the caller's card type ("@viptype") are tied to.
class TPosMultSel : public TMultSelQuery {
    Q_OBJECT

public:
    explicit TPosMultSel(QWidget* parent);

protected:
    // The store the list leaves out; none here.
    virtual int ExcludedStore() const { return 0; }
    // One "id=name" line per marked store, names as the store table has them.
    TStringList MarkedStoreLines() const;

    QString KeyField() const override;
    QString ChosenListParam() const override;
    void Confirm() override;
    void SetGrid() override;
    void InitParamList() override;

private:
    bool keepsStoredValueStores();
    bool keepsRealTimeStore();
};
