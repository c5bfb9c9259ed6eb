#pragma once

#include <QList>
#include <QString>

class DataModule;

// One login user as the administrator sees and edits it.
struct UserAccount {
    int rec = 0;
    QString code;
    QString name;
    bool admin = false;
    bool disabled = false;
    bool locked = false;
    // False: only the stores listed (posinfo.posid, 0 for the head office).
    bool allStores = true;
    QList<int> stores;
    QList<int> rights;
};

// The administrator's work on login users: list, add and edit (name, code, stores,
// rights), disable, remove, reset a password, unlock. Each write runs in its own
// transaction and first checks, inside it, that the session's user is still a live
// administrator, so another workstation's demotion counts at once. An administrator
// cannot disable, remove or demote themselves; with the administrators' rows
// locked for the whole write, the one acting is always left, so the last
// administrator never goes. A write that is refused returns a negative Result and
// changes nothing; Message says why.
class UserAdmin {
public:
    enum Result {
        NotAllowed = -1,
        NotFound = -2,
        CodeTaken = -3,
        Yourself = -4,
        WeakPassword = -5,
        EmptyCodeOrName = -6,
        AdministratorExists = -7,
    };

    explicit UserAdmin(DataModule& data)
        : m_data(data) {}

    // Live users by code, stores and rights filled in.
    QList<UserAccount> List();
    // The live user, or one with rec 0 when there is none.
    UserAccount Load(int rec);

    // Adds the user (rec 0, with 'password') or updates it; the rec, or a Result.
    int Save(const UserAccount& account, const QString& password = {});
    int SetDisabled(int rec, bool disabled);
    int Remove(int rec);
    int ResetPassword(int rec, const QString& password);
    int Unlock(int rec);

    // Whether the database has a live administrator who can log in. A database
    // without one is new: its first user chooses their password, there is no
    // default to guess.
    bool HasAdministrator();
    // The first administrator, refused once there is one; no session needed.
    int CreateFirstAdministrator(const QString& code, const QString& name, const QString& password);
    // Sets the password of the live user 'code' (and lifts a lock), or, while the
    // database has no administrator, makes 'code' its first one. For the command
    // line, which runs with the database's own credentials.
    int SetPasswordOf(const QString& code, const QString& password);

    static QString Message(int result);

private:
    // Locks the live, enabled administrators' rows until the transaction ends (two
    // administrators removing each other queue up, and the second is no longer
    // one) and says whether the session's user is among them.
    bool lockAdministrators();
    bool codeTaken(const QString& code, int rec);
    int insertUser(const QString& code, const QString& name, bool admin, const QString& password);
    void writeStoresAndRights(const UserAccount& account, int rec);
    void log(const QString& text);

    DataModule& m_data;
};
