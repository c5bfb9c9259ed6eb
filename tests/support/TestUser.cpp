#include "tests/support/TestUser.h"

#include "host/sdk/DataModule.h"
#include "host/services/PasswordHash.h"

const QString TestUser::Password = QStringLiteral("secret");

TestUser::TestUser(DataModule& data, const QString& code, const QList<int>& rights, bool admin)
    : m_data(data)
    , m_saved(Ucomvar()) {
    m_rec = data.OpenSQLAsInt(QStringLiteral("INSERT INTO loginuser (UserCode, UserName, PasswordSalt, "
                                             "PasswordHash, IsAdmin) VALUES (?, ?, '', ?, ?) RETURNING rec"),
                              {code, code + QStringLiteral(" 用户"), PasswordHash::hash(Password), admin});
    for (int right : rights)
        data.ExecuteSQL(QStringLiteral("INSERT INTO userlimit (UserRec, LimitNo) VALUES (?, ?)"),
                        {m_rec, right});
    TComVar& session = Ucomvar();
    session.szLoginUserId = code;
    session.szLoginUserName = code + QStringLiteral(" 用户");
    session.nLoginUserRec = m_rec;
}

TestUser::~TestUser() {
    Ucomvar() = m_saved;
}

void TestUser::grantBillRight(int right, int billKind) {
    m_data.ExecuteSQL(
        QStringLiteral("INSERT INTO userbilllimit (UserRec, BillKind, LimitNo) VALUES (?, ?, ?)"),
        {m_rec, billKind, right});
}
