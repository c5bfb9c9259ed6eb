#pragma once

#include <QString>
#include <functional>

// The host's member-notice hook: (kind, record id, flag, five further integers).
// Empty while the host sends no text messages, so callers test it before calling.
using TSendSMSMessageByBill = std::function<void(int kind, int recordId, bool flag, int, int, int, int, int)>;
extern TSendSMSMessageByBill SendSMSMessageByBillFunc;

// Pushes a member's change to the member's messaging account (card number, text,
// title). Does nothing while the host has no sender installed.
void SenWXVip(const QString& cardNo, const QString& text, const QString& title);

// The host's side: installs the messaging sender (empty to remove it).
using TSendWXVip = std::function<void(const QString& cardNo, const QString& text, const QString& title)>;
void SetWXVipSender(TSendWXVip sender);
