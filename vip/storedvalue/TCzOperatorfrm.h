#pragma once

#include "host/sdk/MessageBox.h"
#include "host/sdk/Money.h"
#include "host/sdk/ui/TBaseDialog.h"
#include "vip/storedvalue/VipCzStore.h"

class QLabel;
class QLineEdit;
class QPushButton;

// Recharges a member card's stored value, or pays it back out (refund): loads the
// card and checks that this store may move its stored value, shows the gift the
// card type's rules give the amount and the balance after, saves through
// XF_CzOperator, tells the member and the head office, and prints the receipt.
// Every save carries one operation id for the dialog's card, so a save retried
// after a dropped connection is applied once.
class TCzOperatorfrm : public TBaseDialog {
    Q_OBJECT

public:
    // changeType: StoredValueChange::Recharge or Refund, for the dialog's life.
    explicit TCzOperatorfrm(int changeType, QWidget* parent = nullptr);

    void SetCardNo(const QString& cardNo, bool editable);
    // Loads the card typed in CardNoEdit; false, after telling why, when it may
    // not be recharged or refunded here.
    bool GetCardInfo();
    void CardClear();

protected:
    QString PrintTemplateName() const override;
    void PrintItems(TParamObject& items) const override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool refund() const;
    QString today() const;
    void refuseLoad(const QString& text, const QString& caption = QStringLiteral("提示"),
                    int icon = MB::IconWarning);
    void onCardNoExit();
    void chooseAccount(bool fromEnter);
    void onAccountExit();
    // Leaving the amount (askGift) or the gift field; Enter in either re-shows and
    // recomputes without asking the rules again.
    void onAmountExit(bool askGift);
    void onAmountEnter();
    Money amount() const;
    void roundAmount();
    void showBalanceAfter();
    void onSave(bool print);
    bool SaveData();
    void tellMember();
    void forwardToHeadOffice(const VipCzStore::Outcome& outcome);

    VipCzStore m_store;
    const int m_changeType;
    QString m_cardNoLoaded;
    VipCzStore::Card m_card;
    QString m_priorText;
    Money m_prior;
    Money m_after;
    QString m_accountTypeId;
    QString m_accountName;
    QString m_billCode;
    QString m_operationId;
    bool m_accountPreset = false;
    bool m_enterMoves = false;

    QLineEdit* m_cardNo;
    QLineEdit* m_name;
    QLineEdit* m_identity;
    QLineEdit* m_oldTotal;
    QLineEdit* m_amount;
    QLineEdit* m_gift;
    QLineEdit* m_handler;
    QLineEdit* m_account;
    QPushButton* m_accountButton;
    QLineEdit* m_comment;
    QLabel* m_useTotal;
    QLabel* m_date;
};
