#pragma once

#include "host/sdk/ui/ModalService.h"

#include <QQueue>
#include <QStringList>
#include <functional>

class QDialog;

// Drives modal windows in tests. Each window the program shows modally is shown for
// real (offscreen), handed to the next queued handler, which works it with QTest
// keys and clicks, and its modal result goes back to the program as if the user had
// closed it. Windows open in the order the handlers were queued, nested ones
// included. A window with no handler, or one a handler left open, is closed with
// Esc and counted, so a test that forgot a window fails on what follows.
class ModalDriver final : public ModalService {
public:
    using Handler = std::function<void(QDialog&)>;

    ModalDriver() { ModalService::install(this); }
    ~ModalDriver() override { ModalService::install(nullptr); }

    void setNextHandler(Handler handler) { m_handlers.enqueue(std::move(handler)); }
    int showModal(QDialog& dialog) override;

    // Class names of the windows shown, in order.
    const QStringList& shown() const { return m_shown; }
    int unhandled() const { return m_unhandled; }
    int leftOpen() const { return m_leftOpen; }
    // Windows a flow left unfinished: unhandled, left open, or handlers never used.
    int unsettled() const { return m_unhandled + m_leftOpen + int(m_handlers.size()); }

private:
    QQueue<Handler> m_handlers;
    QStringList m_shown;
    int m_unhandled = 0;
    int m_leftOpen = 0;
};
