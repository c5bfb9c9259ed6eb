#pragma once

#include <QString>

class DataModule;
class HostConfig;

// The host's member notices: each one becomes a row of noticeoutbox, which a
// sender outside the back office delivers (text message or messaging account)
// and stamps with SentAt.
class NoticeOutbox {
public:
    // The configuration switch that decides whether the host sends notices.
    static const QString SwitchName;

    explicit NoticeOutbox(DataModule& data)
        : m_data(data) {}
    ~NoticeOutbox();
    NoticeOutbox(const NoticeOutbox&) = delete;
    NoticeOutbox& operator=(const NoticeOutbox&) = delete;

    // Hooks this outbox into SendSMSMessageByBillFunc and SenWXVip, or unhooks it,
    // as the configuration says.
    void Apply(const HostConfig& config);
    void Install();
    void Uninstall();

    // A notice that cannot be queued is reported in one box and does not throw:
    // it is sent after the member's change was saved, which must stand.
    void QueueText(int kind, int recordId, bool byCard, int arg1, int arg2, int arg3, int arg4, int arg5);
    void QueueMessage(const QString& cardNo, const QString& text, const QString& title);

private:
    void queue(const QString& sql, const QVariantList& params);
    DataModule& m_data;
};
