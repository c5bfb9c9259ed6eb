#pragma once

#include "host/sdk/ui/TBaseDialog.h"

#include <QString>

class QLineEdit;

// A new password typed twice. For one's own password ("修改密码") the old one is
// asked first; the administrator resetting another user's ("重设密码") is not asked
// for it. Either way the new password follows the login rule and is kept hashed;
// a refusal keeps the dialog open.
class ChangePasswordDialog final : public TBaseDialog {
    Q_OBJECT

public:
    // One's own password.
    explicit ChangePasswordDialog(QWidget* parent = nullptr);
    // The administrator's reset of user 'userRec' ('userCode' names them in the title).
    ChangePasswordDialog(int userRec, const QString& userCode, QWidget* parent = nullptr);

private:
    void build();
    void OnConfirm();

    int m_userRec = 0;
    QLineEdit* m_oldPassword = nullptr;
    QLineEdit* m_newPassword;
    QLineEdit* m_again;
};
