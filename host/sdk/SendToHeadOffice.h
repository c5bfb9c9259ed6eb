#pragma once

#include <QString>

// Forwards one accepted local change to the head office on a connection made for
// it: opens it, runs the write, and on anything but 0 (or when it cannot open) lets
// the connection show why for the card. The connection is freed on return whatever
// happened. The caller still asks IsConnectUse first and decides what a failure
// means for it; a failure here never undoes the local write.
//
//     if (TRetailConnect::IsConnectUse(TRetailConnect::ClassType))
//         SendToHeadOffice<TRetailConnect>(cardNo, [&](TRetailConnect& c) { return c.SaveVipInfo(id, 0); });
template <class Connection, class Write> int SendToHeadOffice(const QString& cardNo, Write write) {
    Connection connection;
    if (!connection.Connect()) {
        connection.ShowErrorMessage(cardNo);
        return -1;
    }
    const int result = write(connection);
    if (result != 0)
        connection.ShowErrorMessage(cardNo);
    return result;
}
