#pragma once

#include "host/sdk/ui/TBaseDialog.h"

#include <QDateTime>
#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;

// Who works, and at which store: the user code, the password and the store ("总部"
// is the head office). The login service checks them and fills the session; a
// refusal keeps the dialog open for another try. The last good login's user and
// store are offered again on this workstation. Each failure in a row makes the
// dialog wait longer before it takes the next try (LoginService::RetryDelaySeconds),
// without freezing the screen: a try that comes too early is refused with a box.
class LoginDialog final : public TBaseDialog {
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    explicit LoginDialog(QWidget* parent = nullptr);
    // Where the dialog reads the time; tests move it on by hand.
    void SetClock(Clock clock) { m_clock = std::move(clock); }

private:
    void loadStores();
    void recallLastLogin();
    void OnLogin();
    // Whether the wait after the last failure is over; if not, the user is told.
    bool waited();

    QLineEdit* m_userCode;
    QLineEdit* m_password;
    QComboBox* m_store;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    Clock m_clock = &QDateTime::currentDateTimeUtc;
    int m_failures = 0;
    QDateTime m_nextTry;
};
