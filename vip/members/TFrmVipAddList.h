#pragma once

#include "host/sdk/ui/TBaseDialog.h"
#include "vip/members/VipCardNumberRule.h"
#include "vip/members/VipCardStore.h"

#include <QPointer>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class VipAddListGrid;
class TBaseQuery;
class VipBatchIssueThread;
class VipStoredValueBox;

// The batch issue ("批量发卡"): many cards of one type, numbered from a prefix and a
// serial. The numbers are previewed in the grid first; "生成" then writes them on a
// worker thread with a connection of its own, the progress bar following, until
// the end or "中止". The dialog cannot be closed while a run is in progress.
class TFrmVipAddList : public TBaseDialog {
    Q_OBJECT

public:
    // 'list' is reloaded on the first card written after each run (may be null).
    explicit TFrmVipAddList(TBaseQuery* list, QWidget* parent = nullptr);
    ~TFrmVipAddList() override;

    // Whether a run was started while the dialog was open.
    bool RunStarted() const { return m_runStarted; }

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildFields();
    void loadIssuingStores();

    void OnCardTypeClicked();
    void OnPreview();
    void OnGenerate();
    void checkInput();
    VipCardNumberRule rule() const;
    void refreshPreviewText();
    void onStartLeft();
    void onEndLeft();
    void fillGrid(const QStringList& numbers);
    static QString randomDigits(int digits);

    void startRun();
    void onRunFinished();
    void setRunning(bool running);
    VipCardStore::CardFields pattern() const;

    VipCardStore m_store;
    QPointer<TBaseQuery> m_list;
    VipCardStore::TypeFlags m_type;
    bool m_runStarted = false;
    bool m_running = false;
    QString m_previewError;
    VipBatchIssueThread* m_thread = nullptr;

    QLineEdit* m_cardType;
    QPushButton* m_typeButton;
    QDateEdit* m_validity;
    QDateEdit* m_bulid;
    QLineEdit* m_prefix;
    QLineEdit* m_width;
    QLineEdit* m_start;
    QLineEdit* m_end;
    QLineEdit* m_step;
    QLineEdit* m_quantity;
    VipStoredValueBox* m_czBox;
    QCheckBox* m_sameBarCode;
    QCheckBox* m_randomBarCode;
    QLineEdit* m_digits;
    QCheckBox* m_filter;
    QLineEdit* m_filterDigits;
    QCheckBox* m_life;
    QLabel* m_activePosLabel;
    QComboBox* m_activePos;
    QPlainTextEdit* m_previewText;
    VipAddListGrid* m_grid;
    QTableView* m_gridView;
    QProgressBar* m_progress;
    QPushButton* m_previewButton;
    QPushButton* m_generateButton;
    QPushButton* m_exitButton;
};
