#pragma once

#include "host/sdk/Money.h"

#include <QGroupBox>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class VipCardStore;

// The editor's box "储值信息": whether the card keeps stored value, its opening
// balance, its stored-value password, the store where the value may be spent and
// whether services may be bought with it. It keeps its controls consistent as the
// user ticks and chooses, and checks them before a save.
class VipStoredValueBox : public QGroupBox {
    Q_OBJECT

public:
    // What a loaded card holds in the box.
    struct Values {
        bool storedValue = false;
        bool services = false;
        Money opening;
        Money total;
        Money available;
        bool usePassword = false;
        bool passwordKept = false; // the card already has a password (never shown)
        int storeId = 0;
    };

    explicit VipStoredValueBox(VipCardStore& store, QWidget* parent = nullptr);

    // Whether the opening balance may be typed and the stored-value state changed;
    // set once when the editor opens.
    void SetRights(bool openingEditable, bool stateChangeable);
    // The card type decides the stores, the services and the password rule.
    void SetType(int typeId, bool typeServices);
    // Whether the stores of 'typeId' still hold the store chosen for the card.
    bool KeepsChosenStore(int typeId) const;

    void Load(const Values& values);
    void Clear();

    // The save's checks of the box, in order; refuses at the offending field.
    void Check();

    bool StoredValue() const;
    bool Services() const;
    Money Opening() const;
    Money Total() const;
    Money Available() const;
    bool UsePassword() const;
    // The password typed; none when the boxes were left empty on a card whose
    // password is already kept, which keeps it.
    std::optional<QString> NewPassword() const;
    // 0 when no store is chosen: every store.
    int StoreId() const;
    // The texts the change log compares.
    bool PasswordOn() const;

    QLineEdit* LJBuyTotal() const { return m_buyTotal; }
    QLineEdit* LJIntegral() const { return m_points; }
    QLabel* LJBuyTotalLabel() const { return m_buyTotalLabel; }
    QLabel* LJIntegralLabel() const { return m_pointsLabel; }
    QCheckBox* StoredValueBox() const { return m_storedValue; }
    // The batch issue names the password box and its second entry its own way.
    void SetPasswordCaptions(const QString& box, const QString& again);
    QList<QWidget*> Controls() const;

signals:
    // The user ticked "会员储值".
    void storedValueTicked();

private:
    void onStoredValueToggled();
    void onStoreChosen(int index);
    void onOpeningEdited();
    void refreshStores();
    void applyPasswordRule();
    void applyState();
    void setPasswordBox(bool enabled);
    int kindOf(int index) const;
    bool openingEditable() const;

    VipCardStore& m_store;
    int m_typeId = 0;
    bool m_openingRight = false;
    bool m_stateRight = false;
    bool m_typeServices = false;
    bool m_passwordRule = false;
    bool m_passwordKept = false;
    bool m_holding = false; // the loaded card holds stored value
    int m_chosenStore = 0;
    int m_lastIndex = -1;
    bool m_loading = false;

    QCheckBox* m_storedValue;
    QLineEdit* m_opening;
    QCheckBox* m_usePassword;
    QLineEdit* m_password;
    QLineEdit* m_passwordTwo;
    QLabel* m_againCaption;
    QComboBox* m_stores;
    QCheckBox* m_services;
    QLabel* m_totalCaption;
    QLabel* m_total;
    QLabel* m_availableCaption;
    QLabel* m_available;
    QLineEdit* m_buyTotal;
    QLineEdit* m_points;
    QLabel* m_buyTotalLabel;
    QLabel* m_pointsLabel;
};
