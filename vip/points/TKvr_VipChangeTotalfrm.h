#pragma once

#include "vip/points/TfrmVipTotalAdjust.h"

class QGroupBox;
class QTableView;
class VipExchangeCardSection;
class VipExchangeListModel;

// "积分兑换": a member spends points on what the card's type offers (cash, stored
// value, goods, shopping cards: the exchange rules of the type, kd_QueryIntegralexchangeSet),
// or, in the modes 0, 1 and 2, has points added or deducted by hand as in the
// adjustment dialog it stands on (card lookup, change record, follow-ups). Points
// typed are allotted to the rules in order; units typed are cut down to what the
// points allow. The exchange is saved as one transaction (VipPointsStore::SaveExchange):
// the change, its rule rows, the post, the stored value credited and the shopping
// cards bound and activated, or nothing.
class TKvr_VipChangeTotalfrm : public TfrmVipTotalAdjust {
    Q_OBJECT

public:
    explicit TKvr_VipChangeTotalfrm(QWidget* parent = nullptr);

    // Sets the type (0 add, 1 deduct, 2 adjust, 6 cash, 7 stored value, 8 goods, 12
    // shopping cards): the caption, the keys the points take and the parts shown.
    void SetChangeType(int changeType);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void CardShown() override;
    void CardCleared() override;
    void CardNumberEmptied() override;
    void OnSave() override;
    QString PrintTemplateName() const override;
    void PrintItems(TParamObject& items) const override;
    const QAbstractItemModel* PrintRows() const override;

private:
    bool exchanging() const;
    // The rules of the card's type for the exchange type; a single one takes all the points.
    void loadList();
    void allot();
    void showTotals();
    void chooseAccount();
    void checkExchange();
    void saveExchange(int points);
    // Enter in the list: from the units to the points of a row, then on.
    void moveOnInGrid();

    // The host's key watch reaches this dialog while its parts are still being made;
    // it looks at them only once they all exist.
    bool m_built = false;
    VipExchangeListModel* m_list;
    QTableView* m_grid;
    QGroupBox* m_listGroup;
    VipExchangeCardSection* m_cards;
    QLabel* m_totalCaption;
    QLabel* m_total;
    QLabel* m_qtyCaption;
    QLabel* m_qty;
    QLabel* m_diffCaption;
    QLabel* m_diff;
    QLineEdit* m_account;
    QWidget* m_accountRow;
    QWidget* m_saveButton;
    int m_accountRec = 0;
    int m_warehouseRec = 0;
};
