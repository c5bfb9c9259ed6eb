#pragma once

#include "host/sdk/HeadOfficeLink.h"

#include <QString>

// Base of the head-office connection classes. A caller creates one for a single
// operation and frees it right after, also when the operation failed; the link
// itself lives in the installed HeadOfficeLink.
class TLmConnect {
public:
    explicit TLmConnect(TLmConnectClass connectClass)
        : m_class(connectClass) {}
    virtual ~TLmConnect() = default;
    TLmConnect(const TLmConnect&) = delete;
    TLmConnect& operator=(const TLmConnect&) = delete;

    // Whether the host uses the link at all; when not, callers skip their link step.
    static bool IsConnectUse(TLmConnectClass connectClass);

    // Opens the connection; true on success.
    virtual bool Connect();
    bool GetConnected() const;
    // Shows, as one box, why the last call on the link failed.
    void ShowErrorMessage(const QString& cardNo) const;

protected:
    static HeadOfficeLink& link() { return HeadOfficeLink::current(); }

private:
    TLmConnectClass m_class;
};
