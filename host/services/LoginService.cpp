#include "host/services/LoginService.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/Ucomvar.h"
#include "host/services/PasswordHash.h"

namespace {

const QString Caption = QStringLiteral("登录");

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
    m_data.OpenSQL(QStringLiteral("SELECT rec, UserCode, UserName, PasswordSalt, PasswordHash FROM loginuser "
                                  "WHERE UserCode = ? AND deleted = 0"),
                   user, {code});
    if (user.IsEmpty() ||
        !PasswordHash::matches(user.FieldByName(QStringLiteral("PasswordSalt")).AsString(),
                               user.FieldByName(QStringLiteral("PasswordHash")).AsString(), password))
        return refuse(QStringLiteral("用户编号或密码错误，请重新输入。"));

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
