#pragma once

#include "host/sdk/TParamObject.h"
#include "host/sdk/ui/PrintService.h"

#include <QStringList>

// Receipts as the print engine is handed them, installed for its lifetime.
class RecordingPrint final : public PrintService {
public:
    RecordingPrint() { PrintService::install(this); }
    ~RecordingPrint() override { PrintService::install(nullptr); }
    void print(const QString& templateName, const TParamObject& items, const QAbstractItemModel*) override {
        name = templateName;
        this->items = items;
    }
    // The items as "name=value", in the order the window gave them.
    QStringList itemTexts() const {
        QStringList texts;
        for (const TParamObject::Param& p : items.Params())
            texts << p.name + QLatin1Char('=') + p.value.toString();
        return texts;
    }
    QString name;
    TParamObject items;
};
