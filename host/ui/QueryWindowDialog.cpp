#include "host/ui/QueryWindowDialog.h"

#include "host/sdk/ui/ModalResult.h"
#include "host/sdk/ui/TBaseQuery.h"

#include <QVBoxLayout>

QueryWindowDialog::QueryWindowDialog(QWidget* parent)
    : QDialog(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void QueryWindowDialog::SetWindow(TBaseQuery* window) {
    m_window = window;
    layout()->addWidget(window);
    setWindowTitle(window->windowTitle());
    // A window that chose its own size keeps it; the rest get room for a grid.
    resize(window->testAttribute(Qt::WA_Resized) ? window->size() : QSize(800, 560));
    connect(window, &TBaseQuery::closeRequested, this, &QDialog::done);
}

void QueryWindowDialog::reject() {
    done(mrCancel);
}
