#pragma once

#include "host/sdk/ui/TBaseDialog.h"

class QLabel;
class QLineEdit;

// "积分调整": adds points to a member card or takes them off by hand. The card is
// found by its number (typed, picked from the member search, read from an IC
// card) and checked (VipPointsCardCheck, the store); a "-" before the points
// deducts them, never more than the card holds. The change goes to the points
// ledger through InsertVipTotalChangeInfo; the head office and the member notice
// follow the save and never undo it.
class TfrmVipTotalAdjust : public TBaseDialog {
    Q_OBJECT

public:
    explicit TfrmVipTotalAdjust(QWidget* parent = nullptr);

    // Sets the mode (0 add, 1 deduct, 2 adjust by the sign) and the caption.
    void SetChangeType(int changeType);
    // Puts a card number in and looks the card up; false when it was refused.
    bool OpenCard(const QString& cardNo);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    QString PrintTemplateName() const override;
    void PrintItems(TParamObject& items) const override;

private:
    void OnCardLeft();
    void OnReadIC();
    void OnPrint();
    void OnSave();
    void PickByText();
    // The card lookup: shows the card, or refuses it and clears what is shown.
    bool lookUp();
    void clearCard();
    void showPointsColour();
    // The entry's type: deducted when it holds '-', else added.
    int entryType() const;

    QLineEdit* m_cardNo;
    QLineEdit* m_points;
    QLineEdit* m_memo;
    QLineEdit* m_openDate;
    QLineEdit* m_changeDate;
    QLabel* m_typeName;
    QLabel* m_holder;
    QLabel* m_identity;
    QLabel* m_tel;
    QLabel* m_ljIntegral;
    QLabel* m_available;
    int m_changeType = 2;
    QString m_foundCardNo; // the card the shown values belong to, empty when none
    int m_cardId = 0;
    int m_availablePoints = 0;
    bool m_picking = false; // a picker or the IC window has the focus
};
