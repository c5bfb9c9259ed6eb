#include "host/services/UserAdmin.h"

#include "host/data/Database.h"
#include "host/data/Dialect.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/SysLog.h"
#include "host/sdk/Transaction.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/VipCodes.h"
#include "host/services/LoginService.h"
#include "host/services/PasswordHash.h"

#include <algorithm>

namespace {

QList<int> intColumn(DataModule& data, const QString& sql, const QString& field, int rec) {
    ClientDataSet rows;
    data.OpenSQL(sql, rows, {rec});
    QList<int> values;
    for (rows.First(); !rows.Eof(); rows.Next())
        values.append(rows.FieldByName(field).AsInteger());
    return values;
}

} // namespace

QList<UserAccount> UserAdmin::List() {
    ClientDataSet rows;
    m_data.OpenSQL(QStringLiteral("SELECT rec FROM loginuser WHERE deleted = 0 ORDER BY UserCode"), rows);
    QList<UserAccount> users;
    for (rows.First(); !rows.Eof(); rows.Next())
        users.append(Load(rows.FieldByName(QStringLiteral("rec")).AsInteger()));
    return users;
}

UserAccount UserAdmin::Load(int rec) {
    ClientDataSet row;
    m_data.OpenSQL(QStringLiteral("SELECT rec, UserCode, UserName, IsAdmin, Disabled, Locked, AllStores "
                                  "FROM loginuser WHERE rec = ? AND deleted = 0"),
                   row, {rec});
    UserAccount account;
    if (row.IsEmpty())
        return account;
    account.rec = rec;
    account.code = row.FieldByName(QStringLiteral("UserCode")).AsString();
    account.name = row.FieldByName(QStringLiteral("UserName")).AsString();
    account.admin = row.FieldByName(QStringLiteral("IsAdmin")).AsBoolean();
    account.disabled = row.FieldByName(QStringLiteral("Disabled")).AsBoolean();
    account.locked = row.FieldByName(QStringLiteral("Locked")).AsBoolean();
    account.allStores = row.FieldByName(QStringLiteral("AllStores")).AsBoolean();
    account.stores =
        intColumn(m_data, QStringLiteral("SELECT PosId FROM userpos WHERE UserRec = ? ORDER BY PosId"),
                  QStringLiteral("PosId"), rec);
    account.rights =
        intColumn(m_data, QStringLiteral("SELECT LimitNo FROM userlimit WHERE UserRec = ? ORDER BY LimitNo"),
                  QStringLiteral("LimitNo"), rec);
    return account;
}

int UserAdmin::Save(const UserAccount& account, const QString& password) {
    const QString code = account.code.trimmed();
    const QString name = account.name.trimmed();
    if (code.isEmpty() || name.isEmpty())
        return EmptyCodeOrName;
    Transaction transaction(m_data);
    if (!lockAdministrators())
        return NotAllowed;
    if (codeTaken(code, account.rec))
        return CodeTaken;
    int rec = account.rec;
    if (rec == 0) {
        if (!LoginService::AcceptablePassword(password))
            return WeakPassword;
        rec = insertUser(code, name, account.admin, password);
        m_data.ExecuteSQL(QStringLiteral("UPDATE loginuser SET AllStores = ? WHERE rec = ?"),
                          {account.allStores, rec});
        log(QStringLiteral("新增用户 %1").arg(code));
    } else {
        const UserAccount before = Load(rec);
        if (before.rec == 0)
            return NotFound;
        if (before.admin && !account.admin && rec == Ucomvar().nLoginUserRec)
            return Yourself;
        m_data.ExecuteSQL(
            QStringLiteral("UPDATE loginuser SET UserCode = ?, UserName = ?, IsAdmin = ?, AllStores = ? "
                           "WHERE rec = ?"),
            {code, name, account.admin, account.allStores, rec});
        log(QStringLiteral("修改用户 %1").arg(code));
    }
    writeStoresAndRights(account, rec);
    transaction.Commit();
    return rec;
}

int UserAdmin::SetDisabled(int rec, bool disabled) {
    Transaction transaction(m_data);
    if (!lockAdministrators())
        return NotAllowed;
    const UserAccount user = Load(rec);
    if (user.rec == 0)
        return NotFound;
    if (disabled && rec == Ucomvar().nLoginUserRec)
        return Yourself;
    m_data.ExecuteSQL(QStringLiteral("UPDATE loginuser SET Disabled = ? WHERE rec = ?"), {disabled, rec});
    log((disabled ? QStringLiteral("停用用户 %1") : QStringLiteral("启用用户 %1")).arg(user.code));
    transaction.Commit();
    return rec;
}

int UserAdmin::Remove(int rec) {
    Transaction transaction(m_data);
    if (!lockAdministrators())
        return NotAllowed;
    const UserAccount user = Load(rec);
    if (user.rec == 0)
        return NotFound;
    if (rec == Ucomvar().nLoginUserRec)
        return Yourself;
    // The row stays for the log lines and records that name it; the code is free again.
    m_data.ExecuteSQL(QStringLiteral("UPDATE loginuser SET deleted = 1 WHERE rec = ?"), {rec});
    for (const QString& table : {QStringLiteral("userlimit"), QStringLiteral("userbilllimit")})
        m_data.ExecuteSQL(QStringLiteral("DELETE FROM %1 WHERE UserRec = ?").arg(table), {rec});
    m_data.ExecuteSQL(QStringLiteral("DELETE FROM userpos WHERE UserRec = ?"), {rec});
    log(QStringLiteral("删除用户 %1").arg(user.code));
    transaction.Commit();
    return rec;
}

int UserAdmin::ResetPassword(int rec, const QString& password) {
    if (!LoginService::AcceptablePassword(password))
        return WeakPassword;
    Transaction transaction(m_data);
    if (!lockAdministrators())
        return NotAllowed;
    const UserAccount user = Load(rec);
    if (user.rec == 0)
        return NotFound;
    m_data.ExecuteSQL(
        QStringLiteral("UPDATE loginuser SET PasswordSalt = '', PasswordHash = ? WHERE rec = ?"),
        {PasswordHash::hash(password), rec});
    log(QStringLiteral("重设用户 %1 的密码").arg(user.code));
    transaction.Commit();
    return rec;
}

int UserAdmin::Unlock(int rec) {
    Transaction transaction(m_data);
    if (!lockAdministrators())
        return NotAllowed;
    if (Load(rec).rec == 0)
        return NotFound;
    LoginService::Unlock(m_data, rec);
    transaction.Commit();
    return rec;
}

bool UserAdmin::HasAdministrator() {
    return m_data.OpenSQLAsInt(
               QStringLiteral("SELECT COUNT(*) FROM loginuser WHERE IsAdmin = 1 AND deleted = 0 "
                              "AND Disabled = 0")) > 0;
}

int UserAdmin::CreateFirstAdministrator(const QString& code, const QString& name, const QString& password) {
    if (code.trimmed().isEmpty() || name.trimmed().isEmpty())
        return EmptyCodeOrName;
    if (!LoginService::AcceptablePassword(password))
        return WeakPassword;
    Transaction transaction(m_data);
    // Asked again inside the transaction: a second first start made meanwhile stands.
    lockAdministrators();
    if (HasAdministrator())
        return AdministratorExists;
    if (codeTaken(code.trimmed(), 0))
        return CodeTaken;
    const int rec = insertUser(code.trimmed(), name.trimmed(), true, password);
    TSysLog::LocalLogOper(rec, LogKind::Logins,
                          QStringLiteral("首次启动，建立系统管理员 %1").arg(code.trimmed()));
    transaction.Commit();
    return rec;
}

int UserAdmin::SetPasswordOf(const QString& code, const QString& password) {
    if (!LoginService::AcceptablePassword(password))
        return WeakPassword;
    Transaction transaction(m_data);
    const int rec = m_data.OpenSQLAsInt(
        QStringLiteral("SELECT rec FROM loginuser WHERE UserCode = ? AND deleted = 0"), {code.trimmed()});
    if (rec == 0) {
        lockAdministrators();
        if (HasAdministrator())
            return NotFound;
        const int created = insertUser(code.trimmed(), QStringLiteral("系统管理员"), true, password);
        TSysLog::LocalLogOper(created, LogKind::Logins,
                              QStringLiteral("命令行建立系统管理员 %1").arg(code.trimmed()));
        transaction.Commit();
        return created;
    }
    m_data.ExecuteSQL(QStringLiteral("UPDATE loginuser SET PasswordSalt = '', PasswordHash = ?, Locked = 0, "
                                     "FailedLogins = 0 WHERE rec = ?"),
                      {PasswordHash::hash(password), rec});
    TSysLog::LocalLogOper(rec, LogKind::Logins,
                          QStringLiteral("命令行设置用户 %1 的密码").arg(code.trimmed()));
    transaction.Commit();
    return rec;
}

QString UserAdmin::Message(int result) {
    switch (result) {
    case NotAllowed:
        return QStringLiteral("您没有当前操作的权限");
    case NotFound:
        return QStringLiteral("该用户不存在或已被删除。");
    case CodeTaken:
        return QStringLiteral("用户编号已被其他用户使用，请换一个。");
    case Yourself:
        return QStringLiteral("不能停用、删除自己，也不能取消自己的管理员身份。");
    case WeakPassword:
        return LoginService::PasswordRuleText;
    case EmptyCodeOrName:
        return QStringLiteral("请输入用户编号和用户名称。");
    case AdministratorExists:
        return QStringLiteral("数据库中已有系统管理员。");
    default:
        return {};
    }
}

bool UserAdmin::lockAdministrators() {
    ClientDataSet rows;
    m_data.OpenSQL(
        QStringLiteral("SELECT rec FROM loginuser WHERE IsAdmin = 1 AND deleted = 0 AND Disabled = 0") +
            m_data.database().dialect().forUpdate(),
        rows);
    return rows.Locate(QStringLiteral("rec"), {Ucomvar().nLoginUserRec});
}

bool UserAdmin::codeTaken(const QString& code, int rec) {
    return m_data.OpenSQLAsInt(
               QStringLiteral(
                   "SELECT COUNT(*) FROM loginuser WHERE UserCode = ? AND deleted = 0 AND rec <> ?"),
               {code, rec}) > 0;
}

int UserAdmin::insertUser(const QString& code, const QString& name, bool admin, const QString& password) {
    return m_data.OpenSQLAsInt(QStringLiteral("INSERT INTO loginuser (UserCode, UserName, PasswordSalt, "
                                              "PasswordHash, IsAdmin) VALUES (?, ?, '', ?, ?) RETURNING rec"),
                               {code, name, PasswordHash::hash(password), admin});
}

void UserAdmin::writeStoresAndRights(const UserAccount& account, int rec) {
    m_data.ExecuteSQL(QStringLiteral("DELETE FROM userpos WHERE UserRec = ?"), {rec});
    if (!account.allStores) {
        for (int store : account.stores)
            m_data.ExecuteSQL(QStringLiteral("INSERT INTO userpos (UserRec, PosId) VALUES (?, ?)"),
                              {rec, store});
    }
    m_data.ExecuteSQL(QStringLiteral("DELETE FROM userlimit WHERE UserRec = ?"), {rec});
    QList<int> rights = account.rights;
    std::sort(rights.begin(), rights.end());
    rights.erase(std::unique(rights.begin(), rights.end()), rights.end());
    for (int right : rights)
        m_data.ExecuteSQL(QStringLiteral("INSERT INTO userlimit (UserRec, LimitNo) VALUES (?, ?)"),
                          {rec, right});
}

void UserAdmin::log(const QString& text) {
    TSysLog::LocalLogOper(Ucomvar().nLoginUserRec, LogKind::Logins, text);
}
