#include "host/services/LoginService.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/SysLog.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/VipCodes.h"
#include "host/services/PasswordHash.h"

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
    m_data.OpenSQL(QStringLiteral("SELECT rec, UserCode, UserName, PasswordSalt, PasswordHash, Locked "
                                  "FROM loginuser WHERE UserCode = ? AND deleted = 0"),
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
