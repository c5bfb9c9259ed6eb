#include "host/sdk/MessageBox.h"

#include <QTextStream>

const QString ErrorWriteDb = QStringLiteral("写数据库失败，请检查数据后重试！");

namespace {

// Without a screen (command line, batch jobs) a box is written to standard error
// and takes its default button, so nothing waits for an answer that cannot come.
class ConsoleMessages final : public MessageService {
public:
    int show(const QString& text, const QString& caption, int style) override {
        QTextStream(stderr) << "[" << caption << "] " << text << "\n";
        switch (style & MB::ButtonMask) {
        case MB::YesNo:
        case MB::YesNoCancel:
            return IDYES;
        default:
            return IDOK;
        }
    }
};

MessageService* installed = nullptr;

} // namespace

MessageService& MessageService::current() {
    static ConsoleMessages console;
    return installed ? *installed : console;
}

void MessageService::install(MessageService* service) { installed = service; }

int Messagebox(const QString& text, const QString& caption, int style, int, bool) {
    return MessageService::current().show(text, caption, style);
}

void ShowMsg(const QString& text, const QString& caption, bool) {
    Messagebox(text, caption, MB::Ok | MB::IconInformation);
}

void ShowError(const QString& text, const QString& caption, bool) { Messagebox(text, caption, MB::Ok | MB::IconError); }

void ShowErrorAndAbort(const QString& text, const QString& caption, bool beep) {
    ShowError(text, caption, beep);
    throw AbortAction();
}

bool Question(const QString& text, const QString& caption, bool) {
    return Messagebox(text, caption, MB::YesNo | MB::IconQuestion) == IDYES;
}
