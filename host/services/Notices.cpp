#include "host/sdk/Notices.h"

TSendSMSMessageByBill SendSMSMessageByBillFunc;

namespace {
TSendWXVip& wxSender() {
    static TSendWXVip sender;
    return sender;
}
} // namespace

void SenWXVip(const QString& cardNo, const QString& text, const QString& title) {
    if (wxSender())
        wxSender()(cardNo, text, title);
}

void SetWXVipSender(TSendWXVip sender) {
    wxSender() = std::move(sender);
}
