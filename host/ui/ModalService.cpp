#include "host/sdk/ui/ModalService.h"

#include <QDialog>

namespace {

// The desktop's way: the dialog runs its own event loop until it closes.
class ExecModal final : public ModalService {
public:
    int showModal(QDialog& dialog) override { return dialog.exec(); }
};

ModalService* installed = nullptr;

} // namespace

ModalService& ModalService::current() {
    static ExecModal exec;
    return installed ? *installed : exec;
}

void ModalService::install(ModalService* service) {
    installed = service;
}
