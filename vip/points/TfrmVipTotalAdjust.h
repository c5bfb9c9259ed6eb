#pragma once

#include "host/sdk/ui/TBaseDialog.h"

#include <functional>

class QFormLayout;
class QLabel;
class QLineEdit;
class QVBoxLayout;

// "积分调整": adds points to a member card or takes them off by hand. The card is
// found by its number (typed, picked from the member search, read from an IC
// card) and checked (VipPointsCardCheck, the store); a "-" before the points
// deducts them, never more than the card holds. The change goes to the points
// ledger through InsertVipTotalChangeInfo; the head office and the member notice
// follow the save and never undo it. The exchange dialog stands on the same card
// lookup, change record and follow-ups.
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

    // After a card was found and shown.
    virtual void CardShown() {}
    // After the shown card values were cleared (a refused lookup, an emptied number).
    virtual void CardCleared() {}
    // Leaving the card number edit empty.
    virtual void CardNumberEmptied() { clearCard(); }
    virtual void OnSave();

    // The card lookup: shows the card, or refuses it and clears what is shown.
    bool lookUp();
    void clearCard();
    // The card number checked, and its card looked up again when the number changed
    // since; ends the action when either fails.
    void requireCard();
    // Writes an addition or a deduction (0 or 1) and closes; a card that meanwhile
    // holds fewer points is shown again and the entry refused.
    void saveChange(int type, int points);
    // What follows a saved change, in order: the head office told of the change (not
    // for stored value on a store's own card), 'beforeNotice', the member notice, the
    // head office told of the change type.
    void followUp(int newId, int type, const std::function<void()>& beforeNotice = {});
    void refusePoints(const QString& text);
    // Inserts a part of the dialog above its buttons.
    void addSection(QWidget* section);

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
    // Says a minus sign deducts; the exchanges take no sign.
    QLabel* m_minusHint = nullptr;
    QFormLayout* m_form;
    int m_changeType = 2;
    QString m_foundCardNo; // the card the shown values belong to, empty when none
    int m_cardId = 0;
    int m_cardType = 0;
    int m_cardPosId = 0;
    int m_availablePoints = 0;

private:
    void OnCardLeft();
    void OnReadIC();
    void OnPrint();
    void PickByText();
    void showPointsColour();
    // The entry's type: deducted when it holds '-', else added.
    int entryType() const;

    QVBoxLayout* m_layout;
    bool m_picking = false; // a picker or the IC window has the focus
};
