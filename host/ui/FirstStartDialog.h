#pragma once

#include "host/sdk/ui/TBaseDialog.h"

class QLineEdit;

// The first start on a database without an administrator: before anything else the
// person setting it up names the administrator and chooses its password, so no
// published default ever opens a new database.
class FirstStartDialog final : public TBaseDialog {
    Q_OBJECT

public:
    explicit FirstStartDialog(QWidget* parent = nullptr);

    // True when the database has an administrator, made now through the dialog if it
    // had none; false when the user gave up or, headless, nobody could be asked.
    static bool EnsureAdministrator();

private:
    void OnConfirm();

    QLineEdit* m_code;
    QLineEdit* m_name;
    QLineEdit* m_password;
    QLineEdit* m_again;
};
