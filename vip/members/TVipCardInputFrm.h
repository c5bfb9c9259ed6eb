#pragma once

#include "host/sdk/VRecord.h"
#include "host/sdk/ui/TBaseDialog.h"

class QLineEdit;

// "会员卡录入": the card number of a sales bill. Without right 567 only a card
// reader's burst of keys is taken (ReaderOnlyInput); "IC读卡[F11]" reads an IC card.
// Confirming looks the number up exactly, else searches for it, and refuses a card
// that is lost, stopped, expired, not activated or not yet issued.
class TVipCardInputFrm : public TBaseDialog {
    Q_OBJECT

public:
    explicit TVipCardInputFrm(QWidget* parent = nullptr);

    // The accepted member, after the dialog closed with mrOk.
    const VRecord& Record() const { return m_record; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnConfirm();
    void OnReadIC();
    // The exact lookup: true when exactly one live card has the number.
    bool findExactly();
    // The first reason the found card cannot be used on a bill; refuses at the field.
    void checkUsable();

    QLineEdit* m_cardNo;
    VRecord m_record;
    bool m_activated = false;
};
