#pragma once

#include "host/sdk/ui/TBaseDialog.h"
#include "vip/cardtypes/VipCardTypeData.h"
#include "vip/cardtypes/VipCardTypeSettings.h"
#include "vip/cardtypes/VipCardTypeStore.h"

class CardTypeDiscountPage;
class CardTypeIntroducePage;
class CardTypeMemberDayPage;
class CardTypePointsPage;
class CardTypeStorePage;
class CardTypeStoredValuePage;
class QCheckBox;
class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QTabWidget;

// The card type dialog ("会员卡类型设置"): every rule of one card type on pages that
// show only while their switch is on. Confirming checks what the user entered and
// saves it; the dialog closes with mrOk only once the save has committed, and
// stays open with every entry after a refusal or a failed save.
class TVipCardTypeSetfrm : public TBaseDialog {
    Q_OBJECT

public:
    // 'typeId' 0 or less edits a new type.
    explicit TVipCardTypeSetfrm(int typeId, QWidget* parent = nullptr);

    // Reads the type, its rule rows and the stores.
    void OpenDb();
    // Fills every control from what OpenDb read, or with the defaults of a new type.
    void RefreshAll();

    // Leaving without OK asks first; No keeps the dialog and its entries.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLayout* buildTop();
    QWidget* buildPages();
    void fillPriceTypes();
    void FormShow();
    void SetContrlVisible();
    void CheckDataInput();
    void OnConfirm();
    void save();
    // What the controls say, for the store.
    VipCardTypeSettings Settings() const;
    static QString DuplicateNameText(const QString& name);
    VipCardTypeSettings::Mode mode() const;
    void applyState();
    void updatePages();
    void openPage(QWidget* page);
    void onModeChosen();
    void onMemberDayClicked();

    int m_typeId;
    VipCardTypeStore m_store;
    VipCardTypeData m_data;
    bool m_shown = false;

    QLineEdit* m_name;
    QLineEdit* m_comment;
    QLineEdit* m_repeat;
    QComboBox* m_mode;
    QLabel* m_priceLabel;
    QComboBox* m_priceType;
    QCheckBox* m_autoIntegral;
    QCheckBox* m_memberDay;
    QCheckBox* m_storedValue;
    QCheckBox* m_service;
    QCheckBox* m_introduce;
    QCheckBox* m_posRange;

    QTabWidget* m_pages;
    QWidget* m_basePage;
    QCheckBox* m_saleLimit;
    QCheckBox* m_esPrice;
    QLabel* m_posNamesLabel;
    QLineEdit* m_posNames;
    CardTypeDiscountPage* m_discountPage;
    CardTypePointsPage* m_pointsPage;
    CardTypeMemberDayPage* m_memberDayPage;
    CardTypeStoredValuePage* m_storedValuePage;
    CardTypeIntroducePage* m_introducePage;
    CardTypeStorePage* m_storePage;
};
