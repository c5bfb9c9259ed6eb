#pragma once

#include <QString>

// Message-box style words and results, as the Windows message box has them.
namespace MB {
constexpr int Ok = 0x00;
constexpr int OkCancel = 0x01;
constexpr int YesNoCancel = 0x03;
constexpr int YesNo = 0x04;
constexpr int IconError = 0x10;
constexpr int IconQuestion = 0x20;
constexpr int IconWarning = 0x30;
constexpr int IconInformation = 0x40;
constexpr int ButtonMask = 0x0F;
constexpr int IconMask = 0xF0;
} // namespace MB

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Where every prompt goes: the desktop shows a real box, tests install a script
// that answers each box and records what was shown.
class MessageService {
public:
    virtual ~MessageService() = default;
    // Shows one box and returns the pressed button (IDOK, IDCANCEL, IDYES, IDNO).
    virtual int show(const QString& text, const QString& caption, int style) = 0;

    // The installed service; without one, boxes go to standard error and take
    // their default button.
    static MessageService& current();
    static void install(MessageService* service);
};

// Thrown by ShowErrorAndAbort: the dialog base and the list-window framework end
// the current action silently when it reaches them.
class AbortAction {};

int Messagebox(const QString& text, const QString& caption, int style, int helpContext = 0,
               bool beep = false);
void ShowMsg(const QString& text, const QString& caption = QStringLiteral("提示"), bool beep = false);
void ShowError(const QString& text, const QString& caption = QStringLiteral("错误"), bool beep = false);
[[noreturn]] void ShowErrorAndAbort(const QString& text, const QString& caption = QStringLiteral("错误"),
                                    bool beep = false);
// True when the user answers Yes.
bool Question(const QString& text, const QString& caption = QStringLiteral("提示"), bool beep = false);

// The text shown, with caption "错误", when a write fails with a code nobody mapped.
extern const QString ErrorWriteDb;
