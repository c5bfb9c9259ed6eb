#include "host/sdk/MessageBox.h"

#include "host/sdk/DbError.h"

#include <QTextStream>

const QString ErrorWriteDb = QStringLiteral("写数据库失败，请检查数据后重试！");

namespace {

// Without a screen (command line, batch jobs) a box is written to standard error.
// A question is never answered on the user's behalf: the action that asked it is
// refused, and the refusal says which question stopped it.
class ConsoleMessages final : public MessageService {
public:
    int show(const QString& text, const QString& caption, int style) override {
        switch (style & MB::ButtonMask) {
        case MB::YesNo:
        case MB::YesNoCancel:
        case MB::OkCancel:
            throw DbError(QStringLiteral("这一步要先回答“%1”，没有界面可以回答，操作已取消。").arg(text));
        default:
            QTextStream(stderr) << "[" << caption << "] " << text << "\n";
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

void MessageService::install(MessageService* service) {
    installed = service;
}

int Messagebox(const QString& text, const QString& caption, int style, int, bool) {
    return MessageService::current().show(text, caption, style);
}

void ShowMsg(const QString& text, const QString& caption, bool) {
    Messagebox(text, caption, MB::Ok | MB::IconInformation);
}

void ShowError(const QString& text, const QString& caption, bool) {
    Messagebox(text, caption, MB::Ok | MB::IconError);
}

void ShowErrorAndAbort(const QString& text, const QString& caption, bool beep) {
    ShowError(text, caption, beep);
    throw AbortAction();
}

bool Question(const QString& text, const QString& caption, bool) {
    return Messagebox(text, caption, MB::YesNo | MB::IconQuestion) == IDYES;
}
