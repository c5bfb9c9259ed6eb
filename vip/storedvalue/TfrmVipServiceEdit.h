#pragma once

#include "host/sdk/ui/TBaseDialog.h"
#include "vip/storedvalue/VipCzStore.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableView;
class TVipServiceQuery;
class VipServiceRuleModel;

// What the service item rules dialog is opened for.
enum VSRuleOp { vsrAdd = 0, vsrEdit = 1, vsrBrowse = 2 };

// Creates, edits or shows one service item: the product it sells as uses, the least
// purchase, the gift mode and the ladder of purchase rules. The item and its whole
// ladder are saved in one transaction, so a refused rule leaves the item as it was.
// "保存新增" saves, selects the item in the list and starts the next one.
class TfrmVipServiceEdit : public TBaseDialog {
    Q_OBJECT

public:
    // 'prec': the item shown in edit and browse; 'list' is told of items saved
    // while the dialog stays open (may be null).
    TfrmVipServiceEdit(VSRuleOp op, int prec, TVipServiceQuery* list, QWidget* parent = nullptr);

    // The id of the item saved last; 0 before any save.
    int SavedId() const { return m_savedId; }

private:
    void setMode(VSRuleOp op);
    void loadItem(int prec);
    void clearForNext();
    void choosePtype();
    void onStartTimesExit();
    void onDeleteRow();
    void onPrint();
    void onSave(bool another);
    void checkData();
    int startTimes() const;

    VipCzStore m_store;
    TVipServiceQuery* m_list;
    VSRuleOp m_op = vsrAdd;
    int m_prec = 0;
    QString m_ptypeName;
    int m_savedId = 0;

    QLineEdit* m_ptype;
    QPushButton* m_ptypeButton;
    QLineEdit* m_startTimes;
    QLineEdit* m_oncePrice;
    QComboBox* m_discountType;
    VipServiceRuleModel* m_rules;
    QTableView* m_grid;
    QPushButton* m_save;
    QPushButton* m_saveNew;
    QPushButton* m_deleteRow;
};
