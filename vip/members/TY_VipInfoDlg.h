#pragma once

#include "host/sdk/ui/TBaseDialog.h"
#include "vip/members/TEditItems.h"
#include "vip/members/VipCardChangeLog.h"
#include "vip/members/VipCardStore.h"
#include "vip/members/VipCardWriter.h"

class ClientDataSet;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;
class TBaseQuery;
class TPicturePage;
class VipCustomPage;
class VipStoredValueBox;

// The member card editor ("会员卡管理"): issues new cards, changes a card picked in
// the member list, and issues a card that exists unactivated by its number
// ("会员发卡"). Saving checks the entries in a fixed order, then writes the card
// and everything that depends on it in one transaction; notices and the head
// office hear of it only once it is committed. A refused save keeps every entry.
class TY_VipInfoDlg : public TBaseDialog {
    Q_OBJECT

public:
    explicit TY_VipInfoDlg(QWidget* parent = nullptr);

    // Changes the card with this record id, opened from a member list (or none).
    void SetModify(int cardId, TBaseQuery* list);
    // A new card from a member list, which is refreshed after each save.
    void SetList(TBaseQuery* list) { m_list = list; }
    // Issues a card by its number: 'cardNo' (may be empty) is looked up as soon as
    // the editor opens. 'issueAction': opened by the card-issue action.
    void SetIssueByNumber(const QString& cardNo, int purpose, bool closeAfterSave, bool issueAction);

    // Whether a save went through while the editor was open, and the number saved last.
    bool Saved() const { return m_saved; }
    QString SavedCardNo() const { return m_savedCardNo; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildMainPage();
    QGroupBox* buildFlagsBox();
    QGroupBox* buildCommentBox();
    QLabel* marker(const char* name);

    void FormShow();
    void InitEditItems();
    void SetLife();
    void LoadData(const ClientDataSet& card);
    void loadIssuingStores(int shownStore, bool locked);
    void showTypeFlags(const VipCardStore::TypeFlags& type);
    void watchForActivation();
    void clearForm();
    QStringList loggedValues() const;

    void CardNoEditExit();
    void VIpCardExit();
    void listCandidates(const QString& cardNo);
    void pickCandidate(int row);
    void OnTypeClicked();
    void OnIntroducerExit();
    void OnICCard();
    void onLifeToggled();
    void applyIssueTotals();

    void OnSave();
    void checkEntries();
    QString cardNumberField() const;
    VipCardStore::CardFields cardFields(const QString& editType) const;
    // Tells why the card was not written, at the field concerned; returns for 0.
    void refuseWrite(int result, bool existing);
    VipCardWriter::Dependents dependents(bool existing) const;
    void saveNew();
    void saveExisting();
    void afterCommit(const VipCardStore::CardFields& card, int cardId, bool notify);

    VipCardStore m_store;
    TEditItems m_items;
    VipCardChangeLog m_log;
    TBaseQuery* m_list = nullptr;

    bool m_modify = false;
    bool m_issueByNumber = false;
    bool m_issueAction = false;
    bool m_closeAfterSave = false;
    bool m_shown = false;
    bool m_loading = false;
    bool m_watching = false;
    bool m_saved = false;
    bool m_existing = false;
    int m_purpose = 0;
    QString m_givenNumber;
    QString m_savedCardNo;
    QString m_lookedUp;

    int m_cardId = 0;
    QString m_cardGuid;
    int m_typeId = 0;
    bool m_lose = false;
    bool m_stopUse = false;
    int m_isUse = 0;
    int m_isLife = 0;
    int m_introducerId = 0;
    QString m_introducerText;
    int m_jsReward = -1;
    QString m_loadedNumber;

    QTabWidget* m_pages;
    VipCustomPage* m_customPage;
    TPicturePage* m_picturePage;
    QLineEdit* m_cardNo;
    QLineEdit* m_enterCardNo;
    QLineEdit* m_bulidDate;
    QLineEdit* m_validityDate;
    QLineEdit* m_cardType;
    QPushButton* m_typeButton;
    QLineEdit* m_discount;
    QLineEdit* m_name;
    QLineEdit* m_tel;
    QLineEdit* m_identity;
    QComboBox* m_partner;
    QLineEdit* m_email;
    QLineEdit* m_address;
    QComboBox* m_sex;
    QLineEdit* m_barCode;
    QLineEdit* m_introducer;
    QComboBox* m_activePos;
    QLabel* m_activePosMarker;
    QCheckBox* m_lunar;
    QLineEdit* m_birthday;
    QLabel* m_jsNum;
    QCheckBox* m_fixedDiscount;
    QCheckBox* m_memberTotal;
    QCheckBox* m_integral;
    QCheckBox* m_vipPrice;
    QCheckBox* m_ptypeDiscount;
    QCheckBox* m_autoDiscount;
    QCheckBox* m_oneOff;
    QCheckBox* m_life;
    VipStoredValueBox* m_czBox;
    QPlainTextEdit* m_comment;
    QTableWidget* m_candidates;
    QPushButton* m_icButton;
};
