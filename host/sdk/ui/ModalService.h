#pragma once

class QDialog;

// Where every modal window goes: the desktop runs it in its own event loop; tests
// install a driver that works the window with keys and clicks and then returns its
// result, so whole flows run without anyone at the screen.
class ModalService {
public:
    virtual ~ModalService() = default;
    // Shows the dialog modally and returns its modal result once it has closed.
    virtual int showModal(QDialog& dialog) = 0;

    // The installed service; without one, dialogs run in their own event loop.
    static ModalService& current();
    static void install(ModalService* service);
};
