#pragma once

#include "host/sdk/ui/TBaseDialog.h"
#include "vip/coupons/ETCCardChangeLog.h"
#include "vip/coupons/ETCCardStore.h"

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;

// The coupon card editor of one kind: a new card (id 0) or a card of the list,
// changed or only shown. The type comes from the kind's type list, the member from
// the member picker or typed, the stores from the store picker. The save writes
// through KD_ETCListEdit (a card without a number takes the kind's next one) and
// logs each changed value, in one transaction.
class TETCCardManage : public TBaseDialog {
    Q_OBJECT

public:
    TETCCardManage(int kind, int id, bool readOnly, QWidget* parent = nullptr);

    // Reads the card to change or show; false, after telling why, when it is gone.
    bool LoadCard();
    // The card after a save.
    const ETCCardStore::Card& Card() const { return m_card; }

protected:
    // Shows a card read from the database, as loading or picking it does.
    void ShowCard(const ETCCardStore::Card& card);
    // Runs first when the user saves; refuses (Refuse) what this dialog may not save.
    virtual void BeforeSave() {}
    // Runs after a successful save, before the dialog closes.
    virtual void AfterSave() {}
    QLineEdit* CardNoEdit() const { return m_cardNo; }
    QCheckBox* ActiveBox() const { return m_active; }
    ETCCardStore& Store() { return m_store; }
    void SetKind(int kind);

private:
    void chooseType();
    void chooseMember();
    void chooseStores();
    void showType();
    void onSave();
    void showValueMark();
    ETCCardChangeLog::Values values() const;

    ETCCardStore m_store;
    ETCCardStore::Card m_card;
    ETCCardChangeLog::Values m_loaded;
    int m_kind;
    bool m_readOnly;

    QLineEdit* m_type;
    QPushButton* m_typeButton;
    QLineEdit* m_cardNo;
    QLabel* m_valueLabel;
    QLineEdit* m_value;
    QLabel* m_valueMark;
    QLineEdit* m_member;
    QPushButton* m_memberButton;
    QLineEdit* m_stores;
    QPushButton* m_storesButton;
    QDateEdit* m_start;
    QCheckBox* m_active;
    QPushButton* m_save;
    QPushButton* m_viewType;
};
