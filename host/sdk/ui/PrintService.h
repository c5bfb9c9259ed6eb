#pragma once

#include "host/sdk/TParamObject.h"

#include <QString>

class QAbstractItemModel;

// The print engine as windows see it: one named template filled with named items
// and, for a bill or a list, the rows of a grid.
class PrintService {
public:
    virtual ~PrintService() = default;
    virtual void print(const QString& templateName, const TParamObject& items,
                       const QAbstractItemModel* rows) = 0;

    // Null while the host has no print engine installed.
    static PrintService* current();
    static void install(PrintService* service);
};

// Prints through the installed engine; without one, says so in one error box and
// ends the action.
void RunPrintManage(const QString& templateName, const TParamObject& items,
                    const QAbstractItemModel* rows = nullptr);
