#include "host/sdk/ui/CallQueryClass.h"

#include "host/sdk/MessageBox.h"
#include "host/sdk/ModuleRegistry.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/ModalResult.h"
#include "host/sdk/ui/ModalService.h"
#include "host/sdk/ui/TBaseQuery.h"
#include "host/sdk/ui/TQueryGrid.h"
#include "host/ui/QueryWindowDialog.h"

#include <QApplication>
#include <QTabWidget>

namespace {

// The registry entry of a class that can be opened, or null after telling the user
// why it cannot.
const QueryClassEntry* openable(const QString& className) {
    const QueryClassEntry* entry = gQueryClassFactory().Find(className);
    if (!entry) {
        ShowError(QStringLiteral("找不到窗口“%1”。").arg(className));
        return nullptr;
    }
    if (!entry->create) {
        ShowMsg(QStringLiteral("该窗口尚未提供。"));
        return nullptr;
    }
    return entry;
}

// Hands the caller's parameters to a new window and opens it; false when the
// window could not load (the user has seen the error).
bool prepare(TBaseQuery& window, const QueryClassEntry& entry, const TParamObject& params) {
    window.Params() = params;
    if (window.ModelId() == 0)
        window.SetModelId(entry.windowNo);
    return RunGuarded([&] { window.Open(); });
}

// The picked row goes back by field name; without a pick those names are removed,
// so a parameter object used for an earlier pick cannot pass old values off as new.
void handBackRow(const TBaseQuery& window, TParamObject& params, bool picked) {
    const ClientDataSet& rows = window.GetMainGrid()->GridModel()->Rows();
    const int row = window.CurrentRow();
    for (const QString& field : rows.FieldNames()) {
        if (picked && row >= 0)
            params.Add(field, window.GDataVar(field, row));
        else
            params.Remove(field);
    }
}

} // namespace

int CallQueryClass(const QString& className, TParamObject& params) {
    const QueryClassEntry* entry = openable(className);
    if (!entry)
        return mrNone;
    QueryWindowDialog dialog(QApplication::activeWindow());
    TBaseQuery* window = entry->create(&dialog);
    if (!prepare(*window, *entry, params))
        return mrNone;
    dialog.SetWindow(window);
    const int result = ModalService::current().showModal(dialog);
    params = window->Params();
    handBackRow(*window, params, result == mrOk);
    return result;
}

TBaseQuery* OpenQueryClassTab(const QString& className, QTabWidget& tabs, const TParamObject& params) {
    const QueryClassEntry* entry = openable(className);
    if (!entry)
        return nullptr;
    TBaseQuery* window = entry->create(nullptr);
    if (!prepare(*window, *entry, params)) {
        delete window;
        return nullptr;
    }
    tabs.setCurrentIndex(tabs.addTab(window, window->windowTitle()));
    QObject::connect(window, &TBaseQuery::closeRequested, &tabs, [&tabs, window] {
        tabs.removeTab(tabs.indexOf(window));
        window->deleteLater();
    });
    return window;
}
