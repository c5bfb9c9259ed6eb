#pragma once

#include "vip/storedvalue/TfrmCzServiceBase.h"

// Records that a member spent uses of the service items a card holds: each row
// shows the uses still valid, the spent ones are checked against them, and
// XF_CzServiceMainInsert takes them from the lots that end first (and refuses, under
// the card's lock, uses another workstation spent meanwhile). A card holding one
// item only opens with it in the first row.
class TfrmCzServiceConsume : public TfrmCzServiceBase {
    Q_OBJECT

public:
    explicit TfrmCzServiceConsume(QWidget* parent = nullptr);
    // The card given when the dialog opens needs no password typed, unless
    // 'passwordTyped' asks for it.
    void SetPasswordTyped(bool passwordTyped) { m_passwordTyped = passwordTyped; }
    void WaivePasswordFor(const QString& cardNo);

protected:
    void ItemPlaced(int row) override;
    void CellEdited(int row, const QString& field) override;
    void CardLoaded() override;
    void PasswordEntered() override;
    void CheckData() override;
    bool SaveData() override;
    bool GridHoldsEntries() const override;
    QString SwitchQuestion() const override;
    QString ProtectedColumn() const override;
    Money MoneyTotal() const override;
    void PrintSaved() override;
    void showEvent(QShowEvent* event) override;

private:
    void placeOnlyItem();
    void showHeld(int row);
    bool m_passwordTyped = false;
};
