#include "host/services/NoticeOutbox.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/Notices.h"
#include "host/sdk/Transaction.h"
#include "host/services/HostConfig.h"

#include <QDateTime>

namespace {
// The outbox the hooks point into, so that one outbox going away never unhooks another.
NoticeOutbox* hooked = nullptr;
} // namespace

const QString NoticeOutbox::SwitchName = QStringLiteral("SendNotices");

NoticeOutbox::~NoticeOutbox() {
    // The hooks must not outlive the outbox they point into.
    Uninstall();
}

void NoticeOutbox::Apply(const HostConfig& config) {
    if (config.Flag(SwitchName))
        Install();
    else
        Uninstall();
}

void NoticeOutbox::Install() {
    SendSMSMessageByBillFunc = [this](int kind, int recordId, bool byCard, int a1, int a2, int a3, int a4,
                                      int a5) { QueueText(kind, recordId, byCard, a1, a2, a3, a4, a5); };
    SetWXVipSender([this](const QString& cardNo, const QString& text, const QString& title) {
        QueueMessage(cardNo, text, title);
    });
    hooked = this;
}

void NoticeOutbox::Uninstall() {
    if (hooked != this)
        return;
    SendSMSMessageByBillFunc = nullptr;
    SetWXVipSender(nullptr);
    hooked = nullptr;
}

void NoticeOutbox::QueueText(int kind, int recordId, bool byCard, int arg1, int arg2, int arg3, int arg4,
                             int arg5) {
    queue(QStringLiteral(
              "INSERT INTO noticeoutbox (Channel, Kind, RecordId, ByCard, Arg1, Arg2, Arg3, Arg4, Arg5, "
              "CreatedAt) VALUES ('SMS', ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
          {kind, recordId, byCard, arg1, arg2, arg3, arg4, arg5, QDateTime::currentDateTime()});
}

void NoticeOutbox::QueueMessage(const QString& cardNo, const QString& text, const QString& title) {
    // Null texts bind as NULL; the outbox keeps them empty.
    queue(QStringLiteral("INSERT INTO noticeoutbox (Channel, CardNo, Text1, Text2, CreatedAt) "
                         "VALUES ('WX', COALESCE(?, ''), COALESCE(?, ''), COALESCE(?, ''), ?)"),
          {cardNo, text, title, QDateTime::currentDateTime()});
}

void NoticeOutbox::queue(const QString& sql, const QVariantList& params) {
    try {
        // Its own (nested) transaction: a caller that still holds one open keeps it
        // usable when the insert fails, which PostgreSQL would otherwise abort.
        Transaction transaction(m_data);
        m_data.ExecuteSQL(sql, params);
        transaction.Commit();
    } catch (const DbError& error) {
        ShowError(QStringLiteral("会员通知未能保存，本次不会发送。\n%1").arg(error.message()));
    }
}
