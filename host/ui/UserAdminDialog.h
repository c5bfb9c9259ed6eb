#pragma once

#include "host/sdk/ui/TBaseDialog.h"
#include "host/services/UserAdmin.h"

class QTableWidget;

// "用户管理": the administrator's list of login users (code, name, administrator,
// disabled, locked, stores) with adding, editing, disabling and enabling, removing,
// resetting a password and unlocking. Every action is the UserAdmin service's,
// which checks again that the one acting is an administrator.
class UserAdminDialog final : public TBaseDialog {
    Q_OBJECT

public:
    explicit UserAdminDialog(QWidget* parent = nullptr);

    // Reads the users again and selects 'rec' (or keeps the current row).
    void Reload(int rec = 0);

private:
    // The selected user; an action without one ends with a box.
    UserAccount current();
    void OnAdd();
    void OnEdit();
    void OnDisable();
    void OnRemove();
    void OnResetPassword();
    void OnUnlock();
    // A refused write ends the action with the service's words.
    void check(int result);

    QTableWidget* m_grid;
    QList<UserAccount> m_users;
};
