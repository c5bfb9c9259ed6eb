#include "host/sdk/LmConnect.h"

#include "host/sdk/MessageBox.h"

bool TLmConnect::IsConnectUse(TLmConnectClass connectClass) {
    return link().IsConnectUse(connectClass);
}

bool TLmConnect::Connect() {
    return link().Connect(m_class);
}

bool TLmConnect::GetConnected() const {
    return link().Connected(m_class);
}

void TLmConnect::ShowErrorMessage(const QString& cardNo) const {
    ShowError(link().ErrorMessage(m_class, cardNo), QStringLiteral("连接服务端错误"));
}
