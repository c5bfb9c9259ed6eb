#pragma once

#include "host/sdk/ui/TBaseDialog.h"
#include "vip/storedvalue/VipCzStore.h"

class QLabel;
class QLineEdit;

// The stored-value password of one card: asked for (check mode, only "输入密码"),
// or changed (the old one and the new one twice). The password is compared with
// the card's salted hash by the database, which counts wrong entries and locks the
// card's stored value after the fifth in a row; nothing typed is kept or shown.
class TFrmChangeCzPass : public TBaseDialog {
    Q_OBJECT

public:
    enum Mode { Check, Change };
    TFrmChangeCzPass(Mode mode, int cardId, const QString& cardNo, int posId, QWidget* parent = nullptr);

    // What a user hears once the card is locked, with the way to have it opened.
    static QString LockedText();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onConfirm();
    void confirmCheck();
    void confirmChange();
    // Tells a wrong or locked answer; a locked card ends the dialog.
    void refuseAnswer(VipCzStore::PasswordResult result, QLineEdit* field, const QString& wrongText);

    VipCzStore m_store;
    const Mode m_mode;
    const int m_cardId;
    const QString m_cardNo;
    const int m_posId;
    QLineEdit* m_old;
    QLineEdit* m_new;
    QLineEdit* m_newTwo;
};
