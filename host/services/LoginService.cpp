#include "host/services/LoginService.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/SysLog.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/VipCodes.h"
#include "host/services/PasswordHash.h"

#include <algorithm>

namespace {

const QString Caption = QStringLiteral("登录");
const QString WrongCodeOrPassword = QStringLiteral("用户编号或密码错误，请重新输入。");
const QString LockedText = QStringLiteral("该用户连续多次输错密码，已被锁定。请联系系统管理员解锁。");

bool refuse(const QString& text) {
    Messagebox(text, Caption, MB::Ok | MB::IconWarning);
    return false;
}

} // namespace

bool LoginService::LogIn(const QString& userCode, const QString& password, int posId) {
    const QString code = userCode.trimmed();
    if (code.isEmpty())
        return refuse(QStringLiteral("请输入用户编号。"));

    ClientDataSet user;
    m_data.OpenSQL(QStringLiteral("SELECT rec, UserCode, UserName, PasswordSalt, PasswordHash, Locked, "
                                  "Disabled, AllStores FROM loginuser WHERE UserCode = ? AND deleted = 0"),
                   user, {code});
    if (user.IsEmpty())
        return refuse(WrongCodeOrPassword);
    const int rec = user.FieldByName(QStringLiteral("rec")).AsInteger();
    if (user.FieldByName(QStringLiteral("Locked")).AsBoolean())
        return refuse(LockedText);
    const QString stored = user.FieldByName(QStringLiteral("PasswordHash")).AsString();
    if (!PasswordHash::matches(user.FieldByName(QStringLiteral("PasswordSalt")).AsString(), stored,
                               password)) {
        // The attempt that locks the account says so at once.
        return refuse(recordFailure(rec, code) ? LockedText : WrongCodeOrPassword);
    }
    if (user.FieldByName(QStringLiteral("Disabled")).AsBoolean())
        return refuse(QStringLiteral("该用户已停用。请联系系统管理员。"));
    if (!user.FieldByName(QStringLiteral("AllStores")).AsBoolean() &&
        m_data.OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM userpos WHERE UserRec = ? AND PosId = ?"),
                            {rec, posId}) == 0)
        return refuse(QStringLiteral("您不能登录所选门店，请重新选择门店。"));
    m_data.ExecuteSQL(QStringLiteral("UPDATE loginuser SET FailedLogins = 0 WHERE rec = ?"), {rec});
    if (PasswordHash::needsUpgrade(stored))
        m_data.ExecuteSQL(
            QStringLiteral("UPDATE loginuser SET PasswordSalt = '', PasswordHash = ? WHERE rec = ?"),
            {PasswordHash::hash(password), rec});

    QString posName = QStringLiteral("总部");
    int posType = 0;
    int connectType = 0;
    if (posId != 0) {
        ClientDataSet store;
        m_data.OpenSQL(
            QStringLiteral(
                "SELECT PosName, PosType, ConnectType FROM posinfo WHERE posid = ? AND deleted = 0"),
            store, {posId});
        if (store.IsEmpty())
            return refuse(QStringLiteral("所选门店不存在或已删除，请重新选择门店。"));
        posName = store.FieldByName(QStringLiteral("PosName")).AsString();
        posType = store.FieldByName(QStringLiteral("PosType")).AsInteger();
        connectType = store.FieldByName(QStringLiteral("ConnectType")).AsInteger();
    }
    // The store's own warehouse: the first live one it has, in the order they were made.
    const QString warehouse = m_data.OpenSQLAsStr(
        QStringLiteral("SELECT typeId FROM stock WHERE PosId = ? AND deleted = 0 ORDER BY rec"), {posId});

    TComVar& session = Ucomvar();
    session.szLoginUserId = user.FieldByName(QStringLiteral("UserCode")).AsString();
    session.szLoginUserName = user.FieldByName(QStringLiteral("UserName")).AsString();
    session.nLoginUserRec = user.FieldByName(QStringLiteral("rec")).AsInteger();
    session.lPublicPosid = posId;
    session.szPublicPosName = posName;
    session.lpostype = posType;
    session.lConnectType = connectType;
    session.szPublicPosKtype = warehouse;
    session.bNoVipKeyPress = false;
    return true;
}

bool LoginService::recordFailure(int rec, const QString& code) {
    // Counted and locked in one statement, so two tills guessing at once cannot
    // both slip under the limit.
    m_data.ExecuteSQL(QStringLiteral("UPDATE loginuser SET FailedLogins = FailedLogins + 1, "
                                     "Locked = CASE WHEN FailedLogins + 1 >= ? THEN 1 ELSE Locked END "
                                     "WHERE rec = ?"),
                      {MaxFailedLogins, rec});
    const bool locked =
        m_data.OpenSQLAsInt(QStringLiteral("SELECT Locked FROM loginuser WHERE rec = ?"), {rec}) != 0;
    TSysLog::LocalLogOper(rec, LogKind::Logins,
                          locked ? QStringLiteral("用户 %1 密码输错次数过多，已锁定").arg(code)
                                 : QStringLiteral("用户 %1 登录密码错误").arg(code));
    return locked;
}

int LoginService::RetryDelaySeconds(int failuresInARow) {
    if (failuresInARow <= 0)
        return 0;
    return std::min(1 << std::min(failuresInARow - 1, 5), 30);
}

const QString LoginService::PasswordRuleText =
    QStringLiteral("密码至少需要 %1 个字符。").arg(LoginService::MinPasswordLength);

bool LoginService::AcceptablePassword(const QString& password) {
    return password.size() >= MinPasswordLength;
}

bool LoginService::ChangePassword(const QString& oldPassword, const QString& newPassword) {
    const QString caption = QStringLiteral("修改密码");
    const int rec = Ucomvar().nLoginUserRec;
    ClientDataSet user;
    m_data.OpenSQL(QStringLiteral("SELECT PasswordSalt, PasswordHash FROM loginuser "
                                  "WHERE rec = ? AND deleted = 0 AND Disabled = 0"),
                   user, {rec});
    if (user.IsEmpty() ||
        !PasswordHash::matches(user.FieldByName(QStringLiteral("PasswordSalt")).AsString(),
                               user.FieldByName(QStringLiteral("PasswordHash")).AsString(), oldPassword)) {
        Messagebox(QStringLiteral("原密码错误。"), caption, MB::Ok | MB::IconWarning);
        return false;
    }
    if (!AcceptablePassword(newPassword)) {
        Messagebox(PasswordRuleText, caption, MB::Ok | MB::IconWarning);
        return false;
    }
    m_data.ExecuteSQL(
        QStringLiteral("UPDATE loginuser SET PasswordSalt = '', PasswordHash = ? WHERE rec = ?"),
        {PasswordHash::hash(newPassword), rec});
    TSysLog::LocalLogOper(rec, LogKind::Logins,
                          QStringLiteral("用户 %1 修改了自己的密码").arg(Ucomvar().szLoginUserId));
    return true;
}

void LoginService::Unlock(DataModule& data, int userRec) {
    data.ExecuteSQL(QStringLiteral("UPDATE loginuser SET Locked = 0, FailedLogins = 0 WHERE rec = ?"),
                    {userRec});
    TSysLog::LocalLogOper(Ucomvar().nLoginUserRec, LogKind::Logins,
                          QStringLiteral("解锁用户 %1").arg(userRec));
}

void LoginService::LogOut() {
    TComVar& session = Ucomvar();
    const TComVar empty;
    session.szLoginUserId = empty.szLoginUserId;
    session.szLoginUserName = empty.szLoginUserName;
    session.nLoginUserRec = empty.nLoginUserRec;
    session.lPublicPosid = empty.lPublicPosid;
    session.szPublicPosName = empty.szPublicPosName;
    session.lpostype = empty.lpostype;
    session.lConnectType = empty.lConnectType;
    session.szPublicPosKtype = empty.szPublicPosKtype;
    session.bNoVipKeyPress = empty.bNoVipKeyPress;
}
