#pragma once

#include "host/sdk/ui/TBaseDialog.h"

class QComboBox;
class QLineEdit;
class QPushButton;

// Who works, and at which store: the user code, the password and the store ("总部"
// is the head office). The login service checks them and fills the session; a
// refusal keeps the dialog open for another try.
class LoginDialog final : public TBaseDialog {
    Q_OBJECT

public:
    explicit LoginDialog(QWidget* parent = nullptr);

private:
    void loadStores();
    void OnLogin();

    QLineEdit* m_userCode;
    QLineEdit* m_password;
    QComboBox* m_store;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
