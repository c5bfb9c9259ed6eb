#pragma once

#include "vip/storedvalue/TfrmCzServiceBase.h"

// Sells uses of service items to a member: each row's price, gift uses and last
// day follow the item's ladder as the count is typed (the database's figures, which
// the sale procedure holds the save to), the money is taken through the chosen
// account, and paid from the card's stored value when that account is the members'
// stored-value account ("会员储值"). Saves through XF_CzServiceDetailTmpInsert and
// XF_CzServiceMainInsert, tells the member and the head office, prints the receipt.
class TfrmCzService : public TfrmCzServiceBase {
    Q_OBJECT

public:
    explicit TfrmCzService(QWidget* parent = nullptr);
    // Hides the password (a dialog opened for a known card).
    void HidePassword();

protected:
    void ItemPlaced(int row) override;
    void CellEdited(int row, const QString& field) override;
    void CheckData() override;
    bool SaveData() override;
    QString SwitchQuestion() const override;
    QString ProtectedColumn() const override;
    Money MoneyTotal() const override;
    void PrintSaved() override;
    QString PrintTemplateName() const override;
    void PrintItems(TParamObject& items) const override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void price(int row);
    void chooseAccount(bool fromEnter);
    bool paidFromStoredValue() const;

    QLineEdit* m_account;
    QPushButton* m_accountButton;
    QString m_accountTypeId;
    QString m_accountName;
    bool m_accountPreset = false;
};
