#pragma once

#include "host/sdk/ui/TBaseDialog.h"
#include "host/services/UserAdmin.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QTreeWidget;

// Adds or edits one login user: code, name, administrator, the first password (new
// users only), the stores the user may log in at and the rights, a check list
// grouped by the menus and named after the windows and functions each right opens.
// It saves on its own confirm and stays open with everything typed when refused.
class UserEditDialog final : public TBaseDialog {
    Q_OBJECT

public:
    // 'account' with rec 0 adds a user.
    explicit UserEditDialog(const UserAccount& account, QWidget* parent = nullptr);

    int SavedRec() const { return m_account.rec; }

private:
    void fillStores();
    void fillRights();
    void OnConfirm();

    UserAccount m_account;
    QLineEdit* m_code;
    QLineEdit* m_name;
    QCheckBox* m_admin;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_again = nullptr;
    QCheckBox* m_allStores;
    QListWidget* m_stores;
    QTreeWidget* m_rights;
};
