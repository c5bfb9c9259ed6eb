#pragma once

#include "host/sdk/ui/TBaseDialog.h"
#include "vip/coupons/ETCTypeStore.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;
class TQueryGridModel;

// The coupon type editor: basics, allowed goods, allowed member card types and
// expiry on four pages; the goods, member-type and expiry pages show only while
// their boxes are ticked. Each kind of coupon has its own form, which names the
// value and hides what the kind does not use. The save checks, then writes the type
// and its goods in one transaction.
class TETCTypeManage : public TBaseDialog {
    Q_OBJECT

public:
    // Loads the type (0: a new one) and sets the form up; false, after telling the
    // user, when the type is gone. Read-only shows everything and changes nothing.
    bool Open(int id, bool readOnly);
    // The id of the type saved.
    int SavedId() const { return m_saved.id; }
    int Kind() const { return m_kind; }

protected:
    TETCTypeManage(int kind, QWidget* parent);

    // Captions, hints and defaults of the kind.
    virtual void BeforeFormShow() = 0;
    // Which controls the kind has.
    virtual void SetControlVisible() = 0;

    // For the kinds' forms: the value with its caption and mark, the controls only
    // some kinds show, and the hint texts.
    void SetValueCaption(const QString& caption, const QString& mark, const QString& hint);
    void SetNote(const QString& text);
    bool IsAmount() const; // a preferential value given as an amount
    QLineEdit* m_value;
    QLineEdit* m_useCount;
    QLineEdit* m_useLimit;
    QLabel* m_useLimitLabel;
    QComboBox* m_rangType;
    QLabel* m_rangTypeLabel;
    QComboBox* m_pointsRule;
    QLabel* m_pointsRuleLabel;
    QCheckBox* m_otherTypes;
    QCheckBox* m_undiscounted;

private:
    QWidget* buildBasics();
    QWidget* buildGoods();
    QWidget* buildMemberTypes();
    QWidget* buildExpiry();
    void show(const ETCTypeRecord& type);
    void applyState();
    void showGoods();
    void OnPickStores();
    void OnAddGoods();
    void OnDelGoods();
    void OnSave();
    ETCTypeRecord entered() const;
    QString valueMissingText() const;

    const int m_kind;
    ETCTypeStore m_store;
    ETCTypeRecord m_saved; // as loaded, then as saved
    QList<int> m_stores;
    QList<BaseInfoItem> m_goods;
    bool m_readOnly = false;
    QTabWidget* m_pages;
    QWidget* m_basics;
    QWidget* m_goodsPage;
    QWidget* m_memberPage;
    QWidget* m_expiryPage;
    QLineEdit* m_name;
    QLineEdit* m_comment;
    QLabel* m_valueLabel;
    QLabel* m_valueMark;
    QLabel* m_valueHint;
    QLineEdit* m_saleStart;
    QLineEdit* m_storeNames;
    QPushButton* m_pickStores;
    QCheckBox* m_partGoods;
    QCheckBox* m_memberTypes;
    QCheckBox* m_specialPrice;
    QCheckBox* m_earnsPoints;
    QCheckBox* m_expiry;
    QCheckBox* m_bindMember;
    QCheckBox* m_autoCreate;
    QLabel* m_note;
    QTableView* m_goodsGrid;
    TQueryGridModel* m_goodsModel;
    QPushButton* m_addGoods;
    QPushButton* m_delGoods;
    QTableView* m_memberGrid;
    TQueryGridModel* m_memberModel;
    QRadioButton* m_byDays;
    QRadioButton* m_byDate;
    QLineEdit* m_days;
    QDateEdit* m_date;
    QPushButton* m_ok;
};
