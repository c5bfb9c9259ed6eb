#pragma once

#include "host/sdk/ui/TBaseDialog.h"
#include "vip/points/ExchangeRuleModel.h"

#include <QHash>

class ExchangeRuleGrid;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QStackedWidget;

// "积分兑换设置": one group of exchange rules of a card type, for one exchange way
// (cash, stored value, goods or coupon cards), each way on a grid of its own. The
// group is saved whole: its rules replace the live ones, under the same group id.
// Opened on one stored-value rule to switch its automatic exchange, it saves that
// switch and nothing else.
class TFExchange : public TBaseDialog {
    Q_OBJECT

public:
    explicit TFExchange(QWidget* parent = nullptr);

    // Loads the group (empty: a new one of the way) for the card type. With
    // 'onlyAutomatic', a rule id and the stored-value way, only "自动兑换" can change.
    void Setup(int ctypeId, const QString& typeName, int exchangeId, int changeType, const QString& groupId,
               bool onlyAutomatic);

private:
    void OnWayChanged();
    void OnDeleteRow();
    void OnSave();
    void chooseItem(ExchangeRuleGrid* grid, int row);
    void chooseProducts(ExchangeRuleGrid* grid, int row);
    void chooseCoupon(ExchangeRuleGrid* grid, int row);
    ExchangeRuleGrid* currentGrid() const;
    // Refuses what the save may not take, at its field or cell; the filled rules.
    QList<ExchangeRule> checkedRules();
    [[noreturn]] void refuseAt(int row, ExchangeRuleModel::Field field, const QString& text);
    [[noreturn]] void refuseSaved(int result, int row);

    QLineEdit* m_typeName;
    QDateEdit* m_start;
    QDateEdit* m_end;
    QLineEdit* m_memo;
    QComboBox* m_way;
    QCheckBox* m_czAuto;
    QStackedWidget* m_pages;
    QHash<int, ExchangeRuleGrid*> m_grids;
    QList<int> m_rowsOfRules; // the grid row of each checked rule, for the save's refusals
    ExchangeGroup m_group;
    int m_exchangeId = 0;
    bool m_onlyAutomatic = false;
};
