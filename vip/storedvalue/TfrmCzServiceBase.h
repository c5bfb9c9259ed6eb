#pragma once

#include "host/sdk/ui/TBaseDialog.h"
#include "vip/storedvalue/ServiceGridModel.h"
#include "vip/storedvalue/VipCzStore.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// What the service sale and the service consumption dialogs share: the card number
// with its loading and checks, the password, the grid of service items (an item
// stands in one row at most and is chosen, never typed), row deletion, the labels of
// the card, store, date and user, and the save buttons. Each save carries one id for
// the loaded card, so a save retried after a lost answer is applied once.
class TfrmCzServiceBase : public TBaseDialog {
    Q_OBJECT

public:
    // Sets the number and whether the user may change it (and read an IC card).
    void SetCardNo(const QString& cardNo, bool editable);
    // Loads the card typed in CardNoEdit; false, after telling why, when it may not
    // use services here.
    bool LoadCard();
    // Puts the service item into the row, as the item selection does.
    void SetItem(int row, int prec);
    ServiceGridModel* Grid() const { return m_model; }
    const QString& CardNoLoaded() const { return m_cardNoLoaded; }

protected:
    TfrmCzServiceBase(int changeType, const QList<ServiceGridModel::Column>& columns, QWidget* parent);

    // A new item stands in the row (cleared first when it held another).
    virtual void ItemPlaced(int row) = 0;
    virtual void CellEdited(int row, const QString& field) = 0;
    virtual void CardLoaded() {}
    // The checks before a save; each refusal abandons the action.
    virtual void CheckData() = 0;
    // Saves; false, after telling why, when it did not go through.
    virtual bool SaveData() = 0;
    // Whether leaving for another card must ask first, and what.
    virtual bool GridHoldsEntries() const;
    virtual QString SwitchQuestion() const = 0;
    // The column a row's Delete key keeps for editing.
    virtual QString ProtectedColumn() const = 0;
    // The amount the rows come to, shown in lblMoney.
    virtual Money MoneyTotal() const = 0;
    // The receipt after a save ("保存打印").
    virtual void PrintSaved() = 0;
    // Enter in the password field, the password now typed.
    virtual void PasswordEntered() {}
    // Forwards the staged rows and the save to the head office while the link is in use.
    void ForwardToHeadOffice(const QList<VipCzStore::ServiceRow>& rows, const VipCzStore::ServiceSave& save);
    // The member's notice of the save, one line per row.
    void TellMember(const QString& done, const QStringList& rowLines);

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // The password typed for a card that asks for one; refuses with "密码错误！".
    // With the field hidden the card's password is asked in its own dialog when
    // 'askWhenHidden', else not at all.
    void CheckPasswordTyped(bool askWhenHidden);
    // The store recorded with a save, as the recharge records it.
    int RecordedPosId() const;
    QString Today() const;
    QString NewId() const;
    void SelectCell(int row, const QString& field);
    void ClearCardLabels();
    void RefreshFooter();

    VipCzStore m_store;
    const int m_changeType;
    VipCzStore::ServiceCard m_card;
    bool m_cardLoaded = false;
    QString m_cardNoLoaded;
    QString m_cardNoEntered;
    QString m_batchId;
    QString m_uniqueBillId;
    QString m_billCode;
    // The password need not be typed for this card (the consumption opened with it).
    QString m_passwordWaivedFor;
    bool m_closing = false;

    ServiceGridModel* m_model;
    QTableView* m_grid;
    QLineEdit* m_cardNo;
    QLabel* m_passwordLabel;
    QLineEdit* m_password;
    QLabel* m_typeName;
    QLabel* m_name;
    QLabel* m_tel;
    QLabel* m_date;
    QLabel* m_employee;
    QLabel* m_pos;
    QLabel* m_moneyLabel;
    QLabel* m_money;
    QLabel* m_footer;
    QLineEdit* m_comment;
    QPushButton* m_readCard;
    QPushButton* m_delete;
    QWidget* m_extra; // the row a dialog adds its own fields to (the sale's account)

private:
    void onCardNoExit();
    void onCardNoEnter();
    void onReadCard();
    void chooseItem(int row);
    void deleteRow(int row);
    void onSave(bool print);
    bool refuseCard(const QString& text);
};
