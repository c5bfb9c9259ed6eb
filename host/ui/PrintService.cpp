#include "host/sdk/ui/PrintService.h"

#include "host/sdk/MessageBox.h"

namespace {
PrintService* installed = nullptr;
}

PrintService* PrintService::current() {
    return installed;
}

void PrintService::install(PrintService* service) {
    installed = service;
}

void RunPrintManage(const QString& templateName, const TParamObject& items, const QAbstractItemModel* rows) {
    if (!installed)
        ShowErrorAndAbort(QStringLiteral("没有安装打印服务，不能打印。"));
    installed->print(templateName, items, rows);
}
